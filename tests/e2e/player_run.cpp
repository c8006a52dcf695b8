#include "e2e/player_run.h"

#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>

#include <QFile>
#include <filesystem>
#include <fstream>

namespace qm::e2e {

namespace fs = std::filesystem;

namespace {

// The program and the files the player keeps beside it.
const char* const kProgramFiles[] = {"quilmora",  "quilmora-webengine.so", "0.dll",    "power.dll",
                                     "music.wma", "Quilmora.chm",          "dorl.chm", "home.html"};

bool copyProgramFile(const fs::path& from, const fs::path& to) {
  std::error_code ec;
  // A link costs nothing and the player never writes its executable; the
  // other files may be renamed by the player, and a rename only moves the
  // run's own link.
  fs::create_hard_link(from, to, ec);
  if (ec) fs::copy_file(from, to, ec);
  return !ec;
}

}  // namespace

PlayerRun::PlayerRun(std::string runtimeFolder) {
  const fs::path root = dir_.path();
  programFolder_ = (root / "program").string();
  runtimeFolder_ = runtimeFolder.empty() ? (root / "runtime").string() : std::move(runtimeFolder);
  std::error_code ec;
  for (const char* sub : {"program", "home/Documents", "home/.config", "home/.local/share", "home/.cache"})
    fs::create_directories(root / sub, ec);
  fs::create_directories(runtimeFolder_, ec);
  ::chmod(runtimeFolder_.c_str(), 0700);
  ready_ = true;
  for (const char* name : kProgramFiles)
    ready_ = copyProgramFile(fs::path(QM_PROGRAM_DIR) / name, root / "program" / name) && ready_;

  env_ = QProcessEnvironment::systemEnvironment();
  env_.insert("HOME", QString::fromStdString((root / "home").string()));
  env_.insert("XDG_CONFIG_HOME", QString::fromStdString((root / "home/.config").string()));
  env_.insert("XDG_DATA_HOME", QString::fromStdString((root / "home/.local/share").string()));
  env_.insert("XDG_CACHE_HOME", QString::fromStdString((root / "home/.cache").string()));
  env_.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtimeFolder_));
  env_.insert("QT_QPA_PLATFORM", "xcb");
  env_.insert("QUILMORA_MPV_OPTIONS", "ao=null");
  env_.insert("QUILMORA_MUSIC_MPV_OPTIONS", "ao=null");
  // No session bus of the test machine is to be touched, and none is
  // autolaunched either (see the integration tests' main): an address that
  // fails at once. A test with a bus of its own sets its address.
  env_.insert("DBUS_SESSION_BUS_ADDRESS", "disabled:");
  // A log file, not a pipe: a pipe nobody reads would stall a talkative player.
  process_.setProcessChannelMode(QProcess::MergedChannels);
  process_.setStandardOutputFile(QString::fromStdString((root / "player.log").string()));
}

PlayerRun::~PlayerRun() {
  if (process_.state() != QProcess::NotRunning) {
    process_.kill();
    process_.waitForFinished(3000);
  }
}

bool PlayerRun::addRuffle() {
  std::error_code ec;
  fs::create_directory_symlink(fs::path(QM_PROGRAM_DIR) / "ruffle", fs::path(programFolder_) / "ruffle", ec);
  return !ec && fs::exists(fs::path(programFolder_) / "ruffle" / "ruffle.js");
}

std::string PlayerRun::programFile(const std::string& name) const { return programFolder_ + "/" + name; }

std::string PlayerRun::scratch(const std::string& name) const {
  const fs::path folder = fs::path(dir_.path()) / "files" / name;
  std::error_code ec;
  fs::create_directories(folder, ec);
  return folder.string();
}

void PlayerRun::setEnv(const QString& name, const QString& value) { env_.insert(name, value); }

void PlayerRun::unsetEnv(const QString& name) { env_.remove(name); }

bool PlayerRun::start(const QStringList& arguments) {
  process_.setProcessEnvironment(env_);
  // The player goes with the test program, even when a test crashes it.
  process_.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
  process_.setWorkingDirectory(QString::fromStdString(dir_.path()));
  process_.start(QString::fromStdString(programFile("quilmora")), arguments);
  return process_.waitForStarted(5000);
}

std::optional<live::WindowId> PlayerRun::waitForWindow(int timeoutMs) {
  // The title names the file that plays: "clip.mp4 - Quilmora".
  return live::findWindow("(.* - )?Quilmora", pid(), timeoutMs);
}

bool PlayerRun::running() {
  process_.waitForFinished(0);  // lets QProcess notice an end
  return process_.state() != QProcess::NotRunning;
}

bool PlayerRun::waitForExit(int timeoutMs) {
  return process_.state() == QProcess::NotRunning || process_.waitForFinished(timeoutMs);
}

bool PlayerRun::terminate(int timeoutMs) {
  if (process_.state() == QProcess::NotRunning) return true;
  ::kill(static_cast<pid_t>(process_.processId()), SIGTERM);
  return process_.waitForFinished(timeoutMs);
}

int PlayerRun::exitCode() const {
  if (process_.state() != QProcess::NotRunning || process_.exitStatus() != QProcess::NormalExit) return -1;
  return process_.exitCode();
}

std::optional<std::string> PlayerRun::savedFolder() const {
  std::ifstream in(programFile("fileinf.ini"));
  std::string line;
  bool inUser = false;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind('[', 0) == 0)
      inUser = line == "[user]";
    else if (inUser && line.rfind("filepath=", 0) == 0)
      return line.substr(9);
  }
  return std::nullopt;
}

bool PlayerRun::hasProgramFile(const std::string& name) const { return fs::exists(programFile(name)); }

std::string PlayerRun::output() const {
  QFile log(QString::fromStdString(dir_.path() + "/player.log"));
  if (!log.open(QIODevice::ReadOnly)) return {};
  return log.readAll().right(4000).toStdString();
}

bool sameFolder(const std::string& a, const std::string& b) {
  std::error_code ec;
  return fs::is_directory(a, ec) && fs::equivalent(a, b, ec) && !ec;
}

}  // namespace qm::e2e
