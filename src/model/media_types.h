#pragma once

#include <string>

namespace qm {

// How an entry is played, by its extension.
enum class MediaKind { Picture, FlashMovie, FlashVideo, Media };

// The list's type filters.
enum class MediaGroup { Films, Music, Pictures };

// One extension the player knows. The spelling is the one the lists' patterns
// use and the one the exact comparisons of the classification and the
// command line take ("DAT", not "dat").
struct MediaType {
  const char* extension;
  MediaKind kind;
  MediaGroup group;
  // Opened in the media engine when named on the command line (Flash movies
  // and videos have their own way there; pictures are not opened).
  bool commandLine;
};

// Every extension, films and music in the order of the all-media pattern,
// then the pictures in the order of their pattern.
// clang-format off
inline constexpr MediaType kMediaTypes[] = {
    {"wmv", MediaKind::Media, MediaGroup::Films, true},
    {"avi", MediaKind::Media, MediaGroup::Films, true},
    {"mpeg", MediaKind::Media, MediaGroup::Films, true},
    {"mpg", MediaKind::Media, MediaGroup::Films, true},
    {"asf", MediaKind::Media, MediaGroup::Films, false},
    {"rm", MediaKind::Media, MediaGroup::Films, true},
    {"mov", MediaKind::Media, MediaGroup::Films, false},
    {"rmvb", MediaKind::Media, MediaGroup::Films, true},
    {"3gp", MediaKind::Media, MediaGroup::Films, false},
    {"3gpp", MediaKind::Media, MediaGroup::Films, false},
    {"mp3", MediaKind::Media, MediaGroup::Music, true},
    {"mid", MediaKind::Media, MediaGroup::Music, true},
    {"midi", MediaKind::Media, MediaGroup::Music, true},
    {"wma", MediaKind::Media, MediaGroup::Music, true},
    {"wav", MediaKind::Media, MediaGroup::Music, true},
    {"au", MediaKind::Media, MediaGroup::Music, false},
    {"aiff", MediaKind::Media, MediaGroup::Music, false},
    {"swf", MediaKind::FlashMovie, MediaGroup::Films, false},
    {"mp4", MediaKind::Media, MediaGroup::Films, true},
    {"flv", MediaKind::FlashVideo, MediaGroup::Films, false},
    {"DAT", MediaKind::Media, MediaGroup::Films, true},
    {"VOB", MediaKind::Media, MediaGroup::Films, true},
    {"mkv", MediaKind::Media, MediaGroup::Films, true},
    // Formats of today, after the original table.
    {"webm", MediaKind::Media, MediaGroup::Films, true},
    {"ogv", MediaKind::Media, MediaGroup::Films, true},
    {"m4v", MediaKind::Media, MediaGroup::Films, true},
    {"ts", MediaKind::Media, MediaGroup::Films, true},
    {"m2ts", MediaKind::Media, MediaGroup::Films, true},
    {"ogg", MediaKind::Media, MediaGroup::Music, true},
    {"opus", MediaKind::Media, MediaGroup::Music, true},
    {"flac", MediaKind::Media, MediaGroup::Music, true},
    {"m4a", MediaKind::Media, MediaGroup::Music, true},
    {"aac", MediaKind::Media, MediaGroup::Music, true},
    {"jpg", MediaKind::Picture, MediaGroup::Pictures, false},
    {"jpeg", MediaKind::Picture, MediaGroup::Pictures, false},
    {"gif", MediaKind::Picture, MediaGroup::Pictures, false},
    {"png", MediaKind::Picture, MediaGroup::Pictures, false},
    {"bmp", MediaKind::Picture, MediaGroup::Pictures, false},
    {"tiff", MediaKind::Picture, MediaGroup::Pictures, false},
    {"psd", MediaKind::Picture, MediaGroup::Pictures, false},
    {"ico", MediaKind::Picture, MediaGroup::Pictures, false},
};
// clang-format on

// The kind of an extension, compared exactly: "JPG" is not a picture, and an
// extension the table does not hold is played as media.
MediaKind kindOfExtension(const std::string& extension);

// Whether the command line opens a file of this extension in the media engine.
bool opensFromCommandLine(const std::string& extension);

// Whether a file of this extension may hold a moving picture: media that is
// not music (an extension the table does not hold may).
bool mayHoldVideo(const std::string& extension);

// Whether a file name ends in an extension of subtitle files (srt, ass, ssa,
// sub, vtt; any letter case).
bool namedAsSubtitles(const std::string& fileName);
// The open-file dialog's mask for them.
inline constexpr const char* kSubtitleMask = "*.srt;*.ass;*.ssa;*.sub;*.vtt";

// The file list's pattern ("*.jpg;*.jpeg;...") of one filter.
std::string groupPattern(MediaGroup group);
// The pattern of films and music together, which the list starts with.
std::string allMediaPattern();

}  // namespace qm
