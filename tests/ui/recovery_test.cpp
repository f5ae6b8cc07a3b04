// Crash recovery: the recovery file follows the room's unsaved changes, and a room left
// behind by a killed editor is offered and restored at the next start.
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

}  // namespace

class RecoveryTest : public EditorTest {
protected:
  RoomRecovery Store() const { return RoomRecovery(RoomRecovery::DefaultDirectory()); }
  std::vector<RoomRecovery::Found> Left() const { return Store().List(); }
};

TEST_F(RecoveryTest, TheStoreKeepsOneFilePerRoomAndFollowsARename) {
  RoomRecovery store(RoomRecovery::DefaultDirectory());
  ASSERT_TRUE(store.Write({1, 2, 3}, ""));
  ASSERT_EQ(Left().size(), 1u);
  EXPECT_EQ(Left()[0].RoomName(), "Untitled");
  EXPECT_EQ(FileBytes(Left()[0].file), (Image{1, 2, 3}));

  // The room saved as cave.rer and changed again: its old file goes.
  ASSERT_TRUE(store.Write({4, 5}, "/rooms/cave.rer"));
  ASSERT_EQ(Left().size(), 1u);
  EXPECT_EQ(Left()[0].RoomName(), "cave.rer");
  EXPECT_EQ(Left()[0].roomPath, "/rooms/cave.rer");
  EXPECT_EQ(RoomRecovery::Read(Left()[0]), (Image{4, 5}));

  // A room of the same name in another folder is another room.
  RoomRecovery other(RoomRecovery::DefaultDirectory());
  ASSERT_TRUE(other.Write({6}, "/elsewhere/cave.rer"));
  EXPECT_EQ(Left().size(), 2u);
  store.Remove();
  ASSERT_EQ(Left().size(), 1u);
  EXPECT_EQ(Left()[0].roomPath, "/elsewhere/cave.rer");
}

TEST_F(RecoveryTest, OnlyUnsavedChangesAreWrittenAndSavingRemovesThem) {
  StartEditor();
  Main().WriteRecovery();
  EXPECT_TRUE(Left().empty()) << "a room without changes needs no recovery";

  Engine().Room->Name = "CHANGED";
  Main().WriteRecovery();
  ASSERT_EQ(Left().size(), 1u);
  EXPECT_EQ(RoomRecovery::Read(Left()[0]), Engine().Room->SaveToBytes());

  const auto saved = std::filesystem::path(userData.path().toStdString()) / "changed.rer";
  ASSERT_TRUE(Main().SaveRoomTo(saved.string()));
  EXPECT_TRUE(Left().empty());
}

TEST_F(RecoveryTest, ARoomLeftByAKilledEditorIsOfferedAndRestored) {
  QProcess child;
  child.setWorkingDirectory(QStringLiteral(BRANNOCK_SAMPLE_DIR));
  child.start(QStringLiteral(BRANNOCK_RECOVERY_CHILD), {QString::fromStdString(DemoRoom)});
  ASSERT_TRUE(child.waitForStarted(10000));
  ASSERT_TRUE(WaitFor([&child] { return child.readAllStandardOutput().contains("written"); }, 30000))
      << child.readAllStandardError().toStdString();
  ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
  ASSERT_TRUE(child.waitForFinished(10000));
  EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);

  ASSERT_EQ(Left().size(), 1u);
  const Image written = FileBytes(Left()[0].file);
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
  EXPECT_EQ(Left().size(), 1u) << "kept until the room is saved or dropped";
}

TEST_F(RecoveryTest, DiscardedRoomsAreGone) {
  ASSERT_TRUE(RoomRecovery(RoomRecovery::DefaultDirectory()).Write({1, 2, 3}, DemoRoom));
  prompts.restoreAnswers = {false};
  StartEditor();
  EXPECT_EQ(prompts.restoreQuestions, std::vector<std::string>{"demo.rer"});
  EXPECT_TRUE(Left().empty());
  EXPECT_EQ(Engine().Room->Name.str(), "ROOM");
}
