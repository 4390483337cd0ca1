// The computer's local date and time, as the clock-setting messages read it.
// The program uses the system clock; tests install a clock of their own.
#pragma once

namespace ostrin {

// A field the clock cannot determine is -1.
struct LocalDateTime {
  int year = -1;
  int month = -1;  // 1..12
  int day = -1;    // 1..31
  int hour = -1;   // 0..23
  int minute = -1;
  int second = -1;
};

class LocalClock {
 public:
  virtual LocalDateTime Now() const = 0;

 protected:
  LocalClock() = default;
  ~LocalClock() = default;
};

// The installed clock; the system's local time until another is installed.
const LocalClock& CurrentClock();
void InstallClock(const LocalClock* clock);  // nullptr restores the system clock

}  // namespace ostrin
