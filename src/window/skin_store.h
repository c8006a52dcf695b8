#pragma once

#include <QRgb>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "model/control.h"

namespace qm {

// One picture of the skin: the file ":/skin/<name>.png" and the size it is
// painted at, in pixels. Buttons come in pairs: "<name>" and "<name>_hover",
// channel buttons "<name>" and "<name>_selected".
struct SkinPicture {
  std::string_view name;
  int width;
  int height;
};

// Every picture the player shows. The skin painter paints exactly these, and
// the store falls back to a grey picture of this size when one is missing.
inline constexpr SkinPicture kSkinPictures[] = {
    // Bars: caps of fixed width over a middle piece the window stretches.
    {"top_left", 319, 43},
    {"top_middle", 8, 43},
    {"top_right", 319, 43},
    {"bottom_left", 319, 65},
    {"bottom_middle", 8, 65},
    {"bottom_right", 319, 65},
    {"border_left", 8, 32},
    {"border_right", 8, 32},
    {"grip", 16, 16},
    {"logo", 16, 16},
    // Title buttons.
    {"sysmenu", 24, 22},
    {"sysmenu_hover", 24, 22},
    {"minimize", 24, 22},
    {"minimize_hover", 24, 22},
    {"maximize", 24, 22},
    {"maximize_hover", 24, 22},
    {"restore", 24, 22},
    {"restore_hover", 24, 22},
    {"close", 24, 22},
    {"close_hover", 24, 22},
    // Transport buttons.
    {"play", 28, 28},
    {"play_hover", 28, 28},
    {"pause", 28, 28},
    {"pause_hover", 28, 28},
    {"up", 28, 28},
    {"up_hover", 28, 28},
    {"down", 28, 28},
    {"down_hover", 28, 28},
    {"loop", 28, 28},
    {"loop_hover", 28, 28},
    {"stop", 28, 28},
    {"stop_hover", 28, 28},
    {"music", 28, 28},
    {"picture_up", 28, 28},
    {"picture_down", 28, 28},
    // Bottom bar extras.
    {"fullscreen", 24, 24},
    {"volume_icon", 20, 20},
    {"channel_left", 22, 16},
    {"channel_left_selected", 22, 16},
    {"channel_stereo", 22, 16},
    {"channel_stereo_selected", 22, 16},
    {"channel_right", 22, 16},
    {"channel_right_selected", 22, 16},
    // Restore button of the Flash full-screen panel.
    {"fs_restore", 19, 17},
    {"fs_restore_hover", 19, 17},
    // Slider strips and the pointer shown over the thumb.
    {"seek_strip", 100, 17},
    {"volume_strip", 60, 12},
    {"slider_cursor", 32, 32},
};

// How a slider strip is cut, left to right, in pixels: left end, right end,
// filled middle, rest middle, then four thumb frames (normal, pointer over,
// pressed, disabled) of `thumb` pixels each.
struct SliderStrip {
  std::string_view name;
  int left;
  int right;
  int filled;
  int rest;
  int thumb;
  constexpr int thumbsLeft() const { return left + right + filled + rest; }
  constexpr int width() const { return thumbsLeft() + 4 * thumb; }
};
inline constexpr SliderStrip kSeekStrip{"seek_strip", 17, 17, 1, 1, 16};
inline constexpr SliderStrip kVolumeStrip{"volume_strip", 5, 5, 1, 1, 12};

// The slider draws its thumb frames with this exact colour keyed out.
inline constexpr QRgb kThumbKeyColour = 0xFFFF00FF;

// The pointer picture's hot spot: its centre, so the grab sits on the thumb.
inline constexpr int kSliderCursorHotX = 16;
inline constexpr int kSliderCursorHotY = 16;

// Rows of the bars (pixels from the bar's top) the art is painted for: the
// buttons carry the bar's gradient behind their glyphs, so they blend in
// when placed at these tops (the window's design places them there).
inline constexpr int kTitleButtonTop = 11;      // 165 twips, top bar
inline constexpr int kLogoTop = 14;             // 210 twips, top bar
inline constexpr int kSeekBarTop = 3;           // 45 twips; the seek panel spans rows 1 to 22
inline constexpr int kTransportButtonTop = 28;  // 420 twips, bottom bar
inline constexpr int kFullscreenTop = 30;       // 450 twips
inline constexpr int kVolumeIconTop = 30;       // 450 twips
inline constexpr int kChannelButtonTop = 34;    // 510 twips
inline constexpr int kVolumeBarTop = 34;        // 510 twips

// Size of a picture in the table; 16 x 16 for a name it does not hold.
SkinPicture skinPictureSize(std::string_view name);

// The skin's pictures by name, each loaded once from the program's resources
// and shared afterwards. A picture that cannot be loaded is replaced by a
// plain grey one of its design size (never null) and remembered as missing,
// so the player still lays out and a test can tell the skin is incomplete.
class SkinStore {
 public:
  // `root` is where "<name>.png" files are looked up; the compiled-in skin
  // lives under ":/skin/".
  explicit SkinStore(std::string root = ":/skin/");

  Picture picture(const std::string& name);
  // Names asked for that had no picture, each once, in the order asked.
  const std::vector<std::string>& missing() const { return missing_; }

 private:
  std::string root_;
  std::map<std::string, Picture, std::less<>> pictures_;
  std::vector<std::string> missing_;
};

}  // namespace qm
