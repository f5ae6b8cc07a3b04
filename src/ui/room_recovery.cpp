#include "ui/room_recovery.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUuid>

#include "core/sha256.h"
#include "room/edit_room.h"

namespace {

constexpr const char* ImageSuffix = ".rer";
// Beside each image, the room file it belongs to, as text.
constexpr const char* PathSuffix = ".path";
// And the lock of the editor writing it.
constexpr const char* LockSuffix = ".lock";
constexpr const char* Untitled = "Untitled";

// Rooms are the user's work: no one else reads them.
constexpr QFileDevice::Permissions OwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

QString Beside(const QString& image, const char* suffix) {
  return image.left(image.size() - 4) + QString::fromLatin1(suffix);
}
QString SidecarOf(const QString& image) { return Beside(image, PathSuffix); }

bool WriteAtomically(const QString& file, const char* data, qint64 size) {
  QSaveFile out(file);
  // Set on the temporary file, so the room is never readable by others, not even briefly.
  return out.open(QIODevice::WriteOnly) && out.setPermissions(OwnerOnly) && out.write(data, size) == size &&
         out.commit();
}

// The lock of `image`, held; none while a running editor holds it. A lock left by an
// editor that is gone is stale at once: its process no longer runs.
std::unique_ptr<QLockFile> LockOf(const QString& image) {
  const QString path = Beside(image, LockSuffix);
  auto lock = std::make_unique<QLockFile>(path);
  lock->setStaleLockTime(0);
  if (!lock->tryLock(0)) return nullptr;
  QFile::setPermissions(path, OwnerOnly);
  return lock;
}

void RemoveImage(const QString& image) {
  QFile::remove(image);
  QFile::remove(SidecarOf(image));
}

}  // namespace

std::string RoomRecovery::Found::RoomName() const {
  return roomPath.empty() ? Untitled : QFileInfo(QString::fromStdString(roomPath)).fileName().toStdString();
}

QString RoomRecovery::DefaultDirectory() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Brannock/recovery");
}

RoomRecovery::RoomRecovery(QString directory)
    : directory_(std::move(directory)), editorId_(QUuid::createUuid().toString(QUuid::WithoutBraces)) {}

RoomRecovery::~RoomRecovery() = default;

// Rooms of the same name in different folders get files of their own, and so do two
// editors on one room, or each on a room never saved.
QString RoomRecovery::FileFor(const std::string& roomPath) const {
  const std::string keyed = editorId_.toStdString() + '\n' + roomPath;
  const std::string key = Sha256Hex({reinterpret_cast<const std::uint8_t*>(keyed.data()), keyed.size()});
  const QString stem = roomPath.empty() ? QString::fromLatin1(Untitled)
                                        : QFileInfo(QString::fromStdString(roomPath)).completeBaseName();
  return directory_ + QLatin1Char('/') + stem + QLatin1Char('-') + QString::fromStdString(key.substr(0, 12)) +
         QString::fromLatin1(ImageSuffix);
}

bool RoomRecovery::Write(const std::vector<std::uint8_t>& image, const std::string& roomPath) {
  const QString file = FileFor(roomPath);
  if (file == current_ && image == lastWritten_) return true;
  if (!QDir().mkpath(directory_) ||
      !QFile::setPermissions(directory_, OwnerOnly | QFileDevice::ExeOwner))
    return false;
  // Locked before it exists: no editor starting meanwhile takes it for a crashed one's.
  std::unique_ptr<QLockFile> lock;
  if (file != current_ && !(lock = LockOf(file))) return false;
  // The path first: an image is never found without the room it belongs to.
  const QByteArray path = QByteArray::fromStdString(roomPath);
  if (!WriteAtomically(SidecarOf(file), path.constData(), path.size()) ||
      !WriteAtomically(file, reinterpret_cast<const char*>(image.data()), static_cast<qint64>(image.size())))
    return false;
  if (lock) {
    Remove();
    current_ = file;
    lock_ = std::move(lock);
  }
  lastWritten_ = image;
  return true;
}

void RoomRecovery::Remove() {
  if (current_.isEmpty()) return;
  // The files go before the lock, so none is ever found unlocked.
  RemoveImage(current_);
  lock_.reset();
  current_.clear();
  lastWritten_.clear();
}

std::vector<RoomRecovery::Found> RoomRecovery::List() const {
  std::vector<Found> found;
  const QDir directory(directory_);
  for (const QFileInfo& image : directory.entryInfoList({QStringLiteral("*.rer")}, QDir::Files, QDir::Time)) {
    // Held by a running editor (this one too): its work, not a crashed one's.
    if (!LockOf(image.filePath())) continue;
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

bool RoomRecovery::Adopt(const Found& found) {
  if (found.file == current_) return true;
  auto lock = LockOf(found.file);
  if (!lock) return false;
  Remove();
  current_ = found.file;
  lock_ = std::move(lock);
  lastWritten_.clear();
  return true;
}

void RoomRecovery::Discard(const Found& found) {
  const auto lock = LockOf(found.file);
  if (lock) RemoveImage(found.file);
}
