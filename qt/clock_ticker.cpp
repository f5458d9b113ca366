// qt: second and minute ticks from the clock.
#include "qt/clock_ticker.h"

namespace talpora::qt {

bool sameMinute(const sys::LocalTime& a, const sys::LocalTime& b) {
  return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour && a.minute == b.minute;
}

bool sameSecond(const sys::LocalTime& a, const sys::LocalTime& b) {
  return sameMinute(a, b) && a.second == b.second;
}

ClockTicker::ClockTicker(const sys::Clock& clock, QObject* parent) : QObject(parent), clock_(clock) {
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, [this] { poll(); });
}

void ClockTicker::start(int pollMilliseconds) {
  lastSecond_.reset();
  lastMinute_.reset();
  timer_.start(pollMilliseconds);
  poll();
}

void ClockTicker::stop() {
  timer_.stop();
}

void ClockTicker::poll() {
  const sys::LocalTime now = clock_.now();
  if (!lastSecond_ || !sameSecond(*lastSecond_, now)) {
    lastSecond_ = now;
    if (second_) second_(now);
  }
  if (!lastMinute_ || !sameMinute(*lastMinute_, now)) {
    lastMinute_ = now;
    if (minute_) minute_(now);
  }
}

}  // namespace talpora::qt
