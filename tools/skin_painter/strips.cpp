// The slider strips: track ends, track middles and four thumb frames keyed
// on magenta, cut by the slider as the strip's table in skin_store.h says.
#include <QLinearGradient>

#include "canvas.h"
#include "window/skin_store.h"

namespace qm::skin {

namespace {

enum class Thumb { Normal, Hover, Pressed, Disabled };

struct StripArt {
  SliderStrip cut;
  int height;
  QImage background;  // what the bar shows behind the slider
  int trackTop;
  int trackHeight;
  double knobRadius;
};

QLinearGradient vertical(double top, double bottom, const QColor& from, const QColor& to) {
  QLinearGradient gradient(0, top, 0, bottom);
  gradient.setColorAt(0, from);
  gradient.setColorAt(1, to);
  return gradient;
}

// Draws the track from `from` to `to` (piece coordinates, may run past the
// piece) into the piece at `left`, clipped to it.
void track(QPainter& p, const StripArt& art, int left, int width, double from, double to, bool filled) {
  p.save();
  p.setClipRect(left, 0, width, art.height);
  p.translate(left, 0);
  const double top = art.trackTop, bottom = art.trackTop + art.trackHeight;
  p.setPen(Qt::NoPen);
  if (filled)
    p.setBrush(vertical(top, bottom, kAccentLight, kAccentDeep));
  else
    p.setBrush(vertical(top, bottom, QColor(0x0E, 0x0F, 0x11), QColor(0x3C, 0x40, 0x48)));
  const double radius = art.trackHeight / 2.0;
  p.drawRoundedRect(QRectF(from, top, to - from, art.trackHeight), radius, radius);
  p.restore();
}

QImage knobLayer(const StripArt& art, Thumb state) {
  const int w = art.cut.thumb;
  QImage layer = clearLayer(w, art.height);
  QPainter p;
  beginSmooth(p, layer);
  const QPointF centre(w / 2.0, art.height / 2.0);
  const double r = art.knobRadius;
  const double top = centre.y() - r, bottom = centre.y() + r;
  switch (state) {
    case Thumb::Normal:
      p.setPen(QPen(QColor(0x6C, 0x72, 0x7B), 1.0));
      p.setBrush(vertical(top, bottom, QColor(0xEC, 0xEE, 0xF1), QColor(0xA9, 0xAF, 0xB8)));
      break;
    case Thumb::Hover:
      p.setPen(QPen(kAccent, 1.6));
      p.setBrush(vertical(top, bottom, QColor(0xFF, 0xFF, 0xFF), QColor(0xCF, 0xE5, 0xFF)));
      break;
    case Thumb::Pressed:
      p.setPen(QPen(kAccentLight, 1.2));
      p.setBrush(vertical(top, bottom, kAccent, kAccentDeep));
      break;
    case Thumb::Disabled:
      p.setPen(QPen(QColor(0x3A, 0x3D, 0x43), 1.0));
      p.setBrush(vertical(top, bottom, QColor(0x5E, 0x63, 0x6B), QColor(0x45, 0x49, 0x50)));
      break;
  }
  p.drawEllipse(centre, r - 0.5, r - 0.5);
  if (state == Thumb::Pressed) {
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(centre, r / 3.5, r / 3.5);
  }
  p.end();
  return layer;
}

QImage strip(const StripArt& art) {
  const SliderStrip& cut = art.cut;
  QImage image = art.background.copy();
  QPainter p;
  beginSmooth(p, image);
  const int rightAt = cut.left, filledAt = rightAt + cut.right, restAt = filledAt + cut.filled;
  // The filled track starts inside the left end, the rest track ends inside
  // the right end; both run on flat past the piece's inner side.
  const double inset = cut.left > 8 ? 3 : 0.5;
  track(p, art, 0, cut.left, inset, cut.left + art.trackHeight, true);
  track(p, art, rightAt, cut.right, -art.trackHeight, cut.right - inset, false);
  track(p, art, filledAt, cut.filled, -art.trackHeight, cut.filled + art.trackHeight, true);
  track(p, art, restAt, cut.rest, -art.trackHeight, cut.rest + art.trackHeight, false);
  p.end();

  const Thumb states[] = {Thumb::Normal, Thumb::Hover, Thumb::Pressed, Thumb::Disabled};
  for (int frame = 0; frame < 4; ++frame) {
    const int left = cut.thumbsLeft() + frame * cut.thumb;
    const QImage behind = art.background.copy(left, 0, cut.thumb, art.height);
    const QImage keyed = keyOnMagenta(knobLayer(art, states[frame]), behind);
    QPainter copy(&image);
    copy.setCompositionMode(QPainter::CompositionMode_Source);
    copy.drawImage(left, 0, keyed);
  }
  return image.convertToFormat(QImage::Format_RGB32).convertToFormat(QImage::Format_ARGB32);
}

StripArt seekArt() {
  const int h = 17;
  return {kSeekStrip, h, flatImage(kSeekStrip.width(), h, kSeekPanel), 6, 5, 6.5};
}

StripArt volumeArt() {
  const int h = 12;
  return {kVolumeStrip, h, barBackground(Bar::Bottom, kVolumeBarTop, kVolumeStrip.width(), h), 4, 4, 5.0};
}

}  // namespace

void addStripPainters(PainterTable& table) {
  table[std::string(kSeekStrip.name)] = [] { return strip(seekArt()); };
  table[std::string(kVolumeStrip.name)] = [] { return strip(volumeArt()); };
}

}  // namespace qm::skin
