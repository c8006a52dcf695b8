#include "player/wiring.h"

#include "forms/player_context.h"
#include "player/advance.h"
#include "player/flash_protocol.h"
#include "player/resume.h"
#include "player/snapshot.h"
#include "player/speed.h"
#include "player/tracks.h"
#include "player/transport.h"

namespace qm {

void connectPlayback(PlayerContext& p) {
  Form1& f = p.form;
  auto on = [&p](Event<>& event, void (*handler)(PlayerContext&)) { event.connect([&p, handler] { handler(p); }); };
  on(f.Image3.Click, playButton);
  on(f.Label3.Click, playTab);
  on(f.Image4.Click, pauseButton);
  on(f.Image9.Click, stopButton);
  on(f.Image20.Click, loopButton);
  on(f.Image2.Click, backgroundMusicButton);
  on(f.BUT4.Click, menuPlayPause);
  on(f.BUT5.Click, menuStop);
  on(f.BUT6.Click, menuFastForward);
  on(f.BUT7.Click, menuRewind);
  on(f.BUT12.Click, loopItem);
  on(f.BUT14.Click, nextItem);
  on(f.BUT15.Click, previousItem);
  f.Image6.Click.connect([&p] { arrowButton(p, Arrow::MediaPrevious); });
  f.Image8.Click.connect([&p] { arrowButton(p, Arrow::MediaNext); });
  f.Image5.Click.connect([&p] { arrowButton(p, Arrow::PicturePrevious); });
  f.Image7.Click.connect([&p] { arrowButton(p, Arrow::PictureNext); });
  on(f.WindowsMediaPlayer1.Click, videoClick);
  f.WindowsMediaPlayer2.engine().PlayStateChange.connect([&p](int state) { backgroundStateChange(p, state); });

  on(f.Timer1.Tick, slideShowTick);
  on(f.Timer2.Tick, flashStartDelayTick);
  on(f.Timer4.Tick, endWatchTick);
  on(f.Timer5.Tick, flashLimitTick);
  on(f.Timer7.Tick, nextFlashVideoTick);
  connectFlashProtocol(p);
  connectTracks(p);
  connectSpeed(p);
  connectSnapshot(p);
  connectResume(p);
}

}  // namespace qm
