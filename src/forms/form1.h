#pragma once

#include <memory>

#include "forms/content_controls.h"
#include "model/control.h"
#include "model/folder_reader.h"
#include "model/list_controls.h"
#include "model/timer.h"
#include "platform/window_system.h"
#include "slider/tvate.h"

namespace qm {

// The engines behind the display area and the background music.
struct Engines {
  std::unique_ptr<MediaEngine> media;       // shown in the display area
  std::unique_ptr<MediaEngine> background;  // invisible, plays the music
  std::unique_ptr<FlashEngine> flash;
  std::unique_ptr<WebView> web;
};

// The main window: every control under the name the player's handlers use,
// in its container. It holds no behaviour; the handlers live with their
// subsystems and are wired by the Player.
class Form1 : public Form {
 public:
  Form1(Clock& clock, WindowSystem& windows, FolderReader& disk, Engines engines);

  // Picture stores: invisible images that only hold pictures for the buttons.
  Image Image1{"Image1", this};                                                        // seek bar skin strip
  Image Image14{"Image14", this};                                                      // volume bar skin strip
  Image Image51{"Image51", this};                                                      // pointer over the slider thumb
  Image Image22{"Image22", this}, Image23{"Image23", this};                            // minimise
  Image Image24{"Image24", this}, Image25{"Image25", this};                            // close
  Image Image26{"Image26", this}, Image27{"Image27", this};                            // maximise
  Image Image28{"Image28", this}, Image29{"Image29", this};                            // restore
  Image Image30{"Image30", this}, Image31{"Image31", this};                            // system menu
  Image Image52{"Image52", this}, Image53{"Image53", this};                            // play
  Image Image54{"Image54", this}, Image55{"Image55", this};                            // pause
  Image Image56{"Image56", this}, Image57{"Image57", this};                            // up
  Image Image58{"Image58", this}, Image59{"Image59", this};                            // down
  Image Image60{"Image60", this}, Image61{"Image61", this};                            // loop
  Image Image62{"Image62", this}, Image63{"Image63", this};                            // stop
  Image Image12{"Image12", this}, Image13{"Image13", this};                            // full-screen restore
  Image Image45{"Image45", this}, Image46{"Image46", this}, Image47{"Image47", this};  // channels, selected
  Image Image48{"Image48", this}, Image49{"Image49", this}, Image50{"Image50", this};  // channels, normal

  // The display area.
  MediaPlayer WindowsMediaPlayer1;
  FlashPlayer ShockwaveFlash1;
  WebBrowser WebBrowser1;
  MediaPlayer WindowsMediaPlayer2;  // never shown

  // The list panel.
  Frame Frame1{"Frame1", this};
  OptionButton Option1{"Option1", &Frame1};
  OptionButton Option2{"Option2", &Frame1};
  OptionButton Option3{"Option3", &Frame1};
  DriveListBox Drive1;
  DirListBox Dir1;
  FileListBox File1;

  // Top bar.
  PictureBox Picture2{"Picture2", this};
  Image Image38{"Image38", &Picture2};  // middle, under the caps
  Image Image33{"Image33", &Picture2};
  Image Image39{"Image39", &Picture2};
  Label Label5{"Label5", &Picture2};  // title
  Label Label3{"Label3", &Picture2};  // tabs
  Label Label6{"Label6", &Picture2};
  Label Label7{"Label7", &Picture2};
  Label Label8{"Label8", &Picture2};
  Label Label9{"Label9", &Picture2};
  Image Image21{"Image21", &Picture2};  // system menu
  Image Image17{"Image17", &Picture2};  // minimise
  Image Image16{"Image16", &Picture2};  // maximise
  Image Image19{"Image19", &Picture2};  // restore
  Image Image18{"Image18", &Picture2};  // close

  // Borders and grip.
  PictureBox Picture3{"Picture3", this};
  Image Image35{"Image35", &Picture3};
  PictureBox Picture5{"Picture5", this};
  Image Image36{"Image36", &Picture5};

