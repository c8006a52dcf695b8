#pragma once

#include <QColor>
#include <QPainter>
#include <QPointF>

namespace qm::skin {

// The button symbols. Each is drawn around a centre point at the size its
// buttons need; filled rectangles sit on whole pixels so edges stay crisp.
enum class Glyph {
  // Title buttons, about 10 px.
  Menu,
  Minimize,
  Maximize,
  Restore,
  Close,
  // Transport, about 12 px.
  Play,
  Pause,
  Previous,
  Next,
  Loop,
  Stop,
  Note,
  // Bottom bar extras.
  Fullscreen,
  Speaker,
  // Channel buttons, 8 px high.
  LetterL,
  LetterR,
  Stereo,
};

void drawGlyph(QPainter& painter, Glyph glyph, QPointF centre, const QColor& colour);

}  // namespace qm::skin
