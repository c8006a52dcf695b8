#pragma once

#include <string>

#include "model/control.h"

namespace qm {

// The desktop around the player's windows.
class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  // The pointer's display counter: each call adds one (show) or takes one
  // away (hide) and returns the new count; the pointer shows while the count
  // is 0 or more.
  virtual int showCursor(bool show) = 0;
  // Asks for a window state (Form::Normal, Minimized, Maximized,
  // FullScreen). The state reaches the form through its syncFromScreen,
  // together with the size that goes with it, once the window system has
  // carried it out; a state it cannot carry out never arrives.
  virtual void setWindowState(Form& form, int state) = 0;
  // Keeps the window above the windows of other programs.
  virtual void setTopmost(Form& form) = 0;
  // Whether windows go where the program puts them: false where the
  // compositor alone places windows and keeps none above the others
  // (Wayland), so a window moves only through startSystemMove.
  virtual bool placesWindows() { return true; }
  // Off: the screen saver and screen blanking stay away until switched on.
  virtual void setScreenSaverActive(bool active) = 0;
  // The user's documents folder; empty when it cannot be found.
  virtual std::string documentsFolder() = 0;
  // The user's pictures folder (it may not exist yet); empty when the
  // desktop names none.
  virtual std::string picturesFolder() { return {}; }
  // A plain message box with an OK button.
  virtual void messageBox(const std::string& text) = 0;
  // Gives the window the input focus.
  virtual void focus(Form& form) = 0;
  // Whether the pointer is over the control itself, not over another window
  // in front of it.
  virtual bool cursorOver(const Control& control) = 0;
  // Screen size in twips.
  virtual double screenWidth() = 0;
  virtual double screenHeight() = 0;
  // Hands a drag of the window to the window system's own move; false when
  // the window system cannot.
  virtual bool startSystemMove(Form&) { return false; }
  // Pops up the menu's items at the pointer; returns once the menu closed
  // (a chosen item has raised its Click by then). False when it cannot.
  virtual bool popupMenu(MenuItem&) { return false; }
  // The pointer's place on the screen in pixels; false when unknown.
  virtual bool cursorPosition(int& x, int& y) {
    x = y = 0;
    return false;
  }
};

// Shows or hides the pointer whatever its counter was: repeats the call
// until the counter is 0 or more (show), or below 0 (hide).
void showPointer(WindowSystem& ws);
void hidePointer(WindowSystem& ws);

}  // namespace qm
