#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qm::profile {

// A settings file as its lines, remembering how they were ended so that a
// rewrite keeps the file's own style.
struct IniText {
  std::vector<std::string> lines;
  bool crlf = false;
  bool byteOrderMark = false;
};

// CRLF and LF read alike; a UTF-8 byte-order mark is set aside.
IniText parseIniText(std::string_view content);
// New files are written with LF; a file read with CRLF keeps CRLF.
std::string formatIniText(const IniText& text);

enum class LineKind { Other, Section, BrokenSection, Entry };

// One line read as a settings line: "[name]" opens a section (text after
// the "]" is ignored), "[" without "]" is a broken header, "key=value" an
// entry with both sides trimmed. Comments (";", "#"), blank lines and
// anything else are Other.
struct IniLine {
  LineKind kind = LineKind::Other;
  std::string_view name;
  std::string_view value;
};
IniLine classifyIniLine(std::string_view line);

std::string_view trimBlanks(std::string_view text);

// Index of the header of the first section of that name, or -1.
long findSection(const IniText& text, std::string_view section);
// One past the last line of the section whose header is at `header`: the
// next header, broken or not, or the end.
long sectionEnd(const IniText& text, long header);

}  // namespace qm::profile
