#include "editors/MacrosFile.h"

#include "datafile/Profile.h"
#include "model/ParameterStore.h"

namespace ostrin {

ProgressSink* MacrosProgress = nullptr;

void LoadMacrosFromDataFile() {
  ProfileSession session;
  BaselineLoadScope baseline;
}

SaveResult SaveMacrosToDataFile() {
  ProfileSession session;
  return session.Commit();
}

}  // namespace ostrin
