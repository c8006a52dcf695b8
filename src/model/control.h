#pragma once

#include <QImage>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/event.h"

namespace qm {

// Window geometry is kept in twips, the unit every size of the window is
// given in; the screen shows 15 twips to a pixel.
using Twips = double;
inline constexpr int kTwipsPerPixel = 15;

// Mouse buttons as the window's mouse events report them.
inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;
inline constexpr int kMiddleButton = 4;

// Key codes of the window's KeyDown event (the usual virtual-key numbers).
inline constexpr int kKeyEnter = 13;
inline constexpr int kKeyEscape = 27;
inline constexpr int kKeySpace = 32;
inline constexpr int kKeyPageUp = 33;
inline constexpr int kKeyPageDown = 34;
inline constexpr int kKeyLeft = 37;
inline constexpr int kKeyUp = 38;
inline constexpr int kKeyRight = 39;
inline constexpr int kKeyDown = 40;
inline constexpr int kKeyF = 'F';
inline constexpr int kKeyM = 'M';
inline constexpr int kKeyO = 'O';
inline constexpr int kKeyB = 'B';
inline constexpr int kKeyS = 'S';
inline constexpr int kKeyV = 'V';
inline constexpr int kKeyOpenBracket = 0xDB;   // '['
inline constexpr int kKeyCloseBracket = 0xDD;  // ']'
inline constexpr int kShiftCtrl = 2;

// Colours are 0x00BBGGRR values.
using Colour = std::uint32_t;

// A picture shown by an image or a picture box. Pictures are shared, never
// changed once made: copying a picture from a store image to a button shares it.
using Picture = std::shared_ptr<const QImage>;

enum class ControlKind {
  Form,
  Image,
  Label,
  PictureBox,
  Frame,
  OptionButton,
  MenuItem,
  FileList,
  DirList,
  DriveList,
  MediaPlayer,
  FlashPlayer,
  WebView,
  Slider,
  CheckBox,
  CommandButton,
};

// A piece of a window: a name, a place in its container in twips, a
// visibility, a place in its container's stacking order, and mouse events.
// The screen mirrors it through `changed`; handlers read and write it.
class Control {
 public:
  Control(ControlKind kind, std::string name, Control* parent);
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  ControlKind kind() const { return kind_; }
  const std::string& name() const { return name_; }
  Control* parent() const { return parent_; }
  // Children from the back of the stacking order to the front.
  const std::vector<Control*>& children() const { return children_; }
  // The control of that name in this one's tree (itself included), or null.
  Control* find(const std::string& name);
  // The control of that name, which must exist: tables of the window name
  // their controls, and a misspelt name is a programming error.
  template <class T = Control>
  T& control(const std::string& name) {
    return static_cast<T&>(findOrDie(name));
  }

  Twips left() const { return left_; }
  Twips top() const { return top_; }
  Twips width() const { return width_; }
  Twips height() const { return height_; }
  // A negative width or height is refused: the setter returns false and the
  // control keeps its size, so a layout can go on with its next step.
  virtual bool setLeft(Twips v);
  virtual bool setTop(Twips v);
  virtual bool setWidth(Twips v);
  virtual bool setHeight(Twips v);
  void setGeometry(Twips left, Twips top, Twips width, Twips height);

  bool visible() const { return visible_; }
  void setVisible(bool v);
  bool enabled() const { return enabled_; }
  void setEnabled(bool v);
  const std::string& toolTip() const { return toolTip_; }
  void setToolTip(std::string text);

  // 0 brings the control to the front of its siblings, 1 sends it to the back.
  void zOrder(int position = 0);
  // Place in the parent's stacking order, 0 being the back.
  int stackIndex() const;

  Event<> Click;
  Event<> DblClick;
  // button, shift, x, y (in the control's own coordinates)
  Event<int, int, double, double> MouseDown;
  Event<int, int, double, double> MouseMove;
  Event<int, int, double, double> MouseUp;

