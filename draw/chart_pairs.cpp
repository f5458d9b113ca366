// zykwheel: harmonic charts and the pair records of double wheels.
#include "draw/chart_pairs.h"

#include <cmath>
#include <cstdio>

#include "core/transfer.h"
#include "core/zodiac.h"
#include "draw/style_select.h"
#include "format/text_format.h"
#include "platform/byte_io.h"

namespace talpora {

void harmonicChart(const Chart1& birth, const Chart2& computed, int h, Chart1& outBirth,
                   Chart2& outComputed) {
  outBirth = birth;
  outComputed = computed;
  outBirth.chartType = chart_type::kNotAMoment;
  char text[64];
  std::snprintf(text, sizeof text, "Harmonic Chart, n=%d", h);
  setField(outBirth.typeText, text);  // cut to the 24 characters the field holds
  const bool houses = AreThereHouses(birth) != 0;
  for (int i = 0; i < kObjectCount; ++i) {
    if (i >= kAscendant && !houses) continue;
    const double lon = computed.objects[i];
    if (!hasPosition(lon)) continue;
    outComputed.objects[i] = c_c360(h * lon);
  }
}

int drawHarmonicChart(ui::Interaction& ui, const CIni& settings, const Chart1& birth, const Chart2& computed,
                      int h, sys::ProcessLauncher& launcher, sys::HelpViewer* help) {
  Chart1 copy;
  Chart2 copyComputed;
  harmonicChart(birth, computed, h, copy, copyComputed);
  int file = 0, index = 0;
  if (!SelectDrawingType(ui, settings, &file, &index, 0, 0, help)) return 0;
  TransferBlock transfer;
  std::string error;
  if (!FillUpTalporaTransferBlock(transfer, settings, copy, copyComputed, copy, copyComputed, &error)) {
    ui.message({error, "Error Message from zykstyle.dll", ui::Buttons::Ok, ui::Icon::Stop, {}});
    return 0;
  }
  return PlayDrawingType(transfer, settings, copy, copyComputed, file, index, ui, launcher);
}

void transitsPair(Chart1& inner, Chart1& outer, bool sidereal) {
  inner.doubleChart = 1;
  outer.chartType =
      static_cast<std::int16_t>(sidereal ? chart_type::kSiderealTransits : chart_type::kTransits);
  outer.doubleChart = 0;
  // The kind of chart and its date in the 24 characters of the field: the numeric date when the
  // written one does not fit.
  const std::string lead = sidereal ? "Sid.Trans. " : "Transits for ";
  std::string text = lead + ed_date(outer.day, outer.month, outer.year, 0);
  if (text.size() > sizeof outer.typeText - 1) {
    char numeric[32];
    std::snprintf(numeric, sizeof numeric, "%02d.%02d.%d", outer.day, outer.month, outer.year);
    text = lead + numeric;
  }
  setField(outer.typeText, text);
  if (nameOf(outer).empty()) setField(outer.name, nameOf(inner));
  setField(inner.typeText, fieldText(outer.typeText));
}

Chart1 synastryPair(const Chart1& inner, const Chart1& outer) {
  Chart1 pair = inner;
  pair.chartType = chart_type::kSynastryPair;
  pair.doubleChart = 1;
  setField(pair.name, nameOf(outer));
  setField(pair.typeText, nameOf(inner));
  return pair;
}

}  // namespace talpora
