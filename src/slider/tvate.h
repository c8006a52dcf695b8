#pragma once

// The player's own horizontal slider, used as the seek bar and the volume bar.
//
// It draws a track from skin pieces cut out of one strip picture (or from two
// colour gradients), an optional centred caption and a thumb with four frames
// (normal, pointer over, pressed, disabled), and lets the user set Value by
// pressing and dragging with the left button. All lengths are twips of the
// control unless a name says pixels; 15 twips make a pixel.
//
// Everything runs on the UI thread. Handlers may write properties from inside
// any event; a redraw raised from inside a redraw simply draws again.

#include <QImage>
#include <cstdint>
#include <optional>
#include <string>

#include "model/control.h"
#include "model/timer.h"
#include "platform/window_system.h"

namespace qm {

class PropertyBag;

// What Clear shows behind the track, and the TopColor/BottomColor the saved
// state leaves out: a dark grey that suits the player's dark skin.
inline constexpr Colour kSliderBackColor = 0x303030;
// The caption's colour.
inline constexpr Colour kSliderForeColor = 0xFFFFFF;
// Thumb frames are drawn with this colour transparent.
inline constexpr Colour kThumbTransparent = 0xFF00FF;
// cMousePointer values: the default arrow, and the cMouseIcon picture.
inline constexpr int kPointerDefault = 0;
inline constexpr int kPointerCustom = 99;

class tVate : public Control {
 public:
  // Thumb frames and GetMouseState results.
  enum MouseState { PointerAway = 0, PointerOnThumb = 1, Dragging = 2, Disabled = 3 };

  // Starts with Max 100 and Value 1 (raising Changed(1, 100) before anyone
  // can listen), Style 2 and the thumb shown, each through its setter.
  tVate(std::string name, Control* parent, Clock& clock, WindowSystem& windows);

  // --- Properties. Setters of 16-bit fields return false on an overflow
  // error and leave the field as it was. "Notifies" below means raising
  // PropertyChanged: the host's saved copy is out of date.

  // Notifies; shown from the next redraw on (writing does not redraw).
  const std::string& Caption() const { return caption_; }
  void setCaption(std::string text);
  // The custom cursor shown while cMousePointer is 99. Notifies.
  const Picture& cMouseIcon() const { return mouseIcon_; }
  void setcMouseIcon(Picture icon);
  // 0 default cursor, 99 cMouseIcon; other values are the usual shapes
  // (1 arrow, 2 cross, 3 I-beam, 11 hourglass ...). Notifies.
  int cMousePointer() const { return mousePointer_; }
  bool setcMousePointer(int pointer);
  // Shown one to one at the top left of the cleared surface. Redraws; notifies.
  const Picture& BkPicture() const { return bkPicture_; }
  void setBkPicture(Picture picture);
  // 0 flat, 1 3D: the look of the border. The surface accepts only 0 and 1.
  // Notifies; redraws when the border changes the drawing area.
  int Appearance() const { return appearance_; }
  bool setAppearance(int appearance);
  // 0 no border, 1 single border (1 pixel flat, 2 pixels 3D). As Appearance.
  int BorderStyle() const { return borderStyle_; }
  bool setBorderStyle(int borderStyle);
  // 2 stretched skin, 3 clipped skin, anything else colour gradients.
  // Redraws; notifies.
  int Style() const { return style_; }
  void setStyle(int style);
  // Only a movable bar follows the mouse and raises MouseOverCmd/MouseOutCmd.
  // Redraws; notifies.
  bool CanMove() const { return canMove_; }
  void setCanMove(bool canMove);
  // Gradient colours (0x00BBGGRR): Top/Bottom right of the thumb, GotTop/
  // GotBottom for the filled part left of it. Each redraws and notifies.
  Colour TopColor() const { return topColor_; }
  void setTopColor(Colour c);
  Colour BottomColor() const { return bottomColor_; }
  void setBottomColor(Colour c);
  Colour GotTopColor() const { return gotTopColor_; }
  void setGotTopColor(Colour c);
  Colour GotBottomColor() const { return gotBottomColor_; }
  void setGotBottomColor(Colour c);
  // Stored unchecked; a negative Max becomes 1 at the next redraw. Redraws;
  // notifies.
  int Max() const { return max_; }
  void setMax(int max);
  // Stored unchecked and drawn clamped to 0..Max. During a drag on the bar a
  // write is dropped (the user's drag owns the value) and only notifies;
  // otherwise it redraws, raises Changed(Value, Max) and notifies, also when
  // the value is the same. A write of the value already drawn, with nothing
  // else changed since the last redraw, skips the redraw (the time display
  // writes it twenty times a second).
  int Value() const { return value_; }
  void setValue(int value);
  // Pixels the thumb may overlap the left (right) end piece, kept as twips in
  // a 16-bit field: above 2184 or below -2184 is an overflow error. Notifies;
  // does not redraw.
  int Bite_LP() const;
  bool setBite_LP(int pixels);
  int Bite_RP() const;
  bool setBite_RP(int pixels);
  // False hides the thumb and gives its width to the travel. Redraws;
  // notifies.
  bool IsShowCmd() const { return isShowCmd_; }
  void setIsShowCmd(bool show);
  // The window the hover timer compares the pointer's window with. The
  // surface has no native window of its own here; the window system knows it
  // by the control.
  const Control& Hwnd() const { return *this; }

