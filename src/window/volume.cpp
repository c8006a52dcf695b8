#include "window/volume.h"

#include <algorithm>

#include "forms/player_context.h"

namespace qm {

namespace {

void markOne(MenuItem& chosen, std::initializer_list<MenuItem*> group) {
  for (MenuItem* item : group) item->setChecked(item == &chosen);
}

}  // namespace

// Through the bar, which writes its value to the engine: the bar shows the
// volume the engine has, and the next step starts from there.
void volumeTo(PlayerContext& p, int level) {
  tVate& bar = p.form.volume;
  bar.setValue(std::clamp(level, 0, static_cast<int>(bar.Max())));
  bar.Click.raise();
}

// Volume up and down are fixed levels. They also switch a muted engine back
// on: a user who picks a volume wants to hear it.
void volumeItem(PlayerContext& p, int which) {
  Form1& f = p.form;
  MenuItem* items[] = {&f.BUT9A, &f.BUT9B, &f.BUT9C};
  markOne(*items[which], {&f.BUT9A, &f.BUT9B, &f.BUT9C});
  if (which == 2) {
    f.WindowsMediaPlayer1.engine().setMute(true);
    return;
  }
  volumeTo(p, which == 0 ? 90 : 10);
}

void channelItem(PlayerContext& p, int which) {
  Form1& f = p.form;
  MenuItem* items[] = {&f.BUT13A, &f.BUT13B, &f.BUT13C};
  static const int balances[] = {-100, 100, 0};
  markOne(*items[which], {&f.BUT13A, &f.BUT13B, &f.BUT13C});
  f.WindowsMediaPlayer1.engine().setBalance(balances[which]);
}

void channelButton(PlayerContext& p, int which) {
  Form1& f = p.form;
  static const int balances[] = {-100, 0, 100};
  f.WindowsMediaPlayer1.engine().setBalance(balances[which]);
  Image* buttons[] = {&f.Image42, &f.Image43, &f.Image44};
  Image* selected[] = {&f.Image45, &f.Image46, &f.Image47};
  Image* normal[] = {&f.Image48, &f.Image49, &f.Image50};
  for (int i = 0; i < 3; ++i) buttons[i]->setPicture((i == which ? selected[i] : normal[i])->picture());
}

void connectVolume(PlayerContext& p) {
  Form1& f = p.form;
  f.BUT9A.Click.connect([&p] { volumeItem(p, 0); });
  f.BUT9B.Click.connect([&p] { volumeItem(p, 1); });
  f.BUT9C.Click.connect([&p] { volumeItem(p, 2); });
  f.BUT13A.Click.connect([&p] { channelItem(p, 0); });
  f.BUT13B.Click.connect([&p] { channelItem(p, 1); });
  f.BUT13C.Click.connect([&p] { channelItem(p, 2); });
  f.Image42.Click.connect([&p] { channelButton(p, 0); });
  f.Image43.Click.connect([&p] { channelButton(p, 1); });
  f.Image44.Click.connect([&p] { channelButton(p, 2); });

  // The bar's value is the volume. A press and a drag write it before the
  // bar moves to the pointer, so the engine trails one position behind until
  // the click that ends the drag writes the final value.
  // A volume picked on the bar is meant to be heard: it ends a mute, and the
  // menu's mute mark with it.
  auto write = [&f] {
    MediaEngine& media = f.WindowsMediaPlayer1.engine();
    media.setVolume(f.volume.Value());
    if (media.mute()) {
      media.setMute(false);
      f.BUT9C.setChecked(false);
    }
  };
  f.volume.Click.connect(write);
  f.volume.MouseDown.connect([write](int button, int, double, double) {
    if (button == kLeftButton) write();
  });
  f.volume.MouseMove.connect([write](int button, int, double, double) {
    if (button == kLeftButton) write();
  });
  f.volume.MouseOverCmd.connect([&f] { f.volume.setcMousePointer(99); });
  f.volume.MouseOutCmd.connect([&f] { f.volume.setcMousePointer(0); });
}

}  // namespace qm
