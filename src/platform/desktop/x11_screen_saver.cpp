#include "platform/desktop/x11_screen_saver.h"

#include <X11/Xlib.h>
#include <X11/extensions/dpms.h>

namespace qm {

namespace {

bool hasPowerSaving(Display* display) {
  int eventBase = 0, errorBase = 0;
  return DPMSQueryExtension(display, &eventBase, &errorBase) && DPMSCapable(display);
}

}  // namespace

// A timeout of 0 switches the saver off; the settings before are kept so
// that the user's own timing comes back.
bool X11ScreenSaver::suspend() {
  if (!display_) return false;
  if (suspended_) return true;
  XGetScreenSaver(display_, &timeout_, &interval_, &preferBlanking_, &allowExposures_);
  XSetScreenSaver(display_, 0, interval_, preferBlanking_, allowExposures_);
  powerSavingWasOn_ = false;
  if (hasPowerSaving(display_)) {
    CARD16 level = 0;
    BOOL on = False;
    DPMSInfo(display_, &level, &on);
    powerSavingWasOn_ = on;
    if (on) DPMSDisable(display_);
  }
  XFlush(display_);
  suspended_ = true;
  return true;
}

// The saver is on again afterwards, with the user's timing, or with the
// server's default timing when it had been off before. The idle time starts
// again from now, so the saver does not start the moment it is allowed to.
void X11ScreenSaver::resume() {
  if (!suspended_) return;
  XSetScreenSaver(display_, timeout_ > 0 ? timeout_ : -1, interval_, preferBlanking_, allowExposures_);
  if (powerSavingWasOn_) DPMSEnable(display_);
  XResetScreenSaver(display_);
  XFlush(display_);
  suspended_ = false;
}

}  // namespace qm