  // --- Methods.

  // Pixel size of a picture as its HIMETRIC size reads back: 0 without a
  // picture; no result (an overflow error) beyond 32767.
  static std::optional<int> GetPictureWidth(const Picture& picture);
  static std::optional<int> GetPictureHeight(const Picture& picture);
  // 0 pointer away from the thumb (or the bar cannot move), 1 pointer on the
  // thumb, 2 drag in progress, 3 control disabled. Raises MouseOverCmd for
  // 1 and 2, MouseOutCmd for 0, nothing when disabled or not movable.
  int GetMouseState();
  // Cuts a skin strip into left end, right end, filled middle, rest middle and
  // a thumb of four frames of cP_Width pixels; all arguments are 16-bit pixel
  // counts. cmp_Height 0 makes the thumb as high as the strip. No picture
  // changes nothing. Returns false on an overflow error; pieces already
  // replaced stay replaced.
  bool setPicture(const Picture& strip, int lP_Width, int rP_Width, int lmP_Width, int rmP_Width, int cP_Width,
                  int cmp_Height = 0, int cmp_Top = 0);
  // A new picture of the rectangle (pixels) of `picture`; none for no area.
  static Picture PicToPic(const Picture& picture, int leftSrc, int topSrc, int widthSrc, int heightSrc);
  // The value a press with the left button at `x` (twips from the left of
  // the drawing area, as MouseMove reports it) would give: rounded, within
  // 0..Max. Nothing when the bar has no travel to divide by.
  std::optional<int> valueAt(double x) const;

  // --- Saved state: keys "Style", "Value", "Max", "BKPicture", "Appearance",
  // "BorderStyle", "Bite_LP", "Bite_RP" (twips), "IsShowCmd", "TopColor",
  // "BottomColor", "GotTopColor", "GotBottomColor", "Caption", "CanMove" in
  // that order, a value equal to its default left out.
  void writeProperties(PropertyBag& bag) const;
  // Restores what writeProperties wrote (a missing or mistyped key gives the
  // default), then redraws once. Raises no Changed and does not notify.
  void readProperties(const PropertyBag& bag);

  // --- The surface: width()/15 by height()/15 pixels, redrawn whole at the
  // moments the control draws. The border, if any, is part of it; the track
  // is drawn inside.
  const QImage& surface() const { return surface_; }
  int borderPixels() const;
  // The drawing area inside the border, in twips.
  double ScaleWidth() const;
  double ScaleHeight() const;
  // Resizing redraws.
  bool setWidth(Twips v) override;
  bool setHeight(Twips v) override;

