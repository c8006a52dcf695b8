// desktop_entry_writer <out-file> <program>: writes the installed desktop
// entry of the player, starting <program> with a file and offering it for
// every MIME type the player registers, from the registry layer's own table,
// and for the other formats the lists play.
#include <cstdio>
#include <fstream>
#include <set>
#include <string>

#include "platform/registry/desktop_entry.h"
#include "platform/registry/desktop_mirror.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: desktop_entry_writer <out-file> <program>\n");
    return 2;
  }
  const auto exec = qm::registry::execValue({argv[2], true});
  if (!exec) {
    std::fprintf(stderr, "%s cannot be written into a desktop entry\n", argv[2]);
    return 1;
  }
  std::set<std::string> types;
  for (const std::string& extension : qm::registry::mimeExtensionKeys())
    types.insert(std::string(qm::registry::mimeTypeOfExtension(extension)));
  // The formats of today the lists play: offered under "Open with", never
  // made the default, as the file types dialog keeps its fifteen types.
  for (const char* type : {"video/webm", "video/ogg", "video/x-m4v", "video/mp2t", "audio/ogg", "audio/x-opus+ogg",
                           "audio/flac", "audio/mp4", "audio/aac"})
    types.insert(type);
  std::string mimeTypes;
  for (const std::string& type : types) mimeTypes += type + ';';
  const std::string text = qm::registry::desktopEntryText({{"Type", "Application"},
                                                           {"Version", "1.0"},
                                                           {"Name", "Quilmora"},
                                                           {"GenericName", "影音播放器"},
                                                           {"Comment", "播放视频、音乐、图片和Flash影片"},
                                                           {"Icon", "quilmora"},
                                                           {"Exec", *exec},
                                                           {"TryExec", argv[2]},
                                                           {"Terminal", "false"},
                                                           {"Categories", "AudioVideo;Player;Video;Audio;"},
                                                           {"MimeType", mimeTypes}});
  std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
  out << text;
  out.close();
  return out ? 0 : 1;
}
