// skin_painter --icons <out-dir>: paints the program's icon for the desktop
// as <out-dir>/<size>x<size>/apps/quilmora.png.
// skin_painter <out-dir>: paints every picture of the player's skin as
// <out-dir>/<name>.png and writes <out-dir>/skin.qrc listing them. The
// names and sizes come from the player's own table, so the art cannot drift
// from what the player asks for.
#include <QDir>
#include <QFile>
#include <QTextStream>
#include <cstdio>

#include "canvas.h"
#include "window/skin_store.h"

namespace {

bool writeResourceList(const QDir& out) {
  QFile file(out.filePath("skin.qrc"));
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) return false;
  QTextStream text(&file);
  text << "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n  <qresource prefix=\"/skin\">\n";
  for (const qm::SkinPicture& entry : qm::kSkinPictures) {
    const QString png = QString::fromUtf8(entry.name.data(), entry.name.size()) + ".png";
    text << "    <file alias=\"" << png << "\">" << png << "</file>\n";
  }
  text << "  </qresource>\n</RCC>\n";
  return text.status() == QTextStream::Ok;
}

}  // namespace

namespace qm::skin {
int paintAppIcons(const QString& out);
}

int main(int argc, char** argv) {
  if (argc == 3 && QString(argv[1]) == "--icons")
    return qm::skin::paintAppIcons(QString::fromLocal8Bit(argv[2])) ? 1 : 0;
  if (argc != 2) {
    std::fprintf(stderr, "usage: skin_painter <out-dir>\n");
    return 2;
  }
  const QDir out(QString::fromLocal8Bit(argv[1]));
  if (!QDir().mkpath(out.path())) {
    std::fprintf(stderr, "cannot create %s\n", argv[1]);
    return 1;
  }

  qm::skin::PainterTable painters;
  qm::skin::addBarPainters(painters);
  qm::skin::addButtonPainters(painters);
  qm::skin::addStripPainters(painters);
  qm::skin::addCursorPainters(painters);

  int failures = 0;
  for (const qm::SkinPicture& entry : qm::kSkinPictures) {
    const std::string name(entry.name);
    const auto painter = painters.find(name);
    if (painter == painters.end()) {
      std::fprintf(stderr, "%s: no painter\n", name.c_str());
      ++failures;
      continue;
    }
    const QImage image = painter->second();
    painters.erase(painter);
    if (image.width() != entry.width || image.height() != entry.height) {
      std::fprintf(stderr, "%s: painted %dx%d, wanted %dx%d\n", name.c_str(), image.width(), image.height(),
                   entry.width, entry.height);
      ++failures;
      continue;
    }
    if (!image.save(out.filePath(QString::fromStdString(name + ".png")), "PNG")) {
      std::fprintf(stderr, "%s: cannot write\n", name.c_str());
      ++failures;
    }
  }
  for (const auto& [name, painter] : painters) {
    std::fprintf(stderr, "%s: painted but not in the player's table\n", name.c_str());
    ++failures;
  }
  if (!writeResourceList(out)) {
    std::fprintf(stderr, "cannot write skin.qrc\n");
    ++failures;
  }
  std::printf("%zu pictures painted into %s, %d failures\n", std::size(qm::kSkinPictures), argv[1], failures);
  return failures == 0 ? 0 : 1;
}
