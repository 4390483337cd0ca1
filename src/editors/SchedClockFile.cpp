#include "editors/SchedClockFile.h"

#include "datafile/Profile.h"
#include "model/ParameterStore.h"

namespace ostrin {

ProgressSink* SchedClockProgress = nullptr;

void LoadSchedClockFromDataFile() {
  ProfileSession session;
  BaselineLoadScope baseline;
}

SaveResult SaveSchedClockToDataFile() {
  ProfileSession session;
  return session.Commit();
}

}  // namespace ostrin
