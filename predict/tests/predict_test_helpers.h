// Shared by the prediction tests: a program directory with orb files, the shipped Chiron table, and
// natal charts from a date, clock time, zone and place.
#pragma once
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "core/calendar.h"
#include "core/records.h"
#include "engine/chart.h"
#include "files/zykfile.h"
#include "platform/byte_io.h"

namespace talpora::testing_predict {

namespace fs = std::filesystem;

inline const ChironTable& shippedChiron() {
  static const ChironTable table = readChironTable(fs::path(TALPORA_SOURCE_DIR) / "data" / kChironFileName);
  return table;
}

// A fresh program directory; with orbs (degrees, all nine the same) written to both orb files when
// `orb` > 0, none when 0.
inline CIni settingsIn(const std::string& name, double orb = 2.0) {
  const fs::path dir =
      fs::temp_directory_path() / ("talpora-predict-" + name + "-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  CIni s = defaultSettings(dir.string());
  s.houseSystem = 1;
  if (orb > 0) {
    double orbs[9];
    for (double& o : orbs) o = orb;
    WriteOrbFile(s, 2, orbs);
    WriteOrbFile(s, 3, orbs);
  }
  return s;
}

struct Natal {
  Chart1 record;
  Chart2 chart;
};

// lonDeg east positive; zone hours later than Greenwich.
inline Natal natalChart(const CIni& s, int day, int month, int year, int hour, int minute, double zone,
                        double lonDeg = 2.35, double latDeg = 48.85, bool timeKnown = true) {
  Natal n;
  n.record = embeddedDefaultChart();
  n.record.chartType = 0;
  n.record.day = static_cast<std::int16_t>(day);
  n.record.month = static_cast<std::int16_t>(month);
  n.record.year = static_cast<std::int16_t>(year);
  n.record.hour = static_cast<std::int16_t>(hour);
  n.record.minute = static_cast<std::int16_t>(minute);
  n.record.timeZone = zone;
  n.record.longitude = lonDeg / 15.0;
  n.record.latitude = latDeg;
  n.record.timeKnown = timeKnown ? 1 : 0;
  setField(n.record.name, "Test");
  calculall(s, n.record, n.chart, shippedChiron());
  return n;
}

// (-180, 180].
inline double arcDiff(double a, double b) {
  double d = std::fmod(a - b, 360.0);
  if (d > 180) d -= 360;
  if (d <= -180) d += 360;
  return d;
}

}  // namespace talpora::testing_predict
