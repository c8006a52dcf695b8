#include "player/flash_protocol.h"

#include "forms/form1_geometry.h"
#include "forms/player_context.h"
#include "player/flash_host.h"
#include "player/media_kind.h"

namespace qm {
namespace {

// clang-format off
struct Presentation {
  const char* command;
  int scaleMode;  // 0 show all, 1 no border, 2 exact fit
};
constexpr Presentation kPresentations[] = {
    {"full",    1},
    {"juyuan",  0},
    {"yanshen", 2},
};
// clang-format on

// The title bar's icon goes with the bars.
void setSkinPicturesVisible(Form1& f, bool visible) {
  for (Control* picture :
       std::initializer_list<Control*>{&f.Picture2, &f.Picture3, &f.Picture4, &f.Picture5, &f.Picture7, &f.Image32})
    picture->setVisible(visible);
}

void present(PlayerContext& p, int scaleMode) {
  Form1& f = p.form;
  setSkinPicturesVisible(f, false);
  p.windows.setWindowState(f, Form::Maximized);
  f.ShockwaveFlash1.engine().setScaleMode(scaleMode);
  f.ShockwaveFlash1.setGeometry(0, 0, p.windows.screenWidth(), p.windows.screenHeight());
  f.Frame1.setVisible(false);
}

void backToWindow(PlayerContext& p) {
  Form1& f = p.form;
  p.windows.setWindowState(f, Form::Normal);
  f.Frame1.setVisible(false);
  f.Image16.setVisible(true);
  f.Image19.setVisible(false);
  setSkinPicturesVisible(f, true);
  f.ShockwaveFlash1.engine().setScaleMode(0);
  f.ShockwaveFlash1.setGeometry(geometry::kDisplayLeft, geometry::kDisplayTop, f.width() - geometry::kOpenedWidthMargin,
                                f.height() - geometry::kDisplayHeightMargin);
  showPointer(p.windows);
}

}  // namespace

void flashCommand(PlayerContext& p, const std::string& command) {
  for (const Presentation& presentation : kPresentations)
    if (command == presentation.command) return present(p, presentation.scaleMode);
  if (command == "normal") return backToWindow(p);
  if (command == "close") return p.form.closeRequested.raise();
  if (selectedKind(p.form.File1) != MediaKind::FlashVideo) return;
  if (command == "oknext") return p.form.Timer7.setEnabled(true);
  resetPlayerMovie(p);
  showPointer(p.windows);
}

void connectFlashProtocol(PlayerContext& p) {
  p.form.ShockwaveFlash1.engine().FSCommand.connect(
      [&p](const std::string& command, const std::string&) { flashCommand(p, command); });
}

}  // namespace qm
