#pragma once

#include <map>
#include <optional>
#include <vector>

#include "platform/swf/byte_reader.h"
#include "platform/swf/drawn_movie.h"

namespace qm::swf {

// The records a drawn movie is made of. Each reader leaves `in` after the
// record; a record this code does not draw, or one that runs past its data,
// gives nothing.

// MATRIX, from a fresh byte.
Matrix readMatrix(ByteReader& in);
// CXFORM (withAlpha false) or CXFORMWITHALPHA, from a fresh byte.
ColourTransform readColourTransform(ByteReader& in, bool withAlpha);

// The body of DefineShape (shapeVersion 1), DefineShape2 (2), DefineShape3
// (3) or DefineShape4 (4) after its id, bounds and flags: the styles and the
// edges, with each fill's edges linked into closed contours. Solid, linear
// and radial fills; lines of one colour that scale with the shape; edges
// beyond maxEdges give nothing.
std::optional<Shape> readShape(ByteReader& in, int shapeVersion, size_t maxEdges,
                               const std::map<uint16_t, Bitmap>& bitmaps);

// A font's glyph (SHAPE): its outline as one filled area, to be drawn in
// the colour of the text that uses it.
std::optional<Shape> readGlyph(ByteReader& in, size_t maxEdges);

// An edge record from the pen's place, after the bit that says it is one;
// nothing when it runs off the coordinates.
std::optional<Edge> readEdge(ByteReader& in, Point pen);

// Joins edges end to start into contours, as indices into `edges`. Each
// contour closes where it comes back to its first point; one left open is
// closed when it is filled.
std::vector<std::vector<size_t>> linkedContours(const std::vector<Edge>& edges);

// The edges a shape keeps: once for each fill beside them and their line.
size_t edgeCount(const Shape& shape);

}  // namespace qm::swf
