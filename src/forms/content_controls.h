#pragma once

#include <memory>

#include "model/control.h"
#include "platform/flash_engine.h"
#include "platform/media_engine.h"
#include "platform/web_view.h"

namespace qm {

// The display area's three views: each is a control (place, visibility,
// stacking, mouse) around the engine that fills it.
class MediaPlayer : public Control {
 public:
  MediaPlayer(std::string name, Control* parent, std::unique_ptr<MediaEngine> engine)
      : Control(ControlKind::MediaPlayer, std::move(name), parent), engine_(std::move(engine)) {}
  MediaEngine& engine() { return *engine_; }
  const MediaEngine& engine() const { return *engine_; }

 private:
  std::unique_ptr<MediaEngine> engine_;
};

class FlashPlayer : public Control {
 public:
  FlashPlayer(std::string name, Control* parent, std::unique_ptr<FlashEngine> engine)
      : Control(ControlKind::FlashPlayer, std::move(name), parent), engine_(std::move(engine)) {}
  FlashEngine& engine() { return *engine_; }
  const FlashEngine& engine() const { return *engine_; }

 private:
  std::unique_ptr<FlashEngine> engine_;
};

class WebBrowser : public Control {
 public:
  WebBrowser(std::string name, Control* parent, std::unique_ptr<WebView> view)
      : Control(ControlKind::WebView, std::move(name), parent), view_(std::move(view)) {}
  WebView& view() { return *view_; }

 private:
  std::unique_ptr<WebView> view_;
};

}  // namespace qm
