#include "render/bitmap_file.h"

#include <QImage>
#include <QString>
#include <cstring>

#include "core/file_system.h"

std::optional<TBitmapRows> LoadBitmapRows(std::string_view gamePath) {
  QImage image(QString::fromStdString(fs_layer::ToHostPath(gamePath)));
  if (image.isNull()) return std::nullopt;
  image = image.convertToFormat(QImage::Format_RGB888);
  TBitmapRows rows{image.width(), image.height(), {}};
  const auto rowBytes = static_cast<std::size_t>(rows.width) * 3;
  rows.rgb.resize(rowBytes * static_cast<std::size_t>(rows.height));
  // QImage pads its scan lines and stores the top row first; GL wants neither.
  for (int y = 0; y < rows.height; ++y) {
    std::memcpy(rows.rgb.data() + static_cast<std::size_t>(rows.height - 1 - y) * rowBytes, image.constScanLine(y),
                rowBytes);
  }
  return rows;
}
