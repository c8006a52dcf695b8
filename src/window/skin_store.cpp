#include "window/skin_store.h"

#include <QImage>
#include <QString>

namespace qm {

namespace {

constexpr QRgb kFallbackGrey = 0xFF808080;

Picture greyPicture(int width, int height) {
  QImage image(width, height, QImage::Format_ARGB32);
  image.fill(kFallbackGrey);
  return std::make_shared<const QImage>(std::move(image));
}

}  // namespace

SkinPicture skinPictureSize(std::string_view name) {
  for (const SkinPicture& entry : kSkinPictures) {
    if (entry.name == name) return entry;
  }
  return {name, 16, 16};
}

SkinStore::SkinStore(std::string root) : root_(std::move(root)) {}

Picture SkinStore::picture(const std::string& name) {
  if (auto found = pictures_.find(name); found != pictures_.end()) return found->second;

  QImage image(QString::fromStdString(root_ + name + ".png"));
  Picture picture;
  if (image.isNull()) {
    const SkinPicture size = skinPictureSize(name);
    picture = greyPicture(size.width, size.height);
    missing_.push_back(name);
  } else {
    // One format for every picture, so pixel reads and masked drawing need
    // no conversion later.
    picture = std::make_shared<const QImage>(image.convertToFormat(QImage::Format_ARGB32));
  }
  pictures_.emplace(name, picture);
  return picture;
}

}  // namespace qm
