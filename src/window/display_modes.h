#pragma once

namespace qm {

struct PlayerContext;

// How the video is shown: the modes of the popup menu (theater, full screen,
// stretch, native size, zoom), the maximise and restore buttons, the
// full-screen button and its restore button, and the video's double-click.
// The mode flags are the check marks of BUT0, BUT1, BUT17 and BUT2; the zoom
// group BUT8A..BUT8D is kept apart.
void connectDisplayModes(PlayerContext& p);

enum class Mode { Theater, FullScreen, Stretch };
void modeCommand(PlayerContext& p, Mode mode);   // BUT0, BUT1, BUT17
void nativeSizeCommand(PlayerContext& p);        // BUT2
void zoomCommand(PlayerContext& p, int which);   // BUT8A..BUT8D: 0 50 %, 1 100 %, 2 150 %, 3 200 %
void maximizeButton(PlayerContext& p);           // Image16
void restoreButton(PlayerContext& p);            // Image19
void fullScreenButton(PlayerContext& p);         // Image10
void fullScreenRestoreButton(PlayerContext& p);  // Image11
void videoDoubleClick(PlayerContext& p);         // WindowsMediaPlayer1

// Back to the normal window from whatever mode the window is in.
void leaveAnyMode(PlayerContext& p);

// The Flash area over the whole screen, as a movie's full screen has it.
void coverScreenWithMovie(PlayerContext& p);

}  // namespace qm
