// The main window's buttons that start a bulk transfer on the comms worker:
// each runs the firmware gate and its confirmation on the calling thread and
// then clears CancelRequested and raises the worker's request. Each returns
// true when it raised a request; false when the gate refused, the operator
// cancelled or there was nothing to do (each of which it has told the
// operator about), and when the gate would have to query the controller while
// a job runs (then nothing is sent or shown).
#pragma once

namespace ostrin {

// "Upload ALL From Ostrin": gate, confirmation, ReadAllRequest.
bool UploadAllButton(bool ignoreVersion);
// "Download To Ostrin": gate; with downloadAll (the "Yes" box) a confirmation
// and WriteAllRequest; otherwise WriteChangedRequest, or the no-change message
// when nothing is pending.
bool DownloadButton(bool ignoreVersion, bool downloadAll);
// "Commit Ostrin Changes": gate, CommitRequest.
bool CommitButton(bool ignoreVersion);

}  // namespace ostrin
