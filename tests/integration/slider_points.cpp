#include "integration/slider_points.h"

#include <cmath>

namespace qm::integration {

double thumbPixel(const tVate& bar) { return bar.CmdCenter() / kTwipsPerPixel + bar.borderPixels(); }

// Whole pixels, as the pointer can only stand on those.
double pixelAlong(const tVate& bar, double share) { return std::round(bar.width() / kTwipsPerPixel * share); }

double middleRow(const tVate& bar) { return bar.height() / kTwipsPerPixel / 2; }

}  // namespace qm::integration
