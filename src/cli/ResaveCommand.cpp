// ostrin-cli resave: opens a data file and saves it again, as the main
// window's Open DATA File and Save DATA File do.
#include <CLI/CLI.hpp>

#include "cli/CliSupport.h"
#include "datafile/DataFile.h"

namespace ostrin::cli {
namespace {

int resave(const std::string& in, const std::string& out) {
  if (!DataFileReadable(in)) return Fail(ExitFileError, "cannot read data file \"" + in + "\"");
  OpenDataFile(in);
  const SaveResult result = SaveDataFile(out, nullptr);
  if (!result.ok()) return Fail(ExitFileError, result.reason);
  return ExitSuccess;
}

}  // namespace

void AddResaveCommand(CLI::App& app) {
  auto* command = app.add_subcommand("resave", "Open a data file and save it again (both may be one file)");
  auto in = std::make_shared<std::string>();
  auto out = std::make_shared<std::string>();
  command->add_option("--in", *in, "the data file to open")->required();
  command->add_option("--out", *out, "the data file to save")->required();
  command->callback([in, out] {
    const int code = resave(*in, *out);
    if (code != ExitSuccess) throw CLI::RuntimeError(code);
  });
}

}  // namespace ostrin::cli
