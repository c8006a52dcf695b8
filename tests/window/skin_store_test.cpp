#include "window/skin_store.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <set>

#include "support/test_player.h"

namespace qm {

// Names the strip in test output.
void PrintTo(const SliderStrip& strip, std::ostream* out) { *out << strip.name; }

namespace {

std::string joined(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += name + " ";
  return text;
}

std::string str(std::string_view name) { return std::string(name); }

// --- The shipped skin --------------------------------------------------------

TEST(ShippedSkin, HasEveryPictureThePlayerUsesAtItsDesignSize) {
  SkinStore store;
  for (const SkinPicture& entry : kSkinPictures) {
    const Picture picture = store.picture(str(entry.name));
    EXPECT_EQ(picture->size(), QSize(entry.width, entry.height)) << entry.name;
  }
  EXPECT_TRUE(store.missing().empty()) << "missing: " << joined(store.missing());
}

TEST(ShippedSkin, ResourceListHoldsExactlyTheStoredPictures) {
  const QString folder = QString(QM_SOURCE_DIR) + "/assets/skin";
  QFile qrc(folder + "/skin.qrc");
  ASSERT_TRUE(qrc.open(QIODevice::ReadOnly));
  const QString text = QString::fromUtf8(qrc.readAll());

  std::set<QString> listed;
  const QRegularExpression entry(R"re(<file alias="([^"]+)">([^<]+)</file>)re");
  for (auto match = entry.globalMatch(text); match.hasNext();) {
    const auto found = match.next();
    EXPECT_EQ(found.captured(1), found.captured(2));
    listed.insert(found.captured(2));
  }
  const QStringList stored = QDir(folder).entryList({"*.png"}, QDir::Files);
  EXPECT_EQ(listed, std::set<QString>(stored.begin(), stored.end()));
  for (const SkinPicture& picture : kSkinPictures)
    EXPECT_TRUE(listed.count(QString::fromUtf8(picture.name.data(), picture.name.size()) + ".png"))
        << picture.name;
}

TEST(ShippedSkin, EveryPictureIsPaintedNotAFlatFill) {
  SkinStore store;
  for (const SkinPicture& entry : kSkinPictures) {
    const QImage& image = *store.picture(str(entry.name));
    std::set<QRgb> colours;
    for (int y = 0; y < image.height() && colours.size() < 2; ++y)
      for (int x = 0; x < image.width() && colours.size() < 2; ++x) colours.insert(image.pixel(x, y));
    EXPECT_GE(colours.size(), 2u) << entry.name;
  }
}

// A button that did not change its look under the pointer, or a channel
// button that did not show it was picked, would look dead.
TEST(ShippedSkin, ButtonsChangeTheirLookUnderThePointerAndWhenPicked) {
  test::TestPlayer t;
  ASSERT_TRUE(t.load(""));
  Form1& f = t.form();
  for (Image* button : {&f.Image21, &f.Image17, &f.Image16, &f.Image19, &f.Image18, &f.Image3, &f.Image4, &f.Image6,
                        &f.Image8, &f.Image20, &f.Image9, &f.Image11}) {
    const QImage resting = *button->picture();
    button->MouseMove.raise(0, 0, 15, 15);
    EXPECT_NE(*button->picture(), resting) << button->name();
  }
  for (Image* button : {&f.Image42, &f.Image44, &f.Image43}) {
    const QImage before = *button->picture();
    button->Click.raise();
    EXPECT_NE(*button->picture(), before) << button->name();
  }
}

// The caps cover the ends of a middle piece stretched under them; where a cap
// ends, its inner column must continue the middle exactly or a seam shows.
TEST(ShippedSkin, BarCapsJoinTheirMiddleWithoutASeam) {
  SkinStore store;
  const struct {
    const char* cap;
    const char* middle;
    bool capOnLeft;
  } joins[] = {{"top_left", "top_middle", true},
               {"top_right", "top_middle", false},
               {"bottom_left", "bottom_middle", true},
               {"bottom_right", "bottom_middle", false}};
  for (const auto& join : joins) {
    const QImage& cap = *store.picture(join.cap);
    const QImage& middle = *store.picture(join.middle);
    const int capColumn = join.capOnLeft ? cap.width() - 1 : 0;
    for (int y = 0; y < cap.height(); ++y)
      ASSERT_EQ(cap.pixel(capColumn, y), middle.pixel(0, y)) << join.cap << " row " << y;
  }
}

// Buttons carry the bar's background behind their glyph; placed at the
// documented top their edges match the bar row for row.
TEST(ShippedSkin, ButtonBackgroundsMatchTheBarRowsTheyArePlacedOn) {
  SkinStore store;
  const struct {
    const char* picture;
    const char* bar;
    int top;
  } placements[] = {{"sysmenu", "top_middle", kTitleButtonTop},
                    {"close", "top_middle", kTitleButtonTop},
                    {"logo", "top_middle", kLogoTop},
                    {"play", "bottom_middle", kTransportButtonTop},
                    {"picture_up", "bottom_middle", kTransportButtonTop},
                    {"fullscreen", "bottom_middle", kFullscreenTop},
                    {"volume_icon", "bottom_middle", kVolumeIconTop},
                    {"channel_left", "bottom_middle", kChannelButtonTop},
                    {"seek_strip", "bottom_middle", kSeekBarTop},
                    {"volume_strip", "bottom_middle", kVolumeBarTop}};
  for (const auto& placement : placements) {
    const QImage& image = *store.picture(placement.picture);
    const QImage& bar = *store.picture(placement.bar);
    ASSERT_LE(placement.top + image.height(), bar.height()) << placement.picture;
    for (int y : {0, image.height() - 1})
      EXPECT_EQ(image.pixel(0, y), bar.pixel(0, placement.top + y)) << placement.picture << " row " << y;
  }
}

TEST(ShippedSkin, SliderCursorIsTransparentAroundAHandOnItsHotSpot) {
  SkinStore store;
  const QImage& cursor = *store.picture("slider_cursor");
  ASSERT_TRUE(cursor.hasAlphaChannel());
  for (QPoint corner : {QPoint(0, 0), QPoint(31, 0), QPoint(0, 31), QPoint(31, 31)})
    EXPECT_EQ(qAlpha(cursor.pixel(corner)), 0) << corner.x() << "," << corner.y();
  EXPECT_EQ(qAlpha(cursor.pixel(kSliderCursorHotX, kSliderCursorHotY)), 255);
}

// --- Slider strips -----------------------------------------------------------

class SliderStripArt : public ::testing::TestWithParam<SliderStrip> {
 protected:
  const QImage& strip() {
    picture_ = store_.picture(str(GetParam().name));
    return *picture_;
  }

 private:
  SkinStore store_;
  Picture picture_;
};

TEST_P(SliderStripArt, IsAsWideAsItsPieces) { EXPECT_EQ(strip().width(), GetParam().width()); }

TEST_P(SliderStripArt, TrackPiecesHoldNoKeyColour) {
  const QImage& image = strip();
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < GetParam().thumbsLeft(); ++x)
      ASSERT_NE(image.pixel(x, y), kThumbKeyColour) << x << "," << y;
}

// The slider keys out exact magenta: anything near it would show as a pink
// fringe, and a knob off the frame's centre would sit off the slider's value.
TEST_P(SliderStripArt, ThumbFramesAreCentredKnobsOnExactMagenta) {
  const QImage& image = strip();
  const SliderStrip cut = GetParam();
  const int w = cut.thumb, h = image.height();
  for (int frame = 0; frame < 4; ++frame) {
    const int left = cut.thumbsLeft() + frame * w;
    auto at = [&](int x, int y) { return image.pixel(left + x, y); };
    EXPECT_EQ(at(0, 0), kThumbKeyColour) << "frame " << frame;
    EXPECT_EQ(at(w - 1, h - 1), kThumbKeyColour) << "frame " << frame;
    EXPECT_NE(at(w / 2, h / 2), kThumbKeyColour) << "frame " << frame;
    int keyed = 0;
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const QRgb pixel = at(x, y);
        const bool isKey = pixel == kThumbKeyColour;
        keyed += isKey;
        const bool pinkish = qRed(pixel) > qGreen(pixel) + 40 && qBlue(pixel) > qGreen(pixel) + 40;
        ASSERT_TRUE(isKey || !pinkish) << "frame " << frame << " pixel " << x << "," << y;
        ASSERT_EQ(isKey, at(w - 1 - x, y) == kThumbKeyColour) << "frame " << frame << " not centred across";
        ASSERT_EQ(isKey, at(x, h - 1 - y) == kThumbKeyColour) << "frame " << frame << " not centred down";
      }
    }
    EXPECT_GT(keyed, w * h / 5) << "frame " << frame;
  }
}

TEST_P(SliderStripArt, FourThumbStatesLookDifferent) {
  const QImage& image = strip();
  const SliderStrip cut = GetParam();
  std::set<QByteArray> frames;
  for (int frame = 0; frame < 4; ++frame) {
    const QImage part = image.copy(cut.thumbsLeft() + frame * cut.thumb, 0, cut.thumb, image.height());
    frames.insert(QByteArray(reinterpret_cast<const char*>(part.constBits()), part.sizeInBytes()));
  }
  EXPECT_EQ(frames.size(), 4u);
}

INSTANTIATE_TEST_SUITE_P(Skin, SliderStripArt, ::testing::Values(kSeekStrip, kVolumeStrip),
                         [](const auto& info) { return str(info.param.name); });

// --- Store behaviour ---------------------------------------------------------

QString writePng(const QTemporaryDir& dir, const QString& name, QRgb colour, QSize size = {3, 2}) {
  QImage image(size, QImage::Format_ARGB32);
  image.fill(colour);
  const QString path = dir.filePath(name + ".png");
  EXPECT_TRUE(image.save(path, "PNG"));
  return path;
}

std::string rootOf(const QTemporaryDir& dir) { return dir.path().toStdString() + "/"; }

TEST(SkinStore, LoadsAPictureFromItsRoot) {
  QTemporaryDir dir;
  writePng(dir, "dot", 0xFF123456);
  SkinStore store(rootOf(dir));
  const Picture picture = store.picture("dot");
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->size(), QSize(3, 2));
  EXPECT_EQ(picture->pixel(2, 1), 0xFF123456u);
  EXPECT_TRUE(store.missing().empty());
}

