// The guard of the stored values: every dialog opened on every object of a room and
// closed with OK untouched, then with Cancel, leaves the room's file image as it was,
// byte for byte. Run on the demo room and on a room made to break careless dialogs, the
// latter with the sample world's lists and with lists cut to one entry each.
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "editor_fixture.h"
#include "engine/edit_engine.h"
#include "entities/edit_entity.h"
#include "entities/edit_entityform.h"
#include "entities/entity_message.h"
#include "entities/entity_portal.h"
#include "entities/entity_sound.h"
#include "entities/tile_door.h"
#include "room/edit_room.h"
#include "support/distinct_entities.h"
#include "support/temp_game_dir.h"
#include "ui/edit_entityform.h"
#include "ui/editor_dialog.h"

namespace {

using Image = std::vector<std::uint8_t>;

Image FileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Where two images first differ, as text for a failure message; empty when equal.
std::string Difference(const Image& before, const Image& after) {
  if (before == after) return {};
  std::size_t at = 0;
  while (at < before.size() && at < after.size() && before[at] == after[at]) ++at;
  std::ostringstream text;
  text << "first difference at byte " << at << " of " << before.size() << " (now " << after.size() << " bytes)";
  return text.str();
}

// Every list of editor.ini cut to its first entry, so each stored index beyond 0 is one
// the list cannot show.
std::string ShortenedLists(const std::string& ini) {
  std::istringstream in(ini);
  std::string out;
  std::string line;
  int entries = -1;  // entries kept of the open section; -1 outside a section
  while (std::getline(in, line)) {
    if (entries < 0 && line.size() > 2 && line.front() == '[' && line.back() == ']') {
      entries = 0;
    } else if (entries >= 0 && line.empty()) {
      entries = -1;
    } else if (entries >= 0 && entries++ >= 1) {
      continue;
    }
    out += line + "\n";
  }
  return out;
}

std::string Numbered(char fill, std::size_t length, int number) {
  std::string text = std::to_string(number);
  text.resize(length, fill);
  return text;
}

// A text of `length` characters that ends in `tail`.
std::string EndingIn(char fill, std::size_t length, std::string_view tail) {
  std::string text(length, fill);
  text.replace(length - tail.size(), tail.size(), tail);
  return text;
}

}  // namespace

