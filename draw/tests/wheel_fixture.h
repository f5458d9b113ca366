// Shared charts and drawing types of the wheel tests: fixed records, independent of the engine's
// positions (only the house cusps are computed, by the house routines the drawing itself calls).
#pragma once
#include "core/records.h"
#include "draw/drawing_type.h"
#include "engine/houses.h"
#include "platform/byte_io.h"

namespace talpora::wheeltest {

inline CIni testSettings() {
  CIni s = defaultSettings("/nonexistent");
  s.houseSystem = 1;
  s.ayanamsa = 1;
  return s;
}

// A chart at Paris: June 1990, positions fixed by hand (degrees).
inline void testChart(Chart1& chart, Chart2& computed) {
  chart = zeroedRecord<Chart1>();
  chart.day = 15;
  chart.month = 6;
  chart.year = 1990;
  chart.hour = 14;
  chart.minute = 30;
  chart.timeZone = 2;
  chart.longitude = 2.35 / 15;
  chart.latitude = 48.85;
  chart.timeKnown = 1;
  setField(chart.name, "Test Person");
  setField(chart.place, "Paris");
  computed = zeroedRecord<Chart2>();
  computed.julianDay = 2448058.0208333;
  computed.siderealTime = 6.62;
  computed.obliquity = 23.44;
  computed.trueAyanamsa = 23.73;
  computed.syneticVernalPoint = 335.45;
  computed.houseSystem = 1;
  const double lons[14] = {84.1,  345.2, 65.4,  48.2,  11.3,  105.7, 294.1,
                           278.3, 283.9, 225.6, 308.2, 128.2, 218.0, 136.0};
  for (int i = 0; i < 14; ++i) computed.objects[i] = lons[i];
  for (int i = 0; i < 17; ++i) computed.motion[i] = 'D';
  computed.motion[kSaturn] = 'R';
  Houses(computed.obliquity, chart.latitude, computed.siderealTime, 1, computed.cusps);
  computed.objects[kAscendant] = computed.cusps[0];
  computed.objects[kMidheaven] = computed.cusps[9];
  double pf = computed.cusps[0] + lons[1] - lons[0];
  while (pf < 0) pf += 360;
  while (pf >= 360) pf -= 360;
  computed.objects[kPartOfFortune] = pf;
  const double helio[12] = {264.1, 264.1, 20.0, 150.0, 40.0, 100.0, 292.0, 277.0, 283.0, 226.0, 0, 0};
  for (int i = 0; i < 12; ++i) computed.extra[i] = helio[i];
  computed.objectLat[kMoon] = 4.2;
  computed.planetaryHour = 0;
}

// A drawing type with every point and every aspect line.
inline ChPar fullType(int style = 11) {
  ChPar t;
  t.typeOrigin = 701;
  t.style = static_cast<std::int16_t>(style);
  t.ringKind[1] = 1;
  t.houseSystem = 1;
  t.showFortune = t.showBlackMoon = t.showChiron = 1;
  t.aspectNodes = t.aspectAngles = t.aspectFortune = t.aspectBlackMoon = t.aspectChiron = 1;
  t.dataBlock = 1;
  t.houseLabels = 1;
  t.cuspDegrees = 1;
  t.planetDegrees = 1;
  t.aspectGlyphs = 2;
  t.aspectIndicator = 1;
  for (int k = 0; k < 9; ++k) t.aspectLine[k] = 1;
  setField(t.title, "Test Type");
  return t;
}

}  // namespace talpora::wheeltest
