#pragma once

#include <QElapsedTimer>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace qm {

// A program of the test machine run for one test, ended with it.
class HelperProcess {
 public:
  ~HelperProcess() {
    if (process.state() != QProcess::NotRunning) {
      process.terminate();
      if (!process.waitForFinished(2000)) {
        process.kill();
        process.waitForFinished(2000);
      }
    }
  }
  // The first line it prints, or empty when it prints nothing in time.
  QString startAndReadLine(const QString& program, const QStringList& arguments) {
    process.start(program, arguments);
    if (!process.waitForStarted(5000)) return {};
    QElapsedTimer waited;
    waited.start();
    while (!process.canReadLine() && waited.elapsed() < 10000) process.waitForReadyRead(100);
    return QString::fromUtf8(process.readLine()).trimmed();
  }
  QProcess process;
};

}  // namespace qm
