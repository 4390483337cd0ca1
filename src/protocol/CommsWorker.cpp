#include "protocol/CommsWorker.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <new>
#include <string_view>
#include <system_error>
#include <thread>

#include "datafile/DataFileName.h"
#include "link/SerialLink.h"
#include "model/FrontEnd.h"

namespace ostrin {

std::atomic<int> ReadAllRequest{0};
std::atomic<int> WriteAllRequest{0};
std::atomic<int> WriteChangedRequest{0};
std::atomic<int> CommitRequest{0};
std::atomic<int> WorkerRun{0};
std::atomic<int> WorkerStarted{0};

namespace {

constexpr std::string_view UploadWarning =
    "WARNING:\r\nYou have just read in all the Ostrin Parameters.\r\n"
    "They will need to be saved to a data file.\r\n"
    "These parameters will be lost if not saved to a data file!";
constexpr std::string_view UploadFailed = "Parameter Upload has failed";
constexpr std::string_view DownloadFailed = "Parameter Download has failed";
// The message boxes of the jobs carry the application's own caption.
constexpr std::string_view NoCaption = "";

constexpr std::chrono::milliseconds IdlePass{10};

using Order = std::array<ParameterNumber, TransferCount>;

// Appends first..last to the order at position.
constexpr void appendRange(Order& order, int& position, ParameterNumber first, ParameterNumber last) {
  for (ParameterNumber n = first; n <= last; ++n) order[static_cast<std::size_t>(position++)] = n;
}

constexpr void appendPorts(Order& order, int& position) {
  for (int k = 0; k < 64; ++k) {
    for (const ParameterNumber port : {1000, 2000, 3000}) order[static_cast<std::size_t>(position++)] = port + k;
  }
}

// 193..473 without the numbers that hold no record (374..393).
constexpr void appendRecords(Order& order, int& position) {
  appendRange(order, position, FirstMacro, FirstLogicAlarm + 4);
  appendRange(order, position, FirstSetpoint, FirstDtmfMemory + 39);
}

constexpr Order transferOrder = [] {
  Order order{};
  int position = 0;
  appendRange(order, position, 0, 192);
  appendRecords(order, position);
  appendPorts(order, position);
  return order;
}();

constexpr Order writeChangedOrder = [] {
  Order order{};
  int position = 0;
  appendRange(order, position, 0, 192);
  appendPorts(order, position);
  appendRecords(order, position);
  return order;
}();

// Wakes the worker's idle wait when a request is raised or a stop is asked.
struct WorkerWake {
  std::mutex mutex;
  std::condition_variable cv;
  std::thread thread;
};

// Never destroyed, so that a worker still running at exit touches nothing destroyed.
WorkerWake& Wake() {
  alignas(WorkerWake) static unsigned char storage[sizeof(WorkerWake)];
  static WorkerWake* const wake = new (storage) WorkerWake;
  return *wake;
}

void notifyWorker() {
  WorkerWake& w = Wake();
  { const std::lock_guard<std::mutex> lock(w.mutex); }
  w.cv.notify_all();
}

// Jobs in progress, on the worker or called directly.
std::atomic<int> activeJobs{0};

class JobScope {
 public:
  JobScope() { ++activeJobs; }
  ~JobScope() { --activeJobs; }
  JobScope(const JobScope&) = delete;
  JobScope& operator=(const JobScope&) = delete;
};

bool anyRequestRaised() {
  return ReadAllRequest.load() != 0 || WriteAllRequest.load() != 0 || WriteChangedRequest.load() != 0 ||
         CommitRequest.load() != 0;
}

// One parameter exchange, over the link or over a given exchange.
class Exchange {
 public:
  explicit Exchange(TransactionFunction transaction) : transaction_(transaction) {}
  int Read(ParameterNumber n) const { return transaction_ ? ReadParameter(n, transaction_) : ReadParameter(n); }
  int Write(ParameterNumber n) const { return transaction_ ? WriteParameter(n, transaction_) : WriteParameter(n); }

 private:
  TransactionFunction transaction_;
};

// The progress bar and percentage box of one transfer, reset on construction.
class ProgressDisplay {
 public:
  explicit ProgressDisplay(int total) : total_(total) { CurrentFrontEnd().SetTransferProgress(0); }

  void Count(bool refresh) {
    ++counter_;
    if (refresh) CurrentFrontEnd().SetTransferProgress(ProgressPercent(counter_, total_));
  }

