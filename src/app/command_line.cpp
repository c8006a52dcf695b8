#include "app/command_line.h"

#include <string_view>

#include "model/paths.h"

namespace qm {

namespace {

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A local file's address ("file:///a%20b.mp4", "file://localhost/...") as
// its path; anything else as it is.
std::string pathOfArgument(const std::string& argument) {
  constexpr std::string_view scheme = "file://";
  if (!argument.starts_with(scheme)) return argument;
  std::string_view rest = std::string_view(argument).substr(scheme.size());
  if (rest.starts_with("localhost/")) rest.remove_prefix(std::string_view("localhost").size());
  if (!rest.starts_with('/')) return argument;  // another host's file
  std::string path;
  for (std::size_t i = 0; i < rest.size(); ++i) {
    const int high = rest[i] == '%' && i + 2 < rest.size() ? hexDigit(rest[i + 1]) : -1;
    const int low = high >= 0 ? hexDigit(rest[i + 2]) : -1;
    if (low >= 0) {
      path += static_cast<char>(high * 16 + low);
      i += 2;
    } else {
      path += rest[i];
    }
  }
  return path;
}

// A relative name is made absolute; it keeps its quotes only when a file has
// them in its name.
std::string absolute(const std::string& line, const std::string& currentFolder, const IsFile& isFile) {
  if (line.empty()) return {};
  const std::string unquoted = withoutQuotes(line);
  if (!unquoted.empty() && unquoted.front() == kPathSeparator) return line;
  const std::string asGiven = joinPath(currentFolder, line);
  return line != unquoted && isFile(asGiven) ? asGiven : joinPath(currentFolder, unquoted);
}

}  // namespace

std::string commandLineOf(const std::vector<std::string>& arguments, const std::string& currentFolder,
                          const IsFile& isFile) {
  std::string joined;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    if (i > 1) joined += ' ';
    joined += pathOfArgument(arguments[i]);
  }
  const std::string line = absolute(joined, currentFolder, isFile);
  // Several files given (a shell's wildcard): the first one opens, and the
  // list shows its folder.
  if (arguments.size() > 2 && !isFile(line) && !isFile(withoutQuotes(line))) {
    const std::string first = absolute(pathOfArgument(arguments[1]), currentFolder, isFile);
    if (isFile(first)) return first;
  }
  return line;
}

}  // namespace qm
