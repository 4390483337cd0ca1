// ostrin-sim: a simulated Ostrin controller on a pseudo-terminal. Its first
// line on stdout is the path of the port the tool should open.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <iostream>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

#include "datafile/DataFile.h"
#include "datafile/FileIo.h"
#include "sim/ControllerMemory.h"
#include "sim/PtyLine.h"
#include "sim/SimController.h"

namespace {

using namespace ostrin;

constexpr int ExitFailed = 1;
constexpr int ExitUsage = 2;

int fail(int code, const std::string& reason) {
  std::cerr << "ostrin-sim: " << reason << '\n';
  return code;
}

bool parseFirmware(const std::string& text, FirmwareVersion& version) {
  char rest = 0;
  return std::sscanf(text.c_str(), "%d.%d.%d%c", &version.major, &version.minor, &version.patch, &rest) == 3;
}

// Points the link at the slave end; an existing file that is not a link is left alone.
bool makeLink(const std::string& link, const std::string& target, std::string& error) {
  struct stat existing{};
  if (::lstat(link.c_str(), &existing) == 0) {
    if (!S_ISLNK(existing.st_mode)) return error = link + " exists and is not a symbolic link", false;
    ::unlink(link.c_str());
  }
  if (::symlink(target.c_str(), link.c_str()) != 0) return error = "cannot make the link " + link, false;
  return true;
}

void removeLink(const std::string& link, const std::string& target) {
  char pointsTo[4096] = {};
  const ssize_t n = ::readlink(link.c_str(), pointsTo, sizeof pointsTo - 1);
  if (n > 0 && target == std::string(pointsTo, static_cast<std::size_t>(n))) ::unlink(link.c_str());
}

struct Options {
  std::string link;
  std::string firmware = "1.1.17";
  std::string load;
  std::string dump;
  bool pace = false;
  sim::FaultOptions faults;
};

int run(const Options& options) {
  FirmwareVersion firmware;
  if (!parseFirmware(options.firmware, firmware)) return fail(ExitUsage, "--firmware wants X.Y.Z");
  if (!options.load.empty() && !ReadWholeFile(options.load)) {
    return fail(ExitUsage, "cannot read data file \"" + options.load + "\"");
  }
  if (options.load.empty()) {
    sim::LoadFactoryDefaults();
  } else {
    OpenDataFile(options.load);
  }

  sim::PtyLine line;
  std::string error;
  if (!line.Open(error)) return fail(ExitFailed, error);
  if (!options.link.empty() && !makeLink(options.link, line.SlavePath(), error)) return fail(ExitUsage, error);
  sim::InstallStopSignals();
  std::cout << line.SlavePath() << std::endl;

  sim::ControllerMemory memory(firmware);
  sim::SimController controller(memory, options.faults);
  sim::ServeLine(line, controller, options.pace);
  const sim::LinkCounts& counts = controller.Counts();
  std::cerr << "ostrin-sim: " << counts.frames << " frames, " << counts.refused << " refused, " << counts.dropped
            << " dropped, " << counts.badFrames << " bad, " << counts.corrupted << " replies corrupted, "
            << memory.Commits() << " commits\n";

  if (!options.link.empty()) removeLink(options.link, line.SlavePath());
  if (options.dump.empty()) return 0;
  const SaveResult saved = SaveDataFile(options.dump, nullptr);
  return saved.ok() ? 0 : fail(ExitFailed, saved.reason);
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Simulated Ostrin controller on a pseudo-terminal"};
  Options options;
  app.add_option("--link", options.link, "make this path a symbolic link to the port");
  app.add_option("--firmware", options.firmware, "the firmware version it reports, X.Y.Z");
  app.add_option("--load", options.load, "the data file its memory starts from (else factory defaults)");
  app.add_option("--dump", options.dump, "the data file its memory is written to on exit");
  app.add_flag("--pace", options.pace, "send at the line rate of 57600 baud, 8N2");
  app.add_option("--nak-rate", options.faults.nakRate, "share of frames refused with DLE NAK")->check(CLI::Range(0.0, 1.0));
  app.add_option("--drop-rate", options.faults.dropRate, "share of frames lost")->check(CLI::Range(0.0, 1.0));
  app.add_option("--corrupt-rate", options.faults.corruptRate, "share of replies sent corrupted")
      ->check(CLI::Range(0.0, 1.0));
  app.add_option("--reply-delay", options.faults.replyDelayMs, "milliseconds before each reply")
      ->check(CLI::NonNegativeNumber);
  app.add_option("--seed", options.faults.seed, "seed of the fault generator");
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    app.exit(e);
    return e.get_exit_code() == 0 ? 0 : ExitUsage;
  }
  return run(options);
}
