#include "ui/recent_rooms.h"

#include <QSettings>
#include <QStandardPaths>

namespace {

constexpr const char* Key = "RecentRooms";

// $XDG_CONFIG_HOME/Brannock/Brannock.ini, looked up each time: Qt's own user scope
// settles on the directory it first sees.
QSettings Settings() {
  const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  return QSettings(config + QStringLiteral("/Brannock/Brannock.ini"), QSettings::IniFormat);
}

}  // namespace

QStringList RecentRooms::List() const {
  QStringList paths = Settings().value(QLatin1String(Key)).toStringList();
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
  QSettings settings = Settings();
  settings.setValue(QLatin1String(Key), paths);
  settings.sync();
}
