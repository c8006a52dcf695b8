#include "platform/chm/chm_system.h"

namespace qm {
namespace {

std::uint32_t littleEndian(const QByteArray& bytes, qsizetype at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

// Record strings end at their first NUL; some compilers pad after it.
std::string recordText(const QByteArray& bytes, qsizetype at, qsizetype length) {
  const QByteArray text = bytes.mid(at, length);
  const qsizetype end = text.indexOf('\0');
  return (end < 0 ? text : text.left(end)).toStdString();
}

}  // namespace

ChmSystemInfo parseChmSystem(const QByteArray& bytes) {
  // Record codes as the help compiler writes them.
  enum : std::uint32_t { kContentsFile = 0, kDefaultTopic = 2, kTitle = 3, kLanguage = 4 };
  ChmSystemInfo info;
  qsizetype at = 4;
  while (at + 4 <= bytes.size()) {
    const std::uint32_t code = littleEndian(bytes, at, 2);
    const qsizetype length = littleEndian(bytes, at + 2, 2);
    at += 4;
    if (at + length > bytes.size()) break;
    switch (code) {
      case kContentsFile:
        info.contentsFile = recordText(bytes, at, length);
        break;
      case kDefaultTopic:
        info.defaultTopic = recordText(bytes, at, length);
        break;
      case kTitle:
        info.title = recordText(bytes, at, length);
        break;
      case kLanguage:
        if (length >= 4) info.lcid = littleEndian(bytes, at, 4);
        break;
      default:
        break;
    }
    at += length;
  }
  return info;
}

}  // namespace qm
