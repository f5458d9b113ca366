// zyktabs: dignities, mutual receptions and the Arabian parts of one chart, appended to a report.
// zodiac 0 tropical, 1 sidereal. Lines are appended with AddLine mode 1, indent 0.
#pragma once
#include <string>

#include "core/records.h"
#include "format/report_buffer.h"
#include "platform/sys.h"

namespace talpora {

// Dignity codes.
inline constexpr int kNoDignity = 0, kDignity = 1, kDetriment = 2, kExaltation = 3, kFall = 4;

// The code of planet 0..9 (Sun to Pluto) in sign n (1..12, or house n standing for sign n). 0 for a
// planet or a number out of range.
int dignityIn(int planet, int n);

// The state of a planet by its sign (byHouse 0) or by its house (byHouse non-zero; 0 without
// houses or when the planet is in no house).
int Dignities(int planet, int zodiac, int byHouse, const CIni& settings, const Chart1& birth,
              const Chart2& chart);

// "Dignities" and its zodiac (when zodiacInHeading), then each planet's essential and, with houses,
// accidental dignity, detriment, exaltation or fall.
void PrintDignities(int zodiac, int zodiacInHeading, Report& report, unsigned long* length,
                    const CIni& settings, const Chart1& birth, const Chart2& chart,
                    sys::Busy* busy = nullptr);

// The pairs of planets each placed in a sign ruled by the other (modern rulers, and the traditional
// co-rulers of Scorpio, Aquarius and Pisces).
void MutualReceptions(int zodiac, int zodiacInHeading, Report& report, unsigned long* length,
                      const CIni& settings, const Chart1& birth, const Chart2& chart,
                      sys::Busy* busy = nullptr);

// The 38 Arabian and other parts (numbered 1..38) of a chart, tropical, in [0, 360); -1 for a part
// number out of range.
double arabianPart(int part, const CIni& settings, const Chart2& chart, int zodiac);

// The Arabian and other parts with their formulas and the major aspects they receive.
void ArabianParts(Report& report, unsigned long* length, const CIni& settings, const Chart1& birth,
                  const Chart2& chart, int zodiac, int ignored1 = 0, int ignored2 = 0,
                  sys::Busy* busy = nullptr);

}  // namespace talpora
