#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "platform/swf/drawn_movie.h"

namespace qm::swf {

// Shape tweens.

// DefineMorphShape (version 1) or DefineMorphShape2 (2), the whole body:
// solid and gradient fills and plain lines, both forms of every edge. A
// bitmap fill, a filled line, edges that do not pair, or more than maxEdges
// edges give nothing.
std::optional<MorphShape> readMorphShape(std::span<const uint8_t> body, int version, size_t maxEdges);

// The morph shape at a ratio, 0 its start and 65535 its end.
Shape morphAt(const MorphShape& morph, uint16_t ratio);

}  // namespace qm::swf
