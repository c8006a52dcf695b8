#pragma once

#include <QRgb>
#include <optional>

#include "model/control.h"

namespace qm {

// One colour split into its channels, each 0 to 255.
struct ColourChannels {
  int red = 0;
  int green = 0;
  int blue = 0;
};

// Reads a 0x00BBGGRR value as its three channels. A value with bits above the
// 24 colour bits (a system colour reference) is no plain colour: no result.
std::optional<ColourChannels> SplitColor(Colour c);

// The pixel a plain 0x00BBGGRR colour shows as; no result for a value with
// bits above 24, which no surface pixel can show.
std::optional<QRgb> toQRgb(Colour c);

}  // namespace qm
