#include "platform/flash/player_movie_bar.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSlider>

#include "platform/player_movie_protocol.h"

namespace qm {
namespace {

constexpr int kBarHeight = 26;
constexpr int kSeekSteps = 1000;

struct BarButton {
  const char* text;
  const char* command;
};

// clang-format off
constexpr BarButton kPresentationButtons[] = {
    {"全屏", player_movie::kFullScreen},
    {"影院", player_movie::kTheater},
    {"拉伸", player_movie::kStretch},
    {"正常", player_movie::kNormal},
    {"关闭", player_movie::kClose},
};
// clang-format on

}  // namespace

PlayerMovieBar::PlayerMovieBar(QWidget* parent) : QWidget(parent) {
  setAutoFillBackground(true);
  setStyleSheet(
      "QWidget{background:#202020;color:#e0e0e0;}"
      "QPushButton{border:1px solid #505050;padding:1px 4px;}");
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(4, 2, 4, 2);
  row->setSpacing(4);
  playPause_ = new QPushButton("暂停", this);
  playPause_->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
  connect(playPause_, &QPushButton::clicked, this, [this] {
    if (pauseToggled) pauseToggled();
  });
  row->addWidget(playPause_);
  seek_ = new QSlider(Qt::Horizontal, this);
  seek_->setRange(0, kSeekSteps);
  connect(seek_, &QSlider::sliderReleased, this, [this] {
    if (seekTo) seekTo(double(seek_->value()) / kSeekSteps);
  });
  row->addWidget(seek_, 4);
  for (const BarButton& button : kPresentationButtons) {
    auto* widget = new QPushButton(button.text, this);
    widget->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
    const std::string cmd = button.command;
    connect(widget, &QPushButton::clicked, this, [this, cmd] {
      if (command) command(cmd);
    });
    row->addWidget(widget);
  }
}

void PlayerMovieBar::placeIn(QWidget* box, QWidget* video) {
  video_ = video;
  box->removeEventFilter(this);
  box->installEventFilter(this);
  if (video_) {
    video_->setGeometry(0, 0, box->width(), std::max(0, box->height() - kBarHeight));
    video_->show();  // made after the box may have shown
  }
  raise();
}

bool PlayerMovieBar::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize || event->type() == QEvent::Show) {
    auto* box = static_cast<QWidget*>(watched);
    if (video_) video_->setGeometry(0, 0, box->width(), std::max(0, box->height() - kBarHeight));
    setGeometry(0, std::max(0, box->height() - kBarHeight), box->width(), kBarHeight);
  }
  return QWidget::eventFilter(watched, event);
}

void PlayerMovieBar::showTime(double position, double length, bool paused) {
  playPause_->setText(paused ? "播放" : "暂停");
  if (!seek_->isSliderDown() && length > 0) seek_->setValue(int(std::clamp(position / length, 0.0, 1.0) * kSeekSteps));
}

}  // namespace qm
