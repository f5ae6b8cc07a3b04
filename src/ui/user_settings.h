#pragma once
// The user's settings file, $XDG_CONFIG_HOME/Brannock/Brannock.ini: the recent rooms
// and the editor's remembered switches.

#include <QSettings>

// Looked up each time: Qt's own user scope settles on the directory it first sees.
QSettings UserSettings();
