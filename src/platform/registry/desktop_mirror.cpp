#include "platform/registry/desktop_mirror.h"

#include <pwd.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

#include "platform/fs/atomic_file.h"
#include "platform/registry/desktop_entry.h"
#include "platform/registry/registry_tree.h"

namespace qm::registry {

namespace fs = std::filesystem;

namespace {

// The file types the player registers, by the shared MIME database's
// canonical names. ".rm" and ".rmvb" share one type, as do ".mpeg" and
// ".vob" (VOB files are MPEG program streams). ".dat" has none: the database
// gives no type to the name, which countless data files carry, and reads
// video CD tracks by their content as a generic RIFF container, so a default
// for it would take files that are no video at all.
constexpr std::array<std::pair<std::string_view, std::string_view>, 14> kMimeTypes = {{
    {".avi", "video/x-msvideo"},
    {".wmv", "video/x-ms-wmv"},
    {".mpeg", "video/mpeg"},
    {".wma", "audio/x-ms-wma"},
    {".wav", "audio/x-wav"},
    {".mp3", "audio/mpeg"},
    {".mid", "audio/midi"},
    {".swf", "application/vnd.adobe.flash.movie"},
    {".flv", "video/x-flv"},
    {".rmvb", "application/vnd.rn-realmedia"},
    {".rm", "application/vnd.rn-realmedia"},
    {".vob", "video/mpeg"},
    {".mp4", "video/mp4"},
    {".mkv", "video/x-matroska"},
}};

constexpr std::string_view kEntryId = "quilmora.desktop";
constexpr std::string_view kDefaultsSection = "[Default Applications]";
// Types the user took an application away from: a desktop ignores our
// entry for a type where it stands here.
constexpr std::string_view kRemovedSection = "[Removed Associations]";

std::string homeFolder() {
  if (const char* home = std::getenv("HOME"); home && *home) return home;
  if (const passwd* user = ::getpwuid(::getuid()); user && user->pw_dir) return user->pw_dir;
  return std::string();
}

std::string baseFolder(const char* variable, const std::string& home, std::string_view fallback) {
  if (const char* value = std::getenv(variable); value && value[0] == '/') return value;
  return home.empty() ? std::string() : home + '/' + std::string(fallback);
}

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

// Our entries: "quilmora.desktop", or "quilmora-<16 hex digits>.desktop"
// when the registry holds more than one command text.
bool isOurEntry(std::string_view id) {
  id = trimmed(id);
  if (id == kEntryId) return true;
  constexpr std::string_view prefix = "quilmora-", suffix = ".desktop";
  if (!id.starts_with(prefix) || !id.ends_with(suffix) || id.size() != prefix.size() + 16 + suffix.size()) return false;
  return id.substr(prefix.size(), 16).find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

std::string entryIdFor(const std::string& command, bool only) {
  if (only) return std::string(kEntryId);
  std::uint64_t hash = 0xcbf29ce484222325ull;  // FNV-1a
  for (char c : command) hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3ull;
  char digits[17];
  std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(hash));
  return "quilmora-" + std::string(digits) + ".desktop";
}

bool writeIfChanged(const std::string& path, const std::string& text) {
  std::string current;
  if (files::readRegularFile(path, 1 << 20, current) == files::ReadStatus::Read && current == text) return true;
  std::error_code ec;
  fs::create_directories(fs::path(path).parent_path(), ec);
  return files::replaceFileAtomically(path, text);
}

// The entry an install puts into this folder (one with the prefix ~/.local)
// under the player's own name; only an installed entry names a TryExec.
bool installedEntryAt(const std::string& path) {
  std::string text;
  return files::readRegularFile(path, 1 << 20, text) == files::ReadStatus::Read &&
         text.find("\nTryExec=") != std::string::npos;
}

bool removeIfPresent(const std::string& path) { return ::unlink(path.c_str()) == 0 || errno == ENOENT; }

std::vector<std::string_view> splitList(std::string_view list) {
  std::vector<std::string_view> items;
  std::size_t start = 0;
  for (;;) {
    std::size_t end = list.find(';', start);
    items.push_back(list.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos) return items;
    start = end + 1;
  }
}

std::string joinList(const std::vector<std::string_view>& items) {
  std::string list;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i) list += ';';
    list += items[i];
  }
  return list;
}

// The user's defaults file as lines, edited one "type=entries" line at a
// time in one of its sections; every other line is kept byte for byte.
class DefaultsFile {
 public:
  DefaultsFile(std::string_view text, std::string_view section) : section_(section) {
    std::size_t start = 0;
    while (start < text.size()) {
      std::size_t end = std::min(text.find('\n', start), text.size());
      lines_.emplace_back(text.substr(start, end - start));
      start = end + 1;
    }
    finalNewline_ = text.empty() || text.ends_with('\n');
  }

