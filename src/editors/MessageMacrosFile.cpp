#include "editors/MessageMacrosFile.h"

#include "datafile/Profile.h"
#include "model/ParameterStore.h"

namespace ostrin {

ProgressSink* MessageMacrosProgress = nullptr;

void LoadMessageMacrosFromDataFile() {
  ProfileSession session;
  BaselineLoadScope baseline;
}

SaveResult SaveMessageMacrosToDataFile() {
  ProfileSession session;
  return session.Commit();
}

}  // namespace ostrin
