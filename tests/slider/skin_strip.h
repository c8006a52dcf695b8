#pragma once

#include <QImage>
#include <QPainter>

#include "slider/tvate.h"

namespace qm::test {

inline Picture picture(QImage image) { return std::make_shared<const QImage>(std::move(image)); }
inline QRgb pixelAt(const tVate& bar, int x, int y) { return bar.surface().pixel(x, y) | 0xFF000000u; }

// A seek-bar skin like the main window's: pieces of 17, 17, 1 and 1 pixels,
// then four 16-pixel thumb frames, 17 pixels high. Each piece has its own
// colour; each thumb frame is magenta but for rows 4 to 12 in the frame's
// colour, so what shows through the thumb is easy to tell.
struct SeekSkin {
  const QRgb left = qRgb(200, 0, 0), right = qRgb(0, 0, 200), played = qRgb(0, 200, 0), rest = qRgb(90, 90, 90);
  const QRgb frames[4] = {qRgb(255, 255, 0), qRgb(0, 255, 255), qRgb(255, 128, 0), qRgb(128, 128, 128)};

  Picture strip() const {
    QImage image(100, 17, QImage::Format_RGB32);
    QPainter p(&image);
    const std::pair<int, QRgb> pieces[] = {{17, left}, {17, right}, {1, played}, {1, rest}};
    int x = 0;
    for (auto [width, colour] : pieces) p.fillRect(x, 0, width, 17, QColor(colour)), x += width;
    for (QRgb frame : frames) {
      p.fillRect(x, 0, 16, 17, QColor(255, 0, 255));
      p.fillRect(x, 4, 16, 9, QColor(frame));
      x += 16;
    }
    p.end();
    return picture(std::move(image));
  }

  // The main window's seek bar: 9290 x 255 twips, set up as at start-up.
  void configure(tVate& bar) const {
    bar.setGeometry(0, 0, 9290, 255);
    bar.setMax(100);
    bar.setValue(0);
    bar.setStyle(2);
    bar.setCanMove(true);
    bar.setBite_LP(2);
    bar.setBite_RP(2);
    bar.setPicture(strip(), 17, 17, 1, 1, 16);
  }
};

}  // namespace qm::test
