// The player's process: builds the player on this desktop, runs the start-up,
// and ends with the shutdown however the process is asked to end.
#include <fontconfig/fontconfig.h>
#include <malloc.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QSocketNotifier>
#include <QTimer>
#include <QTranslator>
#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "app/command_line.h"
#include "app/desktop_player.h"
#include "app/large_blocks.h"
#include "platform/desktop/program_folder.h"
#include "platform/fs/local_files.h"
#include "platform/mpv/hardware_decoding.h"

namespace {

int signalPipe[2] = {-1, -1};

void onTerminationSignal(int) {
  char c = 1;
  [[maybe_unused]] auto n = ::write(signalPipe[1], &c, 1);
}

std::string currentFolder() {
  std::vector<char> buffer(4096);
  while (!::getcwd(buffer.data(), buffer.size())) {
    if (errno != ERANGE || buffer.size() > (1u << 20)) return "/";
    buffer.resize(buffer.size() * 2);
  }
  return buffer.data();
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
  qm::returnLargeBlocksToTheSystem();
  // SIGTERM and SIGINT end the player through its shutdown, on the UI
  // thread, whenever they come: the handler is in place before anything
  // else, and what it writes waits until the player can shut down.
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) == 0) {
    std::signal(SIGTERM, onTerminationSignal);
    std::signal(SIGINT, onTerminationSignal);
  }
  // fontconfig reads its configuration and font caches on the other core
  // while the window is built; the window's first text would wait for it.
  std::jthread fontConfiguration([] { FcInit(); });

  // No OpenGL context is made at the start (Qt makes one for sharing when
  // asked to): the web engine, the only user of OpenGL, is a module loaded
  // when a page or a Flash movie needs it.
  QApplication app(argc, argv);
  std::setlocale(LC_NUMERIC, "C");  // libmpv parses numbers in the C locale
  app.setApplicationName("quilmora");
  // The windows' icon on the desktop, as the installed desktop entry shows it.
  QIcon icon;
  for (int size : {16, 32, 48, 64}) icon.addFile(QString(":/icons/quilmora-%1.png").arg(size));
  app.setWindowIcon(icon);
  app.setDesktopFileName("quilmora");
  app.setQuitOnLastWindowClosed(false);
  // The player speaks Chinese; so do Qt's own dialogs (the open-file dialog).
  QTranslator qtTexts;
  if (qtTexts.load("qtbase_zh_CN", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) app.installTranslator(&qtTexts);

  // The arguments as bytes (Qt's own options are gone by now). A first
  // argument --no-hwdec keeps video decoding on the CPU.
  std::vector<std::string> arguments(argv, argv + argc);
  bool hardwareDecoding = true;
  if (arguments.size() > 1 && arguments[1] == "--no-hwdec") {
    hardwareDecoding = false;
    arguments.erase(arguments.begin() + 1);
  }

  bool quitting = false;
  qm::DesktopPlayer::Options options;
  options.programFolder = qm::chooseProgramFolder(QCoreApplication::applicationDirPath().toStdString());
  options.executable = QCoreApplication::applicationFilePath().toStdString();
  options.ruffleFolder = (QCoreApplication::applicationDirPath() + "/ruffle").toStdString();
  options.media = engineOptions("QUILMORA_MPV_OPTIONS");
  // Before the environment's options, which may turn it off as well.
  if (const std::string hwdec = qm::hardwareDecodingOption(); hardwareDecoding && !hwdec.empty())
    options.media.insert(options.media.begin(), {"hwdec", hwdec});
  options.music = engineOptions("QUILMORA_MUSIC_MPV_OPTIONS");
  options.quit = [&quitting] {
    quitting = true;
    QCoreApplication::exit(0);
  };
  options.commandLine = qm::commandLineOf(arguments, currentFolder(), qm::files::isFile);
  const std::string commandLine = options.commandLine;
  qm::DesktopPlayer desktop(std::move(options));
  qm::Player& player = desktop.player();

  if (!player.load(commandLine)) {
    // Another player runs: this one ends at once. A lock that cannot be made
    // at all has been said in a box; it is said here too, and is a failure.
    const std::string failure = player.context.instance.claimFailure();
    if (failure.empty()) return 0;
    std::fprintf(stderr, "quilmora: %s\n", failure.c_str());
    return 1;
  }
  // A window closed while start-up let events run has shut down already.
  if (quitting) return 0;

  // A signal that came during start-up waits in the pipe and ends the
  // player now, through one whole shutdown.
  QSocketNotifier terminationNotifier(signalPipe[0], QSocketNotifier::Read);
  QObject::connect(&terminationNotifier, &QSocketNotifier::activated, [&player] {
    char c;
    [[maybe_unused]] auto n = ::read(signalPipe[0], &c, 1);
    player.form.closeRequested.raise();
  });

  // Start-up's temporary allocations (settings, lists, the skin's pictures)
  // leave free pages inside the heap: they go back to the system once the
  // window is up.
  QTimer::singleShot(0, [] { ::malloc_trim(0); });

  const int code = app.exec();
  player.unload();
  return code;
}
