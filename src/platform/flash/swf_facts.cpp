#include "platform/flash/swf_facts.h"

#include <algorithm>
#include <cstring>

#include "platform/swf/own_movie_marks.h"
#include "platform/swf/swf_tags.h"

namespace qm {
namespace {

constexpr uint32_t kActionScript3Flag = 0x08;
constexpr int kTwipsPerPixel = 20;
// Stage sizes the host movie accepts; a lying header gets a sane stage.
constexpr int kMinStagePx = 1;
constexpr int kMaxStagePx = 8192;

}  // namespace

bool isActionScript3(const swf::SwfFile& file) {
  for (const swf::Tag& tag : file.tags) {
    if (tag.code != swf::tag::kFileAttributes) continue;
    if (tag.length < 1) return false;
    return (file.body(tag)[0] & kActionScript3Flag) != 0;
  }
  return false;
}

bool hasPlayerMovieMark(const swf::SwfFile& file) {
  const size_t markLength = std::strlen(swf::kPlayerMovieLabel);
  for (const swf::Tag& tag : file.tags) {
    if (tag.code == swf::tag::kShowFrame) return false;
    if (tag.code != swf::tag::kFrameLabel || tag.length < markLength) continue;
    const auto body = file.body(tag);
    if (std::memcmp(body.data(), swf::kPlayerMovieLabel, markLength) == 0 &&
        (tag.length == markLength || body[markLength] == 0))
      return true;
  }
  return false;
}

swf_writer::HostStage hostStageOf(const swf::SwfFile& file) {
  swf_writer::HostStage stage;
  const auto px = [](int64_t twips) {
    return int(std::clamp<int64_t>(twips / kTwipsPerPixel, kMinStagePx, kMaxStagePx));
  };
  stage.widthPx = px(int64_t(file.frameSize.xMax) - file.frameSize.xMin);
  stage.heightPx = px(int64_t(file.frameSize.yMax) - file.frameSize.yMin);
  stage.framesPerSecond = std::max(file.frameRate(), 0.01);
  const uint32_t rgb = swf::stageColour(file);
  stage.background = {uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb)};
  return stage;
}

}  // namespace qm
