#pragma once
// File > Recent Rooms: the last eight rooms opened or saved, newest first, kept in the
// user's settings so the list outlives the session.

#include <QString>
#include <QStringList>

class RecentRooms {
public:
  static constexpr int Count = 8;

  QStringList List() const;
  // The room goes to the top; an entry naming the same file goes, the ninth drops off.
  void Add(const QString& hostPath);
  void Remove(const QString& hostPath);

private:
  void Store(const QStringList& paths);
};
