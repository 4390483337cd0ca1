// The serial port under the link: the few operations the port pump needs, and
// their POSIX termios implementation.
//
// A port is opened exclusively and configured for the controller's line:
// 57600 baud, 8 data bits, no parity, 2 stop bits, raw, no flow control, DTR
// and RTS on. Every call is non-blocking except Write, which retries until all
// its bytes are out. Nothing here allocates.
//
// Threads: the port pump is the only user of an open port; Open and Close are
// called only while no pump runs on the port (the serial link sees to that).
#pragma once

#include <atomic>
#include <cstdint>
#include <string_view>

namespace ostrin {

class SerialPort {
 public:
  virtual ~SerialPort() = default;
  SerialPort(const SerialPort&) = delete;
  SerialPort& operator=(const SerialPort&) = delete;

  // Opens the device at path (a NUL-terminated device path) and applies the
  // line settings. Returns true on success. On failure the port stays closed
  // and LastOpenError() says why in words an operator can act on. Opening an
  // already open port closes it first.
  virtual bool Open(const char* path) = 0;
  // Closes the port; does nothing when it is closed.
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;
  // The number of received bytes waiting to be read, or -1 when the port's
  // error-state query fails (a port error: the device went away, the far end
  // of a pseudo-terminal closed) or the port is closed.
  virtual int BytesWaiting() = 0;
  // Reads one byte: 1 when a byte was read into byte; 0 when none was there
  // (byte untouched); -1 on a port error, which includes a read of 0 bytes.
  virtual int ReadByte(std::uint8_t& byte) = 0;
  // Writes the n bytes, retrying until all are out. Write errors, a closed
  // port and a line that takes nothing for a second drop the rest silently.
  virtual void Write(const std::uint8_t* bytes, int n) = 0;
  // The descriptor to poll() for input (POLLIN; POLLHUP or POLLERR mean a
  // port error), or -1 while the port is closed.
  virtual int PollDescriptor() const = 0;
  // Why the last Open failed; empty after a successful Open.
  virtual std::string_view LastOpenError() const = 0;

 protected:
  SerialPort() = default;
};

// The termios port: open(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC), held with
// TIOCEXCL and flock(LOCK_EX | LOCK_NB) so that a second opener fails, line
// settings read back and compared, DTR and RTS raised with TIOCMBIS where the
// device supports it (a pseudo-terminal does not).
class TermiosSerialPort final : public SerialPort {
 public:
  TermiosSerialPort() = default;
  ~TermiosSerialPort() override;

  bool Open(const char* path) override;
  void Close() override;
  bool IsOpen() const override;
  int BytesWaiting() override;
  int ReadByte(std::uint8_t& byte) override;
  void Write(const std::uint8_t* bytes, int n) override;
  int PollDescriptor() const override;
  std::string_view LastOpenError() const override;

 private:
  bool Fail(const char* path, const char* what, int error);

  std::atomic<int> fd_{-1};
  char openError_[384] = {};
};

}  // namespace ostrin
