#pragma once

#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>
#include <optional>
#include <string>

#include "support/temp_dir.h"
#include "support/x_tools.h"

namespace qm::e2e {

// One run of the built player as its user would start it, kept away from
// the build and from other runs: its own program folder holding copies of
// the build's program files, its own home, settings and runtime folder.
// The sound goes nowhere (ao=null) unless a test sets QUILMORA_MPV_OPTIONS.
// A player still running when the object goes is killed.
class PlayerRun {
 public:
  // `runtimeFolder` empty: a private one; the same folder for two runs makes
  // them the same user for the one-player-per-user rule.
  explicit PlayerRun(std::string runtimeFolder = {});
  ~PlayerRun();
  PlayerRun(const PlayerRun&) = delete;
  PlayerRun& operator=(const PlayerRun&) = delete;

  // False when the program folder could not be laid out.
  bool ready() const { return ready_; }
  const std::string& programFolder() const { return programFolder_; }
  std::string programFile(const std::string& name) const;
  const std::string& runtimeFolder() const { return runtimeFolder_; }
  // A folder of this run for the test's own files.
  std::string scratch(const std::string& name) const;

  // Ruffle beside the executable, as the build lays it out: movies with
  // something to show play.
  bool addRuffle();
  void setEnv(const QString& name, const QString& value);
  void unsetEnv(const QString& name);
  bool start(const QStringList& arguments = {});
  qint64 pid() const { return process_.processId(); }

  // The player's main window once it is visible.
  std::optional<live::WindowId> waitForWindow(int timeoutMs);
  // True while the process has not ended.
  bool running();
  // Waits for the end; true when it ended in time.
  bool waitForExit(int timeoutMs);
  // Sends SIGTERM and waits; true when it ended in time.
  bool terminate(int timeoutMs);
  // Exit code of a process that ended by itself (-1 for a crash).
  int exitCode() const;
  // "user"/"filepath" of the settings file in the program folder; nothing
  // when the file or the key is missing.
  std::optional<std::string> savedFolder() const;
  // Whether the program folder holds a file of that name.
  bool hasProgramFile(const std::string& name) const;

  // The end of what the player printed, for failure messages.
  std::string output() const;

 private:
  test::TempDir dir_;
  std::string programFolder_;
  std::string runtimeFolder_;
  QProcessEnvironment env_;
  QProcess process_;
  bool ready_ = false;
};

// Whether two paths name the same existing folder.
bool sameFolder(const std::string& a, const std::string& b);

}  // namespace qm::e2e
