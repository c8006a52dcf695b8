#include "platform/registry/desktop_entry.h"

#include <vector>

#include "platform/registry/registry_tree.h"

namespace qm::registry {

namespace {

// Characters that make an Exec argument need quotes.
constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";

std::optional<std::string> quotedArgument(std::string_view argument) {
  if (!isValidUtf8(argument)) return std::nullopt;
  for (char c : argument) {
    auto byte = static_cast<unsigned char>(c);
    if ((byte < 0x20 && c != '\t' && c != '\n' && c != '\r') || byte == 0x7F) return std::nullopt;
  }
  const bool quote = argument.empty() || argument.find_first_of(kReserved) != std::string_view::npos ||
                     argument.find('\r') != std::string_view::npos;
  std::string out;
  if (quote) out += '"';
  for (char c : argument) {
    if (quote && (c == '"' || c == '`' || c == '$' || c == '\\')) out += '\\';
    out += c;
    if (c == '%') out += '%';
  }
  if (quote) out += '"';
  return out;
}

// The string escapes of a desktop entry value, applied over the quoting.
std::string escapedValue(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    switch (text[i]) {
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\r':
        out += "\\r";
        break;
      case ' ':
        out += i == 0 ? "\\s" : " ";
        break;
      default:
        out += text[i];
    }
  }
  return out;
}

}  // namespace

std::optional<CommandText> parseCommandText(std::string_view text) {
  text = text.substr(0, text.find('\0'));
  CommandText command;
  for (std::string_view file : {std::string_view(" %1"), std::string_view(" \"%1\"")}) {
    if (text.ends_with(file)) {
      text.remove_suffix(file.size());
      command.takesFile = true;
      break;
    }
  }
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') text = text.substr(1, text.size() - 2);
  if (text.empty()) return std::nullopt;
  command.program = std::string(text);
  return command;
}

std::optional<std::string> execValue(const CommandText& command) {
  // GLib looks for the program named in Exec before it turns "%%" back into
  // '%', so a program path with '%' in it is handed over by the shell, where
  // it is an argument like any other.
  std::vector<std::string_view> arguments = {command.program};
  if (command.program.find('%') != std::string::npos)
    arguments = {"/bin/sh", "-c", "exec \"$0\" \"$@\"", command.program};
  std::string exec;
  for (std::string_view argument : arguments) {
    std::optional<std::string> quoted = quotedArgument(argument);
    if (!quoted) return std::nullopt;
    exec += (exec.empty() ? "" : " ") + *quoted;
  }
  return escapedValue(exec) + (command.takesFile ? " %f" : "");
}

std::string desktopEntryText(std::initializer_list<std::pair<std::string_view, std::string_view>> keys) {
  std::string text = "[Desktop Entry]\n";
  for (const auto& [key, value] : keys) {
    text += key;
    text += '=';
    text += value;
    text += '\n';
  }
  return text;
}

}  // namespace qm::registry
