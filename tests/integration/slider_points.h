#pragma once

#include "slider/tvate.h"

namespace qm::integration {

// Pixels from the left of a slider's widget: where its thumb's middle is
// drawn now, and the point `share` of the way along the widget.
double thumbPixel(const tVate& bar);
double pixelAlong(const tVate& bar, double share);
// The pointer's row: the middle of the bar.
double middleRow(const tVate& bar);

}  // namespace qm::integration
