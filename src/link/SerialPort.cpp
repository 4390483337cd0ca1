#include "link/SerialPort.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace ostrin {
namespace {

constexpr speed_t LineSpeed = B57600;
// A write that makes no progress for this long is given up: with flow control
// off a real line always drains, so only a far end that stopped reading (a
// pseudo-terminal nobody reads) can stall it.
constexpr int WriteStallLimitMs = 1000;
constexpr int WriteStallPollMs = 10;

void ApplyLineSettings(termios& settings) {
  cfmakeraw(&settings);
  cfsetispeed(&settings, LineSpeed);
  cfsetospeed(&settings, LineSpeed);
  settings.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CRTSCTS);
  settings.c_cflag |= CS8 | CSTOPB | CLOCAL | CREAD;
  settings.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
}

// Compares the settings this port relies on; drivers may adjust other bits.
bool LineSettingsHold(const termios& got) {
  const tcflag_t cflagMask = CSIZE | CSTOPB | PARENB | CLOCAL | CREAD | CRTSCTS;
  const tcflag_t cflagWanted = CS8 | CSTOPB | CLOCAL | CREAD;
  const tcflag_t iflagOff = IXON | IXOFF | IXANY | ISTRIP | INLCR | IGNCR | ICRNL | PARMRK;
  const tcflag_t lflagOff = ICANON | ECHO | ISIG | IEXTEN;
  return cfgetispeed(&got) == LineSpeed && cfgetospeed(&got) == LineSpeed &&
         (got.c_cflag & cflagMask) == cflagWanted && (got.c_iflag & iflagOff) == 0 &&
         (got.c_lflag & lflagOff) == 0 && (got.c_oflag & OPOST) == 0;
}

}  // namespace

TermiosSerialPort::~TermiosSerialPort() { Close(); }

bool TermiosSerialPort::Fail(const char* path, const char* what, int error) {
  Close();
  if (error == EACCES) {
    std::snprintf(openError_, sizeof openError_,
                  "Cannot open %s: permission denied. Serial ports belong to the 'dialout' group: "
                  "add your user to it (sudo usermod -aG dialout $USER) and log in again.",
                  path);
  } else if (error == EBUSY || error == EWOULDBLOCK) {
    std::snprintf(openError_, sizeof openError_, "Cannot open %s: the port is in use by another program.",
                  path);
  } else if (error == ENOTTY) {
    std::snprintf(openError_, sizeof openError_, "Cannot open %s: it is not a serial port.", path);
  } else if (error == 0) {
    std::snprintf(openError_, sizeof openError_, "Cannot open %s: %s.", path, what);
  } else {
    std::snprintf(openError_, sizeof openError_, "Cannot open %s: %s: %s.", path, what, std::strerror(error));
  }
  return false;
}

bool TermiosSerialPort::Open(const char* path) {
  Close();
  openError_[0] = '\0';
  const int fd = ::open(path, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return Fail(path, "open", errno);
  fd_ = fd;
  // As root TIOCEXCL alone does not keep a second opener out; the lock does.
  if (::ioctl(fd, TIOCEXCL) != 0) return Fail(path, "exclusive mode", errno);
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) return Fail(path, "lock", errno);

  termios settings{};
  if (::tcgetattr(fd, &settings) != 0) return Fail(path, "reading the line settings", errno);
  ApplyLineSettings(settings);
  if (::tcsetattr(fd, TCSANOW, &settings) != 0) return Fail(path, "applying the line settings", errno);
  termios readBack{};
  if (::tcgetattr(fd, &readBack) != 0) return Fail(path, "reading the line settings", errno);
  if (!LineSettingsHold(readBack)) return Fail(path, "the device does not take 57600 baud, 8 data bits, 2 stop bits", 0);

  // Best effort: pseudo-terminals refuse modem lines with ENOTTY.
  int lines = TIOCM_DTR | TIOCM_RTS;
  (void)::ioctl(fd, TIOCMBIS, &lines);
  return true;
}

void TermiosSerialPort::Close() {
  const int fd = fd_.exchange(-1);
  if (fd < 0) return;
  // A pseudo-terminal outlives our descriptor while its master is open, and
  // so would its exclusive mode: give it up, or no one but root reopens it.
  (void)::ioctl(fd, TIOCNXCL);
  ::close(fd);
}

bool TermiosSerialPort::IsOpen() const { return fd_.load() >= 0; }

int TermiosSerialPort::BytesWaiting() {
  const int fd = fd_.load(std::memory_order_relaxed);
  int count = 0;
  if (fd < 0 || ::ioctl(fd, FIONREAD, &count) != 0) return -1;
  return count;
}

int TermiosSerialPort::ReadByte(std::uint8_t& byte) {
  const int fd = fd_.load(std::memory_order_relaxed);
  if (fd < 0) return -1;
  std::uint8_t got = 0;
  const ssize_t n = ::read(fd, &got, 1);
  if (n == 1) {
    byte = got;
    return 1;
  }
  if (n < 0 && (errno == EAGAIN || errno == EINTR)) return 0;
  return -1;
}

void TermiosSerialPort::Write(const std::uint8_t* bytes, int n) {
  const int fd = fd_.load(std::memory_order_relaxed);
  if (fd < 0) return;
  int stalledMs = 0;
  while (n > 0) {
    const ssize_t done = ::write(fd, bytes, static_cast<std::size_t>(n));
    if (done > 0) {
      bytes += done;
      n -= static_cast<int>(done);
      stalledMs = 0;
      continue;
    }
    if (done < 0 && errno == EINTR) continue;
    if (done < 0 && errno != EAGAIN) return;
    if (stalledMs >= WriteStallLimitMs) return;
    pollfd writable{fd, POLLOUT, 0};
    (void)::poll(&writable, 1, WriteStallPollMs);
    stalledMs += WriteStallPollMs;
  }
}

int TermiosSerialPort::PollDescriptor() const { return fd_.load(std::memory_order_relaxed); }

std::string_view TermiosSerialPort::LastOpenError() const { return openError_; }

}  // namespace ostrin