 private:
  int total_;
  int counter_ = 0;
};

// The port numbers of one k count one by one but show only after port 3's.
bool refreshesAfter(ParameterNumber n) { return n < 1000 || n >= 3000; }

// Runs step over every number of the transfer order until one fails or a
// cancel comes; true when the walk reached its end.
template <typename Step>
bool walkTransferOrder(Step step) {
  ProgressDisplay progress(TransferCount);
  for (const ParameterNumber n : transferOrder) {
    if (CancelRequested.load() != 0) return false;
    if (step(n) != 1) {
      CancelRequested = 1;
      return false;
    }
    progress.Count(refreshesAfter(n));
  }
  return CancelRequested.load() == 0;
}

void clearPending() {
  ClearAllEditedFlags();
  ClearAllChangedFlags();
  CurrentFrontEnd().SetPendingCount(0);
}

bool readAll(const Exchange& exchange) {
  const JobScope job;
  const bool complete = walkTransferOrder([&exchange](ParameterNumber n) { return exchange.Read(n); });
  ControllerDataLoaded = true;
  FrontEnd& frontEnd = CurrentFrontEnd();
  if (!complete) {
    frontEnd.ShowMessage(UploadFailed, NoCaption);
    return false;
  }
  clearPending();
  frontEnd.EnableCategoryButtons();
  frontEnd.ShowMessage(UploadWarning, NoCaption);
  return true;
}

bool writeAll(const Exchange& exchange) {
  const JobScope job;
  const bool complete = walkTransferOrder([&exchange](ParameterNumber n) { return exchange.Write(n); });
  if (!complete) {
    CurrentFrontEnd().ShowMessage(DownloadFailed, NoCaption);
    return false;
  }
  clearPending();
  return true;
}

bool writeChanged(const Exchange& exchange) {
  const JobScope job;
  ProgressDisplay progress(CountPending());
  for (const ParameterNumber n : writeChangedOrder) {
    if (CancelRequested.load() != 0) return false;
    if (!IsPending(n)) continue;
    if (exchange.Write(n) != 1) {
      CancelRequested = 1;
      return false;
    }
    progress.Count(true);
  }
  if (CancelRequested.load() != 0) return false;
  clearPending();
  return true;
}

bool commit(const Exchange& exchange) {
  const JobScope job;
  return exchange.Write(CommitNumber) == 1;
}

struct RequestRow {
  std::atomic<int>* request;
  bool (*job)();
};

const std::array<RequestRow, 4> requestTable{{
    {&ReadAllRequest, [] { return ReadAllJob(); }},
    {&WriteAllRequest, [] { return WriteAllJob(); }},
    {&WriteChangedRequest, [] { return WriteChangedJob(); }},
    {&CommitRequest, [] { return CommitJob(); }},
}};

// Takes the first raised request and runs its job; false when none was raised.
bool runRaisedRequest() {
  for (const RequestRow& row : requestTable) {
    if (row.request->load() == 0) continue;
    // Counted before the flag is cleared, so that JobRunning never blinks.
    const JobScope job;
    *row.request = 0;
    (void)EnsurePortOpen();
    row.job();
    return true;
  }
  return false;
}

void waitIdlePass() {
  WorkerWake& w = Wake();
  std::unique_lock<std::mutex> lock(w.mutex);
  w.cv.wait_for(lock, IdlePass, [] { return WorkerRun.load() == 0 || anyRequestRaised(); });
}

void workerLoop() {
  while (WorkerRun.load() != 0) {
    if (runRaisedRequest()) continue;
    waitIdlePass();
    if (WorkerRun.load() == 0 || anyRequestRaised()) continue;
    (void)CloseIfIdle();
  }
  WorkerStarted = 0;
}

}  // namespace

std::span<const ParameterNumber, TransferCount> TransferOrder() { return transferOrder; }

std::span<const ParameterNumber, TransferCount> WriteChangedOrder() { return writeChangedOrder; }

int ProgressPercent(int counter, int total) {
  if (total <= 0) return 0;
  return static_cast<int>(static_cast<long long>(counter) * 100 / total);
}

void RaiseRequest(std::atomic<int>& request) {
  request = 1;
  notifyWorker();
}

bool StartCommsWorker() {
  if (WorkerStarted.load() != 0) return false;
  WorkerWake& w = Wake();
  if (w.thread.joinable()) w.thread.join();
  WorkerStarted = 1;
  WorkerRun = 1;
  try {
    w.thread = std::thread(workerLoop);
  } catch (const std::system_error&) {
    WorkerRun = 0;
    WorkerStarted = 0;
    return false;
  }
  return true;
}

void RequestWorkerStop() {
  WorkerRun = 0;
  CancelRequested = 1;
  notifyWorker();
}

bool CommsWorkerStopped() { return WorkerStarted.load() == 0; }

void JoinCommsWorker() {
  WorkerWake& w = Wake();
  if (w.thread.joinable()) w.thread.join();
}

bool JobRunning() { return activeJobs.load() != 0 || anyRequestRaised(); }

bool ReadAllJob() { return readAll(Exchange(nullptr)); }
bool WriteAllJob() { return writeAll(Exchange(nullptr)); }
bool WriteChangedJob() { return writeChanged(Exchange(nullptr)); }
bool CommitJob() { return commit(Exchange(nullptr)); }

bool ReadAllJob(TransactionFunction transaction) { return readAll(Exchange(transaction)); }
bool WriteAllJob(TransactionFunction transaction) { return writeAll(Exchange(transaction)); }
bool WriteChangedJob(TransactionFunction transaction) { return writeChanged(Exchange(transaction)); }
bool CommitJob(TransactionFunction transaction) { return commit(Exchange(transaction)); }

}  // namespace ostrin