  // Raised after any change the screen shows (geometry, visibility, picture,
  // text, stacking). Only the view listens.
  Event<> changed;

 protected:
  void notifyChanged() { changed.raise(); }

 private:
  Control& findOrDie(const std::string& name);
  void addChild(Control* child);
  void removeChild(Control* child);

  ControlKind kind_;
  std::string name_;
  Control* parent_;
  std::vector<Control*> children_;
  Twips left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  std::string toolTip_;
};

// A picture on the window: a skin piece, a skin button, or an invisible store
// that only holds a picture for the buttons.
class Image : public Control {
 public:
  Image(std::string name, Control* parent) : Control(ControlKind::Image, std::move(name), parent) {}
  const Picture& picture() const { return picture_; }
  void setPicture(Picture p);
  // Repaint request; the view redraws the piece.
  void refresh() { notifyChanged(); }

 private:
  Picture picture_;
};

class Label : public Control {
 public:
  Label(std::string name, Control* parent) : Control(ControlKind::Label, std::move(name), parent) {}
  const std::string& caption() const { return caption_; }
  void setCaption(std::string text);
  Colour foreColor() const { return foreColor_; }
  void setForeColor(Colour c);
  // 0 left, 1 right, 2 centre
  int alignment() const { return alignment_; }
  void setAlignment(int a);
  // 0 transparent: the label is drawn over what lies behind it; 1 opaque:
  // on its back colour.
  int backStyle() const { return backStyle_; }
  void setBackStyle(int s);
  Colour backColor() const { return backColor_; }
  void setBackColor(Colour c);
  // Long texts break into lines at the label's width.
  bool wordWrap() const { return wordWrap_; }
  void setWordWrap(bool w);

 private:
  std::string caption_;
  Colour foreColor_ = 0x000000;
  int alignment_ = 0;
  int backStyle_ = 0;
  Colour backColor_ = 0xFFFFFF;
  bool wordWrap_ = false;
};

// A box with a caption: 0 clear, 1 ticked, 2 greyed. A click by the user
// ticks a box that is not ticked and clears a ticked one before its Click
// runs; code that sets the value raises nothing.
class CheckBox : public Control {
 public:
  enum Value { Unchecked = 0, Checked = 1, Grayed = 2 };
  CheckBox(std::string name, Control* parent) : Control(ControlKind::CheckBox, std::move(name), parent) {}
  const std::string& caption() const { return caption_; }
  void setCaption(std::string text);
  int value() const { return value_; }
  void setValue(int v);
  // The user's click: the tick changes, then Click runs.
  void click();

 private:
  std::string caption_;
  int value_ = Unchecked;
};

// A push button with a caption.
class CommandButton : public Control {
 public:
  CommandButton(std::string name, Control* parent) : Control(ControlKind::CommandButton, std::move(name), parent) {}
  const std::string& caption() const { return caption_; }
  void setCaption(std::string text);

 private:
  std::string caption_;
};

// A container with an optional background picture (the skin bars).
class PictureBox : public Control {
 public:
  PictureBox(std::string name, Control* parent) : Control(ControlKind::PictureBox, std::move(name), parent) {}
  const Picture& picture() const { return picture_; }
  void setPicture(Picture p);
  void refresh() { notifyChanged(); }
  Colour backColor() const { return backColor_; }
  void setBackColor(Colour c);

 private:
  Picture picture_;
  Colour backColor_ = 0x000000;
};

// A container with a caption (the list panel, a dialog's group).
class Frame : public Control {
 public:
  Frame(std::string name, Control* parent) : Control(ControlKind::Frame, std::move(name), parent) {}
  const std::string& caption() const { return caption_; }
  void setCaption(std::string text);
  Colour backColor() const { return backColor_; }
  void setBackColor(Colour c);
  // 0 a bare ground, 1 a group: a border with the caption in it.
  int borderStyle() const { return borderStyle_; }
  void setBorderStyle(int s);