  std::string text() const {
    std::string out;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
      out += lines_[i];
      if (i + 1 < lines_.size() || finalNewline_) out += '\n';
    }
    return out;
  }

  // The types of the section's lines that name one of our entries.
  std::set<std::string> typesWithOurEntries() const {
    std::set<std::string> types;
    forEachTypeLine([&](std::size_t, std::string_view type, std::string_view list) {
      for (std::string_view item : splitList(list))
        if (isOurEntry(item)) types.emplace(type);
    });
    return types;
  }

  std::optional<std::size_t> lineOf(std::string_view type) const {
    std::optional<std::size_t> found;
    forEachTypeLine([&](std::size_t i, std::string_view t, std::string_view) {
      if (!found && t == type) found = i;
    });
    return found;
  }

  std::string_view listAt(std::size_t line) const {
    std::string_view l = lines_[line];
    return trimmed(l.substr(l.find('=') + 1));
  }

  // Replaces, adds or (for an empty list) removes the type's line.
  void setList(std::string_view type, const std::string& list) {
    std::optional<std::size_t> line = lineOf(type);
    bool empty = true;
    for (std::string_view item : splitList(list)) empty = empty && trimmed(item).empty();
    if (line) {
      if (empty) {
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*line));
      } else {
        // Only the list changes; blanks around it and a CR stay.
        std::string& l = lines_[*line];
        std::size_t start = l.find('=') + 1;
        while (start < l.size() && (l[start] == ' ' || l[start] == '\t')) ++start;
        std::size_t end = l.size();
        while (end > start && (l[end - 1] == ' ' || l[end - 1] == '\t' || l[end - 1] == '\r')) --end;
        l = l.substr(0, start) + list + l.substr(end);
      }
      return;
    }
    if (empty) return;
    std::string entry = std::string(type) + '=' + list;
    std::size_t section = 0;
    while (section < lines_.size() && trimmed(lines_[section]) != section_) ++section;
    if (section == lines_.size()) {
      if (!lines_.empty() && !trimmed(lines_.back()).empty()) lines_.emplace_back();
      lines_.emplace_back(section_);
      lines_.push_back(entry);
      return;
    }
    // After the section's last line that is not blank.
    std::size_t end = section + 1;
    while (end < lines_.size() && !trimmed(lines_[end]).starts_with('[')) ++end;
    while (end > section + 1 && trimmed(lines_[end - 1]).empty()) --end;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(end), entry);
  }

 private:
  template <typename F>
  void forEachTypeLine(F f) const {
    bool inSection = false;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
      std::string_view line = trimmed(lines_[i]);
      if (line.starts_with('[')) {
        inSection = line == section_;
        continue;
      }
      std::size_t equals = line.find('=');
      if (inSection && equals != std::string_view::npos)
        f(i, trimmed(line.substr(0, equals)), trimmed(line.substr(equals + 1)));
    }
  }

  std::string_view section_;
  std::vector<std::string> lines_;
  bool finalNewline_ = true;
};

// The list with our entry in front (promote), in place of ours (keep) or
// without ours (id empty).
std::string editedList(std::string_view list, const std::string& id, bool promote) {
  std::vector<std::string_view> items = splitList(list);
  std::vector<std::string_view> edited;
  bool hadOurs = false;
  if (promote && !id.empty()) edited.push_back(id);
  for (std::string_view item : items) {
    if (!isOurEntry(item)) {
      edited.push_back(item);
    } else if (!hadOurs && !promote && !id.empty()) {
      edited.push_back(id);
    }
    hadOurs = hadOurs || isOurEntry(item);
  }
  if (!hadOurs && !promote) return std::string(list);
  return joinList(edited);
}

}  // namespace

DesktopFolders DesktopFolders::fromEnvironment() {
  const std::string home = homeFolder();
  DesktopFolders folders;
  folders.dataHome = baseFolder("XDG_DATA_HOME", home, ".local/share");
  std::string config = baseFolder("XDG_CONFIG_HOME", home, ".config");
  if (!folders.dataHome.empty()) folders.applications = folders.dataHome + "/applications";
  if (!config.empty()) {
    folders.mimeappsList = config + "/mimeapps.list";
    folders.autostart = config + "/autostart";
  }
  return folders;
}

std::string_view mimeTypeOfExtension(std::string_view extensionKey) {
  const std::string folded = foldName(extensionKey);
  for (const auto& [extension, type] : kMimeTypes)
    if (foldName(extension) == folded) return type;
  return {};
}

