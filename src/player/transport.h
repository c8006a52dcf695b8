#pragma once

namespace qm {

class Player;

void playButton(Player& p);        // Image3
void playTab(Player& p);           // Label3
void pauseButton(Player& p);       // Image4
void stopButton(Player& p);        // Image9
void menuPlayPause(Player& p);     // BUT4
void menuStop(Player& p);          // BUT5
void menuFastForward(Player& p);   // BUT6
void menuRewind(Player& p);        // BUT7
void loopButton(Player& p);        // Image20
void loopItem(Player& p);          // BUT12
void nextItem(Player& p);          // BUT14
void previousItem(Player& p);      // BUT15

// The previous/next buttons walk the list with their own cursor.
enum class Arrow { MediaPrevious, MediaNext, PicturePrevious, PictureNext };
void arrowButton(Player& p, Arrow arrow);  // Image6, Image8, Image5, Image7

void backgroundMusicButton(Player& p);            // Image2
void backgroundStateChange(Player& p, int state);  // WindowsMediaPlayer2
void videoClick(Player& p);                        // WindowsMediaPlayer1

}  // namespace qm
