#pragma once
// Runs brannock-tool as a real process in the sample game directory, with its stdout
// and stderr kept apart.

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

struct ToolRun {
  int status = -1;
  std::string out;
  std::string err;
};

// stderr goes through errFile, which the caller's scratch directory holds.
inline ToolRun RunTool(const std::string& args, const std::filesystem::path& errFile) {
  const std::string command = std::string("cd '") + BRANNOCK_SAMPLE_DIR + "' && '" + BRANNOCK_TOOL_PATH + "' " + args +
                              " 2>'" + errFile.string() + "'";
  ToolRun run;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  std::array<char, 4096> buffer;
  std::size_t n;
  while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) run.out.append(buffer.data(), n);
  const int raw = ::pclose(pipe);
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  std::ifstream err(errFile, std::ios::binary);
  run.err.assign(std::istreambuf_iterator<char>(err), {});
  return run;
}