const std::set<std::string>& mimeExtensionKeys() {
  static const std::set<std::string> keys = [] {
    std::set<std::string> k;
    for (const auto& entry : kMimeTypes) k.emplace(entry.first);
    return k;
  }();
  return keys;
}

bool applyAssociations(const DesktopFolders& folders, const Associations& associations,
                       const std::set<std::string>& promote) {
  if (folders.applications.empty() || folders.mimeappsList.empty()) return false;
  bool ok = true;

  std::map<std::string, std::vector<std::string>> typesOfCommand;
  for (const auto& [type, command] : associations) typesOfCommand[command].push_back(type);
  // An installed entry under our name is the installer's: it is neither
  // rewritten nor removed, and ours beside it stays out of the menu it is
  // in already.
  const bool installedHere = installedEntryAt(folders.applications + '/' + std::string(kEntryId));
  std::map<std::string, std::string> entryOfType;
  std::set<std::string> entries;
  for (const auto& [command, types] : typesOfCommand) {
    std::optional<CommandText> parsed = parseCommandText(command);
    std::optional<std::string> exec = parsed ? execValue(*parsed) : std::nullopt;
    std::string id = entryIdFor(command, typesOfCommand.size() == 1 && !installedHere);
    std::string mimeTypes;
    for (const std::string& type : types) mimeTypes += type + ';';
    if (!exec || !writeIfChanged(folders.applications + '/' + id,
                                 desktopEntryText({{"Type", "Application"},
                                                   {"Name", "Quilmora"},
                                                   {"GenericName", "影音播放器"},
                                                   {"Icon", "quilmora"},
                                                   {"Exec", *exec},
                                                   {"Terminal", "false"},
                                                   {"Categories", "AudioVideo;Player;"},
                                                   {"MimeType", mimeTypes},
                                                   {"NoDisplay", installedHere ? "true" : "false"}}))) {
      ok = false;  // these types lose our default rather than name a missing entry
      continue;
    }
    entries.insert(id);
    for (const std::string& type : types) entryOfType[type] = id;
  }

  std::string current;
  files::ReadStatus read = files::readRegularFile(folders.mimeappsList, 16 << 20, current);
  if (read == files::ReadStatus::Failed) return false;
  DefaultsFile defaults(current, kDefaultsSection);
  std::set<std::string> types = defaults.typesWithOurEntries();
  for (const auto& entry : kMimeTypes) types.emplace(entry.second);
  for (const std::string& type : types) {
    auto id = entryOfType.find(type);
    std::optional<std::size_t> line = defaults.lineOf(type);
    std::string_view list = line ? defaults.listAt(*line) : std::string_view();
    std::string edited = editedList(list, id == entryOfType.end() ? std::string() : id->second,
                                    id != entryOfType.end() && promote.contains(type));
    if (edited != list) defaults.setList(type, edited);
  }
  // A type the user picks the player for again is no longer taken from it.
  DefaultsFile removed(defaults.text(), kRemovedSection);
  for (const auto& [type, id] : entryOfType) {
    std::optional<std::size_t> line = promote.contains(type) ? removed.lineOf(type) : std::nullopt;
    if (!line) continue;
    std::string_view list = removed.listAt(*line);
    std::string edited = editedList(list, std::string(), false);
    if (edited != list) removed.setList(type, edited);
  }
  std::string text = removed.text();
  if (text != current) {
    std::error_code ec;
    fs::create_directories(fs::path(folders.mimeappsList).parent_path(), ec);
    if (!files::replaceFileAtomically(folders.mimeappsList, text)) return false;
  }

  std::error_code ec;
  for (fs::directory_iterator file(folders.applications, ec), end; !ec && file != end; file.increment(ec)) {
    std::string name = file->path().filename().string();
    if (isOurEntry(name) && !entries.contains(name) && !(installedHere && name == kEntryId) &&
        !removeIfPresent(file->path().string()))
      ok = false;
  }
  if (ec && ec != std::errc::no_such_file_or_directory) ok = false;
  return ok;
}

bool applyAutostart(const DesktopFolders& folders, const std::optional<std::string>& program) {
  if (folders.autostart.empty()) return false;
  const std::string path = folders.autostart + '/' + std::string(kEntryId);
  std::optional<CommandText> parsed = program ? parseCommandText(*program) : std::nullopt;
  if (!parsed) return removeIfPresent(path);
  parsed->takesFile = false;
  std::optional<std::string> exec = execValue(*parsed);
  if (!exec) {
    removeIfPresent(path);
    return false;
  }
  return writeIfChanged(path, desktopEntryText({{"Type", "Application"},
                                                {"Name", "Quilmora"},
                                                {"Exec", *exec},
                                                {"Terminal", "false"},
                                                {"X-GNOME-Autostart-enabled", "true"}}));
}

}  // namespace qm::registry
