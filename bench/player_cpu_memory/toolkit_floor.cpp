// The least a player made of Qt Widgets and libmpv can hold: one window with
// a line of text, and libmpv playing the file with no video output. The text
// is Latin: a Chinese line would map a system CJK font of several megabytes,
// which the player, drawing in its own small font, does not.
// The CPU and memory benchmark measures it beside the player and plain mpv,
// so the player's own share shows apart from its toolkit's.
//
//   bench_toolkit_floor <file>

#include <mpv/client.h>

#include <QApplication>
#include <QLabel>
#include <clocale>

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  QApplication app(argc, argv);
  QLabel window(QStringLiteral("00:00 / 00:00"));
  window.resize(640, 480);
  window.show();

  std::setlocale(LC_NUMERIC, "C");  // libmpv refuses to start otherwise
  mpv_handle* mpv = mpv_create();
  if (!mpv) return 1;
  for (const auto& [name, value] : {std::pair{"vo", "null"},
                                    {"ao", "null"},
                                    {"config", "no"},
                                    {"terminal", "no"},
                                    {"load-scripts", "no"},
                                    {"load-auto-profiles", "no"},
                                    {"osc", "no"},
                                    {"ytdl", "no"}})
    mpv_set_option_string(mpv, name, value);
  if (mpv_initialize(mpv) < 0) return 1;
  const char* load[] = {"loadfile", argv[1], nullptr};
  mpv_command(mpv, load);
  const int code = app.exec();
  mpv_terminate_destroy(mpv);
  return code;
}
