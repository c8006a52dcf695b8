#include "platform/mpv/hardware_decoding.h"

#include <filesystem>

namespace qm {

std::string hardwareDecodingOption() {
  namespace fs = std::filesystem;
  std::error_code ec;
  for (fs::directory_iterator entry("/dev/dri", ec), end; !ec && entry != end; entry.increment(ec))
    if (entry->path().filename().string().rfind("renderD", 0) == 0) return "auto-copy";
  if (fs::exists("/dev/nvidiactl", ec)) return "auto-copy";
  return {};
}

}  // namespace qm
