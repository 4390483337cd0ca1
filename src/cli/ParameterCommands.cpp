// ostrin-cli read and write: single parameters moved between the controller
// and the store (for write, the store as a data file leaves it), with the
// status log on stdout.
#include <CLI/CLI.hpp>

#include <memory>
#include <string>
#include <vector>

#include "cli/CliFrontEnd.h"
#include "cli/CliSupport.h"
#include "cli/LinkTicker.h"
#include "datafile/DataFile.h"
#include "link/SerialLink.h"
#include "protocol/ParameterIo.h"

namespace ostrin::cli {
namespace {

using Numbers = std::vector<int>;

int checkNumbers(const Numbers& numbers, bool commitAllowed) {
  for (const int n : numbers) {
    if (HasParameterRecord(n) || (commitAllowed && n == CommitNumber)) continue;
    return Fail(ExitFileError, "there is no parameter " + std::to_string(n));
  }
  return ExitSuccess;
}

// Opens the port, ticks the link while each number is moved, closes the port.
int overPort(const std::string& port, const Numbers& numbers, int (*move)(ParameterNumber)) {
  if (!SetPortName(port)) return Fail(ExitFileError, "port name too long");
  CliFrontEnd frontEnd;
  if (EnsurePortOpen() != 0) return Fail(ExitFileError, "cannot open port " + port + ": " + LastOpenError());
  int code = ExitSuccess;
  {
    LinkTicker ticker;
    for (const int n : numbers) {
      if (move(n) == 1) continue;
      code = ExitFailed;
    }
  }
  ClosePort();
  LinkOpen = 0;
  return code;
}

int writeOne(ParameterNumber n) {
  Message message;
  if (n != CommitNumber && !BuildWriteMessage(n, message)) {
    Fail(ExitFailed, "parameter " + std::to_string(n) + " is an empty list and is not sent");
    return 0;
  }
  return WriteParameter(n);
}

int read(const std::string& port, const Numbers& numbers) {
  const int code = checkNumbers(numbers, false);
  return code != ExitSuccess ? code : overPort(port, numbers, ReadParameter);
}

int write(const std::string& port, const std::string& in, const Numbers& numbers) {
  const int code = checkNumbers(numbers, true);
  if (code != ExitSuccess) return code;
  if (!DataFileReadable(in)) return Fail(ExitFileError, "cannot read data file \"" + in + "\"");
  OpenDataFile(in);
  return overPort(port, numbers, writeOne);
}

void throwUnlessSuccess(int code) {
  if (code != ExitSuccess) throw CLI::RuntimeError(code);
}

}  // namespace

void AddReadCommand(CLI::App& app) {
  auto* command = app.add_subcommand("read", "Read parameters from the controller and print the exchanges");
  auto port = std::make_shared<std::string>();
  auto numbers = std::make_shared<Numbers>();
  command->add_option("--port", *port, "the serial port (a device path)")->required();
  command->add_option("numbers", *numbers, "the parameter numbers")->required();
  command->callback([port, numbers] { throwUnlessSuccess(read(*port, *numbers)); });
}

void AddWriteCommand(CLI::App& app) {
  auto* command = app.add_subcommand("write", "Write parameters of a data file to the controller");
  auto port = std::make_shared<std::string>();
  auto in = std::make_shared<std::string>();
  auto numbers = std::make_shared<Numbers>();
  command->add_option("--port", *port, "the serial port (a device path)")->required();
  command->add_option("--in", *in, "the data file whose values are written")->required();
  command->add_option("numbers", *numbers, "the parameter numbers (65535 is the commit request)")->required();
  command->callback([port, in, numbers] { throwUnlessSuccess(write(*port, *in, *numbers)); });
}

}  // namespace ostrin::cli
