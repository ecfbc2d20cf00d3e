#include "qt/icons.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include <QImage>
#include <QPixmap>

#include "desktop/pictures.h"

namespace kalmar::qt {

namespace {

QPixmap pixmapOf(const desktop::Picture& picture) {
  QImage image(picture.width, picture.height, QImage::Format_ARGB32);
  for (int y = 0; y < picture.height; ++y)
    std::copy_n(picture.pixels.begin() + static_cast<std::ptrdiff_t>(y) * picture.width,
                picture.width, reinterpret_cast<std::uint32_t*>(image.scanLine(y)));
  return QPixmap::fromImage(image);
}

}  // namespace

QIcon speedButtonIcon(const QString& name) {
  QIcon icon;
  const std::string utf8 = name.toStdString();
  for (int size : {16, 32}) {
    const desktop::Picture picture = desktop::speedButtonPicture(utf8, size);
    if (!picture.empty()) icon.addPixmap(pixmapOf(picture));
  }
  return icon;
}

QIcon programIcon() {
  QIcon icon;
  for (int size : {16, 32, 48, 64}) icon.addPixmap(pixmapOf(desktop::programPicture(size)));
  return icon;
}

}  // namespace kalmar::qt
