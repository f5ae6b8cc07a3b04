// brannock-tool: room files from the command line, for designers and build pipelines.
// It runs from a game data directory like the editor does (or --base DIR), reports
// every engine error on stderr as "TAG: text" and exits non-zero whenever one was
// reported.

#include <CLI/CLI.hpp>

#include <filesystem>
#include <iostream>
#include <string>

#include <unistd.h>

#include "engine/edit_engine.h"
#include "room/edit_room.h"
#include "tool/bake_command.h"
#include "tool/console_host.h"
#include "tool/model_info_command.h"
#include "tool/room_json.h"
#include "tool/room_text_command.h"
#include "tool/world_command.h"
#include "world/room_check.h"

namespace {

struct Session {
  ConsoleHost host;
  TQZEngine engine;

  explicit Session(const std::string& base) : engine(host, base) { engine.StartUp(); }
  TRoom& Room() { return *engine.Room; }
  int Status() const { return host.Clean() ? 0 : 1; }
};

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Room files of the level editor, from the command line"};
  app.require_subcommand(1);
  std::string base = std::filesystem::current_path().string();
  app.add_option("--base", base, "Game data directory (default: the current directory)")->check(CLI::ExistingDirectory);

  std::string in, out;
  auto* cmdNew = app.add_subcommand("new", "Write a new, empty room");
  cmdNew->add_option("OUT", out, "Room file to write")->required();
  auto* cmdResave = app.add_subcommand("resave", "Load a room as the editor does and save it again");
  cmdResave->add_option("IN", in, "Room file to read")->required();
  cmdResave->add_option("OUT", out, "Room file to write")->required();
  auto* cmdDump = app.add_subcommand("dump", "Print a room as JSON");
  cmdDump->add_option("IN", in, "Room file to read")->required();
  bool complete = false;
  cmdDump->add_flag("--complete", complete, "Every byte the file holds, light maps too, in the form build reads");
  auto* cmdBuild = app.add_subcommand("build", "Write the room that a JSON of dump --complete describes");
  cmdBuild->add_option("IN", in, "JSON file to read")->required();
  cmdBuild->add_option("OUT", out, "Room file to write")->required();
  auto* cmdFormat = app.add_subcommand("format", "Print the room file's layout as Markdown");
  auto* cmdCheck = app.add_subcommand("check", "Load a room and report every problem found");
  cmdCheck->add_option("IN", in, "Room file to read")->required();
  auto* cmdModelInfo = app.add_subcommand("model-info", "Print what a MilkShape 3D model file holds, as JSON");
  cmdModelInfo->add_option("FILE", in, "Model file to read")->required();

  BakeOptions bake;
  auto* cmdBake = app.add_subcommand("bake", "Recompute every surface's light map");
  cmdBake->add_option("IN", in, "Room file to read")->required();
  cmdBake->add_option("OUT", out, "Room file to write")->required();
  cmdBake->add_option("--method", bake.method, "Shadow test: the processor's ray caster or the rendered one")
      ->check(CLI::IsMember({"cpu", "gl"}));
  cmdBake->add_option("--threads", bake.threads, "Threads of the ray caster (default: all cores)")
      ->check(CLI::NonNegativeNumber);
  cmdBake->add_flag("--compare", bake.compare, "Bake both ways and report the texels that differ");
  std::string occlusion = "exact";
  cmdBake->add_option("--occlusion", occlusion,
                      "Shadow rule: exact (anything between the light and the point or within 1 cm beyond "
                      "it hides the point) or literal (the old window-depth margin of 0.01)")
      ->check(CLI::IsMember({"exact", "literal"}));
  std::string view = "640x480";
  cmdBake->add_option("--view", view, "Size of the view the shadow tests draw into, as the editor's panel (WIDTHxHEIGHT)")
      ->check(CLI::Validator(
          [](std::string& text) { return ParseViewSize(text) ? std::string() : "not WIDTHxHEIGHT from 1 to 4096"; },
          "WIDTHxHEIGHT"));

  WorldOptions world;
  auto* cmdWorld = app.add_subcommand("world", "Check the doors and portals of every room across the rooms");
  cmdWorld->add_option("ROOMDIR", world.roomDirectory, "Room directory (default: the game's)")
      ->check(CLI::ExistingDirectory);
  bool worldJson = false, worldDot = false;
  auto* jsonFlag = cmdWorld->add_flag("--json", worldJson, "Print the rooms and their links as JSON");
  cmdWorld->add_flag("--dot", worldDot, "Print the rooms and their links as a Graphviz digraph")->excludes(jsonFlag);

  CLI11_PARSE(app, argc, argv);
  // A room directory of its own game: its game directory is the nearest holding editor.ini.
  if (cmdWorld->parsed() && !world.roomDirectory.empty() && app.get_option("--base")->count() == 0)
    base = WorldGameDirectory(world.roomDirectory).value_or(base);
  // A model file stands on its own: no game directory is started for it.
  if (cmdModelInfo->parsed()) return RunModelInfo(in, std::cout);

  // Paths on the command line are the user's, relative to where the tool was started.
  const auto absolute = [](const std::string& path) { return std::filesystem::absolute(path).string(); };
  // The room's layout needs an engine but no game data.
  if (cmdBuild->parsed() || cmdFormat->parsed()) {
    ConsoleHost host;
    TQZEngine engine(host, std::filesystem::current_path().string());
    if (cmdFormat->parsed()) RunFormat(engine, std::cout);
    return cmdBuild->parsed() && !RunBuild(engine, absolute(in), absolute(out)) ? 1 : 0;
  }
  Session session(std::filesystem::absolute(base).lexically_normal().string());

  if (cmdNew->parsed()) {
    session.Room().ClearRoom();
    session.Room().SaveToFile(absolute(out));
  } else if (cmdResave->parsed()) {
    // A partial load is reported and not written over anything.
    if (session.Room().LoadFromFile(absolute(in))) session.Room().SaveToFile(absolute(out));
  } else if (cmdDump->parsed() && complete) {
    RunCompleteDump(session.engine, absolute(in), std::cout);
  } else if (cmdDump->parsed()) {
    session.Room().LoadFromFile(absolute(in));
    std::cout << RoomToJson(session.Room()).dump(1) << '\n';
  } else if (cmdBake->parsed()) {
    if (!session.Room().LoadFromFile(absolute(in))) return session.Status();
    bake.terminal = isatty(STDOUT_FILENO) != 0;
    bake.rule = occlusion == "literal" ? OcclusionRule::Literal : OcclusionRule::Exact;
    bake.view = *ParseViewSize(view);
    if (const int status = RunBake(session.Room(), session.host, bake, std::cout, std::cerr); status != 0) return status;
    session.Room().SaveToFile(absolute(out));
  } else if (cmdCheck->parsed()) {
    session.Room().LoadFromFile(absolute(in));
    const auto problems = CheckRoom(session.Room());
    for (const auto& problem : problems) std::cerr << problem.Text() << '\n';
    if (problems.empty() && session.host.Clean()) std::cout << in << ": no problems found\n";
    if (!problems.empty()) return 1;
  } else if (cmdWorld->parsed()) {
    world.format = worldJson ? WorldOptions::Format::Json
                   : worldDot ? WorldOptions::Format::Dot
                              : WorldOptions::Format::Text;
    const int status = RunWorld(session.engine, session.host, world, std::cout, std::cerr);
    return status != 0 ? status : session.Status();
  }
  return session.Status();
}
