#include "platform/mpv/picture_decode_scale.h"

#include <QImageReader>
#include <algorithm>

namespace qm {

int jpegReductionStep(const std::string& path) {
  // The reader looks at the content, not the name, and reads only the header.
  QImageReader reader(QString::fromStdString(path));
  reader.setDecideFormatFromContent(true);
  if (reader.format() != "jpeg") return 0;
  const QSize size = reader.size();
  const int longer = std::max(size.width(), size.height());
  int step = 0;
  while (step < 3 && (longer >> (step + 1)) >= kSharpPictureSide) ++step;
  return step;
}

}  // namespace qm
