// Start-up: from the process start until the window is ready, including the
// opening of a file named on the command line.
#include "player/startup.h"

#include <algorithm>

#include "forms/form1_geometry.h"
#include "forms/player_context.h"
#include "model/paths.h"
#include "player/advancing.h"
#include "player/flash_host.h"
#include "player/media_kind.h"
#include "player/program_movies.h"
#include "player/resume.h"
#include "window/list_panel.h"

namespace qm {

namespace {

constexpr const char* kDataFolder = "datinf";

// The file a command line names: its quotes are a caller's, gone from the
// name, unless the line as it stands is a file (names here may hold quotes).
std::string commandFile(FileSystem& files, const std::string& line) {
  return files.isFile(line) ? line : withoutQuotes(line);
}

void configureSliders(Form1& f) {
  f.tVate1.setMax(100);
  f.tVate1.setValue(0);
  f.tVate1.setStyle(2);
  f.tVate1.setCanMove(true);
  f.tVate1.setBite_LP(2);
  f.tVate1.setBite_RP(2);
  f.tVate1.setPicture(f.Image1.picture(), 17, 17, 1, 1, 16);
  f.volume.setStyle(2);
  f.volume.setCanMove(true);
  f.volume.setBite_RP(2);
  f.volume.setBite_LP(2);
  f.volume.setValue(50);
  f.volume.setPicture(f.Image14.picture(), 5, 5, 1, 1, 12);
  f.tVate1.setcMouseIcon(f.Image51.picture());
  f.volume.setcMouseIcon(f.Image51.picture());
}

void layOutListPanel(PlayerContext& p) {
  using namespace geometry;
  Form1& f = p.form;
  f.Drive1.setWidth(f.Frame1.width() - kDriveListMargin);
  for (OptionButton* o : {&f.Option1, &f.Option2, &f.Option3}) {
    o->setTop(0);
    o->setHeight(kFilterButtonHeight);
  }
  f.Drive1.setTop(kFilterButtonHeight);
  f.Dir1.setTop(kFolderListTop);
  f.Frame1.setTop(kDisplayTop);
  f.Frame1.setLeft(kDisplayLeft);
  f.Frame1.setWidth(kPanelWidth);
  f.Frame1.setHeight(f.height() - kPanelHeightMargin);
  f.Drive1.setWidth(f.Frame1.width());
  f.Dir1.setWidth(f.Frame1.width());
  f.File1.setTop(kFileListTop);
  f.File1.setLeft(0);
  f.File1.setHeight(kFileListHeight);
  keepFileListInPanel(f);
  f.File1.setWidth(f.Frame1.width());
  f.Frame1.zOrder(0);
  f.tVate1.zOrder(0);
  f.volume.zOrder(0);
  f.Picture7.setLeft(f.width() - f.Picture7.width());
  f.Picture7.setTop(f.height() - f.Picture7.height());
  f.Timer11.setEnabled(true);
}

// The command-line file, opened straight in its engine by its extension.
void openCommandLineFile(PlayerContext& p, const std::string& ext) {
  using namespace geometry;
  Form1& f = p.form;
  const double W = f.width(), H = f.height();
  const std::string& file = p.state.CmdFile;
  if (ext == "flv") {
    f.ShockwaveFlash1.setGeometry(kDisplayLeft, kDisplayTop, W - kOpenedWidthMargin, H - kDisplayHeightMargin);
    f.ShockwaveFlash1.setVisible(true);
    f.WindowsMediaPlayer1.setVisible(false);
    startFlashVideo(p, file, false);
    f.ShockwaveFlash1.zOrder(0);
    f.Timer10.setEnabled(true);
  } else if (ext == "swf") {
    f.ShockwaveFlash1.setGeometry(kDisplayLeft, kDisplayTop, W - kOpenedWidthMargin, H - kDisplayHeightMargin);
    f.WindowsMediaPlayer1.setVisible(false);
    f.ShockwaveFlash1.setVisible(true);
    f.ShockwaveFlash1.engine().setMovie(file);
    f.ShockwaveFlash1.engine().Play();
    f.Timer6.setEnabled(true);
    f.Timer8.setEnabled(true);
    watchEnd(p);
  } else if (opensFromCommandLine(ext)) {
    f.WindowsMediaPlayer1.setGeometry(kDisplayLeft, kDisplayTop, W - kOpenedWidthMargin,
                                      H - kCommandLineMediaHeightMargin);
    f.ShockwaveFlash1.setVisible(false);
    f.WindowsMediaPlayer1.setVisible(true);
    f.WindowsMediaPlayer1.engine().setURL(file);
    f.Timer6.setEnabled(true);
    f.Timer8.setEnabled(true);
    watchEnd(p);
  }
  // Anything else, pictures included, is not opened.
}

}  // namespace

std::string mediaFileOfCommandLine(FileSystem& files, const std::string& commandLine) {
  const std::string file = commandFile(files, commandLine);
  return opensFromCommandLine(GetExtension(files.lookup(file))) ? file : std::string();
}

bool startUp(PlayerContext& p, const std::string& commandLine) {
  Form1& f = p.form;
  PlayerState& s = p.state;

  // One player per user: a second start ends at once, before it touches the
  // settings or the movies of the player that runs. A lock that cannot be
  // made at all is said, not mistaken for another player.
  if (!p.instance.claim()) {
    if (!p.instance.claimFailure().empty()) p.windows.messageBox("无法启动 Quilmora：" + p.instance.claimFailure());
    return false;
  }

  if (!commandLine.empty()) s.CmdLine = commandLine;

  // The movies get their swf names back while the player runs.
  renameProgramFiles(p.files, p.programFolder, ".dll", "swf");

  // The window has no system frame (the screen makes it frameless) and stays
  // above other windows; the screen saver stays away while it runs.
  p.windows.setTopmost(f);
  p.windows.setScreenSaverActive(false);

  // Nothing shows in the display area until something is opened.
  f.WebBrowser1.setVisible(false);
  f.Picture7.setVisible(false);
  f.WindowsMediaPlayer1.setVisible(false);
  f.ShockwaveFlash1.setVisible(false);

  // The command line's folder; refused harmlessly when the line is quoted or
  // empty.
  f.File1.setPath(GetPathFromFileName(s.CmdLine, std::string(1, kPathSeparator)));

  s.CmdFile = commandFile(p.files, s.CmdLine);
  const std::string ext = GetExtension(p.files.lookup(s.CmdFile));
  s.CmdFileName = p.files.lookup(s.CmdFile);
  s.ListNum = 0;
  // The media engine may start opening the command-line file now (if it has
  // not already), unseen and silent, while the window is built; it still
  // shows only once the window has painted and the file is opened below.
  if (opensFromCommandLine(ext)) f.WindowsMediaPlayer1.engine().preload(s.CmdFile);

  // The folder the list showed last. A saved folder the list refuses (a
  // removed disk, a broken file, a missing key) starts in the documents
  // folder, as the first run does, rather than with an empty list.
  const std::string documents = p.windows.documentsFolder();
  const std::string settings = p.programFile(kSettingsFile);
  bool restored = false;
  if (p.files.isFile(settings)) {
    restored = f.File1.setPath(p.settings.getString(settings, "user", "filepath", "false", 255));
    if (restored) f.Dir1.setPath(f.File1.path());
  } else {
    p.settings.writeSection(settings, "user", "");
  }
  if (!restored) f.Dir1.setPath(documents);

  // The first run: the data folder marks that it is over, and the user
  // chooses the file types the player opens.
  if (!p.files.isFolder(p.programFile(kDataFolder))) {
    p.files.makeFolder(p.programFile(kDataFolder));
    p.Form4.show();
    // The home page greets a first start, but never covers a file named on
    // the command line, which plays at once.
    if (s.CmdFile.empty()) f.Label8.Click.raise();
  }

  configureSliders(f);

  // The menu starts with native size and play/pause marked.
  for (MenuItem* item : f.menuItems()) item->setChecked(false);
  f.BUT2.setChecked(true);
  f.BUT4.setChecked(true);
  loadRememberPosition(p);

  // The media button set, with the restore button of the normal window.
  f.Image2.setVisible(false);
  f.Image5.setVisible(false);
  f.Image7.setVisible(false);
  f.Image3.setVisible(true);
  f.Image6.setVisible(true);
  f.Image8.setVisible(true);
  f.Image4.setVisible(true);
  f.Image9.setVisible(true);
  f.Image19.setVisible(true);
  f.Image20.setVisible(true);
  f.Image16.setVisible(false);
  f.Dir1.setVisible(true);

  layOutListPanel(p);

  f.Label1.setCaption("00:00");
  f.Label2.setCaption("/00:00");

  // The window shows and paints before the command-line file opens.
  f.show();
  p.clock.processEvents();

  openCommandLineFile(p, ext);

  // The list moves to the command-line file's folder and shows all media.
  // The folder list goes there too (its change moves the file list), as
  // after a file chosen in the open dialog: it would otherwise still show
  // the folder saved last time beside the files of this one.
  const std::string folder = GetPathFromFileName(s.CmdFile, std::string(1, kPathSeparator));
  if (!folder.empty() && !(f.Dir1.setPath(folder) && f.File1.path() == f.Dir1.path())) f.File1.setPath(folder);
  f.File1.setPattern(allMediaPattern());
  return true;
}

}  // namespace qm
