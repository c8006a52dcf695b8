#include "swf_writer/own_movies.h"

#include "platform/swf/own_movie_marks.h"
#include "platform/swf/swf_builder.h"
#include "swf_writer/shape_writer.h"

namespace qm::swf_writer {
namespace {

constexpr uint8_t kSwfVersion = 8;
constexpr int kStageWidthPx = 320;
constexpr int kStageHeightPx = 240;
constexpr double kFramesPerSecond = 12;
constexpr Color kBlack{0, 0, 0};
constexpr Color kGrey{0x40, 0x40, 0x40};

}  // namespace

std::vector<uint8_t> emptyMovie() {
  return SwfBuilder(kSwfVersion, kStageWidthPx, kStageHeightPx, kFramesPerSecond)
      .fileAttributes()
      .backgroundColor(kBlack)
      .showFrame()
      .showFrame()
      .build(Compression::kNone);
}

std::vector<uint8_t> playerMovie() {
  constexpr uint16_t kRectangle = 1;
  return SwfBuilder(kSwfVersion, kStageWidthPx, kStageHeightPx, kFramesPerSecond)
      .fileAttributes()
      .backgroundColor(kBlack)
      .defineRectangle(kRectangle, kStageWidthPx / 2, kStageHeightPx / 2, kGrey)
      .placeObject(kRectangle, 1, kStageWidthPx / 4, kStageHeightPx / 4)
      .doAction(ActionBuilder().stop().assign("ready", "1"))
      .frameLabel(swf::kPlayerMovieLabel)
      .showFrame()
      .build(Compression::kZlib);
}

std::vector<uint8_t> countingMovie(uint32_t colour) {
  constexpr uint16_t kRectangle = 1;
  constexpr int kFrames = 100;
  SwfBuilder movie(kSwfVersion, kStageWidthPx, kStageHeightPx, kFramesPerSecond);
  movie.fileAttributes().backgroundColor(kBlack).defineRectangle(
      kRectangle, kStageWidthPx / 2, kStageHeightPx / 2,
      Color{uint8_t(colour >> 16), uint8_t(colour >> 8), uint8_t(colour)});
  movie.placeObject(kRectangle, 1, kStageWidthPx / 4, kStageHeightPx / 4);
  movie.doAction(ActionBuilder().assign("counting", "1"));
  for (int i = 0; i < kFrames; ++i) movie.showFrame();
  return movie.build(Compression::kZlib);
}

std::vector<uint8_t> drawnMovie(uint32_t colour) {
  constexpr uint16_t kSquare = 1;
  constexpr int kFrames = 100;
  constexpr int32_t kWidth = kStageWidthPx / 2 * kTwipsPerPixel, kHeight = kStageHeightPx / 2 * kTwipsPerPixel;
  // Two triangles that share the diagonal, one on each side of it, as a
  // drawing program saves a shape cut in two.
  const Color fill{uint8_t(colour >> 16), uint8_t(colour >> 8), uint8_t(colour)};
  ShapeWriter square(kSquare);
  square
      .solidFill(fill)  // the upper right triangle
      .solidFill(fill)  // the lower left one
      .moveTo(0, 0, 1, 2, 0)
      .lineTo(kWidth, kHeight)
      .moveTo(0, 0, 0, 1, 0)
      .lineTo(kWidth, 0)
      .lineTo(kWidth, kHeight)
      .moveTo(kWidth, kHeight, 0, 2, 0)
      .lineTo(0, kHeight)
      .lineTo(0, 0);
  SwfBuilder movie(kSwfVersion, kStageWidthPx, kStageHeightPx, kFramesPerSecond);
  movie.fileAttributes().backgroundColor(kBlack).tag(tag::kDefineShape3, square.body());
  movie.placeObject(kSquare, 1, kStageWidthPx / 4, kStageHeightPx / 4);
  for (int i = 0; i < kFrames; ++i) movie.showFrame();
  return movie.build(Compression::kZlib);
}

const std::vector<OwnMovie>& ownMovies() {
  static const std::vector<OwnMovie> movies = {{"empty", emptyMovie},
                                               {"player", playerMovie},
                                               {"counting", [] { return countingMovie(); }},
                                               {"drawn", [] { return drawnMovie(); }}};
  return movies;
}

}  // namespace qm::swf_writer
