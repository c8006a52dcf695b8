#include "e2e/weston_compositor.h"

#include <sys/prctl.h>
#include <sys/stat.h>

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStandardPaths>
#include <csignal>
#include <filesystem>

#include "support/event_wait.h"
#include "support/x_tools.h"

namespace qm::e2e {

namespace {

const char* const kSocketName = "quilmora-test";

}  // namespace

bool WestonCompositor::installed() {
  for (const char* tool : {"weston", "weston-screenshooter", "weston-debug"})
    if (QStandardPaths::findExecutable(tool).isEmpty()) return false;
  return true;
}

WestonCompositor::WestonCompositor(int width, int height) {
  runtimeFolder_ = QString::fromStdString(dir_.path() + "/runtime");
  std::filesystem::create_directories(runtimeFolder_.toStdString());
  ::chmod(runtimeFolder_.toLocal8Bit().constData(), 0700);

  QProcessEnvironment westonEnv = QProcessEnvironment::systemEnvironment();
  westonEnv.insert("XDG_RUNTIME_DIR", runtimeFolder_);
  westonEnv.remove("WAYLAND_DISPLAY");
  westonEnv.remove("DISPLAY");
  weston_.setProcessEnvironment(westonEnv);
  weston_.setProcessChannelMode(QProcess::MergedChannels);
  weston_.setStandardOutputFile(QString::fromStdString(dir_.path() + "/weston.log"));
  weston_.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
  weston_.start("weston", {"--backend=headless-backend.so", "--use-pixman", QString("--width=%1").arg(width),
                           QString("--height=%1").arg(height), QString("--socket=") + kSocketName, "--no-config",
                           "--idle-time=0", "--debug"});
  if (!weston_.waitForStarted(5000)) {
    error_ = "weston did not start";
    return;
  }
  // The socket is there once weston listens.
  ok_ = live::pumpUntil([this] { return QFileInfo::exists(socket()) || weston_.state() == QProcess::NotRunning; },
                        10000) &&
        weston_.state() == QProcess::Running;
  if (!ok_) error_ = "weston did not listen: " + log();
  // The clients' environment (the tools; the player takes socket()): the
  // compositor only.
  env_ = westonEnv;
  env_.remove("DISPLAY");
  env_.insert("WAYLAND_DISPLAY", socket());
}

WestonCompositor::~WestonCompositor() {
  if (timeline_.state() != QProcess::NotRunning) {
    timeline_.kill();
    timeline_.waitForFinished(2000);
  }
  if (weston_.state() == QProcess::NotRunning) return;
  weston_.terminate();
  if (!weston_.waitForFinished(3000)) {
    weston_.kill();
    weston_.waitForFinished(2000);
  }
}

std::string WestonCompositor::log() const {
  QFile file(QString::fromStdString(dir_.path() + "/weston.log"));
  file.open(QIODevice::ReadOnly);
  return file.readAll().right(2000).toStdString();
}

QString WestonCompositor::socket() const { return runtimeFolder_ + "/" + kSocketName; }

QByteArray WestonCompositor::runClient(const QString& program, const QStringList& args, const QString& folder) {
  QProcess tool;
  tool.setProcessEnvironment(env_);
  tool.setWorkingDirectory(folder);
  tool.start(program, args);
  if (!tool.waitForStarted(5000)) return {};
  QByteArray out;
  // The loop runs meanwhile, as the player of this test may wait on it.
  live::pumpUntil(
      [&] {
        out += tool.readAllStandardOutput();
        return tool.state() == QProcess::NotRunning;
      },
      10000);
  if (tool.state() != QProcess::NotRunning) {
    tool.kill();
    tool.waitForFinished(2000);
  }
  return out + tool.readAllStandardOutput();
}

// The screenshooter writes a file named by the time into its working folder.
QImage WestonCompositor::screenshot() {
  const QString folder = QString::fromStdString(dir_.path() + "/shots");
  QDir().mkpath(folder);
  for (const QString& old : QDir(folder).entryList({"*.png"})) QFile::remove(folder + "/" + old);
  runClient("weston-screenshooter", {}, folder);
  const QStringList shots = QDir(folder).entryList({"*.png"});
  return shots.isEmpty() ? QImage() : QImage(folder + "/" + shots.first());
}

// The scene graph lists the layers from the front, each with its views from
// the front: "View 0 (role xdg_toplevel, ..., top-level window 'TITLE' of
// APP, 0x...):" and then "position: (x1, y1) -> (x2, y2)".
std::vector<WestonCompositor::Window> WestonCompositor::windows() {
  const QString text = QString::fromUtf8(runClient("weston-debug", {"scene-graph"}, runtimeFolder_));
  static const QRegularExpression view(R"(View \d+ \(role (xdg_toplevel|xdg_popup), (.*)\):)");
  static const QRegularExpression title(R"(top-level window '(.*)' of )");
  static const QRegularExpression position(R"(position: \((-?\d+), (-?\d+)\) -> \((-?\d+), (-?\d+)\))");
  std::vector<Window> found;
  const QStringList lines = text.split('\n');
  for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
    const auto v = view.match(lines[i]);
    const auto p = position.match(lines[i + 1]);
    if (!v.hasMatch() || !p.hasMatch()) continue;
    Window w;
    w.role = v.captured(1).toStdString();
    if (const auto t = title.match(v.captured(2)); t.hasMatch()) w.title = t.captured(1).toStdString();
    w.place = QRect(QPoint(p.captured(1).toInt(), p.captured(2).toInt()),
                    QPoint(p.captured(3).toInt() - 1, p.captured(4).toInt() - 1));
    found.push_back(w);
  }
  return found;
}

// The stream names each object once, the first time an event of it comes:
// a repaint asked for by a screenshot shows that it is live.
bool WestonCompositor::watchSurfaces() {
  timeline_.setProcessEnvironment(env_);
  timeline_.setWorkingDirectory(runtimeFolder_);
  timeline_.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
  timeline_.start("weston-debug", {"timeline"});
  if (!timeline_.waitForStarted(5000)) return false;
  return live::pumpUntil(
      [this] {
        screenshot();
        timelineText_ += timeline_.readAllStandardOutput();
        return timelineText_.contains("\"core_repaint");
      },
      10000);
}

std::vector<std::string> WestonCompositor::surfacesSeen() {
  timelineText_ += timeline_.readAllStandardOutput();
  std::vector<std::string> seen;
  for (const QByteArray& line : timelineText_.split('\n')) {
    const QJsonObject object = QJsonDocument::fromJson(line).object();
    if (object.value("type").toString() == "weston_surface")
      seen.push_back(object.value("desc").toString().toStdString());
  }
  return seen;
}

WestonCompositor::Window windowTitled(const std::vector<WestonCompositor::Window>& windows, const std::string& title) {
  for (const auto& w : windows)
    if (w.title == title) return w;
  return {};
}

}  // namespace qm::e2e
