#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/player.h"
#include "platform/av/av_thumbnail_decoder.h"
#include "platform/chm/chm_help_viewer.h"
#include "platform/desktop/desktop_launcher.h"
#include "platform/desktop/desktop_window_system.h"
#include "platform/desktop/local_single_instance.h"
#include "platform/desktop/mpris_service.h"
#include "platform/desktop/qt_clock.h"
#include "platform/flash/flash_engine_chooser.h"
#include "platform/fs/ini_settings_files.h"
#include "platform/fs/local_files.h"
#include "platform/mpv/mpv_engine.h"
#include "platform/qt/form_view.h"
#include "platform/qt/qt_file_dialog.h"
#include "platform/qt/thumbnail_popup.h"
#include "platform/registry/file_registry.h"
#include "platform/web/lazy_web_browser.h"
#include "window/skin_store.h"

namespace qm {

// The player on this desktop: the real clock, window system, lock, files,
// engines and screen, built in the order they depend on each other. The
// program and the whole-program tests build it the same way.
class DesktopPlayer {
 public:
  struct Options {
    // The folder of the player's own files, already chosen.
    std::string programFolder;
    // The running program, as the desktop is to start it.
    std::string executable;
    // The registry's store folder; empty for the user's own.
    std::string registryFolder;
    // Where the single-instance lock lives; empty for the user's own.
    std::string lockFolder;
    // Extra libmpv options of the video's and the music's engines.
    MpvEngine::Options media;
    MpvEngine::Options music;
    // The Flash runtime's files (beside the executable); empty: the
    // program folder's "ruffle".
    std::string ruffleFolder;
    // How long Ruffle's page outlives its last movie.
    std::chrono::milliseconds ruffleKept{30000};
    // The process's command line: its media file starts opening as soon
    // as the engine is up, before the windows are built.
    std::string commandLine;
    // Ends the event loop; the shutdown has run by then.
    std::function<void()> quit;
  };

  explicit DesktopPlayer(Options options);
  ~DesktopPlayer();
  DesktopPlayer(const DesktopPlayer&) = delete;
  DesktopPlayer& operator=(const DesktopPlayer&) = delete;

  Player& player() { return *player_; }
  MpvEngine& media() { return *media_; }
  MpvEngine& music() { return *music_; }
  LazyWebBrowser& web() { return *web_; }
  FlashEngineChooser& flash() { return *flash_; }
  // The main window on the screen (null before start-up shows it).
  FormView* mainView() { return mirrors_.empty() ? nullptr : mirrors_.front()->view(); }
  // The widget showing a control of any of the player's windows, or null.
  QWidget* widgetOf(const Control& control) const;
  // The seek bar's preview of the video.
  ThumbnailPopup& thumbnailPopup() { return thumbnailPopup_; }

 private:
  void showSeekPreview();
  // The main window's widget, which dialogs and the help belong to.
  QWidget* mainWindow() { return mainView() ? &mainView()->window() : nullptr; }

  QtClock clock_;
  std::unique_ptr<DesktopWindowSystem> windows_;
  std::unique_ptr<LocalSingleInstance> instance_;
  LocalFileSystem files_;
  IniSettingsFiles settings_{files_};
  std::unique_ptr<FileRegistry> registry_;
  ChmHelpViewer help_{[this] { return mainWindow(); }};
  DesktopLauncher launcher_;
  QtFileDialog fileDialog_{[this] { return mainWindow(); }};
  AvThumbnailDecoder thumbnails_;
  std::unique_ptr<Platform> platform_;
  MpvEngine* media_ = nullptr;
  MpvEngine* music_ = nullptr;
  LazyWebBrowser* web_ = nullptr;
  FlashEngineChooser* flash_ = nullptr;
  std::unique_ptr<Player> player_;
  SkinStore skin_;
  std::vector<std::unique_ptr<FormMirror>> mirrors_;
  std::unique_ptr<MprisService> mpris_;
  ThumbnailPopup thumbnailPopup_;
};

}  // namespace qm
