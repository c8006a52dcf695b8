// The player's process: builds the platform, the player and its screen, runs
// the start-up, and ends with the shutdown however the process is asked to end.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QSocketNotifier>
#include <clocale>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

#include "app/player.h"
#include "platform/desktop/desktop_window_system.h"
#include "platform/desktop/local_single_instance.h"
#include "platform/desktop/program_folder.h"
#include "platform/desktop/qt_clock.h"
#include "platform/mpv/media_view.h"
#include "platform/mpv/mpv_engine.h"
#include "platform/qt/form_view.h"
#include "platform/swf/empty_movie_engine.h"
#include "platform/web_view.h"
#include "window/chrome.h"
#include "window/skin_design.h"
#include "window/skin_store.h"

namespace {

int signalPipe[2] = {-1, -1};

void onTerminationSignal(int) {
  char c = 1;
  [[maybe_unused]] auto n = ::write(signalPipe[1], &c, 1);
}

// No web engine is built into the player yet: every call fails.
class NoWebView : public qm::WebView {
 public:
  bool Navigate(const std::string&) override { return false; }
  bool Stop() override { return false; }
  bool Quit() override { return false; }
};

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
  QApplication app(argc, argv);
  std::setlocale(LC_NUMERIC, "C");  // libmpv parses numbers in the C locale
  app.setApplicationName("quilmora");
  app.setQuitOnLastWindowClosed(false);

  // SIGTERM and SIGINT end the player through its shutdown, on the UI thread.
  if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) == 0) {
    std::signal(SIGTERM, onTerminationSignal);
    std::signal(SIGINT, onTerminationSignal);
  }

  qm::QtClock clock;
  qm::FormView* view = nullptr;
  qm::DesktopWindowSystem windows([&view](const qm::Control& c) { return view ? view->widgetOf(c) : nullptr; });
  qm::LocalSingleInstance instance;
  qm::Platform platform{clock, windows, instance,
                        qm::chooseProgramFolder(QCoreApplication::applicationDirPath().toStdString()),
                        [] { QCoreApplication::exit(0); }};

  qm::Engines engines;
  auto media = std::make_unique<qm::MpvEngine>(qm::MpvEngine::Video::Shown, engineOptions("QUILMORA_MPV_OPTIONS"));
  qm::MpvEngine* video = media.get();
  engines.media = std::move(media);
  engines.background =
      std::make_unique<qm::MpvEngine>(qm::MpvEngine::Video::None, engineOptions("QUILMORA_MUSIC_MPV_OPTIONS"));
  engines.flash = std::make_unique<qm::EmptyMovieEngine>(clock);
  engines.web = std::make_unique<NoWebView>();

  qm::Player player(platform, std::move(engines));
  qm::SkinStore skin;
  qm::applyDesign(player.form, skin);

  qm::FormView formView(player.form, [video](qm::Control& control, QWidget* parent) -> QWidget* {
    if (control.name() == "WindowsMediaPlayer1")
      return new qm::MediaView(static_cast<qm::MediaPlayer&>(control), *video, parent);
    return nullptr;
  });
  view = &formView;
  platform.showWindow = [&formView] { formView.show(); };

  auto end = [&player, &platform] {
    player.unload();
    platform.quit();
  };
  player.form.closeRequested.connect(end);
  QSocketNotifier terminationNotifier(signalPipe[0], QSocketNotifier::Read);
  QObject::connect(&terminationNotifier, &QSocketNotifier::activated, [&end] {
    char c;
    [[maybe_unused]] auto n = ::read(signalPipe[0], &c, 1);
    end();
  });

  if (!player.load(commandLine(app.arguments()))) return 0;  // another player runs
  const int code = app.exec();
  player.unload();
  return code;
}
