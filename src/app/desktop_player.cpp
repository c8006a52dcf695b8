#include "app/desktop_player.h"

#include "platform/desktop/session_bus.h"
#include "platform/swf/empty_movie_engine.h"
#include "platform/web_view.h"
#include "player/remote_commands.h"
#include "window/skin_design.h"

namespace qm {

namespace {

// No web engine is built into the player yet: every call fails.
class NoWebView : public WebView {
 public:
  bool Navigate(const std::string&) override { return false; }
  bool Stop() override { return false; }
  bool Quit() override { return false; }
};

}  // namespace

DesktopPlayer::DesktopPlayer(Options options) {
  windows_ = std::make_unique<DesktopWindowSystem>([this](const Control& c) { return widgetOf(c); });
  instance_ = std::make_unique<LocalSingleInstance>(options.lockFolder);
  platform_ = std::make_unique<Platform>(
      Platform{clock_, *windows_, *instance_, files_, settings_, options.programFolder, options.quit, help_});

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

  Player& p = *player_;
  mirrors_.push_back(std::make_unique<FormMirror>(p.form, ContentViews{{&p.form.WindowsMediaPlayer1, media_}}));
  for (Form* side : std::initializer_list<Form*>{&p.Form3, &p.Form4, &p.frmAbout})
    mirrors_.push_back(std::make_unique<FormMirror>(*side));

  // Media keys and panel widgets of the desktop, when it has a session bus.
  mpris_ = std::make_unique<MprisService>(
      *media_, [this] { windows_->focus(player_->form); }, [this] { player_->form.closeRequested.raise(); });
  connectRemoteControl(p.context, *mpris_);
  mpris_->start(sessionBusIfRunning());

  // Closing the main window, by its button, its menu or the desktop, runs
  // the shutdown and ends the loop.
  p.form.closeRequested.connect([this, quit = options.quit] {
    player_->unload();
    if (quit) quit();
  });
}

DesktopPlayer::~DesktopPlayer() {
  mpris_.reset();
  player_->unload();
  mirrors_.clear();
}

QWidget* DesktopPlayer::widgetOf(const Control& control) const {
  for (const auto& mirror : mirrors_)
    if (QWidget* widget = mirror->widgetOf(control)) return widget;
  return nullptr;
}

}  // namespace qm
