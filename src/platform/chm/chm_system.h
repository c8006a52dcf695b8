#pragma once

#include <QByteArray>
#include <cstdint>
#include <string>

namespace qm {

// What a .chm says about itself in its "#SYSTEM" file. Texts are the raw
// bytes as the help compiler stored them, in the file's own encoding.
struct ChmSystemInfo {
  std::string contentsFile;  // the .hhc sitemap, relative to the root
  std::string defaultTopic;
  std::string title;
  std::uint32_t lcid = 0;  // language of the help; 0 when not given
};

// Reads "#SYSTEM": a 4-byte version, then records of a 2-byte code, a 2-byte
// length and that many bytes, all little-endian. Unknown codes are skipped;
// a record cut short ends the reading with what was found so far.
ChmSystemInfo parseChmSystem(const QByteArray& bytes);

}  // namespace qm
