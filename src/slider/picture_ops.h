#pragma once

#include <QImage>
#include <QRect>

#include "model/control.h"

namespace qm {

// Raster operations the slider draws with. Coordinates and sizes are pixels.

// A new picture owning its pixels: the image as it is.
Picture makePicture(QImage image);

// A new picture of width x height holding that rectangle of `source`, in the
// surface's 32-bit RGB format (an alpha channel is dropped, the colours kept).
// Parts of the rectangle outside the source come out black. A rectangle of no
// area gives no picture.
Picture cutPicture(const QImage& source, int x, int y, int width, int height);

// Draws the rectangle (sx, sy, width, height) of `picture` onto `dest` at
// (dx, dy), leaving the destination pixel wherever the picture pixel equals
// `transparent` (0x00BBGGRR) exactly. Pixels outside either image are left
// alone. Does nothing without a picture, or on a destination that is not
// 32-bit RGB.
void drawMaskedPicture(const Picture& picture, QImage& dest, int sx, int sy, int width, int height, int dx, int dy,
                       Colour transparent);

// A bitmap picture reports its size in HIMETRIC (0.01 mm) units at the screen's
// 96 dots per inch, rounded to whole units.
long himetricFromPixels(int pixels);
// The pixel count the slider reads back from a HIMETRIC size: the size divided
// by 26.45836, plus a half, rounded down.
long long pixelsFromHimetric(long himetric);

}  // namespace qm
