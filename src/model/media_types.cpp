#include "model/media_types.h"

#include <cctype>

namespace qm {

namespace {

const MediaType* find(const std::string& extension) {
  for (const MediaType& type : kMediaTypes)
    if (extension == type.extension) return &type;
  return nullptr;
}

template <class Keep>
std::string patternOf(Keep keep) {
  std::string pattern;
  for (const MediaType& type : kMediaTypes) {
    if (!keep(type)) continue;
    if (!pattern.empty()) pattern += ';';
    pattern += "*.";
    pattern += type.extension;
  }
  return pattern;
}

}  // namespace

MediaKind kindOfExtension(const std::string& extension) {
  const MediaType* type = find(extension);
  return type ? type->kind : MediaKind::Media;
}

bool opensFromCommandLine(const std::string& extension) {
  const MediaType* type = find(extension);
  return type && type->commandLine;
}

bool mayHoldVideo(const std::string& extension) {
  const MediaType* type = find(extension);
  return !type || (type->kind == MediaKind::Media && type->group != MediaGroup::Music);
}

bool namedAsSubtitles(const std::string& fileName) {
  const auto dot = fileName.rfind('.');
  if (dot == std::string::npos) return false;
  std::string ext = fileName.substr(dot + 1);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext == "srt" || ext == "ass" || ext == "ssa" || ext == "sub" || ext == "vtt";
}

std::string groupPattern(MediaGroup group) {
  return patternOf([group](const MediaType& type) { return type.group == group; });
}

std::string allMediaPattern() {
  return patternOf([](const MediaType& type) { return type.group != MediaGroup::Pictures; });
}

}  // namespace qm
