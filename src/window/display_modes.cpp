#include "window/display_modes.h"

#include <utility>

#include "forms/form1_geometry.h"
#include "forms/player_context.h"
#include "window/chrome.h"
#include "window/window_state_wait.h"

namespace qm {

namespace {

using namespace geometry;

// The modes that hide the bars cover the whole screen, panels included, as a
// frameless maximised window does; the maximise button keeps the panels.
constexpr int kBarlessState = Form::FullScreen;
constexpr double kStretchFactor = 1.2;
constexpr Twips kTheaterHeightMargin = 1650;
constexpr Twips kNativeHeightMargin = 1620;
constexpr double kZoomFactors[] = {0.5, 1.0, 1.5, 2.0};
constexpr Twips kScreenFootMargin = 240;

MenuItem& flagOf(Form1& f, Mode mode) {
  switch (mode) {
    case Mode::Theater:
      return f.BUT0;
    case Mode::FullScreen:
      return f.BUT1;
    case Mode::Stretch:
      break;
  }
  return f.BUT17;
}

void markOnly(Form1& f, MenuItem& flag) {
  for (MenuItem* item : {&f.BUT0, &f.BUT1, &f.BUT2, &f.BUT17}) item->setChecked(item == &flag);
}

// The title bar's icon goes with the bars.
void setBars(Form1& f, bool shown) {
  for (Control* bar : std::initializer_list<Control*>{&f.Picture2, &f.Picture3, &f.Picture4, &f.Picture5, &f.Image32})
    bar->setVisible(shown);
}

void slidersToFront(Form1& f) {
  f.Picture7.zOrder(0);
  f.tVate1.zOrder(0);
  f.volume.zOrder(0);
}

void placeVideo(Form1& f, Mode mode) {
  const Twips W = f.width(), H = f.height();
  MediaPlayer& v = f.WindowsMediaPlayer1;
  switch (mode) {
    case Mode::Theater:
      v.setGeometry(kDisplayLeft, kDisplayTop, W - kOpenedWidthMargin, H - kTheaterHeightMargin);
      break;
    case Mode::FullScreen:
      v.setGeometry(0, 0, W, H);
      break;
    case Mode::Stretch:
      v.setWidth(W * kStretchFactor);
      v.setHeight(H * kStretchFactor);
      v.setLeft((W - v.width()) / 2);
      v.setTop((H - v.height()) / 2);
      break;
  }
}

}  // namespace

// A mode that is on goes back to native size; otherwise the window covers
// the screen without its bars and the video takes the mode's rectangle.
void modeCommand(PlayerContext& p, Mode mode) {
  Form1& f = p.form;
  MenuItem& flag = flagOf(f, mode);
  if (flag.checked()) {
    nativeSizeCommand(p);
    flag.setChecked(false);
    f.BUT2.setChecked(true);
    return;
  }
  f.Image19.setVisible(true);
  f.Image16.setVisible(false);
  f.WindowsMediaPlayer1.setVisible(false);
  markOnly(f, flag);
  f.Timer3.setEnabled(true);
  setBars(f, false);
  f.Picture7.setVisible(false);
  f.Frame1.setVisible(false);
  inWindowState(p, kBarlessState, [&p, mode] {
    placeVideo(p.form, mode);
    p.form.WindowsMediaPlayer1.setVisible(true);
    // Each later size the window manager gives puts the video back in the
    // display area first (the layout); the mode's rectangle follows it.
    holdPlacement(p, [&f = p.form, mode] {
      if (flagOf(f, mode).checked()) placeVideo(f, mode);
    });
  });
}

// The normal window's pieces: bars, maximise button and grip shown, the
// full-screen panels and the list panel hidden.
static void showNormalLook(Form1& f) {
  setBars(f, true);
  f.Frame3.setVisible(false);
  f.Frame4.setVisible(false);
  f.Image16.setVisible(true);
  f.Image19.setVisible(false);
  f.Frame1.setVisible(false);
  f.Picture7.setVisible(true);
}

// The normal window with its bars; the hide timer keeps running.
void nativeSizeCommand(PlayerContext& p) {
  Form1& f = p.form;
  if (f.BUT2.checked()) return;
  f.WindowsMediaPlayer1.setVisible(false);
  markOnly(f, f.BUT2);
  inWindowState(p, Form::Normal, [&f] {
    showNormalLook(f);
    f.WindowsMediaPlayer1.setGeometry(kDisplayLeft, kDisplayTop, f.width() - kOpenedWidthMargin,
                                      f.height() - kNativeHeightMargin);
    f.WindowsMediaPlayer1.setVisible(true);
  });
}

// Zoom sizes the video from the area between the bars and centres it in the
// whole window; 100 % sits at the display area's corner instead.
void zoomCommand(PlayerContext& p, int which) {
  Form1& f = p.form;
  MenuItem* items[] = {&f.BUT8A, &f.BUT8B, &f.BUT8C, &f.BUT8D};
  if (which < 0 || which > 3) return;
  dropPlacement(p);
  MediaPlayer& v = f.WindowsMediaPlayer1;
  const Twips W = f.width(), H = f.height();
  v.setVisible(false);
  for (int i = 0; i < 4; ++i) items[i]->setChecked(i == which);
  if (which == 1) {
    v.setGeometry(kDisplayLeft, kDisplayTop, W - kOpenedWidthMargin, H - kTheaterHeightMargin);
  } else {
    v.setWidth((W - kOpenedWidthMargin) * kZoomFactors[which]);
    v.setHeight((H - kTheaterHeightMargin) * kZoomFactors[which]);
    v.setLeft((W - v.width()) / 2);
    v.setTop((H - v.height()) / 2);
  }
  v.setVisible(true);
}

// The hide timer waits while a Flash video plays: its player movie shows
// controls of its own.
void maximizeButton(PlayerContext& p) {
  Form1& f = p.form;
  const std::string name = f.File1.fileName();
  const auto dot = name.rfind('.');
  const std::string ext = dot == std::string::npos ? std::string() : name.substr(dot + 1);
  showPointer(p.windows);
  f.Timer3.setEnabled(ext != "flv");
  inWindowState(p, Form::Maximized, [&f] {
    f.Image19.setVisible(true);
    f.Image16.setVisible(false);
    slidersToFront(f);
  });
}

void restoreButton(PlayerContext& p) {
  Form1& f = p.form;
  nativeSizeCommand(p);
  f.BUT2.setChecked(true);
  showPointer(p.windows);
  f.Timer3.setEnabled(false);
  f.Image16.setVisible(true);
  f.Image19.setVisible(false);
  inWindowState(p, Form::Normal, [&f] { slidersToFront(f); });
}

void coverScreenWithMovie(PlayerContext& p) {
  p.form.ShockwaveFlash1.setGeometry(0, 0, p.windows.screenWidth(), p.windows.screenHeight());
}

// The small restore button of a movie's full screen goes to the foot of the
// screen, centred, where the help sends the user; the empty panel keeps its
// place beside it.
static void placeRestorePanelsAtScreenFoot(PlayerContext& p) {
  Form1& f = p.form;
  const Twips besideX = f.Frame3.left() - f.Frame4.left(), besideY = f.Frame3.top() - f.Frame4.top();
  f.Frame3.setLeft((p.windows.screenWidth() - f.Frame3.width()) / 2);
  f.Frame3.setTop(p.windows.screenHeight() - f.Frame3.height() - kScreenFootMargin);
  f.Frame4.setLeft(f.Frame3.left() - besideX);
  f.Frame4.setTop(f.Frame3.top() - besideY);
}

// With neither the video nor a Flash movie showing, the restore button of
// the Flash full screen is the way back to the normal window.
void fullScreenButton(PlayerContext& p) {
  Form1& f = p.form;
  setBars(f, false);
  f.Picture7.setVisible(false);
  f.Frame1.setVisible(false);
  inWindowState(p, kBarlessState, [&p, &f] {
    if (f.WindowsMediaPlayer1.visible()) {
      modeCommand(p, Mode::FullScreen);
    } else if (f.ShockwaveFlash1.visible()) {
      f.Frame3.setVisible(true);
      f.Frame4.setVisible(true);
      f.ShockwaveFlash1.engine().setScaleMode(2);  // the movie stretched to the screen
      coverScreenWithMovie(p);
      holdPlacement(p, [&p] { coverScreenWithMovie(p); });
      f.Frame1.setVisible(false);
      placeRestorePanelsAtScreenFoot(p);
    } else {
      f.Frame3.setVisible(true);
      placeRestorePanelsAtScreenFoot(p);
    }
    f.Frame3.zOrder(0);
    f.Frame4.zOrder(0);
    f.Picture7.setVisible(false);
  });
}

void fullScreenRestoreButton(PlayerContext& p) {
  Form1& f = p.form;
  inWindowState(p, Form::Normal, [&f] {
    showNormalLook(f);
    const Twips W = f.width(), H = f.height();
    f.ShockwaveFlash1.setGeometry(kDisplayLeft, kDisplayTop, W - kOpenedWidthMargin, H - kDisplayHeightMargin);
    f.WindowsMediaPlayer1.setGeometry(kDisplayLeft, kDisplayTop, W - kOpenedWidthMargin, H - kNativeHeightMargin);
  });
}

// Toggles between full screen and native size. A barless state still on
// its way counts as reached: a second press right after the first goes back.
// Where the window is not barless (the window manager left the state, or
// never gave it) the press enters full screen, whatever the marks say.
void videoDoubleClick(PlayerContext& p) {
  Form1& f = p.form;
  const int awaited = awaitedWindowState(p);
  const bool barless = isMaximised(f) ? awaited < 0 || awaited == kBarlessState : awaited == kBarlessState;
  if (barless && (f.BUT1.checked() || f.BUT0.checked() || f.BUT17.checked())) {
    nativeSizeCommand(p);
    markOnly(f, f.BUT2);
    return;
  }
  f.BUT1.setChecked(false);
  modeCommand(p, Mode::FullScreen);
}

void leaveAnyMode(PlayerContext& p) {
  Form1& f = p.form;
  if (f.Frame3.visible()) {
    fullScreenRestoreButton(p);
    return;
  }
  if (!f.BUT2.checked()) {
    nativeSizeCommand(p);
    return;
  }
  if (f.windowState() != Form::Normal) restoreButton(p);
}

void connectDisplayModes(PlayerContext& p) {
  Form1& f = p.form;
  // After the layout, which was connected first.
  connectWindowStateWait(p);
  f.BUT0.Click.connect([&p] { modeCommand(p, Mode::Theater); });
  f.BUT1.Click.connect([&p] { modeCommand(p, Mode::FullScreen); });
  f.BUT17.Click.connect([&p] { modeCommand(p, Mode::Stretch); });
  f.BUT2.Click.connect([&p] { nativeSizeCommand(p); });
  MenuItem* zoom[] = {&f.BUT8A, &f.BUT8B, &f.BUT8C, &f.BUT8D};
  for (int i = 0; i < 4; ++i) zoom[i]->Click.connect([&p, i] { zoomCommand(p, i); });
  f.Image16.Click.connect([&p] { maximizeButton(p); });
  f.Image19.Click.connect([&p] { restoreButton(p); });
  f.Image10.Click.connect([&p] { fullScreenButton(p); });
  f.Image11.Click.connect([&p] { fullScreenRestoreButton(p); });
  f.WindowsMediaPlayer1.DblClick.connect([&p] { videoDoubleClick(p); });
}

}  // namespace qm
