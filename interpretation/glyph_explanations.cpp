// zykintdlg: the glyph explanations of the drawing program.
#include "interpretation/glyph_explanations.h"

#include <array>
#include <cmath>

#include "core/transfer.h"
#include "core/zodiac.h"
#include "draw/wheel_geometry.h"
#include "engine/houses.h"
#include "files/zykfile.h"
#include "format/text_format.h"
#include "interpretation/analysis.h"

namespace talpora {
namespace {

constexpr const char* kAspectWords[kAnalysisAspects] = {"conjunct",   "opposed",      "trine",
                                                        "square",     "sextile",      "inconjunct",
                                                        "biquintile", "sesquisquare", "quintile"};
constexpr const char* kAspectPlurals[kAnalysisAspects] = {"conjunctions", "oppositions",   "trines",
                                                          "squares",      "sextiles",      "inconjunctions",
                                                          "biquintiles",  "sesquisquares", "quintiles"};
constexpr const char* kMarked = "** ";
constexpr const char* kUnmarked = "    ";
constexpr const char* kTrailer = "For interpretation, double-click the lines starting with **";

bool isNode(int o) {
  return o == kNorthNode || o == kSouthNode;
}
bool isLuminary(int o) {
  return o == kSun || o == kMoon;
}

// The chart as the wheel of a normalised type shows it: the longitudes aspects are measured on (the
// heliocentric ones, or right ascensions, for those projections) and the aspect of every pair.
struct GlyphChart {
  ChPar type;
  bool heliocentric = false;
  std::array<double, kObjectCount> lon{};
  std::array<bool, kObjectCount> placed{};  // the object has a position in the projection
  std::array<std::array<int, kObjectCount>, kObjectCount> cell{};  // aspect 0..8, -1 none

