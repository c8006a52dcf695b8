#include "platform/qt/thumbnail_popup.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <algorithm>

namespace qm {

namespace {

constexpr int kFrame = 1;    // border around the picture
constexpr int kTextGap = 2;  // between the picture and the text
const QColor kBack(0x20, 0x20, 0x20);
const QColor kBorder(0x80, 0x80, 0x80);

}  // namespace

ThumbnailPopup::ThumbnailPopup()
    : QWidget(nullptr,
              Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus | Qt::WindowTransparentForInput) {
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void ThumbnailPopup::showAbove(QPoint anchor, const QImage& picture, const QString& text) {
  picture_ = picture;
  text_ = text;
  const QFontMetrics metrics(font());
  const QSize size(picture.width() + 2 * kFrame, picture.height() + 2 * kFrame + kTextGap + metrics.height());
  QRect place(QPoint(anchor.x() - size.width() / 2, anchor.y() - size.height()), size);
  if (const QScreen* screen = QGuiApplication::screenAt(anchor)) {
    const QRect bounds = screen->geometry();
    place.moveLeft(std::clamp(place.left(), bounds.left(), std::max(bounds.left(), bounds.right() + 1 - size.width())));
    place.moveTop(std::max(place.top(), bounds.top()));
  }
  setGeometry(place);
  if (!isVisible()) {
    show();
    raise();
  }
  update();
}

void ThumbnailPopup::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), kBack);
  painter.setPen(kBorder);
  painter.drawRect(QRect(0, 0, picture_.width() + 2 * kFrame - 1, picture_.height() + 2 * kFrame - 1));
  painter.drawImage(QPoint(kFrame, kFrame), picture_);
  painter.setPen(Qt::white);
  const int textTop = picture_.height() + 2 * kFrame + kTextGap;
  painter.drawText(QRect(0, textTop, width(), height() - textTop), Qt::AlignHCenter | Qt::AlignTop, text_);
}

}  // namespace qm