  // Bottom bar.
  PictureBox Picture4{"Picture4", this};
  Image Image41{"Image41", &Picture4};  // middle, under the caps
  Image Image34{"Image34", &Picture4};
  Image Image40{"Image40", &Picture4};
  Image Image3{"Image3", &Picture4};    // play
  Image Image4{"Image4", &Picture4};    // pause
  Image Image9{"Image9", &Picture4};    // stop
  Image Image6{"Image6", &Picture4};    // previous (media)
  Image Image8{"Image8", &Picture4};    // next (media)
  Image Image20{"Image20", &Picture4};  // loop
  Image Image2{"Image2", &Picture4};    // background music
  Image Image5{"Image5", &Picture4};    // previous (pictures)
  Image Image7{"Image7", &Picture4};    // next (pictures)
  Image Image10{"Image10", &Picture4};  // full screen
  Image Image42{"Image42", &Picture4};  // left channel
  Image Image43{"Image43", &Picture4};  // stereo
  Image Image44{"Image44", &Picture4};  // right channel
  Image Image37{"Image37", &Picture4};  // volume icon
  Label Label1{"Label1", &Picture4};    // elapsed time
  Label Label2{"Label2", &Picture4};    // total time
  tVate tVate1;
  tVate volume;

  PictureBox Picture7{"Picture7", this};  // resize grip
  Image Image32{"Image32", this};
  Frame Frame4{"Frame4", this};
  Frame Frame3{"Frame3", this};
  Image Image11{"Image11", &Frame3};

  // The popup menu over the video, in its order.
  MenuItem menu{"menu", this};
  MenuItem BUT0{"BUT0", &menu};
  MenuItem BUT1{"BUT1", &menu};
  MenuItem BUT17{"BUT17", &menu};
  MenuItem BUT8{"BUT8", &menu};
  MenuItem BUT8A{"BUT8A", &BUT8}, BUT8B{"BUT8B", &BUT8}, BUT8C{"BUT8C", &BUT8}, BUT8D{"BUT8D", &BUT8};
  MenuItem BUT2{"BUT2", &menu};
  MenuItem BUT12{"BUT12", &menu};
  MenuItem BUT4{"BUT4", &menu};
  MenuItem BUT5{"BUT5", &menu};
  MenuItem BUT6{"BUT6", &menu};
  MenuItem BUT7{"BUT7", &menu};
  MenuItem BUT14{"BUT14", &menu};
  MenuItem BUT15{"BUT15", &menu};
  MenuItem BUT9{"BUT9", &menu};
  MenuItem BUT9A{"BUT9A", &BUT9}, BUT9B{"BUT9B", &BUT9}, BUT9C{"BUT9C", &BUT9};
  MenuItem BUT13{"BUT13", &menu};
  MenuItem BUT13A{"BUT13A", &BUT13}, BUT13B{"BUT13B", &BUT13}, BUT13C{"BUT13C", &BUT13};
  // What players of today add: the open file's sound and subtitle tracks
  // (their items made as the menu opens), the speed, going on where a file
  // was left, and a picture of the video.
  MenuItem AudioTracks{"AudioTracks", &menu};
  MenuItem Subtitles{"Subtitles", &menu};
  MenuItem SubtitleFile{"SubtitleFile", &Subtitles};
  MenuItem SubtitlesOff{"SubtitlesOff", &Subtitles};
  MenuItem Speeds{"Speeds", &menu};
  MenuItem Speed050{"Speed050", &Speeds}, Speed075{"Speed075", &Speeds}, Speed100{"Speed100", &Speeds},
      Speed125{"Speed125", &Speeds}, Speed150{"Speed150", &Speeds}, Speed200{"Speed200", &Speeds};
  MenuItem RememberPosition{"RememberPosition", &menu};
  MenuItem Snapshot{"Snapshot", &menu};
  std::vector<std::unique_ptr<MenuItem>> trackItems;
  MenuItem BUT3{"BUT3", &menu};
  MenuItem BUT10{"BUT10", &menu};
  MenuItem BUT11{"BUT11", &menu};

  // Timers.
  Timer Timer1;   // slide show
  Timer Timer2;   // Flash start delay
  Timer Timer3;   // pointer hiding
  Timer Timer4;   // end watch
  Timer Timer5;   // Flash time limit
  Timer Timer6;   // list locate
  Timer Timer7;   // next Flash video
  Timer Timer8;   // time display
  Timer Timer9;   // never ticks: its enabled state is the paused flag
  Timer Timer10;  // list locate
  Timer Timer11;  // grip display
  // How long a step waits for a window state the window manager may never
  // deliver (window/window_state_wait.h).
  Timer WindowStateWait;
  static constexpr int kWindowStateWaitMs = 1000;

  // The paused flag, held by Timer9.
  bool PausedFlag() const { return Timer9.enabled(); }
  void setPausedFlag(bool on) { Timer9.setEnabled(on); }

  // Every popup menu item, submenu items included.
  std::vector<MenuItem*> menuItems();
  // Raised just before the popup menu shows, so that its items show what
  // holds then.
  Event<> MenuOpening;
};

}  // namespace qm
