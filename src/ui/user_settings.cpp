#include "ui/user_settings.h"

#include <QStandardPaths>

QSettings UserSettings() {
  const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  return QSettings(config + QStringLiteral("/Brannock/Brannock.ini"), QSettings::IniFormat);
}
