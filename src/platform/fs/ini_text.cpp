#include "platform/fs/ini_text.h"

#include "platform/fs/name_matching.h"

namespace qm::profile {

namespace {
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kBlanks = " \t\r\v\f";
}  // namespace

std::string_view trimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(kBlanks);
  return text.substr(first, last - first + 1);
}

IniText parseIniText(std::string_view content) {
  IniText text;
  if (content.starts_with(kByteOrderMark)) {
    text.byteOrderMark = true;
    content.remove_prefix(kByteOrderMark.size());
  }
  const std::size_t firstBreak = content.find('\n');
  text.crlf = firstBreak != std::string_view::npos && firstBreak > 0 && content[firstBreak - 1] == '\r';
  while (!content.empty()) {
    std::size_t end = content.find('\n');
    std::string_view line = content.substr(0, end);
    if (line.ends_with('\r')) line.remove_suffix(1);
    text.lines.emplace_back(line);
    if (end == std::string_view::npos) break;
    content.remove_prefix(end + 1);
  }
  return text;
}

std::string formatIniText(const IniText& text) {
  const std::string_view lineEnd = text.crlf ? "\r\n" : "\n";
  std::string out;
  if (text.byteOrderMark) out += kByteOrderMark;
  for (const std::string& line : text.lines) {
    out += line;
    out += lineEnd;
  }
  return out;
}

IniLine classifyIniLine(std::string_view raw) {
  const std::string_view line = trimBlanks(raw);
  IniLine result;
  if (line.empty() || line.front() == ';' || line.front() == '#') return result;
  if (line.front() == '[') {
    const std::size_t close = line.find(']');
    if (close == std::string_view::npos) {
      result.kind = LineKind::BrokenSection;
    } else {
      result.kind = LineKind::Section;
      result.name = trimBlanks(line.substr(1, close - 1));
    }
    return result;
  }
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return result;
  result.name = trimBlanks(line.substr(0, equals));
  if (result.name.empty()) return result;
  result.kind = LineKind::Entry;
  result.value = trimBlanks(line.substr(equals + 1));
  return result;
}

long findSection(const IniText& text, std::string_view section) {
  const std::u32string wanted = files::foldCase(section);
  for (std::size_t i = 0; i < text.lines.size(); ++i) {
    const IniLine line = classifyIniLine(text.lines[i]);
    if (line.kind == LineKind::Section && files::foldCase(line.name) == wanted) return static_cast<long>(i);
  }
  return -1;
}

long sectionEnd(const IniText& text, long header) {
  long i = header + 1;
  for (; i < static_cast<long>(text.lines.size()); ++i) {
    const LineKind kind = classifyIniLine(text.lines[static_cast<std::size_t>(i)]).kind;
    if (kind == LineKind::Section || kind == LineKind::BrokenSection) break;
  }
  return i;
}

}  // namespace qm::profile
