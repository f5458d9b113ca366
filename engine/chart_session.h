// zykcalc: a chart session: the settings of the program directory and the Chiron table, loaded once,
// and every chart a command or a program asks for computed with them (the chart record, the computed
// chart, how its cusps and planetary hour were obtained, the Vertex and the East Point).
#pragma once
#include <filesystem>
#include <optional>

#include "core/records.h"
#include "engine/chart.h"
#include "platform/sys.h"
#include "platform/ui.h"

namespace talpora {

enum class Zodiac { Tropical = 0, Sidereal = 1 };

// What is asked: a chart record, and optionally a house system (0..11) and a zodiac other than the
// settings'.
struct ChartQuery {
  Chart1 birth;
  std::optional<int> houseSystem;
  std::optional<Zodiac> zodiac;
};

struct ComputedChart {
  Chart1 birth;
  CIni settings;  // the session's settings with the house system asked for
  Chart2 chart;
  ChartStatus status;
  bool sidereal = false;
  double vertex = 0, eastPoint = 0;  // degrees, tropical
};

class ChartSession {
 public:
  // The settings file of `programDir` (defaults, with a message through `ui`, when it cannot be read;
  // the directory itself always wins over a stored one) and its Chiron table ("Chiron adb cannot be
  // found" through `ui` when missing: Chiron then has no position).
  ChartSession(const std::filesystem::path& programDir, ui::Interaction& ui);
  ChartSession(const CIni& settings, ChironTable chiron) : settings_(settings), chiron_(std::move(chiron)) {}

  const CIni& settings() const { return settings_; }
  const ChironTable& chiron() const { return chiron_; }
  // The settings with a house system asked for (the settings' own when none is).
  CIni settingsFor(std::optional<int> houseSystem) const;

  ComputedChart compute(const ChartQuery& query) const;
  ComputedChart compute(const Chart1& birth) const { return compute(ChartQuery{birth, {}, {}}); }

  // The chart record of the present moment at place chart `placeNumber` (0..99) by the clock. 1 done;
  // 0 when there is no such place chart or it cannot be read (reported through `ui`).
  int now(int placeNumber, const sys::Clock& clock, Chart1& birth, ui::Interaction& ui) const;

 private:
  CIni settings_;
  ChironTable chiron_;
};

}  // namespace talpora
