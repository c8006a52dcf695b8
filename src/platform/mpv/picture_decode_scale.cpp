#include "platform/mpv/picture_decode_scale.h"

#include <fcntl.h>
#include <unistd.h>

#include <QFile>
#include <QImageReader>
#include <algorithm>
#include <array>
#include <fstream>

namespace qm {

namespace {

// The JPEG start-of-image marker. Looking for it first keeps Qt from loading
// its image-format plugins for every song and clip that is opened.
bool startsLikeJpeg(const std::string& path) {
  std::array<char, 3> head{};
  std::ifstream file(path, std::ios::binary);
  return file.read(head.data(), head.size()) && head == std::array<char, 3>{'\xFF', '\xD8', '\xFF'};
}

}  // namespace

int jpegReductionStep(const std::string& path) {
  // The content decides, not the name; the reader reads only the header.
  if (!startsLikeJpeg(path)) return 0;
  // Opened by the name's bytes: QFile would take the name through UTF-8.
  QFile file;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return 0;
  if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    return 0;
  }
  QImageReader reader(&file, "jpeg");
  reader.setAutoDetectImageFormat(false);
  const QSize size = reader.size();
  if (!size.isValid()) return 0;
  const int longer = std::max(size.width(), size.height());
  int step = 0;
  while (step < 3 && (longer >> (step + 1)) >= kSharpPictureSide) ++step;
  return step;
}

}  // namespace qm
