#include "sim/PtyLine.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace ostrin::sim {
namespace {

using namespace std::chrono;

// 1 start bit, 8 data bits, 2 stop bits at 57600 baud.
constexpr nanoseconds ByteTime{11'000'000'000LL / 57600};
constexpr milliseconds LongestWait{1000};
constexpr milliseconds HangUpPause{10};

volatile std::sig_atomic_t stopRequested = 0;
sigset_t waitMask;

void onStopSignal(int) { stopRequested = 1; }

std::string reason(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

bool setLineSettings(int fd) {
  termios settings{};
  if (::tcgetattr(fd, &settings) != 0) return false;
  ::cfmakeraw(&settings);
  ::cfsetispeed(&settings, B57600);
  ::cfsetospeed(&settings, B57600);
  settings.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CRTSCTS);
  settings.c_cflag |= CS8 | CSTOPB | CLOCAL | CREAD;
  settings.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
  return ::tcsetattr(fd, TCSANOW, &settings) == 0;
}

// Writes what the line takes of the outgoing bytes; with pace only as many as
// the line rate allows by now. Returns false when the line took nothing.
class LineWriter {
 public:
  LineWriter(int fd, bool pace) : fd_(fd), pace_(pace) {}

  bool Write(std::deque<std::uint8_t>& outgoing, SimClock::time_point now) {
    if (outgoing.empty()) return true;
    std::size_t count = outgoing.size();
    if (pace_) {
      if (lineFree_ + ByteTime < now) lineFree_ = now;
      if (lineFree_ > now) return true;
      count = std::min<std::size_t>(count, 1 + static_cast<std::size_t>((now - lineFree_) / ByteTime));
    }
    std::array<std::uint8_t, 512> chunk{};
    count = std::min(count, chunk.size());
    std::copy_n(outgoing.begin(), count, chunk.begin());
    const ssize_t written = ::write(fd_, chunk.data(), count);
    if (written <= 0) return false;
    outgoing.erase(outgoing.begin(), outgoing.begin() + written);
    lineFree_ += ByteTime * written;
    return true;
  }

  // When the paced line can take its next byte.
  SimClock::time_point NextSend(const std::deque<std::uint8_t>& outgoing, SimClock::time_point now) const {
    if (outgoing.empty()) return SimClock::time_point::max();
    return pace_ ? std::max(lineFree_, now) : now;
  }

 private:
  int fd_;
  bool pace_;
  SimClock::time_point lineFree_{};
};

timespec waitUntil(SimClock::time_point due, SimClock::time_point now) {
  const nanoseconds wait = std::clamp<nanoseconds>(due - now, nanoseconds(0), LongestWait);
  return {static_cast<time_t>(wait.count() / 1'000'000'000), static_cast<long>(wait.count() % 1'000'000'000)};
}

}  // namespace

PtyLine::~PtyLine() {
  if (slave_ >= 0) ::close(slave_);
  if (master_ >= 0) ::close(master_);
}

bool PtyLine::Open(std::string& error) {
  master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
  if (master_ < 0) return error = reason("posix_openpt"), false;
  if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0) return error = reason("grantpt/unlockpt"), false;
  const char* name = ::ptsname(master_);
  if (!name) return error = reason("ptsname"), false;
  slavePath_ = name;
  slave_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (slave_ < 0) return error = reason(name), false;
  if (!setLineSettings(slave_)) return error = reason("line settings"), false;
  ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
  ::fcntl(master_, F_SETFD, FD_CLOEXEC);
  return true;
}

void InstallStopSignals() {
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  struct sigaction action{};
  action.sa_handler = onStopSignal;
  sigemptyset(&action.sa_mask);
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
    sigaddset(&stopSignals, signal);
    ::sigaction(signal, &action, nullptr);
  }
  ::sigprocmask(SIG_BLOCK, &stopSignals, &waitMask);
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigdelset(&waitMask, signal);
}

void ServeLine(const PtyLine& line, SimController& controller, bool pace) {
  const int fd = line.MasterDescriptor();
  LineWriter writer(fd, pace);
  bool lineFull = false;
  while (!stopRequested) {
    auto now = SimClock::now();
    controller.Advance(now);
    lineFull = !writer.Write(controller.Outgoing(), now);
    const auto due = std::min(controller.NextDue(), lineFull ? SimClock::time_point::max()
                                                             : writer.NextSend(controller.Outgoing(), now));
    pollfd watch{fd, static_cast<short>(POLLIN | (lineFull ? POLLOUT : 0)), 0};
    const timespec wait = waitUntil(due, now);
    if (::ppoll(&watch, 1, &wait, &waitMask) <= 0) continue;
    if (watch.revents & (POLLHUP | POLLERR)) ::usleep(duration_cast<microseconds>(HangUpPause).count());
    if (!(watch.revents & POLLIN)) continue;
    std::array<std::uint8_t, 256> bytes{};
    const ssize_t count = ::read(fd, bytes.data(), bytes.size());
    now = SimClock::now();
    for (ssize_t i = 0; i < count; ++i) controller.Receive(bytes[static_cast<std::size_t>(i)], now);
  }
}

}  // namespace ostrin::sim
