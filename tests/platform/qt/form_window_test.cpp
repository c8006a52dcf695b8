#include <gtest/gtest.h>

#include <QApplication>
#include <QWheelEvent>

#include "model/control.h"
#include "platform/qt/form_view.h"

namespace qm {
namespace {

// A touchpad turns in parts of a notch: they add up to whole notches, and a
// turn the other way starts afresh.
TEST(FormWindow, WheelPartsAddUpToNotches) {
  Form form("Form1");
  FormWindow window(form);
  std::vector<int> notches;
  form.MouseWheel.connect([&](int n, double, double) { notches.push_back(n); });
  auto turn = [&](int eighths) {
    QWheelEvent event(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, eighths), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&window, &event);
  };
  for (int i = 0; i < 7; ++i) turn(40);
  turn(-100);
  turn(-40);
  turn(240);
  EXPECT_EQ(notches, (std::vector<int>{1, 1, -1, 2}));
}

}  // namespace
}  // namespace qm
