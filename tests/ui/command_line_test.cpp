// The command line: the room's game directory is the nearest folder above it holding
// editor.ini, wrong arguments are refused with the usage line, and a room named there
// opens in its game directory once the editor has started (a restored room wins).
#include <QProcess>
#include <QStatusBar>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "editor_fixture.h"
#include "ui/command_line.h"
#include "ui/game_path.h"
#include "ui/room_recovery.h"

namespace {

namespace fs = std::filesystem;

const std::string DemoRoom = std::string(BRANNOCK_SAMPLE_DIR) + "/data/world/room/demo.rer";

void Touch(const fs::path& file) {
  fs::create_directories(file.parent_path());
  std::ofstream(file) << "\n";
}

// A scratch tree: outer/ and outer/game/ are game directories (the inner one spells its
// editor.ini in capitals), bare/ and lone/ are not.
class GameTree : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(scratch.isValid());
    root = fs::canonical(scratch.path().toStdString());
    Touch(root / "outer/editor.ini");
    Touch(root / "outer/game/EDITOR.INI");
    Touch(root / "outer/game/data/world/room/a.rer");
    Touch(root / "outer/game/top.rer");
    Touch(root / "bare/x.rer");
    Touch(root / "lone/b.rer");
    fs::create_directory_symlink(root / "outer/game/data/world/room", root / "bare/link");
    fs::create_directory_symlink(root / "lone", root / "outer/shared");
    previous = fs::current_path();
  }
  void TearDown() override { fs::current_path(previous); }

  QTemporaryDir scratch;
  fs::path root;
  fs::path previous;
};

}  // namespace

TEST_F(GameTree, TheGameDirectoryIsTheNearestFolderAboveHoldingEditorIni) {
  using game_path::GameDirectoryOf;
  const std::string game = (root / "outer/game").string();
  EXPECT_EQ(GameDirectoryOf((root / "outer/game/data/world/room/a.rer").string()), game) << "the nearest one wins";
  EXPECT_EQ(GameDirectoryOf((root / "outer/game/top.rer").string()), game) << "the file's own folder counts";
  EXPECT_EQ(GameDirectoryOf((root / "bare/x.rer").string()), std::nullopt);

  fs::current_path(root / "outer/game/data");
  EXPECT_EQ(GameDirectoryOf("world/room/a.rer"), game) << "relative to the working directory";
  fs::current_path(root / "bare");
  EXPECT_EQ(GameDirectoryOf("../outer/game/data/world/./room/a.rer"), game);

  EXPECT_EQ(GameDirectoryOf((root / "bare/link/a.rer").string()), game) << "none above the link: its target's";
  EXPECT_EQ(GameDirectoryOf((root / "outer/shared/b.rer").string()), (root / "outer").string())
      << "the folders as spelled come before the real place's";
  EXPECT_EQ(GameDirectoryOf((root / "outer/shared/../shared/b.rer").string()), std::nullopt)
      << "a .. after a link climbs from its target";
}

