#include "ui/disk_stamp.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

std::optional<DiskStamp> DiskStamp::Of(const std::string& hostPath) {
  const QString path = QString::fromStdString(hostPath);
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  QCryptographicHash hash(QCryptographicHash::Sha256);
  if (!hash.addData(&file)) return std::nullopt;
  const QFileInfo info(path);
  return DiskStamp{info.size(), info.lastModified(), hash.result()};
}
