#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

namespace qm {

// A small window of its own holding a picture with a line of text under it,
// shown above a point of the screen without taking the focus or the mouse:
// the seek bar's preview of the video.
class ThumbnailPopup : public QWidget {
 public:
  ThumbnailPopup();

  // Shows the picture and the text with the popup's bottom edge centred on
  // `anchor` (screen pixels), kept inside the screen.
  void showAbove(QPoint anchor, const QImage& picture, const QString& text);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage picture_;
  QString text_;
};

}  // namespace qm
