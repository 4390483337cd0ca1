#include "editors/DtmfMemoriesFile.h"

#include "datafile/Profile.h"
#include "model/ParameterStore.h"

namespace ostrin {

ProgressSink* DtmfMemoriesProgress = nullptr;

void LoadDtmfMemoriesFromDataFile() {
  ProfileSession session;
  BaselineLoadScope baseline;
}

SaveResult SaveDtmfMemoriesToDataFile() {
  ProfileSession session;
  return session.Commit();
}

}  // namespace ostrin
