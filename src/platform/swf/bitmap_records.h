#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "platform/swf/drawn_movie.h"

namespace qm::swf {

// The bitmaps of a movie, from the bodies of their tags after the bitmap's
// id. A bitmap whose pixels would pass maxPixels, a format this code does
// not read, or data that runs short gives nothing.

// DefineBitsLossless (version 1) or DefineBitsLossless2 (2): colour-mapped,
// 15-bit and 32-bit pixels, decoded here.
std::optional<Bitmap> readLosslessBitmap(std::span<const uint8_t> body, int version, size_t maxPixels);

// DefineBits (version 1, with the movie's JPEGTables), DefineBitsJPEG2 (2)
// or DefineBitsJPEG3 (3, with an alpha byte a pixel): JPEG, PNG or GIF data
// for the view to decode, its size read from the data.
std::optional<Bitmap> readEncodedBitmap(std::span<const uint8_t> body, int version, std::span<const uint8_t> jpegTables,
                                        size_t maxPixels);

}  // namespace qm::swf
