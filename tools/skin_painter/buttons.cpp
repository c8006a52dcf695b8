// Title, transport, channel and panel buttons. A hover picture is the same
// button lit: an accent outline, a blue-tinted face and a white glyph.
#include <QLinearGradient>

#include "canvas.h"
#include "glyphs.h"
#include "window/skin_store.h"

namespace qm::skin {

namespace {

enum class Look { Normal, Lit };

QColor glyphColour(Look look) { return look == Look::Lit ? kGlyphHover : kGlyph; }

QImage titleButton(Glyph glyph, Look look) {
  QImage image = barBackground(Bar::Top, kTitleButtonTop, 24, 22);
  QPainter p;
  beginSmooth(p, image);
  if (look == Look::Lit) {
    p.setPen(QPen(kAccent, 1.0));
    p.setBrush(kHoverFace);
    p.drawRoundedRect(QRectF(1.5, 1.5, 21, 19), 3, 3);
  }
  drawGlyph(p, glyph, {12, 11}, glyphColour(look));
  p.end();
  return image;
}

QImage transportButton(Glyph glyph, Look look) {
  QImage image = barBackground(Bar::Bottom, kTransportButtonTop, 28, 28);
  QPainter p;
  beginSmooth(p, image);
  if (look == Look::Lit) {
    p.setPen(QPen(kAccent, 1.4));
    p.setBrush(kHoverFace);
  } else {
    p.setPen(QPen(kKnobRing, 1.0));
    p.setBrush(kKnobFace);
  }
  p.drawEllipse(QPointF(14, 14), 12.3, 12.3);
  drawGlyph(p, glyph, {14, 14}, glyphColour(look));
  p.end();
  return image;
}

// Picture mode's arrows: a photo frame with a blue chevron, so they read
// apart from the round media transport.
QImage pictureArrow(bool forward) {
  QImage image = barBackground(Bar::Bottom, kTransportButtonTop, 28, 28);
  QPainter p;
  beginSmooth(p, image);
  p.setPen(QPen(kGlyph, 1.2));
  p.setBrush(kKnobFace);
  p.drawRoundedRect(QRectF(3.5, 5.5, 21, 17), 2.5, 2.5);
  QPen chevron(kAccentLight, 2.4);
  chevron.setCapStyle(Qt::RoundCap);
  chevron.setJoinStyle(Qt::RoundJoin);
  p.setPen(chevron);
  const double tipX = forward ? 16.5 : 11.5, tailX = forward ? 12 : 16;
  const QPointF points[] = {{tailX, 9.5}, {tipX, 14}, {tailX, 18.5}};
  p.drawPolyline(points, 3);
  p.end();
  return image;
}

QImage plainBottomGlyph(Glyph glyph, int top, int size, QPointF centre) {
  QImage image = barBackground(Bar::Bottom, top, size, size);
  QPainter p;
  beginSmooth(p, image);
  drawGlyph(p, glyph, centre, kGlyph);
  p.end();
  return image;
}

QImage channelButton(Glyph glyph, bool selected) {
  QImage image = barBackground(Bar::Bottom, kChannelButtonTop, 22, 16);
  QPainter p;
  beginSmooth(p, image);
  if (selected) {
    QLinearGradient face(0, 1, 0, 15);
    face.setColorAt(0, kAccentLight);
    face.setColorAt(1, kAccentDeep);
    p.setPen(QPen(kAccentLight, 1.0));
    p.setBrush(face);
  } else {
    p.setPen(QPen(kKnobRing, 1.0));
    p.setBrush(kKnobFace);
  }
  p.drawRoundedRect(QRectF(0.5, 0.5, 21, 15), 7.5, 7.5);
  drawGlyph(p, glyph, {11, 8}, selected ? kGlyphHover : kGlyph);
  p.end();
  return image;
}

QImage fullScreenRestore(Look look) {
  QImage image = flatImage(19, 17, QColor(0x1E, 0x20, 0x24));
  QPainter p;
  beginSmooth(p, image);
  if (look == Look::Lit) {
    p.setPen(QPen(kAccent, 1.0));
    p.setBrush(kHoverFace);
    p.drawRoundedRect(QRectF(0.5, 0.5, 18, 16), 3, 3);
  }
  drawGlyph(p, Glyph::Restore, {10, 9}, glyphColour(look));
  p.end();
  return image;
}

// Registers "<name>" and "<name>_hover".
template <class Paint>
void pair(PainterTable& table, const std::string& name, Glyph glyph, Paint paint) {
  table[name] = [=] { return paint(glyph, Look::Normal); };
  table[name + "_hover"] = [=] { return paint(glyph, Look::Lit); };
}

}  // namespace

void addButtonPainters(PainterTable& table) {
  const struct {
    const char* name;
    Glyph glyph;
  } titles[] = {{"sysmenu", Glyph::Menu},
                {"minimize", Glyph::Minimize},
                {"maximize", Glyph::Maximize},
                {"restore", Glyph::Restore},
                {"close", Glyph::Close}},
    transports[] = {{"play", Glyph::Play}, {"pause", Glyph::Pause}, {"up", Glyph::Previous},
                    {"down", Glyph::Next}, {"loop", Glyph::Loop},   {"stop", Glyph::Stop}},
    channels[] = {{"channel_left", Glyph::LetterL},
                  {"channel_stereo", Glyph::Stereo},
                  {"channel_right", Glyph::LetterR}};

  for (const auto& title : titles) pair(table, title.name, title.glyph, titleButton);
  for (const auto& transport : transports) pair(table, transport.name, transport.glyph, transportButton);
  for (const auto& channel : channels) {
    const Glyph glyph = channel.glyph;
    table[channel.name] = [=] { return channelButton(glyph, false); };
    table[std::string(channel.name) + "_selected"] = [=] { return channelButton(glyph, true); };
  }
  table["music"] = [] { return transportButton(Glyph::Note, Look::Normal); };
  table["picture_up"] = [] { return pictureArrow(false); };
  table["picture_down"] = [] { return pictureArrow(true); };
  table["fullscreen"] = [] { return plainBottomGlyph(Glyph::Fullscreen, kFullscreenTop, 24, {12, 12}); };
  table["volume_icon"] = [] { return plainBottomGlyph(Glyph::Speaker, kVolumeIconTop, 20, {10.5, 10}); };
  table["fs_restore"] = [] { return fullScreenRestore(Look::Normal); };
  table["fs_restore_hover"] = [] { return fullScreenRestore(Look::Lit); };
}

}  // namespace qm::skin
