#include "player/position.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "forms/player_context.h"
#include "platform/player_movie_protocol.h"
#include "player/advancing.h"
#include "player/media_kind.h"

namespace qm {

namespace {

// Rounds halves to the even integer.
long roundEven(double v) { return static_cast<long>(std::nearbyint(v)); }

// The fraction as a whole percentage rounded down; nothing when it cannot be
// computed (no length yet, a still picture).
std::optional<int> percentDown(double part, double whole) {
  if (!(whole != 0) || !std::isfinite(part / whole)) return std::nullopt;
  double percent = std::floor(part / whole * 100);
  if (percent < INT32_MIN || percent > INT32_MAX) return std::nullopt;
  return static_cast<int>(percent);
}

void showFlashVideoTimes(PlayerContext& p) {
  Form1& f = p.form;
  FlashEngine& flash = f.ShockwaveFlash1.engine();
  if (auto v = flash.GetVariable(player_movie::kPosition)) p.state.FlvCurrent = *v;
  if (auto v = flash.GetVariable(player_movie::kLength)) p.state.FlvTotal = *v;
  auto current = parseNumber(p.state.FlvCurrent), total = parseNumber(p.state.FlvTotal);
  if (current && total)
    if (auto percent = percentDown(*current, *total)) f.tVate1.setValue(*percent);
  if (auto v = flash.GetVariable(player_movie::kPositionText)) f.Label1.setCaption(*v);
  if (auto v = flash.GetVariable(player_movie::kLengthText)) f.Label2.setCaption(*v);
}

// Before the runtime knows the movie's frames the display counts none.
void showFlashMovieFrames(PlayerContext& p) {
  Form1& f = p.form;
  FlashEngine& flash = f.ShockwaveFlash1.engine();
  auto frame = flash.FrameNum();
  auto total = flash.TotalFrames();
  if (frame && total && *total > 1) f.tVate1.setValue(static_cast<int>(roundEven(*frame * 100.0 / (*total - 1))));
  f.Label1.setCaption(frame && total ? std::to_string(*frame + 1) + "/" + std::to_string(*total) : "0/0");
  f.Label2.setCaption("/" + std::to_string(f.tVate1.Value()) + "%");
}

// Moves the engine of the current entry to the bar's value; `release` plays
// on from there, otherwise the engine waits paused.
void seekTo(PlayerContext& p, bool release) {
  Form1& f = p.form;
  const int value = f.tVate1.Value();
  FlashEngine& flash = f.ShockwaveFlash1.engine();
  switch (selectedKind(f.File1)) {
    case MediaKind::FlashMovie: {
      if (auto total = flash.TotalFrames()) flash.GotoFrame(roundEven(value * 0.01 * (*total - 1)));
      if (release)
        flash.Play();
      else
        flash.StopPlay();
      break;
    }
    case MediaKind::FlashVideo: {
      if (auto v = flash.GetVariable(player_movie::kLength)) p.state.FlvTotal = *v;
      // A total that is not a number keeps the previous target.
      if (auto total = parseNumber(p.state.FlvTotal)) p.state.FlvSeekTo = numberText(*total * (value / 100.0));
      flash.SetVariable(player_movie::kSeekTarget, p.state.FlvSeekTo);
      flash.SetVariable(player_movie::kControl, release ? player_movie::kPlay : player_movie::kSeekBarDown);
      break;
    }
    default: {
      MediaEngine& media = f.WindowsMediaPlayer1.engine();
      media.setCurrentPosition(value / 100.0 * media.duration());
      if (release)
        media.play();
      else
        media.pause();
      break;
    }
  }
}

}  // namespace

std::optional<double> parseNumber(const std::string& text) {
  const char* begin = text.c_str();
  while (*begin == ' ' || *begin == '\t') ++begin;
  if (!*begin) return std::nullopt;
  char* end = nullptr;
  double v = std::strtod(begin, &end);
  while (*end == ' ' || *end == '\t') ++end;
  if (*end || !std::isfinite(v)) return std::nullopt;
  return v;
}

std::string numberText(double value) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.15g", value);
  return buf;
}

void clearTimeDisplay(PlayerContext& p) {
  Form1& f = p.form;
  f.tVate1.setValue(0);
  f.Label1.setCaption("00:00");
  f.Label2.setCaption("/00:00");
}

void timeDisplayTick(PlayerContext& p) {
  Form1& f = p.form;
  if (f.tVate1.Value() > 100) f.tVate1.setValue(0);
  if (f.WindowsMediaPlayer1.visible()) {
    const MediaEngine& media = f.WindowsMediaPlayer1.engine();
    if (auto percent = percentDown(media.currentPosition(), media.duration())) f.tVate1.setValue(*percent);
    f.Label1.setCaption(media.currentPositionString());
    // With nothing open (the menu's stop closes the engine while the display
    // runs on) there is no length to ask for: the total keeps its text.
    if (!media.URL().empty()) f.Label2.setCaption("/" + media.durationString());
    return;
  }
  if (!f.ShockwaveFlash1.visible()) return;
  switch (selectedKind(f.File1)) {
    case MediaKind::FlashVideo:
      showFlashVideoTimes(p);
      break;
    case MediaKind::FlashMovie:
      showFlashMovieFrames(p);
      break;
    default:
      break;
  }
}

void seekBarDown(PlayerContext& p, int button) {
  p.form.Timer8.setEnabled(false);
  if (button == kLeftButton) seekTo(p, false);
}

void seekBarMove(PlayerContext& p, int button) {
  if (button == kLeftButton) seekBarDown(p, button);
}

// Releasing the bar plays on, also a file the pause button paused.
void seekBarUp(PlayerContext& p) {
  if (p.form.PausedFlag()) resumeAdvancing(p);
  seekTo(p, true);
  p.form.Timer8.setEnabled(true);
}

void connectPosition(PlayerContext& p) {
  Form1& f = p.form;
  f.Timer8.Tick.connect([&p] { timeDisplayTick(p); });
  f.tVate1.MouseDown.connect([&p](int button, int, double, double) { seekBarDown(p, button); });
  f.tVate1.MouseMove.connect([&p](int button, int, double, double) { seekBarMove(p, button); });
  f.tVate1.MouseUp.connect([&p](int, int, double, double) { seekBarUp(p); });
  // The custom pointer shows over the thumb and while dragging.
  f.tVate1.MouseOverCmd.connect([&f] { f.tVate1.setcMousePointer(99); });
  f.tVate1.MouseOutCmd.connect([&f] { f.tVate1.setcMousePointer(0); });
}

}  // namespace qm
