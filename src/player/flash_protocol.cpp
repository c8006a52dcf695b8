#include "player/flash_protocol.h"

#include "forms/form1_geometry.h"
#include "forms/player_context.h"
#include "platform/player_movie_protocol.h"
#include "player/advancing.h"
#include "player/flash_host.h"
#include "player/media_kind.h"
#include "window/display_modes.h"
#include "window/window_state_wait.h"

namespace qm {
namespace {

// clang-format off
struct Presentation {
  const char* command;
  int scaleMode;  // 0 show all, 1 no border, 2 exact fit
};
constexpr Presentation kPresentations[] = {
    {player_movie::kFullScreen, 1},
    {player_movie::kTheater,    0},
    {player_movie::kStretch,    2},
};
// clang-format on

// The title bar's icon goes with the bars.
void setSkinPicturesVisible(Form1& f, bool visible) {
  for (Control* picture :
       std::initializer_list<Control*>{&f.Picture2, &f.Picture3, &f.Picture4, &f.Picture5, &f.Picture7, &f.Image32})
    picture->setVisible(visible);
}

// The window's layout meets the maximised size first and puts the movie back
// in the display area; the movie covers the screen after it, and again
// after every later size while the window stays maximised.
void present(PlayerContext& p, int scaleMode) {
  Form1& f = p.form;
  setSkinPicturesVisible(f, false);
  f.ShockwaveFlash1.engine().setScaleMode(scaleMode);
  f.Frame1.setVisible(false);
  inWindowState(p, Form::Maximized, [&p] {
    coverScreenWithMovie(p);
    holdPlacement(p, [&p] { coverScreenWithMovie(p); });
  });
}

void backToWindow(PlayerContext& p) {
  Form1& f = p.form;
  f.Frame1.setVisible(false);
  f.Image16.setVisible(true);
  f.Image19.setVisible(false);
  setSkinPicturesVisible(f, true);
  f.ShockwaveFlash1.engine().setScaleMode(0);
  inWindowState(p, Form::Normal, [&f] {
    f.ShockwaveFlash1.setGeometry(geometry::kDisplayLeft, geometry::kDisplayTop,
                                  f.width() - geometry::kOpenedWidthMargin,
                                  f.height() - geometry::kDisplayHeightMargin);
  });
  showPointer(p.windows);
}

}  // namespace

void flashCommand(PlayerContext& p, const std::string& command) {
  for (const Presentation& presentation : kPresentations)
    if (command == presentation.command) return present(p, presentation.scaleMode);
  if (command == player_movie::kNormal) return backToWindow(p);
  if (command == player_movie::kClose) return p.form.closeRequested.raise();
  if (selectedKind(p.form.File1) != MediaKind::FlashVideo) return;
  if (command == player_movie::kEnded) return nextFlashVideoSoon(p);
  resetPlayerMovie(p);
  showPointer(p.windows);
}

void connectFlashProtocol(PlayerContext& p) {
  p.form.ShockwaveFlash1.engine().FSCommand.connect(
      [&p](const std::string& command, const std::string&) { flashCommand(p, command); });
}

}  // namespace qm
