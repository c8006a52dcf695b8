#include "platform/flash/flash_engine_chooser.h"

#include <QEvent>
#include <QWidget>
#include <filesystem>

#include "platform/flash/native_movie_view.h"
#include "platform/flash/swf_facts.h"
#include "platform/qt/hidden_focus.h"

namespace qm {
namespace {

// Keeps the engine's views filling the Flash area.
class FillingBox : public QWidget {
 public:
  explicit FillingBox(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
  }

 protected:
  void resizeEvent(QResizeEvent*) override {
    for (QObject* child : children())
      if (auto* widget = qobject_cast<QWidget*>(child)) widget->setGeometry(rect());
  }
};

}  // namespace

FlashEngineChooser::FlashEngineChooser(Clock& clock, Options options)
    : native_(clock),
      playerMovie_(clock, std::move(options.playerMedia)),
      ruffleFolder_(std::move(options.ruffleFolder)) {
  for (FlashEngine* engine : std::initializer_list<FlashEngine*>{&native_, &playerMovie_}) forwardCommands(*engine);
  releaseRuffle_.setSingleShot(true);
  releaseRuffle_.setInterval(options.ruffleKept);
  // The expected movie is read only when it decides something: whether to
  // start Ruffle, or to keep it once its time is up.
  QObject::connect(&releaseRuffle_, &QTimer::timeout, [this] {
    if (runtime_ != Runtime::Ruffle && !movieForRuffle(expected_)) ruffle_.reset();
  });
  startRuffle_.setSingleShot(true);
  startRuffle_.setInterval(300);
  QObject::connect(&startRuffle_, &QTimer::timeout, [this] { startPendingRuffle(); });
  weighExpected_.setSingleShot(true);
  weighExpected_.setInterval(0);
  QObject::connect(&weighExpected_, &QTimer::timeout, [this] {
    // A movie waiting for Ruffle starts it once its first frame is painted.
    if (runtime_ != Runtime::RufflePending && !ruffle_ && movieForRuffle(expected_) && ensureRuffle())
      ruffle_->warmUp();
    keepRuffleWhileNeeded();
  });
}

void FlashEngineChooser::forwardCommands(FlashEngine& engine) {
  engine.FSCommand.connect([this, &engine](const std::string& cmd, const std::string& args) {
    // A command of a movie that is no longer the one shown is dropped.
    if (&engine == &active()) FSCommand.raise(cmd, args);
  });
}

bool FlashEngineChooser::ensureRuffle() {
  if (ruffle_) return true;
  const WebEngineModule* module = webEngineModule();
  if (!module) return false;
  ruffle_ = module->createRuffle(ruffleFolder_);
  if (!ruffle_) return false;
  forwardCommands(*ruffle_);
  ruffle_->Shown.connect([this] {
    if (!firstFrameStandsIn_) return;
    firstFrameStandsIn_ = false;
    native_.unload();  // its bitmaps go with it
    showRuntime();
  });
  ruffle_->setViewParent(box_);
  ruffle_->setScaleMode(scaleMode_);
  return true;
}

// The native view draws from native_: it goes first, whoever owns the
// window it sits in.
FlashEngineChooser::~FlashEngineChooser() { delete nativeView_.data(); }

QWidget* FlashEngineChooser::createView(Control& area, QWidget* parent) {
  area_ = &area;
  box_ = new FillingBox(parent);
  nativeView_ = new NativeMovieView(native_, box_);
  if (ruffle_) ruffle_->setViewParent(box_);
  showRuntime();
  return box_;
}

FlashEngine& FlashEngineChooser::active() {
  return const_cast<FlashEngine&>(static_cast<const FlashEngineChooser*>(this)->active());
}

const FlashEngine& FlashEngineChooser::active() const {
  switch (runtime_) {
    case Runtime::PlayerMovie:
      return playerMovie_;
    case Runtime::Ruffle:
      return *ruffle_;
    case Runtime::RufflePending:
      return pendingRuffle_;
    default:
      return native_;
  }
}

void FlashEngineChooser::unloadAll() {
  native_.StopPlay();
  playerMovie_.unload();
  pendingRuffle_.clear();
  if (ruffle_) ruffle_->unload();
}

bool FlashEngineChooser::setMovie(const std::string& path) {
  unloadAll();
  runtime_ = Runtime::Native;
  firstFrameStandsIn_ = false;
  bool loaded = native_.setMovie(path);
  if (!loaded && native_.lastMovieNeedsRuntime()) {
    swf::SwfReadResult read = swf::readSwfFile(path);
    if (read.ok() && hasPlayerMovieMark(read.file)) {
      runtime_ = Runtime::PlayerMovie;
      loaded = playerMovie_.load(path);
      playerMovie_.setScaleMode(scaleMode_);
    } else if (read.ok()) {
      loaded = loadForRuffle(path, std::move(read.file));
    }
    if (!loaded) {
      // Nothing plays, not even the first frame drawn to stand in.
      runtime_ = Runtime::Native;
      firstFrameStandsIn_ = false;
      native_.unload();
    }
  }
  keepRuffleWhileNeeded();
  showRuntime();
  return loaded;
}

// A movie reads as playing until it has come to its end, whatever runtime
// runs it: the end watch moves the list on when it reads false, so a still
// of one frame, or a movie the user holds on the seek bar, must not. The
// native engine's own reading (the timeline runs) stays for the player's
// empty movie, which shows nothing.
bool FlashEngineChooser::IsPlaying() const {
  if (runtime_ != Runtime::Native) return active().IsPlaying();
  const auto drawing = native_.drawing();
  if (!drawing || drawing->shapes.empty()) return native_.IsPlaying();
  return !native_.restsAtEnd();
}

bool FlashEngineChooser::redrawn(bool result) {
  if (runtime_ == Runtime::Native && nativeView_) nativeView_->refresh();
  return result;
}

// Ruffle takes the better part of a second to start; the movie's first
// frame, drawn here, shows until Ruffle paints its own. Where Ruffle's
// module or its web engine has yet to start, which holds the program's
// thread for 0.1 to 0.25 s, that waits until the first frame is on the
// screen (or a moment, where the window does not paint).
bool FlashEngineChooser::loadForRuffle(const std::string& path, swf::SwfFile file) {
  firstFrameStandsIn_ = nativeView_ && native_.loadFirstFrame(path, file);
  const bool started = ruffle_ && ruffle_->view();
  if (firstFrameStandsIn_ && !started && ruffleMayStart()) {
    runtime_ = Runtime::RufflePending;
    pendingRuffle_.hold(path, std::move(file));
    nativeView_->afterNextPaint([this] { startPendingRuffle(); });
    startRuffle_.start();
    return true;
  }
  if (!ensureRuffle()) return firstFrameStandsIn_ = false;
  runtime_ = Runtime::Ruffle;
  const bool loaded = ruffle_->load(path, file);
  firstFrameStandsIn_ = firstFrameStandsIn_ && loaded;
  return loaded;
}

bool FlashEngineChooser::ruffleMayStart() const {
  return webEngineModuleMayLoad() && std::filesystem::exists(std::filesystem::path(ruffleFolder_) / "ruffle.js");
}

void FlashEngineChooser::startPendingRuffle() {
  startRuffle_.stop();
  if (runtime_ != Runtime::RufflePending) return;
  if (ensureRuffle() && ruffle_->load(pendingRuffle_.movie(), pendingRuffle_.file())) {
    runtime_ = Runtime::Ruffle;
    pendingRuffle_.replayOn(*ruffle_);
  } else {
    // As a movie Ruffle cannot load: nothing plays, and the end watch moves on.
    runtime_ = Runtime::Native;
    firstFrameStandsIn_ = false;
    native_.unload();
  }
  pendingRuffle_.clear();
  keepRuffleWhileNeeded();
  showRuntime();
}

// Ruffle's page goes a while after the last need of it.
void FlashEngineChooser::keepRuffleWhileNeeded() {
  if (runtime_ == Runtime::Ruffle || runtime_ == Runtime::RufflePending)
    releaseRuffle_.stop();
  else if (ruffle_ && !releaseRuffle_.isActive())
    releaseRuffle_.start();
}

std::optional<swf::SwfFile> FlashEngineChooser::movieForRuffle(const std::string& path) const {
  if (path.empty()) return std::nullopt;
  swf::SwfReadResult read = swf::readSwfFile(path);
  if (!read.ok() || NativeMovieEngine::playsNatively(read.file) || hasPlayerMovieMark(read.file)) return std::nullopt;
  return std::move(read.file);
}

void FlashEngineChooser::expectMovie(const std::string& path) {
  expected_ = path;
  weighExpected_.start();
}

bool FlashEngineChooser::setScaleMode(int mode) {
  if (mode < 0 || mode > 2) return false;
  scaleMode_ = mode;
  native_.setScaleMode(mode);
  playerMovie_.setScaleMode(mode);
  if (ruffle_) ruffle_->setScaleMode(mode);
  if (nativeView_) nativeView_->refresh();
  return true;
}

// Only the runtime of the current movie shows; the native one draws its
// movie, or black while none is loaded. A first frame standing in for
// Ruffle's covers Ruffle's view, which stays shown so that its page paints.
void FlashEngineChooser::showRuntime() {
  if (!box_) return;
  if (nativeView_) {
    // A first frame standing in for Ruffle's looks as Ruffle will show it.
    nativeView_->setLetterbox(firstFrameStandsIn_);
    nativeView_->refresh();
  }
  QWidget* player = runtime_ == Runtime::PlayerMovie ? playerMovie_.view(*area_, box_) : nullptr;
  if (player) {
    player->setGeometry(box_->rect());
    player->show();
  }
  for (QObject* child : box_->children()) {
    auto* widget = qobject_cast<QWidget*>(child);
    if (!widget) continue;
    const bool shown = (widget == player) ||
                       ((runtime_ == Runtime::Native || firstFrameStandsIn_) && widget == nativeView_) ||
                       (runtime_ == Runtime::Ruffle && ruffle_ && widget == ruffle_->view());
    widget->setGeometry(box_->rect());
    widget->setVisible(shown);
    if (!shown) moveFocusOutOfHidden(*widget);
  }
  if (firstFrameStandsIn_ && nativeView_) nativeView_->raise();
}

}  // namespace qm
