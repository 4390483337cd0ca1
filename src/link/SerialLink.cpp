#include "link/SerialLink.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>

#include <poll.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/eventfd.h>
#endif

#include "link/SerialPort.h"
#include "model/FrontEnd.h"

namespace ostrin {

std::atomic<int> PortHandleCount{0};
std::atomic<int> PumpRun{0};
std::atomic<int> PumpRunning{0};
std::atomic<int> LinkOpen{0};
std::atomic<int> CancelRequested{0};

namespace {

using std::chrono::milliseconds;
constexpr auto relaxed = std::memory_order_relaxed;

constexpr milliseconds TransactionPoll{15};
constexpr int TransactionPolls = 34;
constexpr int TransactionAttempts = 3;
constexpr milliseconds PumpStartPoll{25};
constexpr int PumpStartPolls = 100;
constexpr milliseconds ClosePause{10};
constexpr int ClosePolls = 11;
// Without a wake-up descriptor the pump falls back to looking this often.
constexpr int PumpFallbackPollMs = 10;

thread_local bool onPumpThread = false;

void WakePump();
void NotifyWaiters();

class PumpSink final : public LinkSink {
 public:
  void WriteBytes(const std::uint8_t* bytes, int n) override { ostrin::WriteBytes(bytes, n); }
  void WakeTransmitter() override { WakePump(); }
  void LinkSettled() override { NotifyWaiters(); }
};

// Everything of the one link. Built on first use in static storage and never
// destroyed, so a pump still running at exit touches nothing destroyed.
struct LinkContext {
  PumpSink sink;
  LinkFramer framer{sink};
  TermiosSerialPort port;

  // Serialises opening and closing: the port object, PortHandleCount, the
  // pump's thread object and openError. The pump takes it only to close the
  // port after a port error.
  std::mutex portMutex;
  std::thread pump;
  char openError[384] = {};
  // Set by the pump from a port error until it has closed the port.
  std::atomic<bool> pumpClosing{false};
  std::atomic<int> wakeFd{-1};

  std::mutex nameMutex;
  char portName[PortNameCapacity] = {};

  // The early-ending waits: every waited-for event notifies.
  std::mutex waitMutex;
  std::condition_variable waitCv;

  std::atomic<bool> literalWaits{false};
  std::atomic<bool> busyPoll{false};

