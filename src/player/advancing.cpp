#include "player/advancing.h"

#include <chrono>
#include <initializer_list>

#include "forms/player_context.h"
#include "player/advance.h"
#include "player/media_kind.h"

namespace qm {

namespace {

constexpr int kFlashLimitTickMs = 500;

// Switches off every timer of the advance, then on the ones named, each
// from the start of its period: a picture opened by hand has its own seven
// seconds.
void runOnly(PlayerContext& p, std::initializer_list<Timer*> running) {
  Form1& f = p.form;
  for (Timer* timer : {&f.Timer1, &f.Timer2, &f.Timer4, &f.Timer5, &f.Timer7}) timer->setEnabled(false);
  for (Timer* timer : running) timer->setEnabled(true);
}

}  // namespace

void advanceAsKind(PlayerContext& p, MediaKind kind) {
  switch (kind) {
    case MediaKind::Picture:
      return runSlideShow(p);
    case MediaKind::Media:
      return watchEnd(p);
    case MediaKind::FlashMovie:
      return startFlashMovie(p);
    case MediaKind::FlashVideo:
      return awaitPlayerMovieEnd(p);
  }
}

void watchEnd(PlayerContext& p) { runOnly(p, {&p.form.Timer4}); }
void runSlideShow(PlayerContext& p) { runOnly(p, {&p.form.Timer1}); }
void startFlashMovie(PlayerContext& p) { runOnly(p, {&p.form.Timer2}); }
void awaitPlayerMovieEnd(PlayerContext& p) { runOnly(p, {}); }
void stopAdvancing(PlayerContext& p) { runOnly(p, {}); }
void nextFlashVideoSoon(PlayerContext& p) { runOnly(p, {&p.form.Timer7}); }
void endSlideShow(PlayerContext& p) { p.form.Timer1.setEnabled(false); }

void watchFlashMovie(PlayerContext& p) {
  runOnly(p, {&p.form.Timer4});
  armFlashLimit(p);
}

// The start delay and the limit keep their course: the delay sets the limit
// when it ends.
void watchFlashMovieNow(PlayerContext& p) {
  Form1& f = p.form;
  f.Timer1.setEnabled(false);
  f.Timer7.setEnabled(false);
  f.Timer4.setEnabled(true);
}

void armFlashLimit(PlayerContext& p) {
  Timer& limit = p.form.Timer5;
  limit.setInterval(kFlashLimitTickMs);
  limit.setEnabled(true);
  p.state.SwfEndTime = p.clock.now() + std::chrono::minutes(kFlashMovieMinutes);
}

// While paused nothing moves on, a Flash movie's start delay and limit
// included: they would open the next entry over the paused one.
void pauseAdvancing(PlayerContext& p) {
  p.form.setPausedFlag(true);
  stopAdvancing(p);
}

void resumeAdvancing(PlayerContext& p) {
  p.form.setPausedFlag(false);
  const MediaKind kind = selectedKind(p.form.File1);
  if (kind == MediaKind::FlashMovie)
    watchFlashMovie(p);
  else
    advanceAsKind(p, kind);
}

}  // namespace qm
