#pragma once

namespace qm {

// File list patterns: ";"-separated masks, matched ignoring case.
inline constexpr const char* kStartPattern =
    "*.wmv;*.avi;*.mpeg;*.mpg;*.asf;*.rm;*.mov;*.rmvb;*.3gp;*.3gpp;*.mp3;*.mid;*.midi;*.wma;*.wav;*.au;*.aiff;"
    "*.swf;*.mp4;*.flv;*.DAT;*.VOB;*.mkv";
inline constexpr const char* kPicturePattern = "*.jpg;*.jpeg;*.gif;*.png;*.bmp;*.tiff;*.psd;*.ico";
inline constexpr const char* kFilmPattern =
    "*.wmv;*.avi;*.mpeg;*.mpg;*.asf;*.rm;*.mov;*.rmvb;*.3gp;*.3gpp;*.swf;*.mp4;*.flv;*.DAT;*.VOB;*.mkv";
inline constexpr const char* kMusicPattern = "*.mp3;*.mid;*.midi;*.wma;*.wav;*.au;*.aiff";

}  // namespace qm
