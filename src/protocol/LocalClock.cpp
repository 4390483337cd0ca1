#include "protocol/LocalClock.h"

#include <atomic>
#include <ctime>

namespace ostrin {
namespace {

class SystemClock final : public LocalClock {
 public:
  LocalDateTime Now() const override {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (now == static_cast<std::time_t>(-1) || !::localtime_r(&now, &local)) return {};
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
  }
};

const SystemClock systemClock;
std::atomic<const LocalClock*> installed{&systemClock};

}  // namespace

const LocalClock& CurrentClock() { return *installed.load(); }

void InstallClock(const LocalClock* clock) { installed = clock ? clock : &systemClock; }

}  // namespace ostrin
