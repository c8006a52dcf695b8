#pragma once

#include <string>

namespace qm {

// A JPEG far larger than any screen is decoded at a half, a quarter or an
// eighth of its size (the decoder's reduced-size output): a 16000 x 16000
// photo would otherwise take several hundred megabytes to show in a window.
// The longer side stays at least this many pixels, sharp on a 4K screen.
constexpr int kSharpPictureSide = 4096;

// The reduction step for the file: 0 (full size) to 3 (an eighth); 0 for
// anything that is not a JPEG or whose header cannot be read.
int jpegReductionStep(const std::string& path);

}  // namespace qm
