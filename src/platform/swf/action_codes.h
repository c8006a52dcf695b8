#pragma once

#include <cstdint>

namespace qm::swf::action {

// Codes of the AVM1 actions that both the player's own movies and the
// timeline scripts it runs itself use.
constexpr uint8_t kEnd = 0x00;
constexpr uint8_t kNextFrame = 0x04;
constexpr uint8_t kPreviousFrame = 0x05;
constexpr uint8_t kPlay = 0x06;
constexpr uint8_t kStop = 0x07;
constexpr uint8_t kGotoFrame = 0x81;
constexpr uint8_t kGotoLabel = 0x8c;
// Actions from this code on carry a length and a payload.
constexpr uint8_t kFirstWithPayload = 0x80;

}  // namespace qm::swf::action
