#include "platform/fs/ini_settings_files.h"

#include "platform/fs/ini_text.h"
#include "platform/fs/name_matching.h"

namespace qm {

using namespace profile;

namespace {

// Settings files are a few lines; anything this large is not one, and a
// rewrite of it would be refused rather than cut.
constexpr std::size_t kMaxFileSize = 16 * 1024 * 1024;

bool hasLineBreakOrNul(std::string_view text) { return text.find_first_of(std::string_view("\r\n\0", 3)) != text.npos; }

// A section or key name that would read back as something else is refused.
bool isWritableSectionName(std::string_view name) {
  return !name.empty() && !hasLineBreakOrNul(name) && name.find(']') == name.npos;
}

bool isWritableKey(std::string_view key) {
  return !key.empty() && !hasLineBreakOrNul(key) && key.find('=') == key.npos && key.front() != '[' &&
         key.front() != ';' && key.front() != '#';
}

bool isQuote(char c) { return c == '"' || c == '\''; }

bool isBlank(char c) { return trimBlanks(std::string_view(&c, 1)).empty(); }

std::string_view withoutQuotes(std::string_view value) {
  if (value.size() >= 2 && isQuote(value.front()) && value.back() == value.front())
    return value.substr(1, value.size() - 2);
  return value;
}

// Reading trims a value and takes off one pair of quotes; a value that would
// lose something that way is written inside quotes so that it reads back as
// it was written.
std::string storedValue(const std::string& value) {
  const bool loosesBlanks = !value.empty() && (isBlank(value.front()) || isBlank(value.back()));
  if (loosesBlanks || withoutQuotes(value).size() != value.size()) return '"' + value + '"';
  return value;
}

// At most `count` characters, never ending inside a UTF-8 sequence; a stray
// byte counts as one character.
std::string firstCharacters(std::string_view text, std::size_t count) {
  std::size_t pos = 0;
  for (std::size_t taken = 0; pos < text.size() && taken < count; ++taken) {
    const auto lead = static_cast<unsigned char>(text[pos++]);
    const std::size_t extra = lead >= 0xF0 && lead < 0xF8 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    for (std::size_t i = 0; i < extra && pos < text.size() && (static_cast<unsigned char>(text[pos]) & 0xC0) == 0x80;
         ++i)
      ++pos;
  }
  return std::string(text.substr(0, pos));
}

enum class Loaded { Text, NoFile, Unreadable };

Loaded load(FileSystem& disk, const std::string& file, IniText& text) {
  FileSystem::Read read = disk.readFile(file, kMaxFileSize);
  switch (read.status) {
    case FileSystem::Read::Missing:
      return Loaded::NoFile;
    case FileSystem::Read::Failed:
      return Loaded::Unreadable;
    case FileSystem::Read::Done:
      break;
  }
  text = parseIniText(read.content);
  return Loaded::Text;
}

// Keeps one blank line between the end of the file and a new section.
void separateFromPrevious(IniText& text) {
  if (!text.lines.empty() && !trimBlanks(text.lines.back()).empty()) text.lines.emplace_back();
}

}  // namespace

std::string IniSettingsFiles::getString(const std::string& file, const std::string& section, const std::string& key,
                                        const std::string& fallback, int bufferSize) {
  if (bufferSize <= 0) return {};
  const std::size_t room = static_cast<std::size_t>(bufferSize - 1);
  std::string_view value = fallback;
  // The default text loses its trailing blanks, like a value read from the file.
  while (!value.empty() && value.back() == ' ') value.remove_suffix(1);
  IniText text;
  if (load(disk_, file, text) != Loaded::Text) return firstCharacters(value, room);
  const long header = findSection(text, trimBlanks(section));
  if (header < 0) return firstCharacters(value, room);
  const std::u32string wanted = files::foldCase(trimBlanks(key));
  const long end = sectionEnd(text, header);
  for (long i = header + 1; i < end; ++i) {
    const IniLine line = classifyIniLine(text.lines[static_cast<std::size_t>(i)]);
    if (line.kind == LineKind::Entry && files::foldCase(line.name) == wanted)
      return firstCharacters(withoutQuotes(line.value), room);
  }
  return firstCharacters(value, room);
}

bool IniSettingsFiles::writeString(const std::string& file, const std::string& section, const std::string& key,
                                   const std::string& value) {
  const std::string_view sectionName = trimBlanks(section);
  const std::string_view keyName = trimBlanks(key);
  if (!isWritableSectionName(sectionName) || !isWritableKey(keyName) || hasLineBreakOrNul(value)) return false;
  IniText text;
  if (load(disk_, file, text) == Loaded::Unreadable) return false;

  const long header = findSection(text, sectionName);
  if (header < 0) {
    separateFromPrevious(text);
    text.lines.push_back("[" + std::string(sectionName) + "]");
    text.lines.push_back(std::string(keyName) + "=" + storedValue(value));
    return disk_.replaceFile(file, formatIniText(text));
  }
  const std::u32string wanted = files::foldCase(keyName);
  const long end = sectionEnd(text, header);
  for (long i = header + 1; i < end; ++i) {
    std::string& raw = text.lines[static_cast<std::size_t>(i)];
    const IniLine line = classifyIniLine(raw);
    if (line.kind == LineKind::Entry && files::foldCase(line.name) == wanted) {
      // The key keeps its spelling in the file; only its value changes.
      raw = std::string(line.name) + "=" + storedValue(value);
      return disk_.replaceFile(file, formatIniText(text));
    }
  }
  // A new key goes after the section's last line, before the blank lines
  // that part it from the next section.
  long insertAt = end;
  while (insertAt > header + 1 && trimBlanks(text.lines[static_cast<std::size_t>(insertAt - 1)]).empty()) --insertAt;
  text.lines.insert(text.lines.begin() + insertAt, std::string(keyName) + "=" + storedValue(value));
  return disk_.replaceFile(file, formatIniText(text));
}

bool IniSettingsFiles::writeSection(const std::string& file, const std::string& section, const std::string& lines) {
  const std::string_view sectionName = trimBlanks(section);
  if (!isWritableSectionName(sectionName) || lines.find('\0') != lines.npos) return false;
  // The body is taken whole or not at all: a line that would read back as a
  // header or as nothing at all would change other settings or vanish.
  std::vector<std::string> body;
  for (std::string& line : parseIniText(lines).lines) {
    const std::string_view trimmed = trimBlanks(line);
    if (trimmed.empty()) continue;
    const bool comment = trimmed.front() == ';' || trimmed.front() == '#';
    if (!comment && classifyIniLine(trimmed).kind != LineKind::Entry) return false;
    body.push_back(std::move(line));
  }
  IniText text;
  if (load(disk_, file, text) == Loaded::Unreadable) return false;

  const long header = findSection(text, sectionName);
  if (header < 0) {
    separateFromPrevious(text);
    text.lines.push_back("[" + std::string(sectionName) + "]");
    text.lines.insert(text.lines.end(), body.begin(), body.end());
  } else {
    const long end = sectionEnd(text, header);
    if (end < static_cast<long>(text.lines.size())) body.emplace_back();
    text.lines.erase(text.lines.begin() + header + 1, text.lines.begin() + end);
    text.lines.insert(text.lines.begin() + header + 1, body.begin(), body.end());
  }
  return disk_.replaceFile(file, formatIniText(text));
}

}  // namespace qm
