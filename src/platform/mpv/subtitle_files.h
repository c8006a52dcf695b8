#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

// A subtitle file found beside a video.
struct SubtitleFile {
  std::string path;
  std::string language;  // the tag between the video's name and the extension, or empty
};

// The subtitle files (srt, ass, ssa, sub, vtt, any letter case) that belong
// to the video: its own name with a subtitle extension ("movie.srt"), or
// its name, a language tag and a subtitle extension ("movie.zh.srt",
// "movie.chs.ass"). Chinese ones come first, then the file without a tag,
// then the rest by name.
std::vector<SubtitleFile> subtitleFilesBeside(const std::string& videoPath);

// The subtitle text in UTF-8, when it is in another encoding: UTF-16 with a
// byte order mark, or text that is not UTF-8, read as Big5 where that reads
// as Chinese clearly better and as GB18030 otherwise. Nothing when the text
// is UTF-8 already (a byte order mark is left for the reader).
std::optional<std::string> subtitleTextAsUtf8(std::string_view bytes);

}  // namespace qm