 private:
  std::string caption_;
  Colour backColor_ = 0x000000;
  int borderStyle_ = 0;
};

// One button of an exclusive group; clicking it selects it.
class OptionButton : public Control {
 public:
  OptionButton(std::string name, Control* parent) : Control(ControlKind::OptionButton, std::move(name), parent) {}
  const std::string& caption() const { return caption_; }
  void setCaption(std::string text);
  bool value() const { return value_; }
  // Selecting one clears the other option buttons of the same container.
  void setValue(bool v);

 private:
  std::string caption_;
  bool value_ = false;
};

// An item of a popup menu; items with children open a submenu.
class MenuItem : public Control {
 public:
  MenuItem(std::string name, Control* parent) : Control(ControlKind::MenuItem, std::move(name), parent) {}
  const std::string& caption() const { return caption_; }
  void setCaption(std::string text);
  bool checked() const { return checked_; }
  void setChecked(bool c);
  // The key that does the same, shown beside the caption.
  const std::string& keyText() const { return keyText_; }
  void setKeyText(std::string text) { keyText_ = std::move(text); }

 private:
  std::string caption_;
  std::string keyText_;
  bool checked_ = false;
};

// A top-level window. Its size is its client size: the skinned windows have
// no system frame.
class Form : public Control {
 public:
  explicit Form(std::string name) : Control(ControlKind::Form, std::move(name), nullptr) {}

  // The window state is the screen's: handlers ask the window system for a
  // new one, and it arrives here with the size that goes with it.
  enum State { Normal = 0, Minimized = 1, Maximized = 2, FullScreen = 3 };
  int windowState() const { return windowState_; }
  const std::string& caption() const { return caption_; }
  void setCaption(std::string text);
  // The colour of the window's ground (the main window's is black).
  Colour backColor() const { return backColor_; }
  void setBackColor(Colour c);
  // A dialog has the desktop's title bar and border; the skinned windows
  // have none.
  bool framed() const { return framed_; }
  void setFramed(bool f) { framed_ = f; }
  // Pointer shape: 0 arrow, 7 north-south, 8 diagonal, 9 west-east sizing.
  int mousePointer() const { return mousePointer_; }
  void setMousePointer(int p);
  Twips scaleWidth() const { return width(); }
  Twips scaleHeight() const { return height(); }
  bool setWidth(Twips v) override;
  bool setHeight(Twips v) override;

  // Called by the screen when the window system placed, sized or changed the
  // state of the window (asked by a handler or by the user on the desktop).
  // Resize follows once when the size or the state changed.
  void syncFromScreen(Twips left, Twips top, Twips width, Twips height, int state);

  // Side windows are made when shown and unmade when closed. Showing a form
  // that is not loaded loads it first (Load); unloading hides it and raises
  // Unload, after which its window is gone until it is shown again.
  bool loaded() const { return loaded_; }
  void show();
  void unload();

  // Raised whenever the size or the window state changes.
  Event<> Resize;
  Event<> Load;
  Event<> Unload;
  // Asks the screen to close the window; the owner runs the unload.
  Event<> closeRequested;
  // A key pressed while the window has the focus: key code (kKey...), shift
  // (1 Shift, 2 Ctrl, 4 Alt).
  Event<int, int> KeyDown;
  // The mouse wheel turned over the window: notches (positive away from the
  // user) and the pointer's place in the window, in twips.
  Event<int, double, double> MouseWheel;
  // Local files or folders dropped on the window, in the order dragged. A
  // window takes drops only when something listens.
  Event<const std::vector<std::string>&> FilesDropped;

 private:
  int windowState_ = Normal;
  int mousePointer_ = 0;
  bool loaded_ = false;
  std::string caption_;
  Colour backColor_ = 0x000000;
  bool framed_ = false;
};

}  // namespace qm
