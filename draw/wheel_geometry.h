// zykwheel: the wheel before any painting. The drawing type is normalised for the chart at hand, the
// ring radii and glyph sizes follow from the size of the drawing area, and every body's glyph is given
// its place so that no two glyphs overlap. All of it is pure: the painter only walks the plan.
//
// Angles are ecliptic degrees of date; a longitude λ is drawn at the screen angle λ + rotation,
// a point at radius ρ at x = cx + cos(angle) ρ xMirror, y = cy + sin(angle) ρ yFactor, so that with
// xMirror -1 the reference (the Ascendant, or 0° Aries) lies at the left and the signs follow
// counter-clockwise as seen.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/records.h"
#include "draw/drawing_type.h"
#include "engine/houses.h"
#include "platform/gfx.h"

namespace talpora {

// Device codes: 1..999 screen (y down), 1000..9999 printer (tenths of a millimetre, y up), 10000 and
// above a screen-like device.
inline constexpr int kScreenDevice = 1;
inline constexpr int kPrinterDevice = 1000;
constexpr bool isPrinterDevice(int device) {
  return device >= 1000 && device <= 9999;
}
constexpr int yFactorOf(int device) {
  return isPrinterDevice(device) ? -1 : 1;
}

namespace style {
inline constexpr int kFrench = 1, kOuterChart = 8, kStandard1 = 11, kBigPlanets = 17, kStandard2 = 21;
inline constexpr int kStandard3 = 26, kSolarSystem = 30, kSevenSpheres = 31, kMandala1 = 32, kMandala2 = 33;
inline constexpr int kMandalaHeptWeek = 27767, kMandalaHeptHour = 27768;
inline constexpr int kHeptagramWeek = 27777, kHeptagramHour = 27778, kHeptagramDouble = 27779;
}  // namespace style
constexpr bool isHeptagramStyle(int s) {
  return s >= 27000 && s <= 27999;
}
constexpr bool isMandalaStyle(int s) {
  return s == style::kMandala1 || s == style::kMandala2;
}

namespace ring {
inline constexpr int kNone = 0, kTropical = 1, kSidereal = 2, kConstellations = 3, kTropicalDecanates = 4;
inline constexpr int kSiderealDecanates = 5, kNakshatras = 6, kTithis = 7, kSolilunar = 8;
}  // namespace ring
// Ring kinds measured in the sidereal zodiac.
constexpr bool isSiderealRing(int kind) {
  return kind == ring::kSidereal || kind == ring::kConstellations || kind == ring::kSiderealDecanates ||
         kind == ring::kNakshatras;
}

namespace projection {
inline constexpr int kNone = 0, kSouthView = 1, kHeliocentric = 2, kRightAscension = 3;
}

// The 17 values shared by the ring and planet painters, in device units.
struct WheelGeometry {
  std::int16_t cx = 0, cy = 0;
  std::int16_t signGlyphSize = 0, planetGlyphSize = 0;
  std::int16_t outerRadius = 0, ringWidth = 0;
  std::int16_t xMirror = -1;
  std::int16_t tickOuter = 0, tickInner = 0;  // tickInner: the end at the true position
  std::int16_t planetRadius = 0;
  std::int16_t cuspInner = 0, cuspOuter = 0;
  std::int16_t labelRadius = 0, innerRadius = 0;
  std::int16_t markA = 0, markB = 0, markC = 0;
};
static_assert(sizeof(WheelGeometry) == 34);

// Where the glyphs were drawn, for clicks: 39 x coordinates, then 39 y coordinates; -1 where nothing.
struct GlyphHitTable {
  std::int16_t x[39];
  std::int16_t y[39];
  GlyphHitTable() { clear(); }
  void clear() {
    for (int i = 0; i < 39; ++i) x[i] = y[i] = -1;
  }
  void set(int entry, gfx::Point p) {
    if (entry < 0 || entry >= 39) return;
    x[entry] = static_cast<std::int16_t>(p.x);
    y[entry] = static_cast<std::int16_t>(p.y);
  }
  bool has(int entry) const { return entry >= 0 && entry < 39 && !(x[entry] == -1 && y[entry] == -1); }
  // The entry whose centre lies within (dx, dy) of the point; -1 when none.
  int hit(gfx::Point p, int dx, int dy) const;
};
static_assert(sizeof(GlyphHitTable) == 156);
namespace hit {
inline constexpr int kFirstSign = 17, kFirstAspect = 29, kEarth = 38;
}

// The aspect angles of the wheel's nine aspects, conjunction to quintile.
inline constexpr double kWheelAspectAngles[9] = {0, 180, 120, 90, 60, 150, 144, 135, 72};

struct PlacedBody {
  int object = 0;                   // 0..16
  double lon = 0;                   // the true longitude as drawn (after the projection), degrees
  double shownLon = 0;              // where the glyph stands, degrees (spread)
  int stagger = 0;                  // -1, 0, +1: radial offset of a crowded glyph
  int glyphCode = 0;                // dr_pl code
  int glyphRadius = 0;              // device units from the centre
  gfx::Point glyph{};               // glyph centre
  gfx::Point tickFrom{}, tickTo{};  // true position to glyph side
  bool tick = false;
};

struct AspectLine {
  int a = 0, b = 0;  // objects
  int aspect = 0;    // 1..8
  gfx::Point from{}, to{};
};

struct ConjunctionBracket {
  int a = 0, b = 0;  // indexes into the pass's bodies
};

struct CuspMark {
  int house = 0;  // 1..12
  double lon = 0;
};

struct WheelPass {
  bool outer = false;
  ChPar type;    // the drawing type normalised for this chart and pass
  Chart2 chart;  // longitudes as drawn (heliocentric or right ascension replaced), cusps recomputed
  HouseStatus houseStatus = HouseStatus::Computed;
  int houseSystemAsked = 0;  // the system asked for when the cusps fell back to Porphyry
  WheelGeometry g;
  double rotation = 0;             // degrees added to a longitude to get its screen angle
  double ayanamsa = 0;             // degrees: sidereal = tropical - ayanamsa
  double separation = 6.0;         // minimum glyph separation, degrees
  std::vector<int> cuspsDrawn;     // houses 1..12 whose cusp lines are drawn
  std::vector<PlacedBody> bodies;  // in longitude order
  std::vector<AspectLine> aspects;
  std::vector<ConjunctionBracket> brackets;
  int glyphBase = 0;      // radius of an unstaggered glyph's centre
  int staggerOffset = 0;  // device units
  int textRadius = 0;     // degree texts: first line
  int textStep = 0;       // between the lines of a degree text (degrees, sign, minutes)
  int textDirection = 1;  // +1 outwards, -1 inwards
};

struct WheelPlan {
  int width = 0, height = 0, device = kScreenDevice;
  int yFactor = 1;
  double unit = 1;  // device units per unit of a 768-line screen (pen widths, fixed marks)
  bool doubleChart = false;
  bool heptagram = false;
  std::vector<WheelPass> passes;  // one, or inner and outer
  GlyphHitTable hits;             // the glyph centres the plan already knows (bodies, signs)
};

struct WheelInput {
  const CIni& settings;
  const Chart1& chart;
  const Chart2& computed;
  const Chart1& second;
  const Chart2& secondComputed;
  const ChPar& type;
  int width = 0, height = 0;  // height negative on a printer (y up)
  int device = kScreenDevice;
};

// The sidereal offset of the settings for a computed chart: sidereal = tropical - offset.
double siderealOffset(const CIni& settings, const Chart2& computed);

// Normalises a drawing type for a chart and a pass (the inner pass, or the outer pass of a double
// chart). Pure; `computed` gives the Chiron and projection tests.
ChPar normaliseDrawingType(const ChPar& type, const CIni& settings, const Chart1& chart, const Chart1& second,
                           const Chart2& computed, bool outerPass);

// The geometry of a normalised type on a drawing area (height negative on a printer).
WheelGeometry wheelGeometry(const ChPar& normalised, const Chart1& chart, int width, int height, int device,
                            bool doubleChart, bool outerPass);

// The glyph positions (degrees) for bodies at `lons` (any order) with minimum separation `o`: with
// twelve cusps, house by house; without, by relaxation. `stagger` receives -1/0/+1 per body when
// crowded houses are staggered (`allowStagger`).
std::vector<double> spreadBodies(const std::vector<double>& lons, const double* cusps, double o,
                                 bool allowStagger, std::vector<int>* stagger = nullptr);

// The whole plan: passes, normalised types, geometry, cusps, glyph positions, aspect lines.
WheelPlan planWheel(const WheelInput&);

// A point of the wheel at a longitude (degrees, before rotation) and radius (device units).
gfx::Point wheelPoint(const WheelGeometry&, int yFactor, double rotation, double lon, double radius);
// The direction of a longitude as seen on the output, degrees counter-clockwise from 3 o'clock.
double visualAngle(const WheelGeometry&, int yFactor, double rotation, double lon);

// Labels of the house cusps.
const char* houseLabel(int house);
// "Placidus" .. "Albatagenius" for 1..11 (the data block's names); "" otherwise.
const char* dataBlockHouseSystemName(int system);

}  // namespace talpora
