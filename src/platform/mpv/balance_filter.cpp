#include "platform/mpv/balance_filter.h"

#include <algorithm>
#include <charconv>

namespace qm {

namespace {

// Written with a dot whatever the locale: the filter parser expects one.
std::string gain(double value) {
  char text[16];
  auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 2).ptr;
  return std::string(text, end);
}

}  // namespace

std::string balanceFilter(int balance) {
  balance = std::clamp(balance, -100, 100);
  if (balance == 0) return {};
  // Moving towards one side lowers the other side's gain; the near side
  // stays at full level.
  const double left = std::min(1.0, 1.0 - balance / 100.0);
  const double right = std::min(1.0, 1.0 + balance / 100.0);
  // aformat first: a multichannel source is mixed down to stereo before the
  // pan, or the pan would keep only its front pair and drop the centre
  // channel, where films carry the dialogue.
  return "@bal:lavfi=[aformat=channel_layouts=stereo,pan=stereo|c0=" + gain(left) + "*c0|c1=" + gain(right) + "*c1]";
}

}  // namespace qm
