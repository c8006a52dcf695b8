#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace qm::registry {

// A command text as the player registers it: a program path, optionally
// followed by one blank and "%1" (the file to open, quoted or not). The
// program path is taken whole, blanks and all; quotes around it are removed.
struct CommandText {
  std::string program;
  bool takesFile = false;
};
std::optional<CommandText> parseCommandText(std::string_view text);

// The value of an Exec key that starts `command.program` with the file as
// its one argument ("%f"), written by the Desktop Entry rules: the program
// quoted when it holds a reserved character, '"', '`', '$' and '\' escaped
// inside the quotes, '%' doubled, then the string escapes for '\' and line
// breaks. A program path with '%' is started through /bin/sh, as GLib
// would not find it. Nothing when the program cannot be written into a
// desktop entry (text that is not UTF-8, control characters other than line
// breaks and tabs).
std::optional<std::string> execValue(const CommandText& command);

// A whole desktop entry, "[Desktop Entry]" and one "key=value" line for
// each pair; values are written as given.
std::string desktopEntryText(std::initializer_list<std::pair<std::string_view, std::string_view>> keys);

}  // namespace qm::registry
