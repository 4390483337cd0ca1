#include "editors/CourtesyTonesFile.h"

#include "datafile/Profile.h"
#include "model/ParameterStore.h"

namespace ostrin {

ProgressSink* CourtesyTonesProgress = nullptr;

void LoadCourtesyTonesFromDataFile() {
  ProfileSession session;
  BaselineLoadScope baseline;
}

SaveResult SaveCourtesyTonesToDataFile() {
  ProfileSession session;
  return session.Commit();
}

}  // namespace ostrin
