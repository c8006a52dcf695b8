#include "platform/qt/skin_font.h"

#include <QApplication>
#include <QFontDatabase>
#include <QResource>

namespace qm {

bool useSkinFont() {
  static const bool used = [] {
    // Stored uncompressed, the font is read where it lies in the program:
    // no copy of it on the heap.
    const QResource resource(QStringLiteral(":/fonts/skin-font.ttf"));
    if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression) return false;
    const int id = QFontDatabase::addApplicationFontFromData(
        QByteArray::fromRawData(reinterpret_cast<const char*>(resource.data()), resource.size()));
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty()) return false;
    QFont font = QApplication::font();
    font.setFamilies(families);
    QApplication::setFont(font);
    return true;
  }();
  return used;
}

}  // namespace qm
