// qt: the timers of the live chart and the alarm clock. The clock is read several times a second;
// a callback runs once for every change of second and once for every change of minute, so a late
// tick, a suspend or a change of the system clock gives one call with the present time, never a burst.
#pragma once
#include <QObject>
#include <QTimer>
#include <functional>
#include <optional>

#include "platform/sys.h"

namespace talpora::qt {

bool sameSecond(const sys::LocalTime&, const sys::LocalTime&);
bool sameMinute(const sys::LocalTime&, const sys::LocalTime&);

class ClockTicker : public QObject {
 public:
  using Callback = std::function<void(const sys::LocalTime&)>;
  explicit ClockTicker(const sys::Clock& clock, QObject* parent = nullptr);
  void onSecond(Callback c) { second_ = std::move(c); }
  void onMinute(Callback c) { minute_ = std::move(c); }
  void start(int pollMilliseconds = 200);
  void stop();
  // Reads the clock now and calls what is due (the timer calls this).
  void poll();

 private:
  const sys::Clock& clock_;
  QTimer timer_;
  Callback second_, minute_;
  std::optional<sys::LocalTime> lastSecond_, lastMinute_;
};

}  // namespace talpora::qt
