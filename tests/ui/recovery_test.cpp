// Crash recovery: the recovery file follows the room's unsaved changes, a room left
// behind by a killed editor is offered and restored at the next start, and a running
// editor's file is its own.
#include <QProcess>
#include <filesystem>
#include <fstream>

#include <signal.h>

#include "editor_fixture.h"
#include "room/edit_room.h"
#include "ui/room_recovery.h"

namespace {

using Image = std::vector<std::uint8_t>;

Image FileBytes(const QString& path) {
  std::ifstream in(path.toStdString(), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const std::string DemoRoom = std::string(BRANNOCK_SAMPLE_DIR) + "/data/world/room/demo.rer";

// Starts an editor of its own process on `room` (none: the untitled room) and waits until
// it has written its recovery file; its path, or empty when none came.
QString StartChildEditor(QProcess& child, const QStringList& room) {
  child.setWorkingDirectory(QStringLiteral(BRANNOCK_SAMPLE_DIR));
  child.start(QStringLiteral(BRANNOCK_RECOVERY_CHILD), room);
  if (!child.waitForStarted(10000)) return {};
  QByteArray said;
  QElapsedTimer clock;
  clock.start();
  while (!said.contains('\n') && clock.elapsed() < 30000 && child.state() == QProcess::Running) {
    child.waitForReadyRead(100);
    said += child.readAllStandardOutput();
  }
  if (!said.startsWith("written ")) return {};
  return RoomRecovery::DefaultDirectory() + QLatin1Char('/') + QString::fromLocal8Bit(said.mid(8).trimmed());
}

void Kill(QProcess& child) {
  ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
  ASSERT_TRUE(child.waitForFinished(10000));
  EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);
}

}  // namespace

class RecoveryTest : public EditorTest {
protected:
  // What a start would offer: the files of editors no longer running.
  std::vector<RoomRecovery::Found> Left() const { return RoomRecovery(RoomRecovery::DefaultDirectory()).List(); }
  // Every image in the folder, running editors' as well.
  QStringList Images() const {
    const QDir folder(RoomRecovery::DefaultDirectory());
    QStringList paths;
    for (const QString& name : folder.entryList({QStringLiteral("*.rer")}, QDir::Files)) paths << folder.filePath(name);
    return paths;
  }
};

TEST_F(RecoveryTest, TheStoreKeepsOneFilePerRoomAndFollowsARename) {
  auto store = std::make_unique<RoomRecovery>(RoomRecovery::DefaultDirectory());
  ASSERT_TRUE(store->Write({1, 2, 3}, ""));
  ASSERT_EQ(Images().size(), 1);
  EXPECT_EQ(FileBytes(Images()[0]), (Image{1, 2, 3}));
  EXPECT_TRUE(Left().empty()) << "the file of a running editor is not offered";

  // The room saved as cave.rer and changed again: its old file goes.
  ASSERT_TRUE(store->Write({4, 5}, "/rooms/cave.rer"));
  ASSERT_EQ(Images().size(), 1);
  EXPECT_EQ(FileBytes(Images()[0]), (Image{4, 5}));

  // The same room in a second editor has a file of its own.
  RoomRecovery other(RoomRecovery::DefaultDirectory());
  ASSERT_TRUE(other.Write({6}, "/rooms/cave.rer"));
  EXPECT_EQ(Images().size(), 2);
  other.Remove();
  ASSERT_EQ(Images().size(), 1);

  // The first editor ends without removing its file, as a crash would: now it is offered.
  store.reset();
  ASSERT_EQ(Left().size(), 1u);
  EXPECT_EQ(Left()[0].RoomName(), "cave.rer");
  EXPECT_EQ(Left()[0].roomPath, "/rooms/cave.rer");
  EXPECT_EQ(RoomRecovery::Read(Left()[0]), (Image{4, 5}));
}

TEST_F(RecoveryTest, OnlyUnsavedChangesAreWrittenAndSavingRemovesThem) {
  StartEditor();
  Main().WriteRecovery();
  EXPECT_TRUE(Left().empty()) << "a room without changes needs no recovery";

  Engine().Room->Name = "CHANGED";
  Main().WriteRecovery();
  ASSERT_EQ(Images().size(), 1);
  EXPECT_EQ(FileBytes(Images()[0]), Engine().Room->SaveToBytes());

  const auto saved = std::filesystem::path(userData.path().toStdString()) / "changed.rer";
  ASSERT_TRUE(Main().SaveRoomTo(saved.string()));
  EXPECT_TRUE(Images().empty());
}

TEST_F(RecoveryTest, ARoomLeftByAKilledEditorIsOfferedAndRestored) {
  QProcess child;
  const QString file = StartChildEditor(child, {QString::fromStdString(DemoRoom)});
  ASSERT_FALSE(file.isEmpty()) << child.readAllStandardError().toStdString();
  Kill(child);

  ASSERT_EQ(Left().size(), 1u);
  EXPECT_EQ(Left()[0].file, file);
  const Image written = FileBytes(file);
  ASSERT_FALSE(written.empty());
  prompts.restoreAnswers = {true};
  StartEditor();
  EXPECT_EQ(prompts.restoreQuestions, std::vector<std::string>{"demo.rer"});
  EXPECT_EQ(Engine().Room->SaveToBytes(), written);
  EXPECT_EQ(Engine().Room->Name.str(), "RECOVERED");

  // A changed room whose save proposes the original file.
  prompts.saveAnswers = {std::nullopt};
  Main().SaveRoom();
  ASSERT_EQ(prompts.saveSpecs.size(), 1u);
  EXPECT_EQ(prompts.saveSpecs[0].fileName, DemoRoom);
  prompts.unsavedAnswers = {UnsavedAnswer::Cancel};
  Main().NewRoom();
  EXPECT_EQ(prompts.unsavedQuestions, 1);
  EXPECT_EQ(Images().size(), 1) << "kept until the room is saved or dropped";
  EXPECT_TRUE(Left().empty()) << "held by the editor that restored it";
}

TEST_F(RecoveryTest, DiscardedRoomsAreGone) {
  ASSERT_TRUE(RoomRecovery(RoomRecovery::DefaultDirectory()).Write({1, 2, 3}, DemoRoom));
  prompts.restoreAnswers = {false};
  StartEditor();
  EXPECT_EQ(prompts.restoreQuestions, std::vector<std::string>{"demo.rer"});
  EXPECT_TRUE(Left().empty());
  EXPECT_EQ(Engine().Room->Name.str(), "ROOM");
}

// A second editor started beside a running one with unsaved changes.
TEST_F(RecoveryTest, ARunningEditorsFileIsNeitherOfferedNorDeleted) {
  QProcess child;
  const QString childFile = StartChildEditor(child, {});
  ASSERT_FALSE(childFile.isEmpty()) << child.readAllStandardError().toStdString();

  prompts.restoreAnswers = {false};  // would discard what it is offered
  StartEditor();
  EXPECT_TRUE(prompts.restoreQuestions.empty());
  EXPECT_TRUE(QFileInfo::exists(childFile));

  // Two untitled rooms, two files.
  Engine().Room->Name = "MINE";
  Main().WriteRecovery();
  ASSERT_EQ(Images().size(), 2);
  EXPECT_TRUE(Images().contains(childFile));
  EXPECT_EQ(FileBytes(childFile == Images()[0] ? Images()[1] : Images()[0]), Engine().Room->SaveToBytes());

  // The user's alone: no one else may read the rooms.
  namespace fs = std::filesystem;
  const fs::path folder = RoomRecovery::DefaultDirectory().toStdString();
  EXPECT_EQ(fs::status(folder).permissions(), fs::perms::owner_all);
  for (const auto& entry : fs::directory_iterator(folder))
    EXPECT_EQ(entry.status().permissions(), fs::perms::owner_read | fs::perms::owner_write) << entry.path();

  // Once that editor is gone its room is offered, and only that one.
  Kill(child);
  ASSERT_EQ(Left().size(), 1u);
  EXPECT_EQ(Left()[0].file, childFile);
  EXPECT_EQ(Left()[0].RoomName(), "Untitled");
}
