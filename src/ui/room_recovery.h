#pragma once
// Crash recovery: while the room has unsaved changes its file image is written now and
// then to a recovery file in the user's data directory, named after the room's file.
// Saving, or leaving the room on purpose, removes the file. Each editor holds a lock on
// the file it writes, so at the next start every file still there whose lock no running
// editor holds is the work of an editor that did not end normally; the files of editors
// still running are theirs alone.

#include <QDateTime>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QLockFile;

class RoomRecovery {
public:
  // A room image left behind, with the room file it belongs to (empty for a room that
  // was never saved) and the time it was written.
  struct Found {
    QString file;
    std::string roomPath;
    QDateTime written;
    std::string RoomName() const;
  };

  // The recovery folder below the user's data directory (XDG_DATA_HOME).
  static QString DefaultDirectory();
  explicit RoomRecovery(QString directory);
  // Lets go of the file without removing it: the next start offers it.
  ~RoomRecovery();

  // Writes the image atomically as the recovery file of `roomPath`; a file written for
  // another path before (the room was saved under a new name) goes. An image equal to
  // the last one written is not written again. False when the write failed.
  bool Write(const std::vector<std::uint8_t>& image, const std::string& roomPath);
  // Removes the file of the room being edited, if one was written.
  void Remove();

  // The files left by editors no longer running, newest first.
  std::vector<Found> List() const;
  static std::optional<std::vector<std::uint8_t>> Read(const Found& found);
  // Adopts a found file as the one of the room now edited, so later writes replace it
  // and saving removes it. False when another editor took it first.
  bool Adopt(const Found& found);
  // Removes a found file, unless another editor took it meanwhile.
  static void Discard(const Found& found);

private:
  QString FileFor(const std::string& roomPath) const;

  QString directory_;
  QString editorId_;  // tells this editor's files from those of editors running beside it
  QString current_;   // the file written for the room being edited
  std::unique_ptr<QLockFile> lock_;  // held on current_
  std::vector<std::uint8_t> lastWritten_;
};
