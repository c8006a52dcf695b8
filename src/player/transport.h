#pragma once

namespace qm {

struct PlayerContext;

void playButton(PlayerContext& p);        // Image3
void playTab(PlayerContext& p);           // Label3
void pauseButton(PlayerContext& p);       // Image4
void stopButton(PlayerContext& p);        // Image9
void menuPlayPause(PlayerContext& p);     // BUT4
void menuStop(PlayerContext& p);          // BUT5
void menuFastForward(PlayerContext& p);   // BUT6
void menuRewind(PlayerContext& p);        // BUT7
void loopButton(PlayerContext& p);        // Image20
void loopItem(PlayerContext& p);          // BUT12
void nextItem(PlayerContext& p);          // BUT14
void previousItem(PlayerContext& p);      // BUT15

// The previous/next buttons walk the list with their own cursor.
enum class Arrow { MediaPrevious, MediaNext, PicturePrevious, PictureNext };
void arrowButton(PlayerContext& p, Arrow arrow);  // Image6, Image8, Image5, Image7

void backgroundMusicButton(PlayerContext& p);            // Image2
void backgroundStateChange(PlayerContext& p, int state);  // WindowsMediaPlayer2
void videoClick(PlayerContext& p);                        // WindowsMediaPlayer1

}  // namespace qm
