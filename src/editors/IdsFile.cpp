#include "editors/IdsFile.h"

#include "datafile/Profile.h"
#include "model/ParameterStore.h"

namespace ostrin {

ProgressSink* IdsProgress = nullptr;

void LoadIdsFromDataFile() {
  ProfileSession session;
  BaselineLoadScope baseline;
}

SaveResult SaveIdsToDataFile() {
  ProfileSession session;
  return session.Commit();
}

}  // namespace ostrin
