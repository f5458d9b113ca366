// zykwrite: the chart's data block on a drawing: date, place and time, Universal Time, names, the kind
// of chart, the zodiac of each ring, the house system, and for heptagrams their classification.
#pragma once
#include <string>
#include <vector>

#include "core/records.h"
#include "draw/drawing_type.h"
#include "draw/wheel.h"
#include "platform/gfx.h"

namespace talpora {

// One line of the data block: text (CP1252), colour slot of the colour set, where it goes.
struct DataBlockLine {
  enum class Corner { TopLeft, TopRight, BottomLeft, BottomLeftSecond } corner = Corner::TopLeft;
  std::string text;
  int colourSlot = 12;
};

// The lines of the data block, in order per corner (pure). `type` is the normalised drawing type of
// the inner pass; `houseFallback` tells that the cusps are Porphyry's because the system asked for
// (`houseSystemAsked`) cannot be computed at the chart's latitude.
std::vector<DataBlockLine> dataBlockLines(const CIni& settings, const Chart1& chart, const Chart2& computed,
                                          const Chart1& second, const ChPar& type, bool houseFallback,
                                          int houseSystemAsked);

// Writes the data block of a plan's inner pass.
void writeit(gfx::Canvas&, const WheelPlan&, const CIni& settings, const Chart1& chart,
             const Chart2& computed, const Chart1& second, const ChCol& colours,
             const WheelFonts* printerFonts);

}  // namespace talpora
