#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace qm::swf {

// Reads little-endian values and most-significant-first bit fields from a
// buffer. Reading past the end never touches memory outside the buffer: it
// yields zeros and marks the reader as overrun, so a parser can read a whole
// record and check once.
class ByteReader {
 public:
  explicit ByteReader(std::span<const uint8_t> data, size_t position = 0) : data_(data), position_(position) {}

  uint8_t u8() {
    bitsLeft_ = 0;
    if (position_ >= data_.size()) {
      overrun_ = true;
      return 0;
    }
    return data_[position_++];
  }
  uint16_t u16() {
    const uint16_t low = u8();
    return static_cast<uint16_t>(low | u8() << 8);
  }
  uint32_t u32() {
    const uint32_t low = u16();
    return low | static_cast<uint32_t>(u16()) << 16;
  }

  uint32_t bits(int count) {
    uint32_t value = 0;
    for (int i = 0; i < count; ++i) {
      if (bitsLeft_ == 0) {
        if (position_ >= data_.size()) {
          overrun_ = true;
          return 0;
        }
        current_ = data_[position_++];
        bitsLeft_ = 8;
      }
      --bitsLeft_;
      value = value << 1 | ((current_ >> bitsLeft_) & 1u);
    }
    return value;
  }
  // A field is at most 32 bits; a wider one marks the reader overrun.
  int32_t signedBits(int count) {
    if (count == 0) return 0;
    if (count > 32) {
      overrun_ = true;
      return 0;
    }
    const uint32_t value = bits(count);
    const uint32_t sign = 1u << (count - 1);
    return static_cast<int32_t>((value ^ sign) - sign);
  }

  // The next bit field starts on a fresh byte.
  void align() { bitsLeft_ = 0; }

  void skip(size_t count) {
    bitsLeft_ = 0;
    if (count > remaining()) {
      overrun_ = true;
      position_ = data_.size();
    } else {
      position_ += count;
    }
  }

  size_t position() const { return position_; }
  size_t remaining() const { return position_ < data_.size() ? data_.size() - position_ : 0; }
  bool overrun() const { return overrun_; }

 private:
  std::span<const uint8_t> data_;
  size_t position_;
  uint8_t current_ = 0;
  int bitsLeft_ = 0;
  bool overrun_ = false;
};

}  // namespace qm::swf
