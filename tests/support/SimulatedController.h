// Runs ostrin-sim as a child process for one test: starts it with the given
// arguments, reads the port path from its first line, and stops it with
// SIGTERM (after which it writes its --dump file).
#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace ostrin {

class SimulatedController {
 public:
  explicit SimulatedController(const std::string& arguments) {
    int out[2];
    if (::pipe(out) != 0) return;
    const std::string program = std::string(OSTRIN_BIN_DIR) + "/ostrin-sim";
    std::vector<std::string> words{program};
    std::istringstream split(arguments);
    for (std::string word; split >> word;) words.push_back(word);
    pid_ = ::fork();
    if (pid_ == 0) {
      ::dup2(out[1], STDOUT_FILENO);
      ::close(out[0]);
      ::close(out[1]);
      std::vector<char*> argv;
      for (auto& word : words) argv.push_back(word.data());
      argv.push_back(nullptr);
      ::execv(program.c_str(), argv.data());
      ::_exit(127);
    }
    ::close(out[1]);
    output_ = ::fdopen(out[0], "r");
    char line[256] = {};
    if (output_ && std::fgets(line, sizeof line, output_)) {
      port_ = line;
      if (!port_.empty() && port_.back() == '\n') port_.pop_back();
    }
  }
  ~SimulatedController() { Stop(); }
  SimulatedController(const SimulatedController&) = delete;
  SimulatedController& operator=(const SimulatedController&) = delete;

  // The port to open; empty when the simulator did not start.
  const std::string& Port() const { return port_; }

  // Stops the simulator and returns its exit code (-1 when it did not exit normally).
  int Stop() {
    if (pid_ <= 0) return exitCode_;
    ::kill(pid_, SIGTERM);
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
    if (output_) std::fclose(output_);
    output_ = nullptr;
    exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return exitCode_;
  }

 private:
  pid_t pid_ = -1;
  FILE* output_ = nullptr;
  std::string port_;
  int exitCode_ = -1;
};

}  // namespace ostrin
