#pragma once

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <optional>

namespace qm::live {

// Standard output of a program run to its end; nothing when it could not
// start, failed or ran out of time.
std::optional<QByteArray> runTool(const QString& program, const QStringList& args, int timeoutMs = 10000);

using WindowId = unsigned long;

// The visible top-level window titled exactly `title`, of process `pid` when
// it is not 0. Polls until `timeoutMs` passed, running Qt events meanwhile.
std::optional<WindowId> findWindow(const QString& title, qint64 pid, int timeoutMs);
// Place and size on the screen; empty when the window is gone.
QRect windowGeometry(WindowId window);
// The place once it holds still for a moment (a new window may be shown at
// one place and moved right after); empty when it does not within timeoutMs.
QRect settledGeometry(WindowId window, int timeoutMs = 2000);

// The mouse, moved and pressed through xdotool in screen coordinates. After
// each step Qt events run for a moment so the X server, and a window of
// this process, see one step before the next.
class Pointer {
 public:
  explicit Pointer(int settleMs = 60) : settleMs_(settleMs) {}
  bool moveTo(QPoint p);
  bool press(int button = 1);
  bool release(int button = 1);
  bool click(QPoint p, int button = 1);
  // Press at `from`, move in `steps` even steps to `to`, release there.
  bool drag(QPoint from, QPoint to, int steps);

 private:
  bool xdotool(const QStringList& args);
  int settleMs_;
};

// What the X server shows: the whole screen, or `area` of it.
QImage grabScreen(const QRect& area = {});

}  // namespace qm::live
