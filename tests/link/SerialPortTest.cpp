// The termios port over real pseudo-terminals.
#include <gtest/gtest.h>

#include <string>

#include <sys/stat.h>
#include <termios.h>

#include "LinkTestSupport.h"
#include "link/SerialPort.h"

namespace ostrin::test {
namespace {

using std::chrono::milliseconds;

bool WaitForBytes(SerialPort& port, int n) {
  for (int i = 0; i < 2000; ++i) {
    if (port.BytesWaiting() >= n) return true;
    std::this_thread::sleep_for(milliseconds(1));
  }
  return false;
}

TEST(TermiosSerialPort, OpensAPseudoTerminalWithTheLineSettings) {
  PtyPeer pty;
  ASSERT_TRUE(pty.Ok());
  TermiosSerialPort port;
  ASSERT_TRUE(port.Open(pty.SlavePath().c_str())) << port.LastOpenError();
  EXPECT_TRUE(port.IsOpen());
  EXPECT_GE(port.PollDescriptor(), 0);
  EXPECT_TRUE(port.LastOpenError().empty());

  termios settings{};
  ASSERT_EQ(::tcgetattr(port.PollDescriptor(), &settings), 0);
  EXPECT_EQ(cfgetispeed(&settings), static_cast<speed_t>(B57600));
  EXPECT_EQ(cfgetospeed(&settings), static_cast<speed_t>(B57600));
  EXPECT_EQ(settings.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
  EXPECT_NE(settings.c_cflag & CSTOPB, 0u);
  EXPECT_EQ(settings.c_cflag & (PARENB | CRTSCTS), 0u);
  EXPECT_EQ(settings.c_cflag & (CLOCAL | CREAD), static_cast<tcflag_t>(CLOCAL | CREAD));
  EXPECT_EQ(settings.c_iflag & (IXON | IXOFF | IXANY), 0u);
  EXPECT_EQ(settings.c_lflag & (ICANON | ECHO | ISIG), 0u);
  EXPECT_EQ(settings.c_oflag & OPOST, 0u);

  port.Close();
  EXPECT_FALSE(port.IsOpen());
  EXPECT_EQ(port.PollDescriptor(), -1);
}

TEST(TermiosSerialPort, ReadsBytesOneAtATimeAndWritesAll) {
  PtyPeer pty;
  TermiosSerialPort port;
  ASSERT_TRUE(port.Open(pty.SlavePath().c_str())) << port.LastOpenError();
  std::uint8_t byte = 0;
  EXPECT_EQ(port.BytesWaiting(), 0);
  EXPECT_EQ(port.ReadByte(byte), 0);

  pty.Write({0x10, 0x02, 0xFF});
  ASSERT_TRUE(WaitForBytes(port, 3));
  Bytes got;
  while (port.ReadByte(byte) == 1) got.push_back(byte);
  EXPECT_EQ(got, (Bytes{0x10, 0x02, 0xFF}));  // raw: no translation of any byte

  Bytes block(3000);
  for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<std::uint8_t>(i);
  port.Write(block.data(), static_cast<int>(block.size()));
  EXPECT_EQ(pty.Read(block.size()), block);
}

TEST(TermiosSerialPort, SecondOpenOfAHeldPortFails) {
  PtyPeer pty;
  TermiosSerialPort first;
  TermiosSerialPort second;
  ASSERT_TRUE(first.Open(pty.SlavePath().c_str()));
  EXPECT_FALSE(second.Open(pty.SlavePath().c_str()));
  EXPECT_FALSE(second.IsOpen());
  EXPECT_NE(std::string(second.LastOpenError()).find("in use"), std::string::npos) << second.LastOpenError();
  first.Close();
  EXPECT_TRUE(second.Open(pty.SlavePath().c_str())) << second.LastOpenError();
}

TEST(TermiosSerialPort, FarEndClosingIsAPortError) {
  PtyPeer pty;
  TermiosSerialPort port;
  ASSERT_TRUE(port.Open(pty.SlavePath().c_str()));
  pty.Close();
  pollfd hangup{port.PollDescriptor(), POLLIN, 0};
  ASSERT_EQ(::poll(&hangup, 1, 1000), 1);
  EXPECT_NE(hangup.revents & POLLHUP, 0);
  EXPECT_EQ(port.BytesWaiting(), -1);
  std::uint8_t byte = 0;
  EXPECT_EQ(port.ReadByte(byte), -1);
  port.Write(Bytes{0x01}.data(), 1);  // ignored
}

TEST(TermiosSerialPort, OpenFailuresSayWhy) {
  TermiosSerialPort port;
  EXPECT_FALSE(port.Open("/dev/ostrin-no-such-port"));
  EXPECT_NE(std::string(port.LastOpenError()).find("/dev/ostrin-no-such-port"), std::string::npos);
  EXPECT_FALSE(port.Open("/dev/null"));
  EXPECT_NE(std::string(port.LastOpenError()).find("not a serial port"), std::string::npos) << port.LastOpenError();
  EXPECT_FALSE(port.IsOpen());
  EXPECT_EQ(port.BytesWaiting(), -1);
  std::uint8_t byte = 0;
  EXPECT_EQ(port.ReadByte(byte), -1);
}

TEST(TermiosSerialPort, PermissionDeniedNamesTheDialoutGroup) {
  if (::geteuid() == 0) GTEST_SKIP() << "root opens any device";
  PtyPeer pty;
  ASSERT_EQ(::chmod(pty.SlavePath().c_str(), 0), 0);
  TermiosSerialPort port;
  EXPECT_FALSE(port.Open(pty.SlavePath().c_str()));
  EXPECT_NE(std::string(port.LastOpenError()).find("dialout"), std::string::npos) << port.LastOpenError();
}

}  // namespace
}  // namespace ostrin::test
