#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace qm::registry {

// The user's folders of the desktop, from XDG_DATA_HOME, XDG_CONFIG_HOME and
// HOME (relative XDG values are ignored, as the base directory rules say).
struct DesktopFolders {
  std::string dataHome;      // ~/.local/share
  std::string applications;  // <data home>/applications
  std::string mimeappsList;  // <config home>/mimeapps.list
  std::string autostart;     // <config home>/autostart

  static DesktopFolders fromEnvironment();
};

// The MIME type (the shared MIME database's canonical name) of a file type
// the player registers, by its extension key (".avi", case ignored); empty
// for an extension without one.
std::string_view mimeTypeOfExtension(std::string_view extensionKey);

// The extension keys that have a MIME type.
const std::set<std::string>& mimeExtensionKeys();

// The command text each MIME type is to open with.
using Associations = std::map<std::string, std::string>;

// Makes the desktop follow `associations`: a desktop entry of ours for each
// command text, and for each MIME type our entry at the front of the user's
// defaults ($XDG_CONFIG_HOME/mimeapps.list, [Default Applications]) when it
// is in `promote`, kept in its place otherwise, and taken out where the MIME
// type is no longer associated. The user's other entries and lines stay as
// they are; entries of ours that nothing uses any more are removed. False
// when some file could not be written.
bool applyAssociations(const DesktopFolders& folders, const Associations& associations,
                       const std::set<std::string>& promote);

// The autostart entry of ours ($XDG_CONFIG_HOME/autostart/quilmora.desktop)
// starting `program`, or none when there is no program. False when the entry
// could not be written or removed, or the program cannot be written into it
// (then no entry is left).
bool applyAutostart(const DesktopFolders& folders, const std::optional<std::string>& program);

}  // namespace qm::registry
