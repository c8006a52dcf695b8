#include "integration/player_rig.h"

#include <QWidget>
#include <filesystem>
#include <fstream>

#include "platform/desktop/program_folder.h"
#include "support/event_wait.h"
#include "support/x_tools.h"

namespace qm::integration {

namespace fs = std::filesystem;

namespace {

const char* const kOwnFiles[] = {"0.dll", "power.dll", "music.wma", "Quilmora.chm", "dorl.chm", "home.html"};

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

  programFolder_ = chooseProgramFolder((root / "program").string());
  DesktopPlayer::Options desktop;
  desktop.programFolder = programFolder_;
  desktop.lockFolder = lockFolder_;
  desktop.media = options.media;
  desktop.music = options.music;
  desktop.ruffleKept = options.ruffleKept;
  desktop.ruffleFolder =
      options.ruffleFolder.empty() ? (fs::path(QM_PROGRAM_DIR) / "ruffle").string() : options.ruffleFolder;
  desktop.quit = [this] { quitRequested_ = true; };
  desktop_ = std::make_unique<DesktopPlayer>(std::move(desktop));
}

PlayerRig::~PlayerRig() {
  desktop_->player().unload();
  desktop_.reset();
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
  if (!desktop_->player().load(commandLine)) return false;
  if (!desktop_->mainView()) return false;
  QWidget& window = desktop_->mainView()->window();
  if (!live::pumpUntil([&] { return window.isVisible(); }, 10000)) return false;
  windowOnScreen_ = live::settledGeometry(window.winId());
  return windowOnScreen_.size() == window.size();
}

QPoint PlayerRig::screenPoint(const Control& control, QPointF local) const {
  QWidget* widget = desktop_->widgetOf(control);
  if (!widget) return {};
  const QPoint inWindow = widget->mapTo(widget->window(), local.toPoint());
  return windowOnScreen_.topLeft() + inWindow;
}

QRect PlayerRig::screenRect(const Control& control) const {
  QWidget* widget = desktop_->widgetOf(control);
  if (!widget) return {};
  return QRect(screenPoint(control, QPointF(0, 0)), widget->size());
}

PlayLog::PlayLog(MediaEngine& engine) {
  engine.PlayStateChange.connect([data = data_, &engine](int state) {
    if (state != play_state::Playing) return;
    if (!data->urls.empty() && data->urls.back() == engine.URL()) return;
    data->urls.push_back(engine.URL());
  });
}

StateLog::StateLog(MediaEngine& engine) {
  engine.PlayStateChange.connect([data = data_](int state) { data->states.push_back(state); });
}

}  // namespace qm::integration
