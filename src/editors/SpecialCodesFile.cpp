#include "editors/SpecialCodesFile.h"

#include "datafile/Profile.h"
#include "model/ParameterStore.h"

namespace ostrin {

ProgressSink* SpecialCodesProgress = nullptr;

void LoadSpecialCodesFromDataFile() {
  ProfileSession session;
  BaselineLoadScope baseline;
}

SaveResult SaveSpecialCodesToDataFile() {
  ProfileSession session;
  return session.Commit();
}

}  // namespace ostrin
