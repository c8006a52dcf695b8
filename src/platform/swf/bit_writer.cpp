#include "platform/swf/bit_writer.h"

#include <algorithm>
#include <stdexcept>

namespace qm::swf_writer {

void ByteWriter::u8(uint8_t value) {
  align();
  data_.push_back(value);
}

void ByteWriter::u16(uint16_t value) {
  u8(value & 0xff);
  u8(value >> 8);
}

void ByteWriter::u32(uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) u8((value >> shift) & 0xff);
}

void ByteWriter::string(const std::string& text) {
  for (char c : text) u8(static_cast<uint8_t>(c));
  u8(0);
}

void ByteWriter::bytes(const std::vector<uint8_t>& data) {
  align();
  data_.insert(data_.end(), data.begin(), data.end());
}

void ByteWriter::rgb(uint8_t red, uint8_t green, uint8_t blue) {
  u8(red);
  u8(green);
  u8(blue);
}

void ByteWriter::bits(uint32_t value, int count) {
  for (int bit = count - 1; bit >= 0; --bit) {
    if (freeBits_ == 0) {
      data_.push_back(0);
      freeBits_ = 8;
    }
    --freeBits_;
    if ((value >> bit) & 1u) data_.back() |= static_cast<uint8_t>(1u << freeBits_);
  }
}

void ByteWriter::signedBits(int32_t value, int count) { bits(static_cast<uint32_t>(value), count); }

void ByteWriter::align() { freeBits_ = 0; }

std::vector<uint8_t> ByteWriter::take() {
  freeBits_ = 0;
  return std::move(data_);
}

int signedBitsFor(int32_t value) {
  // Magnitude bits of the value (or of its one's complement when negative) plus the sign.
  uint32_t magnitude = value < 0 ? ~static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
  int count = 1;
  while (magnitude != 0) {
    ++count;
    magnitude >>= 1;
  }
  return count;
}

int signedBitsFor(std::initializer_list<int32_t> values) {
  int count = 1;
  for (int32_t value : values) count = std::max(count, signedBitsFor(value));
  return count;
}

void writeRect(ByteWriter& out, int32_t xMin, int32_t xMax, int32_t yMin, int32_t yMax) {
  const int size = signedBitsFor({xMin, xMax, yMin, yMax});
  // The field size itself has only 5 bits.
  if (size > 31) throw std::out_of_range("RECT coordinate too large");
  out.bits(size, 5);
  for (int32_t value : {xMin, xMax, yMin, yMax}) out.signedBits(value, size);
  out.align();
}

}  // namespace qm::swf_writer
