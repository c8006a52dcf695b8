// Fuzz target of the SWF reader: any bytes are parsed without a crash, a
// hang or an allocation beyond what the data holds, and a movie that parses
// has tags that lie inside its bytes. A movie drawn without a runtime, and
// each of its clips, has at least one frame, and its frames show only
// characters it defines, and its scripts move its main timeline only to
// frames it has; so does the first frame of any movie, which stands
// in while a runtime starts, and it is one frame whose clips stand still.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>

#include "platform/swf/drawn_movie.h"
#include "platform/swf/swf_file.h"

namespace {

void check(const std::optional<qm::swf::DrawnMovie>& drawn, bool firstFrameOnly) {
  if (!drawn) return;
  auto known = [&](const qm::swf::Frames& frames) {
    for (const auto& frame : frames)
      for (const qm::swf::Placement& placed : *frame)
        if (!drawn->shapes.count(placed.characterId) && !drawn->clips.count(placed.characterId) &&
            !drawn->morphs.count(placed.characterId))
          return false;
    return !frames.empty() && (!firstFrameOnly || frames.size() == 1);
  };
  if (!known(drawn->frames)) std::abort();
  for (const auto& [frame, script] : drawn->scripts)
    if (frame >= drawn->frames.size() || (script.goTo && *script.goTo >= drawn->frames.size())) std::abort();
  for (const auto& [id, clip] : drawn->clips)
    if (!known(clip)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const qm::swf::SwfReadResult read = qm::swf::parseSwf(std::span<const uint8_t>(data, size));
  if (!read.ok()) return 0;
  const qm::swf::SwfFile& file = read.file;
  if (file.tags.empty() || file.tags.back().code != 0) std::abort();  // ends with the End tag
  for (const qm::swf::Tag& tag : file.tags)
    if (tag.offset > file.bytes.size() || tag.length > file.bytes.size() - tag.offset) std::abort();
  check(qm::swf::readDrawnMovie(file), false);
  check(qm::swf::readFirstFrame(file), true);
  return 0;
}
