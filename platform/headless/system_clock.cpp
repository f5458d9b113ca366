// headless: the system clock through the C library.
#include <chrono>
#include <ctime>

#include "platform/headless/fakes.h"

namespace talpora::headless {
namespace {
sys::LocalTime fromTm(const std::tm& t) {
  return {t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec};
}
}  // namespace

sys::LocalTime SystemClock::now() const {
  std::time_t t = std::time(nullptr);
  std::tm local{};
  localtime_r(&t, &local);
  return fromTm(local);
}

sys::UtcNow SystemClock::utcNow() const {
  std::time_t t = std::time(nullptr);
  std::tm utc{}, local{};
  gmtime_r(&t, &utc);
  localtime_r(&t, &local);
  return {fromTm(utc), static_cast<double>(local.tm_gmtoff) / 3600.0};
}

std::uint32_t SystemClock::ticks() const {
  using namespace std::chrono;
  return static_cast<std::uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

}  // namespace talpora::headless
