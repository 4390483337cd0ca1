// A data file that differs from the factory defaults in every kind of
// parameter, for the transfer tests; and the saved keys of a data file, to
// compare two configurations as the tool would save them.
#pragma once

#include <cstring>
#include <map>
#include <utility>
#include <string>
#include <tuple>
#include <vector>

#include "datafile/DataFile.h"
#include "model/ParameterStore.h"

namespace ostrin::test {

using SavedKeys = std::vector<std::tuple<std::string, std::string, std::string>>;

// The store's configuration as the keys Save DATA File would write.
inline SavedKeys StoreKeys() {
  SavedKeys keys;
  for (const auto& e : SaveAllToDocument().Entries()) keys.emplace_back(e.section, e.key, e.value);
  return keys;
}

// "[Section] Key: a -> b" for each key whose values differ, "(none)" for a
// key only one side has; empty when the two are the same.
inline std::string Differences(const SavedKeys& a, const SavedKeys& b) {
  std::map<std::pair<std::string, std::string>, std::string> inB;
  for (const auto& [section, key, value] : b) inB.emplace(std::pair(section, key), value);
  std::string text;
  auto line = [&text](const std::string& section, const std::string& key, const std::string& va,
                      const std::string& vb) { text += "[" + section + "] " + key + ": " + va + " -> " + vb + "\n"; };
  for (const auto& [section, key, value] : a) {
    const auto found = inB.find(std::pair(section, key));
    if (found == inB.end()) {
      line(section, key, value, "(none)");
      continue;
    }
    if (found->second != value) line(section, key, value, found->second);
    inB.erase(found);
  }
  for (const auto& [place, value] : inB) line(place.first, place.second, "(none)", value);
  return text;
}

// The configuration a data file holds, loaded into a reset store.
inline SavedKeys FileKeys(const std::string& path) {
  ResetStore();
  OpenDataFile(path);
  return StoreKeys();
}

// Loads the factory defaults and changes one parameter of every kind.
inline void LoadSiteConfiguration(const std::string& missingPath) {
  ResetStore();
  OpenDataFile(missingPath);
  SetValue(16, 1234);
  SetValue(1023, 77);
  SetValue(3020, 5);
  CodeList list;
  list.count = 3;
  list.codes = {21, 22, 23};
  SetPortList(2052, list);
  SetUnlockCode(1057, "2468");
  SetCodeText(180, "4321");
  MacroRecord macro = GetMacro(200);
  macro.steps[0] = 37;
  macro.steps[1] = 116;
  std::memcpy(macro.dtmf, "123#", 4);
  SetMacro(200, macro);
  SetMessageMacro(290, {0, {100, 200, 300}, 3});
  SetMeter(355, {0, 2, 10, 900, 0, 100});
  SetAnalogAlarm(362, {0, 2, 1, 3, 500, 8});
  SetLogicAlarm(370, 1, 12, 34);
  SetSetpoint(400, {0, 1, 3, 4, 5, 6, 7});
  SetDtmfMemory(440, {0, {1, 2, 3, 4}, 4});
}

// Writes the site configuration to path (a new file) and returns the keys
// the tool reads back from it.
inline SavedKeys WriteSiteFile(const std::string& path) {
  LoadSiteConfiguration(path + ".missing");
  SaveDataFile(path, nullptr);
  return FileKeys(path);
}

}  // namespace ostrin::test
