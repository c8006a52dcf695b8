// Start-up: from the process start until the window is ready, including the
// opening of a file named on the command line.
#include <algorithm>

#include "app/player.h"
#include "app/program_movies.h"
#include "browser/patterns.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "player/flash_host.h"
#include "player/media_kind.h"

namespace qm {

namespace {

constexpr const char* kSettingsFile = "fileinf.ini";
constexpr const char* kDataFolder = "datinf";

std::string withoutQuotes(std::string text) {
  text.erase(std::remove(text.begin(), text.end(), '"'), text.end());
  return text;
}

bool isCommandLineMedia(const std::string& ext) {
  static const char* const kinds[] = {"avi", "wmv", "rmvb", "rm",  "DAT",  "VOB", "mpeg", "mpg",
                                      "wma", "wav", "midi", "mid", "mp3", "mp4", "mkv"};
  for (const char* k : kinds)
    if (ext == k) return true;
  return false;
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

void layOutListPanel(Player& p) {
  Form1& f = p.form;
  f.Drive1.setWidth(f.Frame1.width() - 240);
  for (OptionButton* o : {&f.Option1, &f.Option2, &f.Option3}) {
    o->setTop(0);
    o->setHeight(375);
  }
  f.Drive1.setTop(375);
  f.Dir1.setTop(675);
  f.Frame1.setTop(645);
  f.Frame1.setLeft(120);
  f.Frame1.setWidth(1935);
  f.Frame1.setHeight(f.height() - 1620);
  f.Drive1.setWidth(f.Frame1.width());
  f.Dir1.setWidth(f.Frame1.width());
  f.File1.setTop(2415);
  f.File1.setLeft(0);
  f.File1.setHeight(3315);
  f.File1.setWidth(f.Frame1.width());
  f.Frame1.zOrder(0);
  f.tVate1.zOrder(0);
  f.volume.zOrder(0);
  f.Picture7.setLeft(f.width() - f.Picture7.width());
  f.Picture7.setTop(f.height() - f.Picture7.height());
  f.Timer11.setEnabled(true);
}

// The command-line file, opened straight in its engine by its extension.
void openCommandLineFile(Player& p, const std::string& ext) {
  Form1& f = p.form;
  const double W = f.width(), H = f.height();
  const std::string& file = p.state.CmdFile;
  if (ext == "flv") {
    f.ShockwaveFlash1.setGeometry(120, 645, W - 240, H - 1635);
    f.ShockwaveFlash1.setVisible(true);
    f.WindowsMediaPlayer1.setVisible(false);
    startFlashVideo(p, file, false);
    f.ShockwaveFlash1.zOrder(0);
    f.Timer10.setEnabled(true);
  } else if (ext == "swf") {
    f.ShockwaveFlash1.setGeometry(120, 645, W - 240, H - 1635);
    f.WindowsMediaPlayer1.setVisible(false);
    f.ShockwaveFlash1.setVisible(true);
    f.ShockwaveFlash1.engine().setMovie(file);
    f.ShockwaveFlash1.engine().Play();
    f.Timer6.setEnabled(true);
    f.Timer8.setEnabled(true);
    f.Timer4.setEnabled(true);
  } else if (isCommandLineMedia(ext)) {
    f.WindowsMediaPlayer1.setGeometry(120, 645, W - 240, H - 1650);
    f.ShockwaveFlash1.setVisible(false);
    f.WindowsMediaPlayer1.setVisible(true);
    f.WindowsMediaPlayer1.engine().setURL(file);
    f.Timer6.setEnabled(true);
    f.Timer8.setEnabled(true);
    f.Timer4.setEnabled(true);
  }
  // Anything else, pictures included, is not opened.
}

}  // namespace

bool Player::load(const std::string& commandLine) {
  Form1& f = form;
  PlayerState& s = state;

  // 1. One player per user: a second start ends at once, before it touches
  // the settings or the movies of the player that runs.
  if (!platform.instance.claim()) return false;

  // 2.
  if (!commandLine.empty()) s.CmdLine = commandLine;

  // 3. The movies get their swf names back while the player runs.
  renameProgramFiles(platform.programFolder, ".dll", "swf");

  // 4. The window has no system frame (the screen makes it frameless) and
  // stays above other windows.
  windows().setTopmost(f);

  // 5.
  windows().setScreenSaverActive(false);

  // 6.
  f.WebBrowser1.setVisible(false);
  f.Picture7.setVisible(false);
  f.WindowsMediaPlayer1.setVisible(false);
  f.ShockwaveFlash1.setVisible(false);

  // 7. Fails harmlessly when the command line is quoted or empty.
  f.File1.setPath(GetPathFromFileName(s.CmdLine, std::string(1, kPathSeparator)));

  // 8.
  const std::string ext = GetExtension(files::lookup(withoutQuotes(s.CmdLine)));
  s.CmdFile = withoutQuotes(s.CmdLine);
  s.CmdFileName = files::lookup(s.CmdFile);
  s.ListNum = 0;

  // 9.
  const std::string documents = windows().documentsFolder();

  // 10. A saved folder that no longer exists (or "false") leaves the list
  // where it was.
  const std::string settings = programFile(kSettingsFile);
  if (files::isFile(settings)) {
    f.File1.setPath(profile::getString(settings, "user", "filepath", "false", 255));
    f.Dir1.setPath(f.File1.path());
  } else {
    profile::writeSection(settings, "user", "");
    f.Dir1.setPath(documents);
  }

  // 11. First run.
  if (!files::isFolder(programFile(kDataFolder))) {
    files::makeFolder(programFile(kDataFolder));
    Form4.setVisible(true);
    f.Label8.Click.raise();
  }

  // 12.
  configureSliders(f);

  // 13.
  for (MenuItem* item : f.menuItems()) item->setChecked(false);
  f.BUT2.setChecked(true);
  f.BUT4.setChecked(true);

  // 14.
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

  // 15.
  layOutListPanel(*this);

  // 16.
  f.Label1.setCaption("00:00");
  f.Label2.setCaption("/00:00");

  // 17. Let the window paint.
  if (platform.showWindow) platform.showWindow();
  clock().processEvents();

  // 18.
  openCommandLineFile(*this, ext);

  // 19.
  const std::string folder = GetPathFromFileName(s.CmdFile, std::string(1, kPathSeparator));
  if (!folder.empty()) f.File1.setPath(folder);
  f.File1.setPattern(kStartPattern);
  return true;
}

}  // namespace qm
