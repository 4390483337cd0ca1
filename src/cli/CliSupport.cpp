#include "cli/CliSupport.h"

#include <iostream>
#include <string>

#include "datafile/FileIo.h"

namespace ostrin::cli {

int Fail(ExitCode code, std::string_view reason) {
  std::cerr << "ostrin-cli: " << reason << '\n';
  return code;
}

bool DataFileReadable(const std::string& path) { return ReadWholeFile(path).has_value(); }

}  // namespace ostrin::cli
