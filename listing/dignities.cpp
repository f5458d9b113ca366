// zyktabs: dignities, mutual receptions and the Arabian parts.
#include "listing/dignities.h"

#include <cmath>

#include "core/zodiac.h"
#include "engine/houses.h"
#include "format/text_format.h"

namespace talpora {
namespace {

// Signs of dignity, detriment, exaltation and fall of the Sun to Pluto (0: none).
struct PlanetStates {
  int dignity[2], detriment[2], exaltation, fall;
};
constexpr PlanetStates kStates[10] = {
    {{5, 0}, {11, 0}, 1, 7},   // Sun
    {{4, 0}, {10, 0}, 2, 8},   // Moon
    {{3, 6}, {9, 12}, 11, 5},  // Mercury
    {{2, 7}, {1, 8}, 12, 6},   // Venus
    {{1, 8}, {2, 7}, 10, 4},   // Mars
    {{9, 12}, {3, 6}, 4, 10},  // Jupiter
    {{10, 11}, {4, 5}, 7, 1},  // Saturn
    {{11, 0}, {5, 0}, 8, 2},   // Uranus
    {{12, 0}, {6, 0}, 4, 10},  // Neptune
    {{1, 8}, {2, 7}, 0, 0},    // Pluto
};

void line(Report& r, unsigned long* length, const std::string& text) {
  AddLine(r, length, text, 1, 0);
}
void blank(Report& r, unsigned long* length) {
  AddLine(r, length, "", 0, 0);
}

std::string zodiacSuffix(int zodiac, const CIni& settings) {
  if (zodiac == 1) return " (Sidereal Zodiac, using " + AyanamsaName(settings, 0) + ")";
  if (zodiac == 0) return " (Tropical Zodiac)";
  return "";
}

std::string fullName(int object) {
  return PlanetName(object, 0, 0, 0, 0, 0);
}
std::string signName(int sign) {
  return SignName(sign, 0, 0, 0, 0);
}

bool rules(int planet, int sign) {
  int ruler = -1, coRuler = -1;
  Ruler2OfSign(sign, ruler, coRuler);
  return planet == ruler || planet == coRuler;
}

// The terms of the parts' formulas.
enum class Term {
  Ascendant,
  Sun,
  Moon,
  Mercury,
  Venus,
  Mars,
  Jupiter,
  Saturn,
  Uranus,
  Neptune,
  Fortune,
  RulerOf12th,
  RulerOfAscendant,
  Cusp7,
  Cusp9,
  RulerOf9th,
  Cancer15
};

struct Part {
  const char* name;
  Term base, added, subtracted;
};

constexpr Part kParts[38] = {
    {"Part of Fortune", Term::Ascendant, Term::Moon, Term::Sun},
    {"Part of knowledge, religion and 'Daemons' (Spirit Guides)", Term::Ascendant, Term::Sun, Term::Moon},
    {"Part of wisdom", Term::Ascendant, Term::Sun, Term::Saturn},
    {"Part of prison", Term::Ascendant, Term::Sun, Term::RulerOf12th},
    {"Part of the mother", Term::Ascendant, Term::Moon, Term::Venus},
    {"Part of trade, slaves and servants", Term::Ascendant, Term::Moon, Term::Mercury},
    {"Part of the King", Term::Ascendant, Term::Moon, Term::Mars},
    {"Part of possession, property, real estate", Term::Ascendant, Term::Moon, Term::Saturn},
    {"Part of killing", Term::Ascendant, Term::Moon, Term::RulerOfAscendant},
    {"Part of relatives, timidity, religion", Term::Ascendant, Term::Mercury, Term::Moon},
    {"Part of borrowed money and danger", Term::Ascendant, Term::Mercury, Term::Saturn},
    {"Part of love affairs and adultery", Term::Ascendant, Term::Venus, Term::Sun},
    {"Part of daughters and females", Term::Ascendant, Term::Venus, Term::Moon},
    {"Part of treasure troves and collections", Term::Ascendant, Term::Venus, Term::Mercury},
    {"Part of devotion", Term::Ascendant, Term::Venus, Term::Mars},
    {"Part of marriage of men", Term::Ascendant, Term::Venus, Term::Saturn},
    {"Part of ability", Term::Ascendant, Term::Mars, Term::RulerOfAscendant},
    {"Part of marriage of women", Term::Ascendant, Term::Mars, Term::Sun},
    {"Part of action, reasoning, imagination, speech", Term::Ascendant, Term::Mars, Term::Mercury},
    {"Part of accidents, deseases, defects", Term::Ascendant, Term::Mars, Term::Saturn},
    {"Part of fame", Term::Ascendant, Term::Jupiter, Term::Fortune},
    {"Part of brothers", Term::Ascendant, Term::Jupiter, Term::Saturn},
    {"Part of children", Term::Ascendant, Term::Jupiter, Term::Moon},
    {"Part of strife", Term::Ascendant, Term::Jupiter, Term::Mars},
    {"Part of friends and success", Term::Ascendant, Term::Jupiter, Term::Fortune},
    {"Part of life", Term::Ascendant, Term::Saturn, Term::Jupiter},
    {"Part of disease", Term::Ascendant, Term::Ascendant, Term::Moon},
    {"Part of marriage", Term::Ascendant, Term::Cusp7, Term::Venus},
    {"Long journeys", Term::Ascendant, Term::Cusp9, Term::RulerOf9th},
    {"Part of voyage by water", Term::Ascendant, Term::Cancer15, Term::Saturn},
    {"Part of sudden advancement", Term::Ascendant, Term::Fortune, Term::Saturn},
    {"Part of science", Term::Mercury, Term::Jupiter, Term::Saturn},
    {"Part of chronic disease", Term::Mercury, Term::Mars, Term::Saturn},
    {"Part of the father", Term::Ascendant, Term::Sun, Term::Saturn},
    {"Part of Imprisonment", Term::Ascendant, Term::Sun, Term::Neptune},
    {"Part of friends", Term::Ascendant, Term::Moon, Term::Uranus},
    {"Part of commerce", Term::Ascendant, Term::Mercury, Term::Sun},
    {"Part of increase", Term::Ascendant, Term::Jupiter, Term::Sun},
};
constexpr int kTraditionalParts = 33;  // parts 1..33 come from the tradition, 34..38 are modern

const char* termName(Term t) {
  switch (t) {
    case Term::Ascendant:
      return "Ascendant";
    case Term::Sun:
      return "Sun";
    case Term::Moon:
      return "Moon";
    case Term::Mercury:
      return "Mercury";
    case Term::Venus:
      return "Venus";
    case Term::Mars:
      return "Mars";
    case Term::Jupiter:
      return "Jupiter";
    case Term::Saturn:
      return "Saturn";
    case Term::Uranus:
      return "Uranus";
    case Term::Neptune:
      return "Neptune";
    case Term::Fortune:
      return "Part of Fortune";
    case Term::RulerOf12th:
      return "Ruler of the 12th house";
    case Term::RulerOfAscendant:
      return "Ruler of the Ascendant";
    case Term::Cusp7:
      return "Cusp of 7th house";
    case Term::Cusp9:
      return "Cusp of 9th house";
    case Term::RulerOf9th:
      return "Ruler of 9th house";
    case Term::Cancer15:
      return "15 Cancer";
  }
  return "";
}

// The tropical longitude of a term; the house rulers are those of the zodiac's signs on the cusps
// (traditional rulers).
double termValue(Term t, const CIni& settings, const Chart2& chart, int zodiac) {
  auto ruler = [&](int house) { return chart.objects[RulerOfHouse(house, zodiac, 1, settings, chart)]; };
  switch (t) {
    case Term::Ascendant:
      return chart.objects[kAscendant];
    case Term::Sun:
      return chart.objects[kSun];
    case Term::Moon:
      return chart.objects[kMoon];
    case Term::Mercury:
      return chart.objects[kMercury];
    case Term::Venus:
      return chart.objects[kVenus];
    case Term::Mars:
      return chart.objects[kMars];
    case Term::Jupiter:
      return chart.objects[kJupiter];
    case Term::Saturn:
      return chart.objects[kSaturn];
    case Term::Uranus:
      return chart.objects[kUranus];
    case Term::Neptune:
      return chart.objects[kNeptune];
    case Term::Fortune:
      return chart.objects[kPartOfFortune];
    case Term::RulerOf12th:
      return ruler(12);
    case Term::RulerOfAscendant:
      return ruler(1);
    case Term::Cusp7:
      return chart.cusps[6];
    case Term::Cusp9:
      return chart.cusps[8];
    case Term::RulerOf9th:
      return ruler(9);
    case Term::Cancer15:
      return 105.0;
  }
  return 0;
}

}  // namespace

int dignityIn(int planet, int n) {
  if (planet < 0 || planet > 9 || n < 1 || n > 12) return kNoDignity;
  const PlanetStates& s = kStates[planet];
  if (s.dignity[0] == n || s.dignity[1] == n) return kDignity;
  if (s.detriment[0] == n || s.detriment[1] == n) return kDetriment;
  if (s.exaltation == n) return kExaltation;
  if (s.fall == n) return kFall;
  return kNoDignity;
}

int Dignities(int planet, int zodiac, int byHouse, const CIni& settings, const Chart1& birth,
              const Chart2& chart) {
  if (planet < 0 || planet > 9) return kNoDignity;
  const int n =
      byHouse ? IsInHouse(planet, settings, birth, chart) : IsInSign(planet + 1, zodiac, settings, chart);
  return dignityIn(planet, n);
}

void PrintDignities(int zodiac, int zodiacInHeading, Report& report, unsigned long* length,
                    const CIni& settings, const Chart1& birth, const Chart2& chart, sys::Busy* busy) {
  sys::BusyScope wait(busy);
  static constexpr const char* kBySign[5] = {"", " in dignity in ", " in detriment in ", " in exaltation in ",
                                             " in fall in "};
  static constexpr const char* kByHouse[5] = {
      "", " in accidental dignity in the ", " in accidental detriment in the ",
      " in accidental exaltation in the ", " in accidental fall in the "};
  line(report, length,
       "Dignities" + (zodiacInHeading ? zodiacSuffix(zodiac, settings) : std::string()) + ":");
  const bool houses = AreThereHouses(birth) != 0;
  bool any = false;
  for (int p = 0; p <= kPluto; ++p) {
    const int code = Dignities(p, zodiac, 0, settings, birth, chart);
    if (code != kNoDignity) {
      line(report, length,
           " " + fullName(p) + kBySign[code] + signName(IsInSign(p + 1, zodiac, settings, chart)));
      any = true;
    }
    if (!houses) continue;
    const int houseCode = Dignities(p, zodiac, 1, settings, birth, chart);
    if (houseCode != kNoDignity) {
      line(report, length,
           " " + fullName(p) + kByHouse[houseCode] + ProperFormat(IsInHouse(p, settings, birth, chart)) +
               " house");
      any = true;
    }
  }
  if (!any)
    line(report, length, "No planet in this chart is either in dignity, detriment, exaltation or fall.");
}

void MutualReceptions(int zodiac, int zodiacInHeading, Report& report, unsigned long* length,
                      const CIni& settings, const Chart1&, const Chart2& chart, sys::Busy* busy) {
  sys::BusyScope wait(busy);
  line(report, length,
       "Mutual receptions" + (zodiacInHeading ? zodiacSuffix(zodiac, settings) : std::string()) + ":");
  int sign[10];
  for (int p = 0; p <= kPluto; ++p) sign[p] = IsInSign(p + 1, zodiac, settings, chart);
  bool any = false;
  for (int p = 0; p <= kPluto; ++p) {
    for (int q = p + 1; q <= kPluto; ++q) {
      if (sign[p] == 0 || sign[q] == 0) continue;
      if (!rules(p, sign[q]) || !rules(q, sign[p])) continue;
      line(report, length,
           fullName(p) + " in " + signName(sign[p]) + " (ruled by " + fullName(q) + ") - " + fullName(q) +
               " in " + signName(sign[q]) + " (ruled by " + fullName(p) + ")");
      any = true;
    }
  }
  if (!any) line(report, length, " None");
}

double arabianPart(int part, const CIni& settings, const Chart2& chart, int zodiac) {
  if (part < 1 || part > 38) return kNoPosition;
  const Part& p = kParts[part - 1];
  const double value = termValue(p.base, settings, chart, zodiac) +
                       termValue(p.added, settings, chart, zodiac) -
                       termValue(p.subtracted, settings, chart, zodiac);
  return c_c360(value);
}

void ArabianParts(Report& report, unsigned long* length, const CIni& settings, const Chart1& birth,
                  const Chart2& chart, int zodiac, int, int, sys::Busy* busy) {
  sys::BusyScope wait(busy);
  line(report, length, "Arabian and Other Parts:");
  blank(report, length);
  if (zodiac == 1)
    line(report, length, "   Based on Sidereal Zodiac, " + AyanamsaName(settings, 0));
  else
    line(report, length, "   Based on Tropical Zodiac");
  blank(report, length);
  blank(report, length);
  if (!AreThereHouses(birth)) {
    line(report, length, "Nearly all Arabian parts use the ascendant, and are therefore");
    line(report, length, "meaningless in a chart without houses.");
    return;
  }
  for (int n = 1; n <= 38; ++n) {
    if (n == 1) {
      line(report, length, "1) Parts issued from the astrological tradition:");
      blank(report, length);
    } else if (n == kTraditionalParts + 1) {
      line(report, length, "2) Parts introduced by modern astrologers:");
      blank(report, length);
    }
    const Part& p = kParts[n - 1];
    const double value = arabianPart(n, settings, chart, zodiac);
    double shown = value;
    if (zodiac == 1) ConvertToSidereal(&shown, 1, settings, chart);
    line(report, length, p.name);
    line(report, length,
         std::string("Value = ") + termName(p.base) + " + " + termName(p.added) + " - " +
             termName(p.subtracted) + " = " + edl_sdm(shown));
    for (int object = 0; object < kObjectCount; ++object) {
      int code = 0;
      double orb = 0;
      if (!IsObjectAspectedToPl(value, object, settings, birth, chart, true, false, false, code, orb))
        continue;
      // The Part of Fortune does not aspect itself.
      if (object == kPartOfFortune && code == 0 &&
          ShortestDistance(value, chart.objects[kPartOfFortune]) < 1e-9)
        continue;
      line(report, length,
           "       -" + AspectedName(code, 0, 0) + " " + fullName(object) + " (orb =" + edb_dm(orb, 0) + ")");
    }
    blank(report, length);
  }
}

}  // namespace talpora
