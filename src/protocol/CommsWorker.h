// The comms worker: the background thread that runs the long controller
// operations one at a time, so that the main window stays responsive, and
// closes the serial port after ten seconds without traffic.
//
// The front end raises a request flag (after the firmware gate and its
// confirmation); the worker takes the first raised flag in the order
// ReadAllRequest, WriteAllRequest, WriteChangedRequest, CommitRequest, clears
// it, opens the port and runs the job to its end. Between jobs it waits 10 ms
// at a time (a raised request or a stop ends the wait at once) and then lets
// the link close an idle port.
//
// The jobs can also be called directly, on any one thread, without the worker
// (the command line does). Each returns true when it completed: every step
// succeeded and no cancel came. A failed step sets CancelRequested, which ends
// the walk. Progress, pending count, messages and the per-parameter log lines
// go to CurrentFrontEnd().
//
// Every flag is a plain shared word: the front end sets the requests, the
// worker clears the one it takes.
#pragma once

#include <array>
#include <atomic>
#include <span>

#include "model/ParameterStore.h"
#include "protocol/ParameterIo.h"

namespace ostrin {

extern std::atomic<int> ReadAllRequest;
extern std::atomic<int> WriteAllRequest;
extern std::atomic<int> WriteChangedRequest;
extern std::atomic<int> CommitRequest;
// The worker loops while it is set; cleared to stop it.
extern std::atomic<int> WorkerRun;
// Set while the worker thread runs, so that it is started only once.
extern std::atomic<int> WorkerStarted;

// The numbers read-all and write-all walk, and the order write-changed walks
// them in (skipping those that are not pending).
inline constexpr int TransferCount = 646;
std::span<const ParameterNumber, TransferCount> TransferOrder();
std::span<const ParameterNumber, TransferCount> WriteChangedOrder();

// The whole part of counter / total * 100; 0 when total is not positive.
int ProgressPercent(int counter, int total);

// Raises the request and wakes the worker. Raising a raised request does nothing more.
void RaiseRequest(std::atomic<int>& request);

// Starts the worker thread unless WorkerStarted is set; false when it was set
// or the thread could not be started.
bool StartCommsWorker();
// Clears WorkerRun, sets CancelRequested (so a running job ends at its next
// step) and wakes the worker. Does not wait.
void RequestWorkerStop();
// True once the worker thread has left its loop (or was never started).
bool CommsWorkerStopped();
// Waits for the worker thread to end after RequestWorkerStop; returns at once
// when no worker thread was started.
void JoinCommsWorker();

// True from the moment a request is raised until its job has ended, and while
// a job called directly runs. The front end keeps exchanges of its own (the
// firmware gate, the maintenance commands) from starting while it is true.
bool JobRunning();

// Reads every parameter in the transfer order. Sets ControllerDataLoaded in
// every case. Completed: clears every change flag, shows pending count 0,
// enables the category buttons and shows the warning to save the data.
// Otherwise shows "Parameter Upload has failed"; the values read so far stay.
bool ReadAllJob();
// Writes every parameter in the transfer order; an empty port list is a failed
// step. Completed: clears every change flag and shows pending count 0.
// Otherwise shows "Parameter Download has failed" and every flag stays.
bool WriteAllJob();
// Writes the pending parameters in the write-changed order. Completed: clears
// every change flag and shows pending count 0. Otherwise nothing is shown and
// every flag stays, those of the parameters already written included.
bool WriteChangedJob();
// Sends the commit request (WriteValue 0xFFFF, value 0); nothing else changes.
bool CommitJob();

// The same jobs over the given exchange instead of the serial link (no port is opened).
bool ReadAllJob(TransactionFunction transaction);
bool WriteAllJob(TransactionFunction transaction);
bool WriteChangedJob(TransactionFunction transaction);
bool CommitJob(TransactionFunction transaction);

}  // namespace ostrin
