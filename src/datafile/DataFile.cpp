#include "datafile/DataFile.h"

#include <array>

#include "datafile/DataFileName.h"
#include "datafile/Profile.h"
#include "editors/AnalogFile.h"
#include "editors/CourtesyTonesFile.h"
#include "editors/DtmfMemoriesFile.h"
#include "editors/IdsFile.h"
#include "editors/LogicAlarmsFile.h"
#include "editors/MacrosFile.h"
#include "editors/MessageMacrosFile.h"
#include "editors/PortSwitchesFile.h"
#include "editors/SchedClockFile.h"
#include "editors/AccessCodesFile.h"
#include "editors/TimersFile.h"

namespace ostrin {
namespace {

constexpr std::array<Category, 11> categoryTable{{
    {"Timers", "Saving ALL TIMERS...", 0, LoadTimersFromDataFile, SaveTimersToDataFile},
    {"Courtesy tones", "Saving ALL COURTESY TONES...", 10, LoadCourtesyTonesFromDataFile,
     SaveCourtesyTonesToDataFile},
    {"Macros", "Saving ALL MACROS...", 20, LoadMacrosFromDataFile, SaveMacrosToDataFile},
    {"Analog", "Saving ALL ANALOG...", 30, LoadAnalogFromDataFile, SaveAnalogToDataFile},
    {"IDs", "Saving ALL IDs...", 40, LoadIdsFromDataFile, SaveIdsToDataFile},
    {"Message macros", "Saving ALL MESSAGES...", 50, LoadMessageMacrosFromDataFile,
     SaveMessageMacrosToDataFile},
    {"Logic alarms", "Saving ALL LOGIC ALARMS...", 60, LoadLogicAlarmsFromDataFile,
     SaveLogicAlarmsToDataFile},
    {"Port switches", "Saving ALL PORT Switches...", 70, LoadPortSwitchesFromDataFile,
     SavePortSwitchesToDataFile},
    {"Scheduler and real time clock", "Saving ALL SCHEDULER/RTC...", 80, LoadSchedClockFromDataFile,
     SaveSchedClockToDataFile},
    {"Special codes", "Saving ALL SPECIAL CODES...", 90, LoadSpecialCodesFromDataFile,
     SaveSpecialCodesToDataFile},
    {"DTMF memories", "Saving ALL DTMF MEMORIES...", 100, LoadDtmfMemoriesFromDataFile,
     SaveDtmfMemoriesToDataFile},
}};

}  // namespace

std::span<const Category> Categories() { return categoryTable; }

void LoadAllCategories() {
  ProfileSession session;
  for (const Category& category : categoryTable) category.load();
}

IniDocument SaveAllToDocument() {
  IniDocument document;
  ProfileSession session(document);
  for (const Category& category : categoryTable) category.save();
  return document;
}

void OpenDataFile(const std::string& path) {
  SetCurrentDataFileName(path);
  LoadAllCategories();
  ControllerDataLoaded = false;
}

SaveResult SaveDataFile(const std::string& path, ProgressSink* progress) {
  if (progress) {
    progress->SetText("Saving ALL Parameters...");
    progress->PeekAndPump();
  }
  const std::string previous = CurrentDataFileName();
  SetCurrentDataFileName(path);
  SaveResult result;
  {
    ProfileSession session;
    for (const Category& category : categoryTable) {
      if (progress) progress->SetText(category.saveText);
      StepProgress(progress, category.position);
      category.save();
    }
    result = session.Commit();
  }
  if (!result.ok()) {
    SetCurrentDataFileName(previous);
    return result;
  }
  if (progress) progress->SetText("DONE.....");
  StepProgress(progress, 100);
  return result;
}

}  // namespace ostrin
