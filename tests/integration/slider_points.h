#pragma once

#include "slider/tvate.h"

namespace qm::integration {

// Pixels from the left of a slider's widget: where its thumb's middle is now,
// and where the pointer must be for a drag to leave `value`.
double thumbPixel(const tVate& bar);
double pixelForValue(const tVate& bar, int value);
// The pointer's row: the middle of the bar.
double middleRow(const tVate& bar);

}  // namespace qm::integration
