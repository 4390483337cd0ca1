// A full read-all and a full write-all through the comms worker against the
// simulated controller sending at the line rate (ostrin-sim --pace), each
// measured against the floor the line allows: bytes at 11 bits per byte and
// 57600 baud, plus the 1 ms pre-send delay of each request. Counters per
// transfer:
//   floor_line_s, ratio_line: every byte in and out, as a real line carries
//     them (the goal is a wall time of at most 1.3 times this floor);
//   floor_paced_s, ratio_paced: only the controller's bytes, the only ones the
//     pseudo-terminal paces, so the floor this set-up can reach;
//   bytes_in, bytes_out: the bytes from and to the controller.
//
// ostrin-sim is taken from the folder of this program (both land in bin/).
#include <benchmark/benchmark.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <thread>

#include "datafile/DataFile.h"
#include "link/SerialLink.h"
#include "model/FrontEnd.h"
#include "protocol/CommsWorker.h"

namespace {

using namespace ostrin;

constexpr double BitsPerByte = 11.0;
constexpr double BitsPerSecond = 57600.0;
constexpr double PreSendDelaySeconds = 0.001;

// ostrin-sim --pace as a child process, stopped with SIGTERM.
class PacedSimulator {
 public:
  PacedSimulator() {
    const std::string program = (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "ostrin-sim").string();
    int out[2];
    if (::pipe(out) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      ::dup2(out[1], STDOUT_FILENO);
      ::close(out[0]);
      ::close(out[1]);
      ::execl(program.c_str(), program.c_str(), "--pace", static_cast<char*>(nullptr));
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
  ~PacedSimulator() {
    if (pid_ > 0) {
      ::kill(pid_, SIGTERM);
      ::waitpid(pid_, nullptr, 0);
    }
    if (output_) std::fclose(output_);
  }
  PacedSimulator(const PacedSimulator&) = delete;
  PacedSimulator& operator=(const PacedSimulator&) = delete;

  const std::string& Port() const { return port_; }

 private:
  pid_t pid_ = -1;
  FILE* output_ = nullptr;
  std::string port_;
};

// Counts the failure messages of the transfers; everything else is dropped.
class FailureCounter final : public FrontEnd {
 public:
  FailureCounter() { InstallFrontEnd(this); }
  ~FailureCounter() { InstallFrontEnd(nullptr); }
  FailureCounter(const FailureCounter&) = delete;
  FailureCounter& operator=(const FailureCounter&) = delete;

  void AppendStatus(std::string_view) override {}
  void SetTransferProgress(int) override {}
  void SetPendingCount(int) override {}
  void EnableCategoryButtons() override {}
  void ShowMessage(std::string_view text, std::string_view) override {
    if (text.find("failed") != std::string_view::npos) ++failures;
  }
  bool AskOkCancel(std::string_view, std::string_view) override { return false; }

  std::atomic<int> failures{0};
};

double LineSeconds(std::uint64_t bytes) { return static_cast<double>(bytes) * BitsPerByte / BitsPerSecond; }

// Runs one transfer on the worker per iteration and reports it against the floor.
void RunTransfer(benchmark::State& state, std::atomic<int>& request) {
  const PacedSimulator sim;
  FailureCounter frontEnd;
  if (sim.Port().empty() || !SetPortName(sim.Port())) {
    state.SkipWithError("ostrin-sim did not start");
    return;
  }
  ResetStore();
  OpenDataFile("/nonexistent/factory-defaults.ini");  // every key at its default: nothing empty to send
  StartCommsWorker();
  constexpr double delays = TransferCount * PreSendDelaySeconds;
  double lineFloor = 0;
  double pacedFloor = 0;
  double wallSeconds = 0;
  std::uint64_t bytesIn = 0;
  std::uint64_t bytesOut = 0;
  for (auto _ : state) {
    CancelRequested = 0;
    const PumpCounters before = ReadPumpCounters();
    const auto start = std::chrono::steady_clock::now();
    RaiseRequest(request);
    while (JobRunning()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
    const PumpCounters after = ReadPumpCounters();
    bytesIn = after.bytesRead - before.bytesRead;
    bytesOut = after.bytesWritten - before.bytesWritten;
    state.SetIterationTime(wall.count());
    lineFloor += LineSeconds(bytesIn + bytesOut) + delays;
    pacedFloor += LineSeconds(bytesIn) + delays;
    wallSeconds += wall.count();
  }
  RequestWorkerStop();
  JoinCommsWorker();
  if (frontEnd.failures.load() != 0) state.SkipWithError("a transfer failed");
  ClosePort();
  LinkOpen = 0;
  const double iterations = static_cast<double>(state.iterations());
  state.counters["floor_line_s"] = lineFloor / iterations;
  state.counters["ratio_line"] = wallSeconds / lineFloor;
  state.counters["floor_paced_s"] = pacedFloor / iterations;
  state.counters["ratio_paced"] = wallSeconds / pacedFloor;
  state.counters["bytes_in"] = static_cast<double>(bytesIn);
  state.counters["bytes_out"] = static_cast<double>(bytesOut);
}

void BM_ReadAllThroughWorker(benchmark::State& state) { RunTransfer(state, ReadAllRequest); }
void BM_WriteAllThroughWorker(benchmark::State& state) { RunTransfer(state, WriteAllRequest); }

BENCHMARK(BM_ReadAllThroughWorker)->UseManualTime()->Unit(benchmark::kSecond)->Iterations(3);
BENCHMARK(BM_WriteAllThroughWorker)->UseManualTime()->Unit(benchmark::kSecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
