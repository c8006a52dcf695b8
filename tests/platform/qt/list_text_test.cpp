#include "platform/qt/list_text.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(ListText, EveryNameShowsOnOneRow) {
  const QString shown = listText("two\nlines\r\nand\rmore.mp3");
  EXPECT_FALSE(shown.contains('\n'));
  EXPECT_FALSE(shown.contains('\r'));
  EXPECT_EQ(shown.count(QChar(0x23CE)), 3);
  EXPECT_EQ(listText("歌.mp3"), QString::fromUtf8("歌.mp3"));
}

}  // namespace
}  // namespace qm
