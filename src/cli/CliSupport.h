// What every ostrin-cli command shares: its exit codes and how it reports.
#pragma once

#include <string_view>

namespace CLI {
class App;
}

namespace ostrin::cli {

enum ExitCode : int {
  ExitSuccess = 0,
  ExitFailed = 1,     // the operation failed, or found a difference
  ExitFileError = 2,  // usage or file error
};

// Prints the one-line reason on stderr and returns the code.
int Fail(ExitCode code, std::string_view reason);

// Whether the file exists and can be read as a data file.
bool DataFileReadable(const std::string& path);

// Each command adds itself to the application; its callback throws
// CLI::RuntimeError with the command's exit code.
void AddResaveCommand(CLI::App& app);
void AddDiffCommand(CLI::App& app);
void AddReadCommand(CLI::App& app);
void AddWriteCommand(CLI::App& app);

}  // namespace ostrin::cli
