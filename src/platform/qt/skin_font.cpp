#include "platform/qt/skin_font.h"

#include <QApplication>
#include <QFontDatabase>

namespace qm {

bool useSkinFont() {
  static const bool used = [] {
    const int id = QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/skin-font.ttf"));
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
