#include "player/speed.h"

#include <cmath>
#include <cstdio>
#include <iterator>
#include <string>

#include "forms/player_context.h"

namespace qm {

namespace {

struct Speed {
  double factor;
  MenuItem Form1::*item;
};
constexpr Speed kSpeeds[] = {{0.5, &Form1::Speed050},  {0.75, &Form1::Speed075}, {1.0, &Form1::Speed100},
                             {1.25, &Form1::Speed125}, {1.5, &Form1::Speed150},  {2.0, &Form1::Speed200}};
constexpr int kSpeedCount = static_cast<int>(std::size(kSpeeds));

// The listed speed nearest the engine's.
int currentPlace(PlayerContext& p) {
  const double now = p.form.WindowsMediaPlayer1.engine().speed();
  int nearest = 0;
  for (int i = 1; i < kSpeedCount; ++i)
    if (std::abs(kSpeeds[i].factor - now) < std::abs(kSpeeds[nearest].factor - now)) nearest = i;
  return nearest;
}

void markSpeed(PlayerContext& p) {
  const int place = currentPlace(p);
  for (int i = 0; i < kSpeedCount; ++i) (p.form.*kSpeeds[i].item).setChecked(i == place);
}

void setSpeed(PlayerContext& p, int place) {
  MediaEngine& media = p.form.WindowsMediaPlayer1.engine();
  if (!media.setSpeed(kSpeeds[place].factor)) return;
  markSpeed(p);
  char text[16];
  std::snprintf(text, sizeof text, "%gx", kSpeeds[place].factor);
  media.showText(std::string("播放速度 ") + text);
}

}  // namespace

void stepSpeed(PlayerContext& p, int steps) {
  const int place = currentPlace(p) + steps;
  if (place >= 0 && place < kSpeedCount) setSpeed(p, place);
}

void connectSpeed(PlayerContext& p) {
  for (int i = 0; i < kSpeedCount; ++i) (p.form.*kSpeeds[i].item).Click.connect([&p, i] { setSpeed(p, i); });
  p.form.MenuOpening.connect([&p] { markSpeed(p); });
}

}  // namespace qm
