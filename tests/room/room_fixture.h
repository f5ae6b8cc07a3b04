#pragma once
// A started room on a headless host, in a fresh working directory per test.

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/binary_io.h"
#include "core/headless_host.h"
#include "engine/edit_engine.h"
#include "room/edit_room.h"

class RoomTest : public ::testing::Test {
protected:
  RoomTest() : directory_(MakeDirectory()), engine(host, directory_.string()), room(*engine.Room) {
    room.InitRoom();
    host.errors.clear();
  }
  ~RoomTest() override {
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
  }

  std::string PathOf(const std::string& name) const { return (directory_ / name).string(); }

  std::vector<std::string> Errors() const {
    std::vector<std::string> texts;
    for (const auto& error : host.errors) texts.push_back(error.Full());
    return texts;
  }

  template <class Record>
  static std::vector<std::uint8_t> RecordBytes(const Record& record) {
    BinaryWriter file;
    record.WriteRecord(file);
    return file.Take();
  }

  HeadlessHost host;

private:
  static std::filesystem::path MakeDirectory() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    auto path = std::filesystem::temp_directory_path() /
                ("brannock-room-" + std::string(info->test_suite_name()) + "-" + info->name() + "-" +
                 std::to_string(::getpid()));
    std::filesystem::create_directories(path);
    return path;
  }

  std::filesystem::path directory_;

protected:
  TQZEngine engine;
  TRoom& room;
};
