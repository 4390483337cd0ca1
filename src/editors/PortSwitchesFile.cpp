#include "editors/PortSwitchesFile.h"

#include "datafile/Profile.h"
#include "model/ParameterStore.h"

namespace ostrin {

ProgressSink* PortSwitchesProgress = nullptr;

void LoadPortSwitchesFromDataFile() {
  ProfileSession session;
  BaselineLoadScope baseline;
}

SaveResult SavePortSwitchesToDataFile() {
  ProfileSession session;
  return session.Commit();
}

}  // namespace ostrin
