#include "editors/AnalogFile.h"

#include "datafile/Profile.h"
#include "model/ParameterStore.h"

namespace ostrin {

ProgressSink* AnalogProgress = nullptr;

void LoadAnalogFromDataFile() {
  ProfileSession session;
  BaselineLoadScope baseline;
}

SaveResult SaveAnalogToDataFile() {
  ProfileSession session;
  return session.Commit();
}

}  // namespace ostrin
