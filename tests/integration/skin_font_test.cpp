// The skin's own font: the player's windows draw in it, and it holds every
// character of the player's texts, so none of them depends on a Chinese font
// being installed (the font is cut to those characters and must be cut
// again when a text brings a new one).
#include <gtest/gtest.h>

#include <QFile>
#include <QRawFont>
#include <filesystem>
#include <set>

#include "integration/player_rig.h"

namespace qm::integration {
namespace {

std::set<char32_t> nonAsciiCharactersUnder(const std::filesystem::path& folder) {
  std::set<char32_t> found;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    if (!entry.is_regular_file()) continue;
    QFile file(QString::fromStdString(entry.path().string()));
    if (!file.open(QIODevice::ReadOnly)) continue;
    for (char32_t c : QString::fromUtf8(file.readAll()).toUcs4())
      if (c > 0x7F) found.insert(c);
  }
  return found;
}

TEST(SkinFont, TheWindowsDrawEveryTextInIt) {
  PlayerRig rig;  // builds the player, which takes up the skin's font
  const QRawFont font = QRawFont::fromFont(QFont());
  ASSERT_TRUE(font.isValid());
  EXPECT_EQ(font.familyName(), "Quilmora Skin");

  const std::filesystem::path source(QM_SOURCE_DIR);
  std::set<char32_t> characters = nonAsciiCharactersUnder(source / "src");
  characters.merge(nonAsciiCharactersUnder(source / "assets/help"));
  ASSERT_GT(characters.size(), 100u) << "the texts were not found";
  QString missing;
  for (char32_t c : characters)
    if (!font.supportsCharacter(c)) missing += QString::fromUcs4(&c, 1);
  EXPECT_TRUE(missing.isEmpty()) << "not in the skin font (assets/fonts/make_skin_font.sh cuts it again): "
                                 << missing.toStdString();
}

}  // namespace
}  // namespace qm::integration
