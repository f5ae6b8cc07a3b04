#include "ui/recent_rooms.h"

#include "ui/user_settings.h"

namespace {

constexpr const char* Key = "RecentRooms";

}  // namespace

QStringList RecentRooms::List() const {
  QStringList paths = UserSettings().value(QLatin1String(Key)).toStringList();
  paths.removeAll(QString());
  return paths.mid(0, Count);
}

void RecentRooms::Add(const QString& hostPath) {
  QStringList paths = List();
  paths.removeAll(hostPath);
  paths.prepend(hostPath);
  Store(paths.mid(0, Count));
}

void RecentRooms::Remove(const QString& hostPath) {
  QStringList paths = List();
  paths.removeAll(hostPath);
  Store(paths);
}

void RecentRooms::Store(const QStringList& paths) {
  QSettings settings = UserSettings();
  settings.setValue(QLatin1String(Key), paths);
  settings.sync();
}
