// The serial link: the one serial port of the process, the port pump thread
// that moves bytes between it and the process-wide framer, and the blocking
// request/reply transaction on top.
//
// The port is opened on demand (EnsurePortOpen before every controller
// operation) and closed by the idle close, by "Cancel  Comms", at exit, or by
// the pump itself after a port error. The pump waits in poll() for input or a
// wake-up (a queued frame, a pending link reply, a run-out acknowledgement
// countdown) instead of spinning; it still takes one received byte per pass
// and otherwise advances the transmitter by one step.
//
// Waits: the transaction's 15 ms polls, the 25 ms polls for the pump to start
// and the close's 10 ms polls end as soon as what they wait for has happened;
// their counts and so their time-outs are fixed. SetLiteralWaits(true) makes
// every one of them sleep its full period instead.
//
// The 10 ms tick is not here: the front end's timer calls TickLinkTimers.
//
// Results follow the link's convention: EnsurePortOpen 0 = open, 1 = failure;
// RunTransaction 1 = reply, 0 = none. Nothing here allocates per byte or per
// frame; a pump thread is started per open.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

#include "link/LinkFramer.h"

namespace ostrin {

// 1 while the port handle is open, 0 otherwise.
extern std::atomic<int> PortHandleCount;
// The pump loops while it is set; cleared to stop it.
extern std::atomic<int> PumpRun;
// Set by the pump when its loop starts, cleared when it has ended.
extern std::atomic<int> PumpRunning;
// Set when EnsurePortOpen has seen the pump running; cleared by CancelComms, by
// the idle close and by a failed wait for the pump. A port error leaves it set.
extern std::atomic<int> LinkOpen;
// Set by CancelComms; cleared by the front end when it starts a controller job;
// tested by bulk transfers.
extern std::atomic<int> CancelRequested;

// The text and caption of the message the pump shows on a port error.
inline constexpr std::string_view PortErrorMessage = "Error Problem with serial port - Aborting";
inline constexpr std::string_view PortErrorCaption = "Ostrin_CFG";

// The process-wide framer, whose output is WriteBytes below.
LinkFramer& TheLink();

// The port the next open uses: a device path on Linux ("/dev/ttyUSB0", a
// pseudo-terminal of the simulated controller). An empty name makes
// EnsurePortOpen fail. Returns false, and selects no port, when the name is
// longer than PortNameCapacity - 1 characters. Takes effect at the next open.
inline constexpr int PortNameCapacity = 256;
bool SetPortName(std::string_view name);
std::string PortName();

// 0 when the port is open and the pump runs, 1 on failure. With LinkOpen set it
// returns 0 at once and touches nothing. Otherwise it opens and configures the
// port if no handle is open (on failure: 1 at once, pump not started,
// LastOpenError says why), resets the link state, starts the pump unless it
// runs, and waits for the pump: up to 100 polls of 25 ms, ending as soon as the
// pump runs. Seen at poll 1..99: LinkOpen set, 0. Otherwise LinkOpen cleared
// and 1 (the handle stays open; the next call only waits).
int EnsurePortOpen();
// Why the last EnsurePortOpen failed to open the port (for the status log or
// the command line); empty after a successful open.
std::string LastOpenError();

// Stops the pump (wakes it, waits until it has stopped) and closes the handle.
// LinkOpen is not touched. When the pump is in its port-error message, the
// call returns at once and the pump closes the handle when the message is
// closed, so a front end that shows the message on the calling thread cannot
// deadlock here.
void ClosePort();
// IdleCountdown = IdleResetTicks; writes the n bytes to the open port (retrying
// until all are out); does nothing else when no port is open. Called by the
// framer from the pump thread.
void WriteBytes(const std::uint8_t* bytes, int n);
// "Cancel  Comms": sets CancelRequested, closes the port, resets the link with
// IdleCountdown 0 and clears LinkOpen (with 10 ms pauses between the steps).
void CancelComms();
// The comms worker's idle close: when IdleCountdown has reached 0 and LinkOpen
// is set, closes the port (after a 10 ms pause), clears LinkOpen and returns
// true; otherwise returns false and does nothing.
bool CloseIfIdle();

// One request and its reply frame, with up to three attempts. Resets the link
// (the delivery slot is kept), queues the request and waits for its
// acknowledgement (34 polls of 15 ms; a refusal starts the next attempt at
// once, a time-out resets the link first), then for a reply frame (34 polls of
// 15 ms). Returns 1 with count = the reply bytes copied (at most capacity), or
// 0 with count = 0 after three failed attempts. A frame already in the slot
// when the request is acknowledged is taken as the reply: callers check the
// reply code and parameter number.
int RunTransaction(const std::uint8_t* request, int length, std::uint8_t* reply, int capacity, int& count);

// The process-wide framer's operations (see LinkFramer).
bool QueueFrame(const std::uint8_t* payload, int length);
bool TakeReceivedFrame(std::uint8_t* buffer, int capacity, int& count);
// Waits up to period for a frame in the delivery slot (the whole period with
// literal waits on). Returns whether one is there.
bool AwaitReceivedFrame(std::chrono::milliseconds period);
void ResetLinkState();
// The 10 ms tick of the front end's timer.
void TickLinkTimers();

// When on, every wait sleeps its full period (the 15 ms, 25 ms and 10 ms
// polls) instead of ending when its event arrives. Off at start.
void SetLiteralWaits(bool on);
bool LiteralWaits();
// When on, the pump polls without sleeping, as a pump without poll() would.
// Off at start. Takes effect at the pump's next pass.
void SetPumpBusyPoll(bool on);

// Counters of the pump, for benchmarks and tests; they only grow.
struct PumpCounters {
  std::uint64_t passes = 0;        // loop passes
  std::uint64_t sleeps = 0;        // poll() waits entered
  std::uint64_t bytesRead = 0;     // bytes passed to ReceiveByte
  std::uint64_t bytesWritten = 0;  // bytes given to the port by WriteBytes
};
PumpCounters ReadPumpCounters();

}  // namespace ostrin
