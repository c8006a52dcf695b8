#include "platform/swf/frame_script.h"

#include "platform/swf/action_codes.h"
#include "platform/swf/byte_reader.h"

namespace qm::swf {

std::optional<TimelineScript> readTimelineScript(std::span<const uint8_t> actions) {
  using namespace action;
  TimelineScript script;
  ByteReader in(actions);
  for (;;) {
    if (in.remaining() == 0) return std::nullopt;  // no end
    const uint8_t code = in.u8();
    if (code == kEnd) return script;
    const uint16_t length = code >= kFirstWithPayload ? in.u16() : 0;
    if (in.overrun() || length > in.remaining()) return std::nullopt;
    const std::span<const uint8_t> payload = actions.subspan(in.position(), length);
    in.skip(length);
    if (code == kPlay || code == kStop) {
      (script.move == TimelineScript::Move::kNone ? script.play : script.playAfterMove) = code == kPlay;
      continue;
    }
    if (script.move != TimelineScript::Move::kNone) return std::nullopt;  // one move a frame
    if (code == kNextFrame) {
      script.move = TimelineScript::Move::kNext;
    } else if (code == kPreviousFrame) {
      script.move = TimelineScript::Move::kPrevious;
    } else if (code == kGotoFrame && length == 2) {
      script.move = TimelineScript::Move::kFrame;
      script.frame = static_cast<uint16_t>(payload[0] | payload[1] << 8);
    } else if (code == kGotoLabel && length > 0 && payload.back() == 0) {
      script.move = TimelineScript::Move::kLabel;
      script.label.assign(payload.begin(), payload.end() - 1);
      if (script.label.find('\0') != std::string::npos) return std::nullopt;
    } else {
      return std::nullopt;
    }
  }
}

std::optional<TimelineScript> thenRun(const TimelineScript& first, const TimelineScript& second) {
  if (second.move == TimelineScript::Move::kNone) {
    TimelineScript both = first;
    if (second.play) (first.move == TimelineScript::Move::kNone ? both.play : both.playAfterMove) = second.play;
    return both;
  }
  if (first.move != TimelineScript::Move::kNone) return std::nullopt;
  TimelineScript both = second;
  if (!both.play) both.play = first.play;
  return both;
}

std::string lowerAscii(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

}  // namespace qm::swf
