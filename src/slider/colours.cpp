#include "slider/colours.h"

namespace qm {

std::optional<ColourChannels> SplitColor(Colour c) {
  if (c > 0xFFFFFF) return std::nullopt;
  return ColourChannels{static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                        static_cast<int>((c >> 16) & 0xFF)};
}

std::optional<QRgb> toQRgb(Colour c) {
  auto ch = SplitColor(c);
  if (!ch) return std::nullopt;
  return qRgb(ch->red, ch->green, ch->blue);
}

}  // namespace qm
