#include "cli/TraceRelay.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace ostrin::cli {
namespace {

constexpr int BurstCapacity = 512;

// Writes all n bytes to a non-blocking descriptor, waiting while it is full.
void writeAll(int fd, const std::uint8_t* bytes, int n) {
  int done = 0;
  while (done < n) {
    const ssize_t w = ::write(fd, bytes + done, static_cast<std::size_t>(n - done));
    if (w > 0) {
      done += static_cast<int>(w);
      continue;
    }
    if (w < 0 && errno != EAGAIN && errno != EINTR) return;
    pollfd writable{fd, POLLOUT, 0};
    ::poll(&writable, 1, 100);
  }
}

bool openPseudoTerminal(int& master, int& slave, std::string& slavePath) {
  master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) return false;
  const char* name = ::ptsname(master);
  if (name == nullptr) return false;
  slavePath = name;
  slave = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (slave < 0) return false;
  termios raw{};
  if (::tcgetattr(slave, &raw) != 0) return false;
  ::cfmakeraw(&raw);
  return ::tcsetattr(slave, TCSANOW, &raw) == 0;
}

}  // namespace

TraceRelay::~TraceRelay() { Close(); }

bool TraceRelay::Start(const std::string& port, const std::string& tracePath, std::string& reason) {
  trace_ = std::fopen(tracePath.c_str(), "w");
  if (trace_ == nullptr) {
    reason = "cannot write the trace file \"" + tracePath + "\": " + std::strerror(errno);
    return false;
  }
  if (!port_.Open(port.c_str())) {
    reason = "cannot open port " + port + ": " + std::string(port_.LastOpenError());
    Close();
    return false;
  }
  if (!openPseudoTerminal(master_, slave_, linkPath_) || ::pipe2(stopPipe_, O_CLOEXEC) != 0) {
    reason = std::string("cannot make the trace's pseudo-terminal: ") + std::strerror(errno);
    Close();
    return false;
  }
  start_ = std::chrono::steady_clock::now();
  const std::time_t now = std::time(nullptr);
  char started[64] = {};
  std::tm local{};
  if (::localtime_r(&now, &local) != nullptr) std::strftime(started, sizeof started, "%Y-%m-%d %H:%M:%S", &local);
  std::fprintf(trace_, "# trace of %s from %s; -> to the controller, <- from it\n", port.c_str(), started);
  thread_ = std::thread([this] { Run(); });
  return true;
}

void TraceRelay::Run() {
  std::uint8_t burst[BurstCapacity];
  for (;;) {
    pollfd fds[3] = {{master_, POLLIN, 0}, {port_.PollDescriptor(), POLLIN, 0}, {stopPipe_[0], POLLIN, 0}};
    if (::poll(fds, 3, -1) < 0) {
      if (errno == EINTR) continue;
      return;
    }
    if (fds[2].revents != 0) return;
    if ((fds[0].revents & POLLIN) != 0) {
      const ssize_t r = ::read(master_, burst, sizeof burst);
      if (r > 0) {
        Record("->", burst, static_cast<int>(r));
        port_.Write(burst, static_cast<int>(r));
      }
    }
    if ((fds[1].revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) return;
    if ((fds[1].revents & POLLIN) != 0) {
      int n = 0;
      std::uint8_t byte = 0;
      int got = 0;
      while (n < BurstCapacity && (got = port_.ReadByte(byte)) == 1) burst[n++] = byte;
      if (n > 0) {
        Record("<-", burst, n);
        writeAll(master_, burst, n);
      }
      if (got < 0) return;
    }
  }
}

void TraceRelay::Record(const char* direction, const std::uint8_t* bytes, int n) {
  const std::chrono::duration<double> since = std::chrono::steady_clock::now() - start_;
  std::fprintf(trace_, "%.6f %s", since.count(), direction);
  for (int i = 0; i < n; ++i) std::fprintf(trace_, " %02X", bytes[i]);
  std::fputc('\n', trace_);
}

void TraceRelay::Close() {
  if (thread_.joinable()) {
    const char stop = 0;
    (void)!::write(stopPipe_[1], &stop, 1);
    thread_.join();
  }
  for (int* fd : {&master_, &slave_, &stopPipe_[0], &stopPipe_[1]}) {
    if (*fd >= 0) ::close(*fd);
    *fd = -1;
  }
  port_.Close();
  if (trace_ != nullptr) std::fclose(trace_);
  trace_ = nullptr;
}

}  // namespace ostrin::cli
