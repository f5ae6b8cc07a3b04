#include "ui/room_recovery.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include "core/sha256.h"
#include "room/edit_room.h"

namespace {

constexpr const char* ImageSuffix = ".rer";
// Beside each image, the room file it belongs to, as text.
constexpr const char* PathSuffix = ".path";
constexpr const char* Untitled = "Untitled";

QString SidecarOf(const QString& image) { return image.left(image.size() - 4) + QString::fromLatin1(PathSuffix); }

bool WriteAtomically(const QString& file, const char* data, qint64 size) {
  QSaveFile out(file);
  return out.open(QIODevice::WriteOnly) && out.write(data, size) == size && out.commit();
}

}  // namespace

std::string RoomRecovery::Found::RoomName() const {
  return roomPath.empty() ? Untitled : QFileInfo(QString::fromStdString(roomPath)).fileName().toStdString();
}

QString RoomRecovery::DefaultDirectory() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Brannock/recovery");
}

RoomRecovery::RoomRecovery(QString directory) : directory_(std::move(directory)) {}

// Rooms of the same name in different folders get files of their own.
QString RoomRecovery::FileFor(const std::string& roomPath) const {
  const std::string key = Sha256Hex({reinterpret_cast<const std::uint8_t*>(roomPath.data()), roomPath.size()});
  const QString stem = roomPath.empty() ? QString::fromLatin1(Untitled)
                                        : QFileInfo(QString::fromStdString(roomPath)).completeBaseName();
  return directory_ + QLatin1Char('/') + stem + QLatin1Char('-') + QString::fromStdString(key.substr(0, 12)) +
         QString::fromLatin1(ImageSuffix);
}

bool RoomRecovery::Write(const std::vector<std::uint8_t>& image, const std::string& roomPath) {
  const QString file = FileFor(roomPath);
  if (file == current_ && image == lastWritten_) return true;
  if (!QDir().mkpath(directory_)) return false;
  // The path first: an image is never found without the room it belongs to.
  const QByteArray path = QByteArray::fromStdString(roomPath);
  if (!WriteAtomically(SidecarOf(file), path.constData(), path.size()) ||
      !WriteAtomically(file, reinterpret_cast<const char*>(image.data()), static_cast<qint64>(image.size())))
    return false;
  if (!current_.isEmpty() && current_ != file) Remove();
  current_ = file;
  lastWritten_ = image;
  return true;
}

void RoomRecovery::Remove() {
  if (current_.isEmpty()) return;
  QFile::remove(current_);
  QFile::remove(SidecarOf(current_));
  current_.clear();
  lastWritten_.clear();
}

std::vector<RoomRecovery::Found> RoomRecovery::List() const {
  std::vector<Found> found;
  const QDir directory(directory_);
  for (const QFileInfo& image : directory.entryInfoList({QStringLiteral("*.rer")}, QDir::Files, QDir::Time)) {
    QFile sidecar(SidecarOf(image.filePath()));
    if (!sidecar.open(QIODevice::ReadOnly)) continue;
    found.push_back({image.filePath(), sidecar.readAll().toStdString(), image.lastModified()});
  }
  return found;
}

std::optional<std::vector<std::uint8_t>> RoomRecovery::Read(const Found& found) {
  QFile file(found.file);
  // Longer than any room: not an image this editor wrote.
  if (!file.open(QIODevice::ReadOnly) || static_cast<std::size_t>(file.size()) > TRoom::MaxFileSize()) return std::nullopt;
  const QByteArray bytes = file.readAll();
  return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

void RoomRecovery::Adopt(const Found& found) {
  current_ = found.file;
  lastWritten_.clear();
}

void RoomRecovery::Discard(const Found& found) {
  QFile::remove(found.file);
  QFile::remove(SidecarOf(found.file));
}