  std::string name(int o) const { return PlanetName(o, 0, 0, 0, 0, heliocentric ? 1 : 0); }
  int zodiac() const { return type.ringKind[1] == ring::kSidereal ? 1 : 0; }
  bool signRing() const { return type.ringKind[1] == ring::kTropical || type.ringKind[1] == ring::kSidereal; }
};

GlyphChart glyphChart(const CIni& settings, const Chart1& chart, const Chart2& computed, const ChPar& type) {
  GlyphChart g;
  g.type = normaliseDrawingType(type, settings, chart, chart, computed, false);
  const int projection = g.type.projection;
  g.heliocentric = projection == projection::kHeliocentric;
  for (int i = 0; i < kObjectCount; ++i) {
    g.lon[static_cast<std::size_t>(i)] = computed.objects[i];
    // Seen from the Sun there are no nodes, Black Moon, Chiron, angles or Part of Fortune.
    g.placed[static_cast<std::size_t>(i)] =
        hasPosition(computed.objects[i]) && !(g.heliocentric && (isNode(i) || i >= kBlackMoon));
  }
  if (g.heliocentric) {
    for (int i = 0; i <= kSouthNode; ++i) g.lon[static_cast<std::size_t>(i)] = computed.extra[i];
  } else if (projection == projection::kRightAscension) {
    for (int i = 0; i <= kPluto; ++i) {
      if (!hasPosition(computed.objects[i])) continue;
      double ra = 0, decl = 0;
      lb_radel(computed.objects[i], computed.objectLat[i], computed.obliquity, ra, decl);
      g.lon[static_cast<std::size_t>(i)] = ra;
    }
  }
  float lum[20] = {}, oth[20] = {};
  ReadOrbs(settings, 2, lum, oth, 1);
  const bool noNodes = g.heliocentric || projection == projection::kRightAscension;
  for (int a = 0; a < kObjectCount; ++a) {
    for (int b = 0; b < kObjectCount; ++b) {
      int& c = g.cell[static_cast<std::size_t>(a)][static_cast<std::size_t>(b)];
      c = -1;
      const double la = g.lon[static_cast<std::size_t>(a)], lb = g.lon[static_cast<std::size_t>(b)];
      if (a == b || !g.placed[static_cast<std::size_t>(a)] || !g.placed[static_cast<std::size_t>(b)])
        continue;
      if (isNode(a) && isNode(b)) continue;
      if (noNodes && (isNode(a) || isNode(b))) continue;
      const double arc = ShortestDistance(la, lb);
      for (int k = 0; k < kAnalysisAspects; ++k) {
        const double orb = isLuminary(a) || isLuminary(b) ? lum[k] : oth[k];
        if (std::fabs(arc - analysisAspectAngle(k)) <= orb) {
          c = k;
          break;
        }
      }
    }
  }
  return g;
}

// The sign (1..12) of an object as the type's zodiac ring shows it; 0 without a position.
int signShown(const GlyphChart& g, int object, const CIni& settings, const Chart2& computed) {
  if (!g.placed[static_cast<std::size_t>(object)]) return 0;
  if (!g.heliocentric) return IsInSign(object + 1, g.zodiac(), settings, computed);
  double lon = g.lon[static_cast<std::size_t>(object)];
  if (g.zodiac() == 1) ConvertToSidereal(&lon, 1, settings, computed);
  return signOfLongitude(lon);
}

void add(std::vector<GlyphLine>& lines, std::string text, std::optional<GlyphAction> action = {}) {
  lines.push_back({std::move(text), action});
}
// A line marked "** " with its action, or the same text behind four blanks without one.
void addMarkable(std::vector<GlyphLine>& lines, bool marked, const std::string& text, GlyphAction action) {
  if (marked)
    add(lines, kMarked + text, action);
  else
    add(lines, kUnmarked + text);
}

void objectLines(std::vector<GlyphLine>& lines, int object, const GlyphChart& g, const CIni& settings,
                 const Chart1& chart, const Chart2& computed) {
  add(lines, kUnmarked + g.name(object));
  if (!g.placed[static_cast<std::size_t>(object)]) return;
  const ChPar& t = g.type;
  if (t.houseSystem != 0 && !isMandalaStyle(t.style)) {
    // The house in the system the wheel drew its cusps in.
    const int house = IsInHouseUsingThatHouseSystem(object, t.houseSystem, settings, chart, computed);
    if (house > 0)
      addMarkable(lines, object <= kBlackMoon,
                  g.name(object) + " is in the " + ProperFormat(house) + " house",
                  {2, object, t.houseSystem});
  }
  if (g.signRing()) {
    const int sign = signShown(g, object, settings, computed);
    if (sign > 0)
      addMarkable(lines, object <= kSouthNode && !g.heliocentric,
                  g.name(object) + " is in " + SignName(sign, 0, 0, 0, 0), {4, object, g.zodiac()});
  }
  for (int k = 0; k < kAnalysisAspects; ++k) {
    if (k >= 5 && t.aspectLine[k] == 0) continue;
    for (int i = 0; i < kObjectCount; ++i) {
      if (g.cell[static_cast<std::size_t>(object)][static_cast<std::size_t>(i)] != k) continue;
      if ((i == kBlackMoon && !t.showBlackMoon) || (i == kChiron && !t.showChiron) ||
          ((i == kAscendant || i == kMidheaven) && !t.houseSystem) ||
          (i == kPartOfFortune && !t.aspectFortune))
        continue;
      const bool minorOrUnread =
          k >= 5 || object == kChiron || object == kPartOfFortune || i == kChiron || i == kPartOfFortune;
      addMarkable(lines, !minorOrUnread, g.name(object) + " is " + kAspectWords[k] + " " + g.name(i),
                  {1, object, i});
    }
  }
}

void signLines(std::vector<GlyphLine>& lines, int sign, const GlyphChart& g, const CIni& settings,
               const Chart2& computed) {
  add(lines, "     " + SignName(sign, 0, 0, 0, 0));
  if (!g.signRing()) return;
  for (int o = 0; o < kObjectCount; ++o) {
    if (o >= kAscendant && g.type.houseSystem == 0) continue;
    if (signShown(g, o, settings, computed) != sign) continue;
    addMarkable(lines, o <= kSouthNode && !g.heliocentric, g.name(o) + " is in " + SignName(sign, 0, 0, 0, 0),
                {4, o, g.zodiac()});
  }
}

void aspectLines(std::vector<GlyphLine>& lines, int aspect, const GlyphChart& g) {
  add(lines, std::string("You have clicked on the pictogram for ") + kAspectPlurals[aspect] + ".");
  add(lines, kUnmarked);
  const ChPar& t = g.type;
  auto shown = [&](int o) {
    if (o == kBlackMoon) return t.showBlackMoon != 0;
    if (o == kChiron) return t.showChiron != 0;
    if (o == kAscendant || o == kMidheaven) return t.houseSystem != 0;
    if (o == kPartOfFortune) return t.showFortune != 0;
    return true;
  };
  bool any = false;
  for (int a = 0; a < kObjectCount; ++a) {
    for (int b = a + 1; b < kObjectCount; ++b) {
      if (g.cell[static_cast<std::size_t>(a)][static_cast<std::size_t>(b)] != aspect || !shown(a) ||
          !shown(b))
        continue;
      any = true;
      const bool unread =
          aspect >= 5 || a == kChiron || b == kChiron || a == kPartOfFortune || b == kPartOfFortune;
      addMarkable(lines, !unread, g.name(a) + " is " + kAspectWords[aspect] + " " + g.name(b), {1, a, b});
    }
  }
  if (!any) add(lines, "this aspect is not found.");
}

}  // namespace

std::vector<GlyphLine> glyphExplanation(int item, const CIni& settings, const Chart1& chart,
                                        const Chart2& computed, const ChPar& type) {
  std::vector<GlyphLine> lines;
  if (item < 0 || item > kGlyphEarth) return lines;
  const GlyphChart g = glyphChart(settings, chart, computed, type);
  if (item < kGlyphFirstSign)
    objectLines(lines, item, g, settings, chart, computed);
  else if (item < kGlyphFirstAspect)
    signLines(lines, (item - kGlyphFirstSign) % 12 + 1, g, settings, computed);
  else if (item < kGlyphEarth)
    aspectLines(lines, item - kGlyphFirstAspect, g);
  else
    add(lines, std::string(kUnmarked) + "You have clicked on the symbol for the Earth");
  for (const GlyphLine& l : lines) {
    if (!l.action) continue;
    add(lines, kTrailer);
    break;
  }
  return lines;
}

std::string interpreterTail(long handle, const GlyphAction& a) {
  return std::to_string(handle) + ", " + std::to_string(a.mode) + ", " + std::to_string(a.key1) + ", " +
         std::to_string(a.key2);
}

int Interpreter(int item, const CIni& settings, const Chart1& chart, const Chart2& computed,
                const ChPar& type, int key, sys::ProcessLauncher& launcher, ui::Interaction& ui) {
  if (key < 1) return 0;
  const std::vector<GlyphLine> lines = glyphExplanation(item, settings, chart, computed, type);
  if (key >= static_cast<int>(lines.size()) || !lines[static_cast<std::size_t>(key)].action) return 0;
  const GlyphAction action = *lines[static_cast<std::size_t>(key)].action;
  TransferBlock block;
  std::string error;
  if (!FillUpTalporaTransferBlock(block, settings, chart, computed, chart, computed, &error)) {
    ui.message({"The chart could not be handed to the interpreter: " + error,
                "File Error",
                ui::Buttons::Ok,
                ui::Icon::Stop,
                {}});
    return 0;
  }
  if (!launcher.start(sys::Program::Interp, interpreterTail(block.chartA, action))) {
    ui.message(
        {"The interpreter program (zykinterp) could not be started: it is not installed beside this "
         "program.",
         "Message from Talpora",
         ui::Buttons::Ok,
         ui::Icon::Information,
         {}});
    return 0;
  }
  return 1;
}

}  // namespace talpora