  std::atomic<std::uint64_t> passes{0};
  std::atomic<std::uint64_t> sleeps{0};
  std::atomic<std::uint64_t> bytesRead{0};
  std::atomic<std::uint64_t> bytesWritten{0};
};

LinkContext& Context() {
  alignas(LinkContext) static unsigned char storage[sizeof(LinkContext)];
  static LinkContext* const context = new (storage) LinkContext;
  return *context;
}

void NotifyWaiters() {
  LinkContext& c = Context();
  { const std::lock_guard<std::mutex> lock(c.waitMutex); }
  c.waitCv.notify_all();
}

void WakePump() {
  // The pump looks at the transmitter before every sleep: it need not wake itself.
  if (onPumpThread) return;
  const int fd = Context().wakeFd.load(std::memory_order_acquire);
  if (fd < 0) return;
#ifdef __linux__
  const std::uint64_t one = 1;
  (void)!::write(fd, &one, sizeof one);
#endif
}

void OpenWakeDescriptor(LinkContext& c) {
#ifdef __linux__
  if (c.wakeFd.load(relaxed) < 0) c.wakeFd.store(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC), std::memory_order_release);
#else
  (void)c;
#endif
}

// Waits up to period for ready(), or sleeps the whole period with literal
// waits on. Returns ready() at the end.
template <typename Ready>
bool WaitFor(milliseconds period, Ready ready) {
  LinkContext& c = Context();
  if (c.literalWaits.load(relaxed)) {
    std::this_thread::sleep_for(period);
    return ready();
  }
  std::unique_lock<std::mutex> lock(c.waitMutex);
  return c.waitCv.wait_for(lock, period, ready);
}

template <typename Ready>
void WaitUntil(Ready ready) {
  LinkContext& c = Context();
  std::unique_lock<std::mutex> lock(c.waitMutex);
  c.waitCv.wait(lock, ready);
}

void SetOpenError(LinkContext& c, std::string_view text) {
  const std::size_t n = std::min(text.size(), sizeof c.openError - 1);
  std::memcpy(c.openError, text.data(), n);
  c.openError[n] = '\0';
}

// Sleeps in poll() until input, a wake-up or a hang-up. Returns false when the
// port reported a hang-up or an error.
bool WaitForPumpWork(LinkContext& c) {
  c.sleeps.fetch_add(1, relaxed);
  const int wakeFd = c.wakeFd.load(std::memory_order_acquire);
  pollfd fds[2] = {{c.port.PollDescriptor(), POLLIN, 0}, {wakeFd, POLLIN, 0}};
  const int count = wakeFd >= 0 ? 2 : 1;
  if (::poll(fds, static_cast<nfds_t>(count), wakeFd >= 0 ? -1 : PumpFallbackPollMs) <= 0) return true;
  if (count == 2 && (fds[1].revents & POLLIN) != 0) {
    std::uint64_t drained = 0;
    (void)!::read(wakeFd, &drained, sizeof drained);
  }
  return (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) == 0;
}

// Ends the pump; after a port error also closes the port, in the same step as
// PumpRunning is cleared so that an open never sees a closed port with a pump.
void FinishPump(LinkContext& c, bool closePort) {
  if (closePort) {
    const std::lock_guard<std::mutex> lock(c.portMutex);
    c.port.Close();
    PortHandleCount = 0;
    PumpRunning = 0;
  } else {
    PumpRunning = 0;
  }
  NotifyWaiters();
}

void PortPump() {
  LinkContext& c = Context();
  onPumpThread = true;
  PumpRunning = 1;
  NotifyWaiters();
  bool portError = false;
  bool hungUp = false;
  while (PumpRun.load() != 0) {
    c.passes.fetch_add(1, relaxed);
    const int waiting = c.port.BytesWaiting();
    if (waiting < 0 || (waiting == 0 && hungUp)) {
      portError = true;
      break;
    }
    if (waiting > 0) {
      std::uint8_t byte = 0;
      const int got = c.port.ReadByte(byte);
      if (got < 0) {
        portError = true;
        break;
      }
      if (got == 1) {
        c.bytesRead.fetch_add(1, relaxed);
        c.framer.ReceiveByte(byte);
      }
      continue;
    }
    c.framer.TransmitStep();
    if (c.busyPoll.load(relaxed) || c.framer.TransmitStepDue()) continue;
    hungUp = !WaitForPumpWork(c);
  }
  if (portError) {
    c.pumpClosing = true;
    NotifyWaiters();
    CurrentFrontEnd().ShowMessage(PortErrorMessage, PortErrorCaption);
    PumpRun = 0;
  }
  FinishPump(c, portError);
}

// Waits for the verdict on the frame just queued: SendAcknowledged,
// SendFailed, or SendPending after the last poll.
int AwaitAcknowledgement(LinkFramer& link) {
  const auto verdict = [&link] { return link.SendResult() != SendPending; };
  for (int poll = 0; poll < TransactionPolls; ++poll) {
    if (verdict()) break;
    WaitFor(TransactionPoll, verdict);
  }
  return link.SendResult();
}

bool AwaitReply(LinkFramer& link, std::uint8_t* reply, int capacity, int& count) {
  const auto delivered = [&link] { return link.DeliverySlotLength() != 0; };
  for (int poll = 0; poll < TransactionPolls; ++poll) {
    WaitFor(TransactionPoll, delivered);
    if (link.TakeReceivedFrame(reply, capacity, count)) return true;
  }
  return false;
}

}  // namespace

LinkFramer& TheLink() { return Context().framer; }

bool AwaitReceivedFrame(milliseconds period) {
  LinkFramer& link = Context().framer;
  return WaitFor(period, [&link] { return link.DeliverySlotLength() != 0; });
}

bool SetPortName(std::string_view name) {
  LinkContext& c = Context();
  const std::lock_guard<std::mutex> lock(c.nameMutex);
  const bool fits = name.size() < sizeof c.portName;
  const std::size_t n = fits ? name.size() : 0;
  std::memcpy(c.portName, name.data(), n);
  c.portName[n] = '\0';
  return fits;
}

std::string PortName() {
  LinkContext& c = Context();
  const std::lock_guard<std::mutex> lock(c.nameMutex);
  return c.portName;
}