TEST(SkinStore, LoadsEachPictureOnceAndSharesIt) {
  QTemporaryDir dir;
  const QString path = writePng(dir, "dot", 0xFF0000FF);
  SkinStore store(rootOf(dir));
  const Picture first = store.picture("dot");
  QFile::remove(path);
  writePng(dir, "dot", 0xFFFF0000);
  const Picture second = store.picture("dot");
  EXPECT_EQ(first.get(), second.get());
  EXPECT_EQ(second->pixel(0, 0), 0xFF0000FFu);
}

TEST(SkinStore, UnknownPictureFallsBackToGreyAndIsReportedOnce) {
  SkinStore store;
  const Picture picture = store.picture("no_such_picture");
  ASSERT_TRUE(picture);
  ASSERT_FALSE(picture->isNull());
  EXPECT_EQ(picture->size(), QSize(16, 16));
  EXPECT_EQ(picture->pixel(0, 0), picture->pixel(15, 15));
  EXPECT_EQ(qRed(picture->pixel(0, 0)), qBlue(picture->pixel(0, 0)));  // grey

  EXPECT_EQ(store.picture("no_such_picture").get(), picture.get());
  EXPECT_EQ(store.missing(), std::vector<std::string>{"no_such_picture"});
}

TEST(SkinStore, MissingKnownPictureKeepsItsDesignSize) {
  QTemporaryDir empty;
  SkinStore store(rootOf(empty));
  EXPECT_EQ(store.picture("bottom_left")->size(), QSize(319, 65));
  EXPECT_EQ(store.picture("seek_strip")->size(), QSize(kSeekStrip.width(), 17));
  EXPECT_EQ(store.missing(), (std::vector<std::string>{"bottom_left", "seek_strip"}));
}

TEST(SkinStore, UnreadableFileFallsBack) {
  QTemporaryDir dir;
  QFile broken(dir.filePath("play.png"));
  ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
  broken.write("not a picture");
  broken.close();
  SkinStore store(rootOf(dir));
  EXPECT_EQ(store.picture("play")->size(), QSize(28, 28));
  EXPECT_EQ(store.missing(), std::vector<std::string>{"play"});
}

}  // namespace
}  // namespace qm
