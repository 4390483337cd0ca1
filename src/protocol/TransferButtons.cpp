#include "protocol/TransferButtons.h"

#include <string_view>

#include "link/SerialLink.h"
#include "model/FrontEnd.h"
#include "model/ParameterStore.h"
#include "protocol/CommsWorker.h"
#include "protocol/Maintenance.h"

namespace ostrin {
namespace {

void raise(std::atomic<int>& request) {
  CancelRequested = 0;
  RaiseRequest(request);
}

}  // namespace

bool UploadAllButton(bool ignoreVersion) {
  if (!FirmwareGate(ignoreVersion)) return false;
  if (!CurrentFrontEnd().AskOkCancel("Read All parameters from Ostrin.\nAre you Sure?", "Read All Parameters")) {
    return false;
  }
  raise(ReadAllRequest);
  return true;
}

bool DownloadButton(bool ignoreVersion, bool downloadAll) {
  if (!FirmwareGate(ignoreVersion)) return false;
  CancelRequested = 0;
  FrontEnd& frontEnd = CurrentFrontEnd();
  if (downloadAll) {
    if (!frontEnd.AskOkCancel("Download All parameters to Ostrin.\nAre you Sure?", "Write All Parameters")) {
      return false;
    }
    raise(WriteAllRequest);
    return true;
  }
  if (CountPending() == 0) {
    frontEnd.ShowMessage(
        "No Parameters have been changed. No Download.\r\n"
        "Select [X]Yes in Download All Parameters to download all.",
        "");
    return false;
  }
  raise(WriteChangedRequest);
  return true;
}

bool CommitButton(bool ignoreVersion) {
  if (!FirmwareGate(ignoreVersion)) return false;
  raise(CommitRequest);
  return true;
}

}  // namespace ostrin
