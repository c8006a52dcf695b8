#include "integration/player_rig.h"

#include <QWidget>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>

#include "platform/desktop/program_folder.h"
#include "platform/mpv/media_view.h"
#include "platform/swf/empty_movie_engine.h"
#include "platform/web_view.h"
#include "support/event_wait.h"
#include "support/x_tools.h"
#include "window/skin_design.h"

namespace qm::integration {

namespace fs = std::filesystem;

namespace {

// As in the program: no web engine is built in, every call fails.
class NoWebView : public WebView {
 public:
  bool Navigate(const std::string&) override { return false; }
  bool Stop() override { return false; }
  bool Quit() override { return false; }
};

const char* const kOwnFiles[] = {"0.dll", "power.dll", "music.wma", "Quilmora.chm", "dorl.chm"};

}  // namespace

PlayerRig::PlayerRig() : PlayerRig(Options{}) {}

PlayerRig::PlayerRig(Options options) {
  const fs::path root = dir_.path();
  std::error_code ec;
  fs::create_directories(root / "program", ec);
  fs::create_directories(root / "lock", ec);
  fs::permissions(root / "lock", fs::perms::owner_all, ec);
  for (const char* name : kOwnFiles) fs::copy_file(fs::path(QM_PROGRAM_DIR) / name, root / "program" / name, ec);
  lockFolder_ = (root / "lock").string();

  windows_ = std::make_unique<DesktopWindowSystem>(
      [this](const Control& c) -> QWidget* { return view_ ? view_->widgetOf(c) : nullptr; });
  instance_ = std::make_unique<LocalSingleInstance>(lockFolder_);
  programFolder_ = chooseProgramFolder((root / "program").string());
  platform_ = std::make_unique<Platform>(
      Platform{clock_, *windows_, *instance_, programFolder_, [this] { quitRequested_ = true; }});

  Engines engines;
  auto media = std::make_unique<MpvEngine>(MpvEngine::Video::Shown, options.media);
  auto music = std::make_unique<MpvEngine>(MpvEngine::Video::None, options.music);
  media_ = media.get();
  music_ = music.get();
  engines.media = std::move(media);
  engines.background = std::move(music);
  engines.flash = std::make_unique<EmptyMovieEngine>(clock_);
  engines.web = std::make_unique<NoWebView>();
  player_ = std::make_unique<Player>(*platform_, std::move(engines));
  applyDesign(player_->form, skin_);

  MpvEngine* video = media_;
  formView_ = std::make_unique<FormView>(player_->form, [video](Control& control, QWidget* parent) -> QWidget* {
    if (control.name() == "WindowsMediaPlayer1")
      return new MediaView(static_cast<MediaPlayer&>(control), *video, parent);
    return nullptr;
  });
  view_ = formView_.get();
  platform_->showWindow = [this] { formView_->show(); };
  player_->form.closeRequested.connect([this] {
    player_->unload();
    quitRequested_ = true;
  });
}

PlayerRig::~PlayerRig() {
  player_->unload();
  formView_->window().hide();
  live::pumpFor(50);
}

std::string PlayerRig::folder(const std::string& name) const {
  const fs::path folder = fs::path(dir_.path()) / "media" / name;
  std::error_code ec;
  fs::create_directories(folder, ec);
  return folder.string();
}

void PlayerRig::rememberListFolder(const std::string& folder) {
  std::ofstream(programFolder_ + "/fileinf.ini") << "[user]\nfilepath=" << folder << "\n";
  std::error_code ec;
  fs::create_directories(programFolder_ + "/datinf", ec);
}

bool PlayerRig::start(const std::string& commandLine) {
  if (!player_->load(commandLine)) return false;
  QWidget& window = formView_->window();
  if (!live::pumpUntil([&] { return window.isVisible(); }, 3000)) return false;
  windowOnScreen_ = live::settledGeometry(window.winId());
  return windowOnScreen_.size() == window.size();
}

QPoint PlayerRig::screenPoint(const Control& control, QPointF local) const {
  QWidget* widget = formView_->widgetOf(control);
  if (!widget) return {};
  const QPoint inWindow = widget->mapTo(&formView_->window(), local.toPoint());
  return windowOnScreen_.topLeft() + inWindow;
}

QRect PlayerRig::screenRect(const Control& control) const {
  QWidget* widget = formView_->widgetOf(control);
  if (!widget) return {};
  return QRect(screenPoint(control, QPointF(0, 0)), widget->size());
}

namespace {

double secondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

PlayLog::PlayLog(MediaEngine& engine) {
  const auto start = std::chrono::steady_clock::now();
  engine.PlayStateChange.connect([data = data_, &engine, start](int state) {
    if (state != play_state::Playing) return;
    if (!data->urls.empty() && data->urls.back() == engine.URL()) return;
    data->urls.push_back(engine.URL());
    data->times.push_back(secondsSince(start));
  });
}

StateLog::StateLog(MediaEngine& engine) {
  engine.PlayStateChange.connect([data = data_](int state) { data->states.push_back(state); });
}

bool StateLog::sawInOrder(int earlier, int later) const {
  auto first = std::find(states().begin(), states().end(), earlier);
  return first != states().end() && std::find(first, states().end(), later) != states().end();
}

}  // namespace qm::integration
