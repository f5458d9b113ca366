// zykmeans: the writers of an interpretation (header, plan, sections, aspects, houses, signs).
#include "interpretation/writers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <string>

#include "core/zodiac.h"
#include "engine/houses.h"
#include "format/text_format.h"
#include "interpretation/analysis.h"
#include "interpretation/bank_format.h"

namespace talpora {
namespace {

std::string name(int object) {
  return PlanetName(object, 0, 0, 0, 0, 0);
}
std::string orbText(double degrees) {
  return edb_dm(degrees, -1);
}

void line(Report& report, unsigned long* length, const std::string& text) {
  AddLine(report, length, text, 1, 0);
}
void emptyLine(Report& report, unsigned long* length) {
  AddLine(report, length, "", 0, 0);
}

// A sentence: a line (folded by the report) in line mode, a paragraph otherwise.
void sentence(Report& report, unsigned long* length, int lineMode, const std::string& text) {
  if (lineMode)
    AddLine(report, length, text, 1, 0);
  else
    AddParagraph(report, length, text);
}

const char* const kSigns[12] = {"Aries", "Taurus",  "Gemini",      "Cancer",    "Leo",      "Virgo",
                                "Libra", "Scorpio", "Sagittarius", "Capricorn", "Aquarius", "Pisces"};

int opposite(int houseOrSign) {
  return houseOrSign > 6 ? houseOrSign - 6 : houseOrSign + 6;
}

int findEntry(const AspectList& list, int a, int b) {
  for (std::size_t i = 0; i < list.size(); ++i)
    if ((list[i].first == a && list[i].second == b) || (list[i].first == b && list[i].second == a))
      return static_cast<int>(i);
  return -1;
}

std::string headingOf(const AspectEntry& e, const std::string& orb) {
  return AspectName(e.aspect, 0, 1) + " " + name(e.first) + "-" + name(e.second) + ", orb = " + orb;
}

}  // namespace

bool timeAndPlaceUsable(const Chart1& chart) {
  return chart.timeKnown != 0 && (chart.longitude != 0 || chart.latitude != 0);
}

void LineSeparator(Report& report, unsigned long* length) {
  line(report, length, std::string(61, '='));
}

void InterpretationHeader(Report& report, unsigned long* length, const CIni& settings, const Chart1& chart,
                          const Chart2& computed) {
  const bool usable = timeAndPlaceUsable(chart);
  LineSeparator(report, length);
  line(report, length, "Talpora Professional Chart Interpretation for " + nameOf(chart));
  LineSeparator(report, length);
  emptyLine(report, length);
  const std::string when =
      Smart_datetime(computed.julianDay + chart.timeZone / 24.0, 1, 2, 1, usable ? 1 : 0, 0, settings);
  line(report, length, "Born " + when + " in " + placeOf(chart));
  // The ruler of the hour exists only where the hour could be found (0..6; no sunrise gives none).
  if (usable && computed.planetaryHour >= kSun && computed.planetaryHour <= kSaturn)
    line(report, length, "(Hour of " + name(computed.planetaryHour) + ")");
}

void InterpretationPlan(Report& report, unsigned long* length, const CIni& settings, const Chart1& chart,
                        const Chart2& computed, char withIntroduction, char forNonAstrologers) {
  const bool houses = AreThereHouses(chart) != 0;
  const std::string indent(24, ' ');
  emptyLine(report, length);
  line(report, length, "In this interpretation, we will follow the following plan:");
  if (withIntroduction) line(report, length, indent + "- introduction");
  line(report, length, indent + "- general points");
  line(report, length, indent + "- major aspects");
  if (houses) line(report, length, indent + "- planets in houses");
  if (forNonAstrologers) {
    line(report, length, "Then, some help material for non-astrologers:");
    line(report, length, indent + "- the meaning of the planets");
    if (houses) line(report, length, indent + "- the meaning of the houses");
    line(report, length, indent + "- glossary of astrological terms");
  }
  if (timeAndPlaceUsable(chart)) {
    line(report, length, "The house system used is " + HouseSystemName(settings.houseSystem));
    // Near the poles some systems have no cusps: the houses are then Porphyry's, and the reader is told.
    double cusps[12];
    if (Houses(computed.obliquity, chart.latitude, computed.siderealTime, settings.houseSystem, cusps,
               computed.objects[kSun]) == HouseStatus::PorphyryFallback)
      line(report, length, "(it cannot be computed at this latitude: the cusps are Porphyre's)");
  } else {
    line(report, length,
         chart.timeKnown == 0 ? "Note: the chart data was entered with 'unknown time'."
                              : "Note: the chart was entered with longitude=0 and latitude=0, which Talpora "
                                "interprets as you not knowing the time of birth.");
    line(report, length,
         "Therefore, in this interpretation, no mention will be made of the Ascendant, the Midheaven, or the "
         "houses.");
    line(report, length,
         "Also keep in mind that the Moon moves fast, and so her aspects as caculated with this tentative "
         "time may "
         "well be incorrect. Therefore do not take too seriously the parts of the interpretation dealing "
         "with the "
         "Moon.");
  }
  emptyLine(report, length);
}

void InterpretationSectionHeader(int code, Report& report, unsigned long* length, const Chart1&,
                                 const Chart2&) {
  const char* title = nullptr;
  switch (code) {
    case 5:
      title = "INTRODUCTION";
      break;
    case 10:
      title = "GENERAL POINTS";
      break;
    case 20:
      title = "MAJOR ASPECTS";
      break;
    case 50:
      title = "PLANETS IN HOUSES";
      break;
    case 900:
      title = "GLOSSARY OF ASTROLOGICAL TERMS";
      break;
    case 901:
      title = "THE MEANING OF THE PLANETS";
      break;
    case 902:
      title = "THE MEANING OF THE HOUSES";
      break;
    default:
      return;
  }
  emptyLine(report, length);
  LineSeparator(report, length);
  line(report, length, std::string(20, ' ') + title);
  LineSeparator(report, length);
  emptyLine(report, length);
}

int InterpretAspect(int objectA, int objectB, int wanted, AspectList& aspectList, Report& report,
                    unsigned long* length, int lineMode, const CIni& settings, const Chart1& chart,
                    const Chart2& computed, MissingBankFiles& missing) {
  int index = findEntry(aspectList, objectA, objectB);
  if (index < 0) return 0;
  AspectEntry entry = aspectList[static_cast<std::size_t>(index)];
  // The South Node is read as the North Node: its own entry with the other object when there is one,
  // else the South Node's trine or sextile turned into the North Node's sextile or trine.
  if (entry.first == kSouthNode || entry.second == kSouthNode) {
    const int other = entry.first == kSouthNode ? entry.second : entry.first;
    const int north = findEntry(aspectList, kNorthNode, other);
    if (north >= 0) {
      index = north;
      entry = aspectList[static_cast<std::size_t>(north)];
    } else {
      if (entry.aspect == 2)
        entry.aspect = 4;
      else if (entry.aspect == 4)
        entry.aspect = 2;
      else
        return 0;
      entry.first = static_cast<std::int8_t>(other);
      entry.second = kNorthNode;
    }
  }
  const int a = entry.first, b = entry.second;
  if (!(wanted < 0 || wanted == entry.aspect)) return 0;
  if (a == kChiron || b == kChiron || a == kPartOfFortune || b == kPartOfFortune) return 0;
  if (entry.written && wanted != -99) return 0;

  const std::string orb = orbText(entry.orb);
  line(report, length, headingOf(entry, orb));
  if (a == kNorthNode || b == kNorthNode) {
    const int south = findEntry(aspectList, kSouthNode, a == kNorthNode ? b : a);
    if (south >= 0) {
      line(report, length, headingOf(aspectList[static_cast<std::size_t>(south)], orb));
      aspectList[static_cast<std::size_t>(south)].written = 1;
    }
  }

  const int cls = entry.tightness;
  const bool commentary =
      !(a == kSaturn && b == kPluto) && !(a > kSaturn && b > kSaturn) && cls >= 0 && cls <= 3;
  if (commentary) {
    static const char* const kLeadIn[4] = {"Watch out! As the orb is ", "Because its orb is ",
                                           "With an orb of ", "Having orb of "};
    static const char* const kWords[4] = {"extremely tight", "very tight", "significantly tight", "tight"};
    sentence(report, length, lineMode,
             std::string(kLeadIn[cls]) + (cls <= 2 ? "only " : "") + orb + ", this aspect is " + kWords[cls] +
                 ". ");

    Report scratch;
    const bool strongA =
        PlanetaryStrength(a, settings, chart, computed, aspectList, 0, scratch, nullptr) > 150;
    const bool strongB =
        PlanetaryStrength(b, settings, chart, computed, aspectList, 0, scratch, nullptr) > 150;
    if (strongA || strongB) {
      std::string who = strongA && strongB ? name(a) + " and " + name(b) : name(strongA ? a : b);
      line(report, length,
           "Moreover, " + who + (strongA && strongB ? " are both" : " is") + " strong in this chart.");
    }

    // Latitudes: the planets' own (the Black Moon and Chiron have none to compare, nor the angles), not
    // for the Moon with a Node.
    const bool latitudes = a != kBlackMoon && b != kBlackMoon && a != kChiron && b != kChiron &&
                           a < kAscendant && b < kAscendant &&
                           !(a == kMoon && (b == kNorthNode || b == kSouthNode));
    if (latitudes) {
      const double la = computed.objectLat[a], lb = computed.objectLat[b];
      if (entry.aspect == 0 && std::fabs(la - lb) < 1.333) {
        sentence(
            report, length, lineMode,
            "Also notice that the planetary latitude of " + name(a) + " (" + orbText(la) +
                ") is very close to that of " + name(b) + " (" + orbText(lb) +
                "). This means that the two planets are not only conjunct in longitude but also in latitude");
      } else if (entry.aspect == 1 && la * lb < 0 && std::fabs(std::fabs(la) - std::fabs(lb)) < 1.333) {
        sentence(
            report, length, lineMode,
            "Also notice that the planetary latitude of " + name(a) + " (" + orbText(la) +
                ") is opposed to that of " + name(b) + " (" + orbText(lb) +
                "). This means that the two planets are not only opposed in longitude but also in latitude");
      }
    }
    static const char* const kClosing[4] = {
        "This makes this aspect super-powerful - one of the most powerful of all aspects in the chart.",
        "This aspect is therefore very powerful.",
        "This aspect therefore plays a significant role in the chart.",
        "This reinforces the significance of this aspect in the chart."};
    sentence(report, length, lineMode, kClosing[cls]);
  }

  ReadOradelleFiles(report, length, lineMode, bank::kAspects, a, b, entry.aspect, 5, settings, chart,
                    computed, aspectList, missing);
  emptyLine(report, length);
  emptyLine(report, length);
  aspectList[static_cast<std::size_t>(index)].written = 1;
  return 1;
}

void InterpretHouse(int object, int house, int houseGiven, int houseSystem, Report& report,
                    unsigned long* length, int lineMode, const CIni& settings, const Chart1& chart,
                    const Chart2& computed, const AspectList& aspectList, MissingBankFiles& missing) {
  if (object < 0 || object > kBlackMoon) return;  // the bank has house texts for the Sun to the Black Moon
  if (!houseGiven)
    house = houseSystem ? IsInHouseUsingThatHouseSystem(object, houseSystem, settings, chart, computed)
                        : IsInHouse(object, settings, chart, computed);
  if (house < 1 || house > 12) return;
  if (object == kSouthNode) {
    object = kNorthNode;
    house = opposite(house);
  }
  std::string heading = name(object) + " in the " + ProperFormat(house) + " house";
  if (object == kNorthNode) heading += " and South Node in the " + ProperFormat(opposite(house)) + " house";
  line(report, length, heading + ":");
  ReadOradelleFiles(report, length, lineMode, bank::kHouses, object, opposite(house), house, 5, settings,
                    chart, computed, aspectList, missing);
}

void InterpretHouses(Report& report, unsigned long* length, int lineMode, const CIni& settings,
                     const Chart1& chart, const Chart2& computed, const AspectList& aspectList, int,
                     int houseSystem, MissingBankFiles& missing) {
  if (!AreThereHouses(chart)) return;
  InterpretationSectionHeader(50, report, length, chart, computed);
  std::array<int, 13> houseOf{};
  std::array<int, 13> count{};
  for (int o = 0; o <= kBlackMoon; ++o) {
    houseOf[static_cast<std::size_t>(o)] =
        houseSystem ? IsInHouseUsingThatHouseSystem(o, houseSystem, settings, chart, computed)
                    : IsInHouse(o, settings, chart, computed);
    if (houseOf[static_cast<std::size_t>(o)] >= 1 && houseOf[static_cast<std::size_t>(o)] <= 12)
      ++count[static_cast<std::size_t>(houseOf[static_cast<std::size_t>(o)])];
  }
  std::array<int, 12> order{};
  for (int h = 0; h < 12; ++h) order[static_cast<std::size_t>(h)] = h + 1;
  std::stable_sort(order.begin(), order.end(), [&](int x, int y) {
    return count[static_cast<std::size_t>(x)] > count[static_cast<std::size_t>(y)];
  });
  for (int h : order) {
    if (count[static_cast<std::size_t>(h)] == 0) continue;
    if (count[static_cast<std::size_t>(h)] > 1) {
      std::string names;
      for (int o = 0; o <= kBlackMoon; ++o)
        if (houseOf[static_cast<std::size_t>(o)] == h) names += (names.empty() ? "" : ", ") + name(o);
      line(report, length, ProperFormat(h) + " house: " + names + ".");
      emptyLine(report, length);
    }
    for (int o = 0; o <= kBlackMoon; ++o) {
      if (houseOf[static_cast<std::size_t>(o)] != h || o == kSouthNode) continue;
      InterpretHouse(o, h, 1, houseSystem, report, length, lineMode, settings, chart, computed, aspectList,
                     missing);
      emptyLine(report, length);
    }
  }
}

void InterpretOnePlanetInSign(int object, int sign, char zodiac, int signGiven, Report& report,
                              unsigned long* length, int lineMode, const CIni& settings, const Chart1& chart,
                              const Chart2& computed, const AspectList& aspectList,
                              MissingBankFiles& missing) {
  if (object < 0 || object > kSouthNode) return;  // the bank has sign texts for the Sun to the North Node
  if (!signGiven) sign = IsInSign(object + 1, zodiac, settings, computed);
  if (sign < 1 || sign > 12) return;
  if (object == kSouthNode) {
    object = kNorthNode;
    sign = opposite(sign);
  }
  std::string heading = name(object) + " in " + kSigns[sign - 1];
  if (object == kNorthNode) heading += std::string(" and South Node in ") + kSigns[opposite(sign) - 1];
  line(report, length, heading + ":");
  ReadOradelleFiles(report, length, lineMode, bank::kSigns, object, opposite(sign), sign, 5, settings, chart,
                    computed, aspectList, missing);
}

void InterpretPlanetsInSign(char zodiac, Report& report, unsigned long* length, int lineMode,
                            const CIni& settings, const Chart1& chart, const Chart2& computed,
                            const AspectList& aspectList, MissingBankFiles& missing) {
  for (int o = 0; o <= kNorthNode; ++o) {
    InterpretOnePlanetInSign(o, 0, zodiac, 0, report, length, lineMode, settings, chart, computed, aspectList,
                             missing);
    emptyLine(report, length);
  }
}

}  // namespace talpora
