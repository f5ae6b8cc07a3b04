#pragma once
// What a room file on disk is at one moment: its size, modification time and content.
// A save in place compares the stamp taken when the room was loaded or last saved with
// the file as it is now, so a file another program changed is not silently replaced.

#include <QByteArray>
#include <QDateTime>
#include <optional>
#include <string>

struct DiskStamp {
  qint64 size = 0;
  QDateTime modified;
  QByteArray sha256;

  // Nothing when the file cannot be read.
  static std::optional<DiskStamp> Of(const std::string& hostPath);
  bool operator==(const DiskStamp&) const = default;
};
