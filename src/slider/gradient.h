#pragma once

#include <QImage>

#include "model/control.h"

namespace qm {

// Fills the strip between x1 and x2 (twips) of a surface whose control is
// `height` twips high with a vertical gradient from `top` towards `bottom`:
// eleven bands of a tenth of the height each, the last below the bottom edge,
// so the lowest visible band stops one step short of `bottom`. Equal colours
// give one solid fill. Two different colours of which one is not a plain
// colour draw nothing; a failure leaves the bands already drawn.
void DrawGradient(QImage& surface, Colour top, Colour bottom, double x1, double x2, double height);

}  // namespace qm
