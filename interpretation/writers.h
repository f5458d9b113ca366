// zykmeans: the writers that compose an interpretation into a report: the separator, header, plan
// and section headers, one aspect with its commentary, one object in a house, the planets in the
// houses, one object in a sign and the planets in the signs. Texts come from the knowledge bank in
// the settings' program directory; bank files that cannot be opened are noted in `missing`.
#pragma once
#include "core/records.h"
#include "format/report_buffer.h"
#include "interpretation/aspect_list.h"
#include "interpretation/oradelle.h"

namespace talpora {

// Time and place are usable when the time is known and the place is not 0/0.
bool timeAndPlaceUsable(const Chart1& chart);

// A line of 61 "=".
void LineSeparator(Report& report, unsigned long* length);

void InterpretationHeader(Report& report, unsigned long* length, const CIni& settings, const Chart1& chart,
                          const Chart2& computed);
void InterpretationPlan(Report& report, unsigned long* length, const CIni& settings, const Chart1& chart,
                        const Chart2& computed, char withIntroduction, char forNonAstrologers);
// Titles by code: 5 introduction, 10 general points, 20 major aspects, 50 planets in houses, 900
// glossary, 901 meaning of the planets, 902 meaning of the houses. Another code writes nothing.
void InterpretationSectionHeader(int code, Report& report, unsigned long* length, const Chart1& chart,
                                 const Chart2& computed);

// The aspect between objectA and objectB with its commentary and texts. wanted: an aspect number (only
// that aspect), -1 (any aspect, each entry once), -99 (any aspect, even when already written). The
// entry interpreted is marked as written in the list. Result 1 when written, 0 otherwise.
int InterpretAspect(int objectA, int objectB, int wanted, AspectList& aspectList, Report& report,
                    unsigned long* length, int lineMode, const CIni& settings, const Chart1& chart,
                    const Chart2& computed, MissingBankFiles& missing);

// One object (0..12) in a house: the object's own house unless houseGiven (in `houseSystem` when it
// is non-zero, else the chart's). The South Node is written as the North Node in the opposite house.
void InterpretHouse(int object, int house, int houseGiven, int houseSystem, Report& report,
                    unsigned long* length, int lineMode, const CIni& settings, const Chart1& chart,
                    const Chart2& computed, const AspectList& aspectList, MissingBankFiles& missing);
// The planets-in-houses section (nothing for a chart without houses).
void InterpretHouses(Report& report, unsigned long* length, int lineMode, const CIni& settings,
                     const Chart1& chart, const Chart2& computed, const AspectList& aspectList, int ignored,
                     int houseSystem, MissingBankFiles& missing);

// One object (0..11) in a sign: its own sign unless signGiven (zodiac 0 tropical, 1 sidereal). The
// South Node is written as the North Node in the opposite sign.
void InterpretOnePlanetInSign(int object, int sign, char zodiac, int signGiven, Report& report,
                              unsigned long* length, int lineMode, const CIni& settings, const Chart1& chart,
                              const Chart2& computed, const AspectList& aspectList,
                              MissingBankFiles& missing);
// The Sun to the North Node in their signs.
void InterpretPlanetsInSign(char zodiac, Report& report, unsigned long* length, int lineMode,
                            const CIni& settings, const Chart1& chart, const Chart2& computed,
                            const AspectList& aspectList, MissingBankFiles& missing);

}  // namespace talpora
