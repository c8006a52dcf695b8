#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qm::swf_writer {

// Little-endian bytes and most-significant-first bit fields, the two ways a
// SWF file packs its values. Bit fields start on a fresh byte after any byte
// write, so callers never have to remember to align before one.
class ByteWriter {
 public:
  void u8(uint8_t value);
  void u16(uint16_t value);
  void u32(uint32_t value);
  // A null-terminated string.
  void string(const std::string& text);
  void bytes(const std::vector<uint8_t>& data);
  void rgb(uint8_t red, uint8_t green, uint8_t blue);

  void bits(uint32_t value, int count);
  void signedBits(int32_t value, int count);
  // Pads the partly written byte with zero bits.
  void align();

  const std::vector<uint8_t>& data() const { return data_; }
  std::vector<uint8_t> take();

 private:
  std::vector<uint8_t> data_;
  int freeBits_ = 0;  // unused low bits of the last byte
};

// Bits a signed field needs to hold the value, sign bit included.
int signedBitsFor(int32_t value);
int signedBitsFor(std::initializer_list<int32_t> values);

// A RECT record in twips: 5 bits for the field size, then four signed fields.
void writeRect(ByteWriter& out, int32_t xMin, int32_t xMax, int32_t yMin, int32_t yMax);

}  // namespace qm::swf_writer
