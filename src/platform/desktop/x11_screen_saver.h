#pragma once

struct _XDisplay;

namespace qm {

// The X server's own screen saver and its power-saving blanking (DPMS),
// held off while suspended and put back as they were afterwards.
class X11ScreenSaver {
 public:
  // Without a display (another window system, no X server) nothing happens.
  explicit X11ScreenSaver(_XDisplay* display) : display_(display) {}
  ~X11ScreenSaver() { resume(); }
  X11ScreenSaver(const X11ScreenSaver&) = delete;
  X11ScreenSaver& operator=(const X11ScreenSaver&) = delete;

  // False when there is no X server to ask.
  bool suspend();
  void resume();
  bool suspended() const { return suspended_; }

 private:
  _XDisplay* display_;
  bool suspended_ = false;
  int timeout_ = 0, interval_ = 0, preferBlanking_ = 0, allowExposures_ = 0;
  bool powerSavingWasOn_ = false;
};

}  // namespace qm
