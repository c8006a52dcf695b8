#include "platform/swf/action_builder.h"

#include <stdexcept>

#include "platform/swf/action_codes.h"
#include "platform/swf/bit_writer.h"

namespace qm::swf_writer {
namespace {

constexpr uint8_t kActionPop = 0x17;
constexpr uint8_t kActionSetTarget2 = 0x20;
constexpr uint8_t kActionGotoFrame2 = 0x9f;
constexpr uint8_t kActionGetVariable = 0x1c;
constexpr uint8_t kActionSetVariable = 0x1d;
constexpr uint8_t kActionReturn = 0x3e;
constexpr uint8_t kActionAdd2 = 0x47;
constexpr uint8_t kActionGetMember = 0x4e;
constexpr uint8_t kActionSetMember = 0x4f;
constexpr uint8_t kActionCallMethod = 0x52;
constexpr uint8_t kActionPush = 0x96;
constexpr uint8_t kActionGetUrl2 = 0x9a;
constexpr uint8_t kActionDefineFunction = 0x9b;
constexpr uint8_t kPushString = 0;
constexpr uint8_t kPushNull = 2;
constexpr uint8_t kPushInteger = 7;

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

ActionBuilder& ActionBuilder::pushInt(int32_t value) {
  ByteWriter payload;
  payload.u8(kPushInteger);
  payload.u32(static_cast<uint32_t>(value));
  action(kActionPush, payload.data());
  return *this;
}

ActionBuilder& ActionBuilder::pushNull() {
  action(kActionPush, {kPushNull});
  return *this;
}

ActionBuilder& ActionBuilder::setTarget() {
  action(kActionSetTarget2);
  return *this;
}

ActionBuilder& ActionBuilder::gotoFrame(bool play) {
  action(kActionGotoFrame2, {static_cast<uint8_t>(play ? 1 : 0)});
  return *this;
}

ActionBuilder& ActionBuilder::getVariable(const std::string& name) {
  push(name);
  action(kActionGetVariable);
  return *this;
}

ActionBuilder& ActionBuilder::getMember() {
  action(kActionGetMember);
  return *this;
}

ActionBuilder& ActionBuilder::setMember() {
  action(kActionSetMember);
  return *this;
}

ActionBuilder& ActionBuilder::callMethod() {
  action(kActionCallMethod);
  return *this;
}

ActionBuilder& ActionBuilder::add() {
  action(kActionAdd2);
  return *this;
}

ActionBuilder& ActionBuilder::pop() {
  action(kActionPop);
  return *this;
}

ActionBuilder& ActionBuilder::returnValue() {
  action(kActionReturn);
  return *this;
}

ActionBuilder& ActionBuilder::loadMovie() {
  // Flags 0: a GET-less load into the target window or level.
  action(kActionGetUrl2, {0});
  return *this;
}

ActionBuilder& ActionBuilder::function(const std::vector<std::string>& params, const ActionBuilder& body) {
  const std::vector<uint8_t>& code = body.code();
  if (params.size() > 0xffff || code.size() > 0xffff) throw std::length_error("function too large");
  ByteWriter payload;
  payload.string("");
  payload.u16(static_cast<uint16_t>(params.size()));
  for (const std::string& param : params) payload.string(param);
  payload.u16(static_cast<uint16_t>(code.size()));
  action(kActionDefineFunction, payload.data());
  // The body follows the definition; its size above tells where it ends.
  code_.insert(code_.end(), code.begin(), code.end());
  return *this;
}

ActionBuilder& ActionBuilder::setVariable() {
  action(kActionSetVariable);
  return *this;
}

ActionBuilder& ActionBuilder::stop() {
  action(swf::action::kStop);
  return *this;
}

ActionBuilder& ActionBuilder::play() {
  action(swf::action::kPlay);
  return *this;
}

ActionBuilder& ActionBuilder::assign(const std::string& name, const std::string& value) {
  return push(name).push(value).setVariable();
}

ActionBuilder& ActionBuilder::append(const ActionBuilder& more) {
  code_.insert(code_.end(), more.code_.begin(), more.code_.end());
  return *this;
}

std::vector<uint8_t> ActionBuilder::bytes() const {
  std::vector<uint8_t> all = code_;
  all.push_back(swf::action::kEnd);
  return all;
}

}  // namespace qm::swf_writer
