// ostrin-cli diff: compares two data files as the tool reads them, key by key
// of what it would save.
#include <CLI/CLI.hpp>

#include <iostream>
#include <map>

#include "cli/CliSupport.h"
#include "datafile/DataFile.h"
#include "model/ParameterStore.h"

namespace ostrin::cli {
namespace {

using SavedKeys = std::vector<IniDocument::Entry>;

SavedKeys savedKeysOf(const std::string& path) {
  ResetStore();
  OpenDataFile(path);
  return SaveAllToDocument().Entries();
}

std::string placeOf(const IniDocument::Entry& entry) { return "[" + entry.section + "] " + entry.key; }

// Prints "[Section] Key: a -> b" for every key whose value differs; returns how many.
int printDifferences(const SavedKeys& a, const SavedKeys& b) {
  std::map<std::string, const IniDocument::Entry*> inB;
  for (const auto& entry : b) inB.emplace(placeOf(entry), &entry);
  int differences = 0;
  auto report = [&differences](const std::string& place, std::string_view va, std::string_view vb) {
    std::cout << place << ": " << va << " -> " << vb << '\n';
    ++differences;
  };
  for (const auto& entry : a) {
    const auto found = inB.find(placeOf(entry));
    if (found == inB.end()) {
      report(placeOf(entry), entry.value, "(none)");
      continue;
    }
    if (found->second->value != entry.value) report(placeOf(entry), entry.value, found->second->value);
    inB.erase(found);
  }
  for (const auto& entry : b) {
    if (inB.count(placeOf(entry))) report(placeOf(entry), "(none)", entry.value);
  }
  return differences;
}

int diff(const std::string& a, const std::string& b) {
  for (const auto& path : {a, b}) {
    if (!DataFileReadable(path)) return Fail(ExitFileError, "cannot read data file \"" + path + "\"");
  }
  const SavedKeys keysA = savedKeysOf(a);
  const SavedKeys keysB = savedKeysOf(b);
  return printDifferences(keysA, keysB) == 0 ? ExitSuccess : ExitFailed;
}

}  // namespace

void AddDiffCommand(CLI::App& app) {
  auto* command = app.add_subcommand("diff", "Print every saved key whose value differs between two data files");
  auto files = std::make_shared<std::vector<std::string>>();
  command->add_option("files", *files, "the two data files A and B")->required()->expected(2);
  command->callback([files] {
    const int code = diff((*files)[0], (*files)[1]);
    if (code != ExitSuccess) throw CLI::RuntimeError(code);
  });
}

}  // namespace ostrin::cli
