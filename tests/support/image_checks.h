#pragma once

#include <QColor>
#include <QImage>

namespace qm::live {

// Share (0..1) of the pixels that are not black (a sum of the three
// channels above 60 counts as lit).
double nonBlackShare(const QImage& image);
// Share of the pixels whose colour is within `tolerance` (per channel) of
// `colour`.
double shareNear(const QImage& image, QColor colour, int tolerance = 40);
// Share of the pixels that differ by more than `tolerance` in some channel
// between two pictures of the same size; 0 when the sizes differ.
double changedShare(const QImage& a, const QImage& b, int tolerance = 24);

}  // namespace qm::live
