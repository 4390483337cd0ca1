// Runs one of the project's programs as a child process and collects its output.
#pragma once

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

namespace ostrin {

struct ProgramResult {
  int exitCode = -1;
  std::string output;  // stdout and stderr together
};

// Runs "<bin dir>/<program> <arguments>" through the shell.
inline ProgramResult RunProgram(const std::string& program, const std::string& arguments) {
  const std::string command = std::string(OSTRIN_BIN_DIR) + "/" + program + " " + arguments + " 2>&1";
  ProgramResult result;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return result;
  std::array<char, 4096> buffer{};
  std::size_t n = 0;
  while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) result.output.append(buffer.data(), n);
  const int status = ::pclose(pipe);
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

// A path quoted for the shell.
inline std::string Quoted(const std::string& path) { return "'" + path + "'"; }

}  // namespace ostrin
