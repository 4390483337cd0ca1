// The link allocates nothing per byte or per frame: counted with a replaced
// global operator new.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "LinkTestSupport.h"
#include "link/SerialLink.h"

namespace {
std::atomic<bool> counting{false};
std::atomic<long> allocations{0};
}  // namespace

void* operator new(std::size_t size) {
  if (counting.load(std::memory_order_relaxed)) allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
// Out of line: inlined into a delete expression, g++ 12 takes the free() for
// a mismatch with the new expression that made the pointer.
[[gnu::noinline]] void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { ::operator delete(p); }

namespace ostrin::test {
namespace {

class CountAllocations {
 public:
  CountAllocations() {
    allocations = 0;
    counting = true;
  }
  ~CountAllocations() { counting = false; }
  long Count() const { return allocations.load(); }
};

TEST(Allocation, FramerRoundTripsAllocateNothing) {
  struct Pipe final : LinkSink {
    void WriteBytes(const std::uint8_t* bytes, int n) override {
      for (int i = 0; i < n; ++i) to->ReceiveByte(bytes[i]);
    }
    LinkFramer* to = nullptr;
  };
  Pipe toB;
  Pipe toA;
  LinkFramer a{toB};
  LinkFramer b{toA};
  toB.to = &b;
  toA.to = &a;
  a.SetPreSendDelay(0);
  std::uint8_t payload[300];
  for (int i = 0; i < 300; ++i) payload[i] = static_cast<std::uint8_t>(i * 13);
  std::uint8_t got[ReceiveCapacity];
  int delivered = 0;
  long counted = 0;
  {
    const CountAllocations window;
    for (int frame = 0; frame < 200; ++frame) {
      a.QueueFrame(payload, 1 + frame);
      while (a.TransmitState() != TxState::TxIdle) {
        a.TransmitStep();
        b.TransmitStep();  // its acknowledgement, once the frame is in
      }
      int count = 0;
      if (b.TakeReceivedFrame(got, sizeof got, count) && count == 1 + frame) ++delivered;
    }
    counted = window.Count();
  }
  EXPECT_EQ(delivered, 200);
  EXPECT_EQ(counted, 0);
}

TEST(Allocation, TransactionsOverThePortAllocateNothing) {
  PtyPeer pty;
  ASSERT_TRUE(pty.Ok());
  const FramerPeer controller(pty.MasterFd());
  ASSERT_TRUE(SetPortName(pty.SlavePath()));
  ASSERT_EQ(EnsurePortOpen(), 0);
  const std::uint8_t request[5] = {0x02, 0x10, 0x00, 0x00, 0x00};
  std::uint8_t reply[ReceiveCapacity];
  int count = 0;
  ASSERT_EQ(RunTransaction(request, 5, reply, sizeof reply, count), 1);
  int answered = 0;
  long counted = 0;
  {
    const CountAllocations window;
    for (int i = 0; i < 50; ++i) answered += RunTransaction(request, 5, reply, sizeof reply, count);
    counted = window.Count();
  }
  ClosePort();
  LinkOpen = 0;
  SetPortName("");
  EXPECT_EQ(answered, 50);
  EXPECT_EQ(counted, 0);
}

}  // namespace
}  // namespace ostrin::test