int EnsurePortOpen() {
  if (LinkOpen.load() != 0) return 0;
  LinkContext& c = Context();
  {
    const std::lock_guard<std::mutex> lock(c.portMutex);
    if (PortHandleCount.load() == 0) {
      char name[PortNameCapacity];
      {
        const std::lock_guard<std::mutex> nameLock(c.nameMutex);
        std::memcpy(name, c.portName, sizeof name);
      }
      if (name[0] == '\0') {
        SetOpenError(c, "No serial port is selected.");
        return 1;
      }
      if (!c.port.Open(name)) {
        SetOpenError(c, c.port.LastOpenError());
        return 1;
      }
      SetOpenError(c, "");
      PortHandleCount = 1;
      c.framer.ResetLinkState();
      // With no handle open no pump runs (a pump that closed the port after an
      // error cleared PumpRunning under this lock), so the old thread has ended.
      if (PumpRunning.load() == 0) {
        if (c.pump.joinable()) c.pump.join();
        OpenWakeDescriptor(c);
        c.pumpClosing = false;
        PumpRun = 1;
        try {
          c.pump = std::thread(PortPump);
        } catch (const std::system_error&) {
          PumpRun = 0;
        }
      }
    }
  }
  const auto running = [] { return PumpRunning.load() != 0; };
  for (int poll = 1; poll <= PumpStartPolls; ++poll) {
    if (!WaitFor(PumpStartPoll, running)) continue;
    if (poll == PumpStartPolls) break;
    LinkOpen = 1;
    return 0;
  }
  LinkOpen = 0;
  return 1;
}

std::string LastOpenError() {
  LinkContext& c = Context();
  const std::lock_guard<std::mutex> lock(c.portMutex);
  return c.openError;
}

void ClosePort() {
  LinkContext& c = Context();
  const std::lock_guard<std::mutex> lock(c.portMutex);
  PumpRun = 0;
  WakePump();
  if (c.literalWaits.load(relaxed)) {
    std::this_thread::sleep_for(ClosePause);
    for (int poll = 0; poll < ClosePolls && PumpRunning.load() != 0; ++poll) std::this_thread::sleep_for(ClosePause);
  }
  // A pass of the pump is short once woken; only its port-error message can
  // hold it, and then it closes the port itself.
  WaitUntil([&c] { return PumpRunning.load() == 0 || c.pumpClosing.load(); });
  if (PumpRunning.load() != 0) return;
  if (c.pump.joinable()) c.pump.join();
  if (PortHandleCount.load() != 0) {
    c.port.Close();
    PortHandleCount = 0;
  }
}

void WriteBytes(const std::uint8_t* bytes, int n) {
  LinkContext& c = Context();
  c.framer.SetIdleCountdown(IdleResetTicks);
  if (!c.port.IsOpen() || n <= 0) return;
  c.port.Write(bytes, n);
  c.bytesWritten.fetch_add(static_cast<std::uint64_t>(n), relaxed);
}

void CancelComms() {
  CancelRequested = 1;
  std::this_thread::sleep_for(ClosePause);
  ClosePort();
  std::this_thread::sleep_for(ClosePause);
  LinkFramer& link = TheLink();
  link.ResetLinkState();
  link.SetIdleCountdown(0);
  std::this_thread::sleep_for(ClosePause);
  LinkOpen = 0;
}

bool CloseIfIdle() {
  if (TheLink().IdleCountdown() != 0 || LinkOpen.load() == 0) return false;
  std::this_thread::sleep_for(ClosePause);
  ClosePort();
  LinkOpen = 0;
  return true;
}

int RunTransaction(const std::uint8_t* request, int length, std::uint8_t* reply, int capacity, int& count) {
  LinkFramer& link = TheLink();
  link.ResetLinkState();
  for (int attempt = 0; attempt < TransactionAttempts; ++attempt) {
    (void)link.QueueFrame(request, length);
    const int verdict = AwaitAcknowledgement(link);
    if (verdict == SendFailed) continue;
    if (verdict == SendPending) {
      link.ResetLinkState();
      continue;
    }
    if (AwaitReply(link, reply, capacity, count)) return 1;
  }
  count = 0;
  return 0;
}

bool QueueFrame(const std::uint8_t* payload, int length) { return TheLink().QueueFrame(payload, length); }

bool TakeReceivedFrame(std::uint8_t* buffer, int capacity, int& count) {
  return TheLink().TakeReceivedFrame(buffer, capacity, count);
}

void ResetLinkState() { TheLink().ResetLinkState(); }

void TickLinkTimers() { TheLink().TickLinkTimers(); }

void SetLiteralWaits(bool on) { Context().literalWaits = on; }

bool LiteralWaits() { return Context().literalWaits.load(); }

void SetPumpBusyPoll(bool on) {
  Context().busyPoll = on;
  WakePump();
}

PumpCounters ReadPumpCounters() {
  const LinkContext& c = Context();
  return PumpCounters{c.passes.load(relaxed), c.sleeps.load(relaxed), c.bytesRead.load(relaxed),
                      c.bytesWritten.load(relaxed)};
}

}  // namespace ostrin