class UntouchedDialogsTest : public EditorTest {
protected:
  // Starts the editor in a copy of the sample world whose editor.ini lists hold one entry.
  void StartWithShortenedLists() {
    std::filesystem::copy(BRANNOCK_SAMPLE_DIR, world.Path(), std::filesystem::copy_options::recursive);
    const auto ini = std::filesystem::path(world.Path()) / "editor.ini";
    const Image full = FileBytes(ini);
    const std::string shortened = ShortenedLists(std::string(full.begin(), full.end()));
    std::ofstream(ini, std::ios::binary | std::ios::trunc) << shortened;
    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(world.Path())));
    StartEditor();
  }

  void LoadDemoRoom() {
    const Image bytes = FileBytes(std::filesystem::path(BRANNOCK_SAMPLE_DIR) / "data/world/room/demo.rer");
    ASSERT_TRUE(Engine().Room->LoadFromBytes(bytes));
  }

  // A room of every entity kind whose values a careless dialog would change: list
  // indices beyond the lists, names and paths at full length, floats with more decimals
  // than shown and at the ends of their range, light maps of odd sizes.
  void BuildHostileRoom() {
    TRoom& room = *Engine().Room;
    room.RegionName = std::string(255, 'r');
    room.SkyBoxTexture = EndingIn('s', 254, "\\sky");
    room.LightPos = {-0.3990037f, 0.3491283f, -0.8478830f};
    room.EffectIntensity = 3.4e38f;
    room.FogDensity = 0.0123456f;
    room.WaterHeight = -1.0e-7f;
    room.Ambience = {0.123456f, 1.5f, -0.25f};
    room.SizeX = -32768;
    room.Environment = room.Effect = room.Region = room.FogTypus = 200;
    room.WeatherEffect = room.SunFlare = room.WaterMaterial = 99;

    int number = 0;
    for (const auto& [code, size] : KindSizes) {
      TEntity* entity = room.AddEntity(code, {static_cast<float>(number) - 20.0f, 0.0f, 5.0f}, {}, 1.0f);
      ASSERT_NE(entity, nullptr) << code;
      DistinguishCommon(*entity);
      Distinguish(*entity);
      entity->Name = Numbered('N', 32, number++);
      entity->Position = {1.2345678f, -0.0001234f, 29.987654f};
      entity->Density = -3.0e38f;
      entity->BlendingMode = 77;
      if (auto* door = dynamic_cast<TETDoor*>(entity)) {
        door->ToRoom = EndingIn('d', 255, ".rer");
        door->KeyItem = 7000;
      }
      if (auto* portal = dynamic_cast<TEPortal*>(entity)) portal->ToRoom = std::string(255, 'p');
      if (auto* sound = dynamic_cast<TESound*>(entity)) sound->SoundFile = std::string(255, 'w');
      if (auto* message = dynamic_cast<TEMessage*>(entity)) message->MessageFile = std::string(255, 'm');
    }

    TLight* light = room.AddLight({1.0f, 2.0f, 3.0f}, {0.3333333f, 0.6666667f, 1.0f}, 7.123456f);
    ASSERT_NE(light, nullptr);
    light->Name = std::string(32, 'L');
    light->Effect = 99;
    light->Flare = -3;
    light->EffectOffset = -1.0e-30f;

    const std::pair<int, int> sizes[] = {{3, 7}, {1, 1}, {256, 2}};
    for (const auto& [width, height] : sizes) {
      const float x = static_cast<float>(width % 20);
      TSurface* surface = room.AddSurface({x, 0, 0}, {x + 1, 0, 0}, {x + 1, 0, 1}, {x, 0, 1}, "textures\\default");
      ASSERT_NE(surface, nullptr);
      surface->name = Numbered('S', 32, width);
      surface->corners[2].s = 0.3333333f;
      surface->texPerMetreS = 1.0e-5f;
      surface->lightMapWidth = static_cast<std::int16_t>(width);
      surface->lightMapHeight = static_cast<std::int16_t>(height);
      for (std::size_t i = 0; i < surface->LightMapSize(); ++i)
        surface->lightMapPixels[i] = static_cast<std::uint8_t>(i * 37 + 11);
    }
    room.CountEntities();
    room.CountLights();
    room.CountSurfaces();
  }

  // Every dialog once closed with OK, once with Cancel; after each the image is the original.
  void ExpectEveryDialogKeepsTheRoom() {
    TRoom& room = *Engine().Room;
    const Image original = room.SaveToBytes();
    modals->seenTexts.clear();
    for (const char* button : {"BitBtn1", "BitBtn2"}) {
      modals->handler = [button](QWidget& modal) {
        if (auto* dialog = qobject_cast<EditorDialog*>(&modal)) {
          QTest::mouseClick(dialog->findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
        } else if (auto* other = qobject_cast<QDialog*>(&modal)) {
          other->reject();
        }
      };
      const std::string closed = std::string(" closed with ") + button;
      // A changed room is put back, so each dialog is judged on its own.
      const auto expectKept = [&](const std::string& what) {
        const std::string difference = Difference(original, room.SaveToBytes());
        EXPECT_EQ(difference, "") << what << closed;
        if (!difference.empty()) room.LoadFromBytes(original);
      };
      room.EditAttributes();
      expectKept("room dialog");
      for (int slot = 0; slot <= room.LastLight; ++slot) {
        if (!room.Lights[slot].InUse()) continue;
        room.Lights[slot].EditAttributes();
        expectKept("light " + std::to_string(slot));
      }
      for (int slot = 0; slot <= room.LastEntity; ++slot) {
        TEntity& entity = *room.Entities[slot];
        if (!entity.InUse()) continue;
        entity_form::EditEntityFollowingRename(room, entity);
        expectKept("entity " + entity.Name.str());
      }
      for (int slot = 0; slot <= room.LastSurface; ++slot) {
        TSurface& surface = *room.Surfaces[slot];
        if (!surface.InUse()) continue;
        surface.Edit();
        expectKept("surface " + std::to_string(slot));
      }
    }
    // Every control a kind's fields name is on its page.
    EXPECT_TRUE(host->MissingControls().empty()) << *host->MissingControls().begin();
    // Missing resources may be reported; an untouched number never fails to convert.
    for (const std::string& text : modals->seenTexts) EXPECT_EQ(text.find("convert"), std::string::npos) << text;
  }

  TempGameDir world;
};

TEST_F(UntouchedDialogsTest, TheDemoRoomSurvivesEveryDialog) {
  StartEditor();
  LoadDemoRoom();
  ExpectEveryDialogKeepsTheRoom();
}

TEST_F(UntouchedDialogsTest, AHostileRoomSurvivesEveryDialog) {
  StartEditor();
  BuildHostileRoom();
  ExpectEveryDialogKeepsTheRoom();
}

TEST_F(UntouchedDialogsTest, AHostileRoomSurvivesEveryDialogWithShortenedLists) {
  StartWithShortenedLists();
  BuildHostileRoom();
  ExpectEveryDialogKeepsTheRoom();
}

TEST_F(UntouchedDialogsTest, TheToolResavesAHostileRoomUnchanged) {
  StartEditor();
  BuildHostileRoom();
  const Image original = Engine().Room->SaveToBytes();
  const auto in = std::filesystem::path(world.Path()) / "hostile.rer";
  const auto out = std::filesystem::path(world.Path()) / "resaved.rer";
  std::ofstream(in, std::ios::binary).write(reinterpret_cast<const char*>(original.data()),
                                            static_cast<std::streamsize>(original.size()));
  QProcess tool;
  tool.setWorkingDirectory(QStringLiteral(BRANNOCK_SAMPLE_DIR));
  tool.start(QStringLiteral(BRANNOCK_TOOL_PATH),
             {QStringLiteral("resave"), QString::fromStdString(in.string()), QString::fromStdString(out.string())});
  ASSERT_TRUE(tool.waitForFinished(30000));
  EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
  EXPECT_EQ(Difference(original, FileBytes(out)), "");
}
