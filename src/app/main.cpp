// The player's process: builds the player on this desktop, runs the start-up,
// and ends with the shutdown however the process is asked to end.
#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QSocketNotifier>
#include <clocale>
#include <csignal>

#include "app/desktop_player.h"
#include "platform/desktop/program_folder.h"

namespace {

int signalPipe[2] = {-1, -1};

void onTerminationSignal(int) {
  char c = 1;
  [[maybe_unused]] auto n = ::write(signalPipe[1], &c, 1);
}

// The command line is one file path; a path relative to the folder the
// player was started in is made absolute, as a file manager would pass it.
std::string commandLine(const QStringList& arguments) {
  QStringList rest = arguments.mid(1);
  QString line = rest.join(' ');
  if (line.isEmpty()) return {};
  QString unquoted = QString(line).remove('"');
  if (QDir::isRelativePath(unquoted)) return QDir::current().absoluteFilePath(unquoted).toStdString();
  return line.toStdString();
}

// Extra libmpv options from the environment, "name=value,name=value", for
// diagnostics (the tests send the sound to a file this way).
qm::MpvEngine::Options engineOptions(const char* variable) {
  qm::MpvEngine::Options options;
  const QString text = qEnvironmentVariable(variable);
  for (const QString& item : text.split(',', Qt::SkipEmptyParts)) {
    const qsizetype eq = item.indexOf('=');
    if (eq > 0) options.emplace_back(item.left(eq).toStdString(), item.mid(eq + 1).toStdString());
  }
  return options;
}

}  // namespace

int main(int argc, char** argv) {
  // The web engine of the Flash runtime shares its GL contexts with Qt's.
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication app(argc, argv);
  std::setlocale(LC_NUMERIC, "C");  // libmpv parses numbers in the C locale
  app.setApplicationName("quilmora");
  app.setQuitOnLastWindowClosed(false);

  // SIGTERM and SIGINT end the player through its shutdown, on the UI thread.
  if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) == 0) {
    std::signal(SIGTERM, onTerminationSignal);
    std::signal(SIGINT, onTerminationSignal);
  }

  qm::DesktopPlayer::Options options;
  options.programFolder = qm::chooseProgramFolder(QCoreApplication::applicationDirPath().toStdString());
  options.ruffleFolder = (QCoreApplication::applicationDirPath() + "/ruffle").toStdString();
  options.media = engineOptions("QUILMORA_MPV_OPTIONS");
  options.music = engineOptions("QUILMORA_MUSIC_MPV_OPTIONS");
  options.quit = [] { QCoreApplication::exit(0); };
  qm::DesktopPlayer desktop(std::move(options));
  qm::Player& player = desktop.player();

  QSocketNotifier terminationNotifier(signalPipe[0], QSocketNotifier::Read);
  QObject::connect(&terminationNotifier, &QSocketNotifier::activated, [&player] {
    char c;
    [[maybe_unused]] auto n = ::read(signalPipe[0], &c, 1);
    player.form.closeRequested.raise();
  });

  if (!player.load(commandLine(app.arguments()))) return 0;  // another player runs
  const int code = app.exec();
  player.unload();
  return code;
}
