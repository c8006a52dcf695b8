#pragma once

#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QString>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace qm::e2e {

// A Wayland compositor of one test only: weston drawing with pixman, its
// socket in a runtime folder of its own (0700), headless: it draws into
// memory and has no pointer. Its debug
// protocol is on, so the test can take screenshots of its output and read
// its scene graph: the windows as the compositor has them, front to back,
// with their places.
class WestonCompositor {
 public:
  struct Window {
    std::string role;   // "xdg_toplevel", "xdg_popup"
    std::string title;  // empty for a popup
    QRect place;        // on the output, in pixels
  };

  // Whether weston and its screenshot and debug tools are installed.
  static bool installed();

  WestonCompositor(int width, int height);
  ~WestonCompositor();
  WestonCompositor(const WestonCompositor&) = delete;
  WestonCompositor& operator=(const WestonCompositor&) = delete;

  // False when weston did not start; error() says why.
  bool ok() const { return ok_; }
  const std::string& error() const { return error_; }
  // The socket's full path, for WAYLAND_DISPLAY.
  QString socket() const;

  // The whole output; a null image when the screenshot failed.
  QImage screenshot();
  // The program windows on the output, the front one first.
  std::vector<Window> windows();
  // From now on, every surface the compositor is handed (weston's timeline):
  // true once the stream is live.
  bool watchSurfaces();
  // What each surface seen since was, in order ("top-level window 'TITLE'
  // of APP"): a window made anew is a second surface.
  std::vector<std::string> surfacesSeen();

 private:
  // The end of what weston printed.
  std::string log() const;
  // Runs a weston client tool to its end in `folder`; its standard output.
  QByteArray runClient(const QString& program, const QStringList& args, const QString& folder);

  test::TempDir dir_;
  QString runtimeFolder_;
  QProcessEnvironment env_;
  QProcess weston_;
  QProcess timeline_;
  QByteArray timelineText_;
  bool ok_ = false;
  std::string error_;
};

// The first window whose title is `title`; an empty place when none.
WestonCompositor::Window windowTitled(const std::vector<WestonCompositor::Window>& windows, const std::string& title);

}  // namespace qm::e2e
