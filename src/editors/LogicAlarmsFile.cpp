#include "editors/LogicAlarmsFile.h"

#include "datafile/Profile.h"
#include "model/ParameterStore.h"

namespace ostrin {

ProgressSink* LogicAlarmsProgress = nullptr;

void LoadLogicAlarmsFromDataFile() {
  ProfileSession session;
  BaselineLoadScope baseline;
}

SaveResult SaveLogicAlarmsToDataFile() {
  ProfileSession session;
  return session.Commit();
}

}  // namespace ostrin