  // --- Input from the screen, in twips from the surface's top left corner
  // (border included). Buttons: 1 left, 2 right, 4 middle; shift: 1 Shift,
  // 2 Ctrl, 4 Alt. A disabled control takes no input, except the release
  // that ends a drag begun before it was disabled.
  void surfaceMouseDown(int button, int shift, double x, double y);
  void surfaceMouseMove(int button, int shift, double x, double y);
  void surfaceMouseUp(int button, int shift, double x, double y);
  void surfaceClick();
  void surfaceDblClick();

  // --- The control's inner state, read only (for the view and for tests).
  int LeftWidth() const { return leftWidth_; }
  int RightWidth() const { return rightWidth_; }
  int CmdWidth() const { return cmdWidth_; }
  int CmdHeight() const { return cmdHeight_; }  // pixels
  int CmdTop() const { return cmdTop_; }        // pixels
  float CmdCenter() const { return cmdCenter_; }
  float CmdLeft() const { return cmdLeft_; }
  float MouseX() const { return mouseX_; }
  bool IsDown() const { return isDown_; }
  bool IsOver() const { return isOver_; }
  const Timer& Timer1() const { return timer1_; }
  const Picture& LeftPicture() const { return leftPicture_; }
  const Picture& RightPicture() const { return rightPicture_; }
  const Picture& PlayedPicture() const { return playedPicture_; }
  const Picture& RestPicture() const { return restPicture_; }
  const Picture& CmdPicture() const { return cmdPicture_; }

  // Events in the control's declared order; MouseMove, MouseUp, MouseDown and
  // Click are the Control's own. Done is declared and never raised.
  Event<> MouseOverCmd;
  Event<> MouseOutCmd;
  Event<int, int> Changed;  // Value, Max
  Event<> Done;
  Event<> DBClick;
  // The saved state changed.
  Event<> PropertyChanged;
  // The surface was drawn again; the screen repaints.
  Event<> Redrawn;

 private:
  bool setBite(std::int16_t& field, int pixels);
  void setRedrawingColour(Colour& field, Colour c);
  void notify() { PropertyChanged.raise(); }

  // Drawing (tvate_draw.cpp).
  void redraw();
  void resizeSurface();
  QImage drawingArea();
  void clearSurface();
  void drawTrack(QImage& area, float center);
  void drawCaption(QImage& area);
  void drawThumb(int state);
  int shownCmdWidth() const { return isShowCmd_ ? cmdWidth_ : 0; }
  double trackWidth() const;

  // Mouse (tvate_mouse.cpp).
  void handleMove(int button, int shift, float x, float y);
  void hoverTick();
  bool isMouseOnCmd() const;
  double toClientX(double x) const;
  double toClientY(double y) const;

  WindowSystem& windows_;
  Timer timer1_;
  QImage surface_;

  std::string caption_;
  Picture mouseIcon_;
  std::int16_t mousePointer_ = 0;
  Picture bkPicture_;
  std::int16_t appearance_ = 0;
  std::int16_t borderStyle_ = 0;
  int style_ = 0;
  bool canMove_ = false;
  Colour topColor_ = 0, bottomColor_ = 0, gotTopColor_ = 0, gotBottomColor_ = 0;
  int max_ = 0;
  int value_ = 0;
  std::int16_t biteL_ = 0, biteR_ = 0;  // twips
  bool isShowCmd_ = false;

  Picture leftPicture_, rightPicture_, playedPicture_, restPicture_, cmdPicture_;
  std::int16_t leftWidth_ = 0, rightWidth_ = 0, cmdWidth_ = 0;  // twips
  std::int16_t cmdHeight_ = 0, cmdTop_ = 0;                     // pixels
  float cmdCenter_ = -1;
  float cmdLeft_ = 0;
  float mouseX_ = 0;
  bool isDown_ = false;
  bool isOver_ = false;
  // What the surface was last drawn from, beyond the fields whose setters
  // redraw: a write of the same value redraws only when one of these moved.
  struct Drawn {
    int value = 0;
    bool enabled = true;
    std::string caption;
    std::int16_t biteL = 0, biteR = 0;
    bool operator==(const Drawn&) const = default;
  };
  Drawn drawn_;
  bool everDrawn_ = false;
  Drawn drawnNow() const { return {value_, enabled(), caption_, biteL_, biteR_}; }
};

}  // namespace qm