TEST_F(GameTree, TheCommandLineTakesOneRoomAndEntersItsGameDirectory) {
  struct Case {
    std::vector<std::string> arguments;
    std::optional<int> exitCode;
    std::string said;  // on stdout for help, else on stderr
  };
  const Case refused[] = {{{"--help"}, 0, "usage: brannock [ROOM.rer]"},
                          {{"--foo"}, 2, "brannock: unknown option --foo\nusage: brannock [ROOM.rer]"},
                          {{"-"}, 2, "unknown option -\n"},
                          {{"a.rer", "b.rer"}, 2, "one room at most, 2 arguments given\nusage:"}};
  fs::current_path(root / "bare");
  for (const Case& c : refused) {
    std::ostringstream out, err;
    const StartRequest start = PrepareStart(c.arguments, out, err);
    EXPECT_EQ(start.exitCode, c.exitCode) << c.arguments.front();
    EXPECT_NE((c.exitCode == 0 ? out : err).str().find(c.said), std::string::npos) << err.str();
    EXPECT_TRUE(start.room.empty());
  }

  // Rooms that cannot be opened leave the working directory as it is.
  const std::pair<std::string, std::string> unopened[] = {
      {"missing.rer", "The room file " + (root / "bare/missing.rer").string() + " does not exist."},
      {"x.rer", "No folder above the room file " + (root / "bare/x.rer").string() + " holds editor.ini"},
      {"link", (root / "bare/link").string() + " is not a room file."}};
  for (const auto& [argument, why] : unopened) {
    std::ostringstream out, err;
    const StartRequest start = PrepareStart({argument}, out, err);
    EXPECT_FALSE(start.exitCode);
    EXPECT_TRUE(start.room.empty());
    EXPECT_TRUE(start.problem.starts_with(why)) << start.problem;
    EXPECT_NE(start.problem.find(" The editor starts in " + (root / "bare").string()), std::string::npos);
    EXPECT_EQ(err.str(), "brannock: " + start.problem + "\n");
    EXPECT_EQ(fs::current_path(), root / "bare");
  }

  std::ostringstream out, err;
  const StartRequest start = PrepareStart({"../bare/link/a.rer"}, out, err);
  EXPECT_FALSE(start.exitCode);
  EXPECT_EQ(start.room, (root / "bare/link/a.rer").string()) << "absolute, and the . and .. gone";
  EXPECT_EQ(start.problem, "");
  EXPECT_EQ(err.str(), "");
  EXPECT_EQ(fs::current_path(), root / "outer/game");

  EXPECT_FALSE(PrepareStart({}, out, err).exitCode);
  EXPECT_EQ(fs::current_path(), root / "outer/game");

  // The program itself: help needs no display, Qt's own options are Qt's, anything else
  // is refused before a window opens.
  QProcess helper;
  QProcessEnvironment noDisplay = QProcessEnvironment::systemEnvironment();
  noDisplay.remove(QStringLiteral("DISPLAY"));
  noDisplay.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
  helper.setProcessEnvironment(noDisplay);
  helper.start(QStringLiteral(BRANNOCK_EDITOR_PATH), {"--help"});
  ASSERT_TRUE(helper.waitForFinished(30000));
  EXPECT_EQ(helper.exitCode(), 0);
  EXPECT_TRUE(helper.readAllStandardOutput().startsWith("usage: brannock [ROOM.rer]\n"));
  QProcess editor;
  editor.start(QStringLiteral(BRANNOCK_EDITOR_PATH), {"-platform", "offscreen", "--foo"});
  ASSERT_TRUE(editor.waitForFinished(30000));
  EXPECT_EQ(editor.exitCode(), 2);
  const std::string said = editor.readAllStandardError().toStdString();
  EXPECT_NE(said.find("brannock: unknown option --foo\nusage: brannock [ROOM.rer]"), std::string::npos) << said;
  EXPECT_EQ(said.find("-platform"), std::string::npos) << said;
}

TEST_F(EditorTest, ARoomNamedOnTheCommandLineOpensInItsGameDirectoryUnlessOneIsRestored) {
  const fs::path sample = fs::canonical(BRANNOCK_SAMPLE_DIR);
  const std::string demo = (sample / "data/world/room/demo.rer").string();
  ASSERT_TRUE(QDir::setCurrent(userData.path()));
  std::ostringstream out, err;
  const StartRequest start = PrepareStart({fs::relative(demo).string()}, out, err);
  ASSERT_EQ(err.str(), "");
  EXPECT_EQ(start.room, demo);
  EXPECT_EQ(fs::current_path(), sample);

  // As the program does: the request is given before the start-up has run.
  const auto startWith = [&](const StartRequest& request) {
    windows = std::make_unique<EditorWindows>(*host, prompts, QDir::currentPath().toStdString());
    Main().OpenAfterStartUp(request);
    Main().show();
  };
  startWith(start);
  ASSERT_TRUE(WaitFor([&] { return Main().windowTitle() == QStringLiteral("demo.rer \u2014 Brannock"); }))
      << Main().windowTitle().toStdString();
  EXPECT_TRUE(WaitFor([&] { return StatusText(1) == "Lights: 8" && StatusText(2) == "Entities: 49"; }))
      << StatusText(1) << " " << StatusText(2);
  EXPECT_EQ(host->ErrorLog(), std::vector<std::string>{});
  windows.reset();

  // A room left by a crashed editor, restored at the next start, is the one edited.
  {
    std::ifstream in(demo, std::ios::binary);
    const std::vector<std::uint8_t> image{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ASSERT_TRUE(RoomRecovery(RoomRecovery::DefaultDirectory()).Write(image, (sample / "restored.rer").string()));
  }
  prompts.restoreAnswers = {true};
  startWith(start);
  ASSERT_TRUE(WaitFor([&] { return Main().Timer.isActive(); }));
  EXPECT_EQ(prompts.restoreQuestions, std::vector<std::string>{"restored.rer"});
  EXPECT_EQ(prompts.unsavedQuestions, 0);
  EXPECT_EQ(Main().windowTitle(), QStringLiteral("restored.rer* \u2014 Brannock"));
  EXPECT_EQ(Main().statusBar()->currentMessage().toStdString(), "The restored room is open; " + demo + " was not loaded.");

  // A room that could not be opened is said in a box over the started window.
  StartRequest unopened;
  unopened.problem = "The room file /nowhere.rer does not exist.";
  Main().OpenAfterStartUp(unopened);
  EXPECT_EQ(modals->seenTexts, std::vector<std::string>{"QZ_ROOM: The room file /nowhere.rer does not exist."});
}
