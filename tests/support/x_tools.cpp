#include "support/x_tools.h"

#include <QElapsedTimer>
#include <QProcess>

#include "support/event_wait.h"

namespace qm::live {

std::optional<QByteArray> runTool(const QString& program, const QStringList& args, int timeoutMs) {
  QProcess process;
  process.start(program, args);
  if (!process.waitForStarted(timeoutMs)) return std::nullopt;
  if (!process.waitForFinished(timeoutMs)) {
    process.kill();
    process.waitForFinished(1000);
    return std::nullopt;
  }
  if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) return std::nullopt;
  return process.readAllStandardOutput();
}

std::optional<WindowId> findWindow(const QString& title, qint64 pid, int timeoutMs) {
  QStringList args = {"search", "--all", "--onlyvisible"};
  if (pid != 0) args << "--pid" << QString::number(pid);
  args << "--name"
       << "^" + title + "$";  // the pattern comes last
  std::optional<WindowId> found;
  pumpUntil(
      [&] {
        // xdotool ends with 1 while nothing matches.
        if (auto out = runTool("xdotool", args, 2000)) {
          bool ok = false;
          const WindowId id = QString::fromUtf8(*out).section('\n', 0, 0).trimmed().toULong(&ok);
          if (ok) found = id;
        }
        return found.has_value();
      },
      timeoutMs);
  return found;
}

QRect windowGeometry(WindowId window) {
  auto out = runTool("xdotool", {"getwindowgeometry", "--shell", QString::number(window)});
  if (!out) return {};
  int x = 0, y = 0, w = 0, h = 0;
  for (const QByteArray& line : out->split('\n')) {
    const QByteArray value = line.mid(line.indexOf('=') + 1);
    if (line.startsWith("X=")) x = value.toInt();
    if (line.startsWith("Y=")) y = value.toInt();
    if (line.startsWith("WIDTH=")) w = value.toInt();
    if (line.startsWith("HEIGHT=")) h = value.toInt();
  }
  return QRect(x, y, w, h);
}

QRect settledGeometry(WindowId window, int timeoutMs) {
  QRect last = windowGeometry(window);
  QRect settled;
  pumpUntil(
      [&] {
        pumpFor(100);
        const QRect now = windowGeometry(window);
        if (now == last && !now.isEmpty()) settled = now;
        last = now;
        return !settled.isEmpty();
      },
      timeoutMs);
  return settled;
}

bool Pointer::xdotool(const QStringList& args) {
  const bool ok = runTool("xdotool", args).has_value();
  pumpFor(settleMs_);
  return ok;
}

bool Pointer::moveTo(QPoint p) {
  return xdotool({"mousemove", "--sync", QString::number(p.x()), QString::number(p.y())});
}
bool Pointer::press(int button) { return xdotool({"mousedown", QString::number(button)}); }
bool Pointer::release(int button) { return xdotool({"mouseup", QString::number(button)}); }
bool Pointer::click(QPoint p, int button) { return moveTo(p) && press(button) && release(button); }

bool Pointer::drag(QPoint from, QPoint to, int steps) {
  if (!moveTo(from) || !press(1)) return false;
  bool ok = true;
  for (int i = 1; i <= steps; ++i) ok = moveTo(from + (to - from) * i / steps) && ok;
  return release(1) && ok;
}

QImage grabScreen(const QRect& area) {
  QStringList args = {"-window", "root"};
  if (!area.isEmpty())
    args << "-crop" << QString("%1x%2+%3+%4").arg(area.width()).arg(area.height()).arg(area.x()).arg(area.y())
         << "+repage";
  args << "ppm:-";
  auto out = runTool("import", args);
  if (!out) return {};
  QImage image;
  image.loadFromData(*out, "PPM");
  return image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace qm::live
