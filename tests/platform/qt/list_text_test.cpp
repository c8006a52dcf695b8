#include "platform/qt/list_text.h"

#include <gtest/gtest.h>

#include <QTextDocument>

namespace qm {
namespace {

TEST(ListText, EveryNameShowsOnOneRow) {
  const QString shown = listText("two\nlines\r\nand\rmore.mp3");
  EXPECT_FALSE(shown.contains('\n'));
  EXPECT_FALSE(shown.contains('\r'));
  EXPECT_EQ(shown.count(QChar(0x23CE)), 3);
  EXPECT_EQ(listText("歌.mp3"), QString::fromUtf8("歌.mp3"));
}

// Qt reads a tooltip that looks like HTML as HTML: such a name would load
// the file it names.
TEST(ListText, ATooltipShowsANameThatLooksLikeHtmlAsItIs) {
  const QString name = QStringLiteral("<img src=&#47;dev&#47;zero>a  b.mp4");
  QTextDocument shown;
  shown.setHtml(plainToolTip(name));
  EXPECT_EQ(shown.toPlainText(), name);
}

}  // namespace
}  // namespace qm
