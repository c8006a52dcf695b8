#include "app/desktop_player.h"

#include <cmath>

#include "platform/desktop/session_bus.h"
#include "platform/flash/flash_engine_chooser.h"
#include "platform/qt/skin_font.h"
#include "platform/web_view.h"
#include "player/remote_commands.h"
#include "player/startup.h"
#include "window/skin_design.h"

namespace qm {

DesktopPlayer::DesktopPlayer(Options options) {
  useSkinFont();
  windows_ = std::make_unique<DesktopWindowSystem>([this](const Control& c) { return widgetOf(c); });
  instance_ = std::make_unique<LocalSingleInstance>(options.lockFolder);
  registry_ = std::make_unique<FileRegistry>(options.registryFolder.empty() ? FileRegistry::defaultFolder()
                                                                            : options.registryFolder);
  platform_ = std::make_unique<Platform>(Platform{clock_, *windows_, *instance_, files_, settings_, *registry_, help_,
                                                  launcher_, fileDialog_, thumbnails_, options.programFolder,
                                                  options.executable, options.quit});

  Engines engines;
  auto media = std::make_unique<MpvEngine>(MpvEngine::Video::Shown, options.media);
  auto music = std::make_unique<MpvEngine>(MpvEngine::Video::None, options.music, MpvEngine::Startup::OnFirstUse);
  media_ = media.get();
  // libmpv's format probe briefly takes 10 MiB; started now, it is over
  // before the windows' code and fonts come into memory, rather than adding
  // to them at the player's peak. The file also plays a little sooner. A
  // second start opens nothing: the claim start-up makes is made here first.
  if (instance_->claim()) media->preload(mediaFileOfCommandLine(files_, options.commandLine));
  music_ = music.get();
  engines.media = std::move(media);
  engines.background = std::move(music);
  auto flash = std::make_unique<FlashEngineChooser>(
      clock_, FlashEngineChooser::Options{
                  options.ruffleFolder.empty() ? options.programFolder + "/ruffle" : options.ruffleFolder,
                  options.media, options.ruffleKept});
  flash_ = flash.get();
  engines.flash = std::move(flash);
  auto web = std::make_unique<LazyWebBrowser>();
  web_ = web.get();
  engines.web = std::move(web);
  player_ = std::make_unique<Player>(*platform_, std::move(engines));
  applyDesign(player_->form, skin_);
  // The about box shows the program's icon (compiled in with the skin).
  if (QImage icon(":/icons/quilmora-48.png"); !icon.isNull())
    player_->frmAbout.Image1.setPicture(std::make_shared<const QImage>(std::move(icon)));

  Player& p = *player_;
  mirrors_.push_back(std::make_unique<FormMirror>(p.form, ContentViews{{&p.form.WindowsMediaPlayer1, media_},
                                                                       {&p.form.WebBrowser1, web_},
                                                                       {&p.form.ShockwaveFlash1, flash_}}));
  // Side windows belong to the main window and stay in front of it (on
  // Wayland, which keeps no window above the others, that is all they get).
  FormMirror* mainMirror = mirrors_.front().get();
  std::vector<FormMirror*> sideMirrors;
  for (Form* side : std::initializer_list<Form*>{&p.Form3, &p.Form4, &p.frmAbout}) {
    mirrors_.push_back(std::make_unique<FormMirror>(*side, ContentViews{}, mainMirror));
    sideMirrors.push_back(mirrors_.back().get());
    // Side windows stay above the others. Their Load asks for that before
    // the mirror has made the window, so it is asked again once it is there.
    side->changed.connect([this, side] {
      QWidget* window = widgetOf(*side);
      if (side->visible() && window && windows_->placesWindows() && !(window->windowFlags() & Qt::WindowStaysOnTopHint))
        windows_->setTopmost(*side);
    });
  }

  // A side window shown during start-up (the first run's association
  // dialog) stays in front of the main window that is shown after it.
  p.form.changed.connect([this, sideMirrors, shown = false]() mutable {
    if (shown || !player_->form.visible()) return;
    shown = true;
    for (FormMirror* side : sideMirrors) side->bringToFront();
  });

  // Media keys and panel widgets of the desktop, when it has a session bus.
  mpris_ = std::make_unique<MprisService>(
      *media_, [this] { windows_->focus(player_->form); }, [this] { player_->form.closeRequested.raise(); });
  connectRemoteControl(p.context, *mpris_);
  mpris_->start(sessionBusIfRunning());

  p.seekPreview.changed.connect([this] { showSeekPreview(); });

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

void DesktopPlayer::showSeekPreview() {
  // A little space between the bar and the picture above it.
  constexpr int kGap = 4;
  const SeekPreview& preview = player_->seekPreview;
  const tVate& bar = player_->form.tVate1;
  QWidget* barView = widgetOf(bar);
  if (!preview.shown() || !preview.picture() || !barView || !barView->isVisible()) {
    thumbnailPopup_.hide();
    return;
  }
  const int x = int(std::lround(preview.pointerX() / kTwipsPerPixel)) + bar.borderPixels();
  thumbnailPopup_.showAbove(barView->mapToGlobal(QPoint(x, -kGap)), *preview.picture(),
                            QString::fromStdString(preview.timeText()));
}

QWidget* DesktopPlayer::widgetOf(const Control& control) const {
  for (const auto& mirror : mirrors_)
    if (QWidget* widget = mirror->widgetOf(control)) return widget;
  return nullptr;
}

}  // namespace qm
