#pragma once

#include "model/media_types.h"

namespace qm {

struct PlayerContext;

// What moves the player on by itself. These functions are the only code that
// switches the timers of the automatic advance: Timer1 (slide show, 7 s),
// Timer2 (a Flash movie's start delay, 5 s once), Timer4 (end watch, 1 s),
// Timer5 (a Flash movie's limit, 500 ms), Timer7 (the next Flash video, 1 s
// once), and the paused flag held by Timer9. Each state names all that runs
// in it; whatever it does not name is off.
//
//   state                      what runs            entered by
//   -------------------------  -------------------  -------------------------------
//   media                      Timer4               open of a media entry, the open
//                                                   dialog, the command line
//   pictures                   Timer1               open of a picture, the open
//                                                   dialog, a picture arrow
//   .swf, starting             Timer2               open of a .swf, the open dialog
//   .swf, playing              Timer4 + Timer5      Timer2's tick, resume; an arrow
//                                                   onto a .swf adds Timer4 at once
//   .flv                       nothing              open of a .flv, the open dialog
//   .flv ended                 Timer7               the player movie's "oknext"
//   stopped                    nothing              stop, home page, a list that
//                                                   has no entry left to play
//   paused (Timer9 on)         nothing              pause
//
//   Timer4 sees the media engine stopped  -> the next entry opens (its state)
//   Timer4 sees a .swf no longer playing  -> the next entry opens; a .swf
//                                            there gets its limit at once
//   Timer5 reaches its time               -> the next entry opens, as above
//   Timer1, Timer7 tick                   -> the next entry opens
//   resume                                -> the state of the selected kind,
//                                            a .swf's as playing
//   a filter button                       -> Timer1 stops, the rest stays
//   the help, a cancelled open dialog     -> nothing changes

// The state an opened entry of `kind` starts in.
void advanceAsKind(PlayerContext& p, MediaKind kind);

void watchEnd(PlayerContext& p);             // media
void runSlideShow(PlayerContext& p);         // pictures
void startFlashMovie(PlayerContext& p);      // .swf, starting
void watchFlashMovie(PlayerContext& p);      // .swf, playing: the limit counts from now
void watchFlashMovieNow(PlayerContext& p);   // .swf reached by an arrow
void awaitPlayerMovieEnd(PlayerContext& p);  // .flv
void nextFlashVideoSoon(PlayerContext& p);   // .flv ended
void stopAdvancing(PlayerContext& p);        // stopped
void endSlideShow(PlayerContext& p);
// A .swf that follows another gets its limit at once: the next entry comes
// three minutes from now.
void armFlashLimit(PlayerContext& p);

// The pause button's and its end: the engines are paused and resumed by the
// caller.
void pauseAdvancing(PlayerContext& p);
void resumeAdvancing(PlayerContext& p);

}  // namespace qm
