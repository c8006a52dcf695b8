#include "integration/slider_points.h"

namespace qm::integration {

namespace {

double borderTwips(const tVate& bar) { return bar.borderPixels() * double(kTwipsPerPixel); }

}  // namespace

double thumbPixel(const tVate& bar) { return (bar.CmdCenter() + borderTwips(bar)) / kTwipsPerPixel; }

// The bar maps a pointer at x (twips inside its border) to
// (x - thumb/2 - left end + left bite) * Max / travel, so the inverse is
// value * travel / Max + thumb/2 + left end - left bite.
double pixelForValue(const tVate& bar, int value) {
  const double thumb = bar.IsShowCmd() ? bar.CmdWidth() : 0;
  const double biteLeft = bar.Bite_LP() * double(kTwipsPerPixel);
  const double biteRight = bar.Bite_RP() * double(kTwipsPerPixel);
  const double travel = bar.ScaleWidth() - bar.LeftWidth() - bar.RightWidth() - thumb + biteLeft + biteRight;
  const double x = value * travel / bar.Max() + thumb / 2 + bar.LeftWidth() - biteLeft;
  return (x + borderTwips(bar)) / kTwipsPerPixel;
}

double middleRow(const tVate& bar) { return bar.height() / kTwipsPerPixel / 2; }

}  // namespace qm::integration
