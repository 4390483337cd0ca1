// A controller behind a plain exchange function, for the jobs' own logic: it
// answers every read with the value the store holds and every write with its
// acknowledgement, records the numbers asked for, and can fail one number or
// raise CancelRequested after answering one.
#pragma once

#include <cstring>
#include <vector>

#include "link/SerialLink.h"
#include "protocol/Messages.h"
#include "protocol/ParameterIo.h"

namespace ostrin::test {

struct FakeController {
  static inline std::vector<ParameterNumber> asked;
  static inline std::vector<std::vector<std::uint8_t>> requests;
  static inline ParameterNumber failAt = -1;
  static inline ParameterNumber cancelAfter = -1;

  static void Reset() {
    asked.clear();
    requests.clear();
    failAt = -1;
    cancelAfter = -1;
  }

  // The read reply that carries the store's current value of n.
  static Message ReadReplyFor(ParameterNumber n) {
    Message m;
    if (!BuildWriteMessage(n, m)) {  // an empty port list: count 0
      m = WritePortList(n, {});
    }
    m.bytes[0] = ReplyCode(ReadCommandOf(KindOfNumber(n)));
    return m;
  }

  static int Exchange(const std::uint8_t* request, int length, std::uint8_t* reply, int capacity, int& count) {
    const ParameterNumber n = MessageWord(request, length, NumberOffset(request[0]));
    asked.push_back(n);
    requests.emplace_back(request, request + length);
    count = 0;
    if (n == failAt) return 0;
    Message answer;
    if (request[0] == CodeByte(ReadCommandOf(KindOfNumber(n)))) {
      answer = ReadReplyFor(n);
    } else {
      answer.bytes = {static_cast<std::uint8_t>(request[0] + ReplyOffset), static_cast<std::uint8_t>(n & 0xFF),
                      static_cast<std::uint8_t>(n >> 8)};
      answer.length = 3;
    }
    count = answer.length < capacity ? answer.length : capacity;
    std::memcpy(reply, answer.data(), static_cast<std::size_t>(count));
    if (n == cancelAfter) CancelRequested = 1;
    return 1;
  }
};

}  // namespace ostrin::test
