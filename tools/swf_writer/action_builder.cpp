#include "swf_writer/action_builder.h"

#include <stdexcept>

#include "swf_writer/bit_writer.h"

namespace qm::swf_writer {
namespace {

constexpr uint8_t kActionEnd = 0x00;
constexpr uint8_t kActionPlay = 0x06;
constexpr uint8_t kActionStop = 0x07;
constexpr uint8_t kActionSetVariable = 0x1d;
constexpr uint8_t kActionPush = 0x96;
constexpr uint8_t kPushString = 0;

}  // namespace

void ActionBuilder::action(uint8_t code, const std::vector<uint8_t>& payload) {
  ByteWriter out;
  out.u8(code);
  // Codes from 0x80 up carry a 16-bit payload length; the others are one byte.
  if (code >= 0x80) {
    if (payload.size() > 0xffff) throw std::length_error("action payload too long");
    out.u16(static_cast<uint16_t>(payload.size()));
    out.bytes(payload);
  }
  const std::vector<uint8_t>& written = out.data();
  code_.insert(code_.end(), written.begin(), written.end());
}

ActionBuilder& ActionBuilder::push(const std::string& text) {
  ByteWriter payload;
  payload.u8(kPushString);
  payload.string(text);
  action(kActionPush, payload.data());
  return *this;
}

ActionBuilder& ActionBuilder::setVariable() {
  action(kActionSetVariable);
  return *this;
}

ActionBuilder& ActionBuilder::stop() {
  action(kActionStop);
  return *this;
}

ActionBuilder& ActionBuilder::play() {
  action(kActionPlay);
  return *this;
}

ActionBuilder& ActionBuilder::assign(const std::string& name, const std::string& value) {
  return push(name).push(value).setVariable();
}

std::vector<uint8_t> ActionBuilder::bytes() const {
  std::vector<uint8_t> all = code_;
  all.push_back(kActionEnd);
  return all;
}

}  // namespace qm::swf_writer
