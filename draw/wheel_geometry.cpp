// zykwheel: normalising the drawing type, the wheel geometry, planet spreading and the plan.
#include "draw/wheel_geometry.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "core/angles.h"
#include "core/zodiac.h"
#include "draw/glyphs.h"

namespace talpora {
namespace {

std::int16_t units(double v) {
  return static_cast<std::int16_t>(std::lround(v));
}

int ringCount(const ChPar& t) {
  int n = 0;
  for (int k = 1; k <= 5 && t.ringKind[k] != ring::kNone; ++k) ++n;
  return n;
}

// Removes the gaps left by cleared rings, keeping their order.
void compactRings(ChPar& t) {
  std::int16_t kept[5] = {};
  int n = 0;
  for (int k = 1; k <= 5; ++k)
    if (t.ringKind[k] != ring::kNone) kept[n++] = t.ringKind[k];
  for (int k = 1; k <= 5; ++k) t.ringKind[k] = k <= n ? kept[k - 1] : static_cast<std::int16_t>(ring::kNone);
}

bool isTransitKind(int chartType) {
  return chartType == chart_type::kSiderealTransits || chartType == chart_type::kTransits;
}

// The rim of the inner chart of a double wheel on screens (fractions of the height): a little inside
// the 0.43 of the single wheel's layout, so that the outer chart's degree texts stay on the picture.
constexpr double kDoubleRim = 0.41;

}  // namespace

int GlyphHitTable::hit(gfx::Point p, int dx, int dy) const {
  for (int i = 0; i < 39; ++i) {
    if (!has(i)) continue;
    if (std::abs(p.x - x[i]) <= dx && std::abs(p.y - y[i]) <= dy) return i;
  }
  return -1;
}

double siderealOffset(const CIni& settings, const Chart2& computed) {
  // sidereal = tropical - offset: the true ayanamsa, or 360 minus the synetic vernal point.
  if (settings.ayanamsa == kSyneticVernalPoint) return norm360(360.0 - computed.syneticVernalPoint);
  if (settings.ayanamsa == kTrueAyanamsa) return computed.trueAyanamsa;
  return 0.0;
}

ChPar normaliseDrawingType(const ChPar& type, const CIni& settings, const Chart1& chart, const Chart1& second,
                           const Chart2& computed, bool outerPass) {
  ChPar t = type;
  const bool doubleChart = chart.doubleChart != 0;
  // A fixed type that has houses draws them in the settings' house system.
  if (t.typeOrigin < 700 && t.houseSystem != 0)
    t.houseSystem = static_cast<std::int8_t>(settings.houseSystem);
  if (t.houseSystem < 0 || t.houseSystem > 11) t.houseSystem = 1;
  for (int k = 1; k <= 5; ++k)
    if (t.ringKind[k] < 0 || t.ringKind[k] > 8) t.ringKind[k] = ring::kNone;
  if (t.ringKind[1] == ring::kNone && !isHeptagramStyle(t.style)) t.ringKind[1] = ring::kTropical;

  // 1. Houses and the fixed Aries.
  if (!AreThereHouses(chart) || t.ringKind[1] == ring::kSolilunar) {
    t.houseSystem = 0;
    t.fixedAries = 1;
  }
  if (chart.chartType == chart_type::kNotAMoment) t.fixedAries = 1;
  // 2. Chiron.
  if (!hasPosition(computed.objects[kChiron]) || t.projection == projection::kHeliocentric ||
      t.projection == projection::kRightAscension)
    t.showChiron = 0;
  // 3. Returns are drawn in their own zodiac.
  const int kind = chart.chartType;
  if (kind >= 105 && kind <= 107) {
    for (int k = 1; k <= 5; ++k) {
      if (t.ringKind[k] == ring::kTropical) t.ringKind[k] = ring::kSidereal;
      if (t.ringKind[k] == ring::kTropicalDecanates) t.ringKind[k] = ring::kSiderealDecanates;
    }
  } else if (kind >= 5 && kind <= 7) {
    for (int k = 1; k <= 5; ++k) {
      if (t.ringKind[k] == ring::kSidereal) t.ringKind[k] = ring::kTropical;
      if (t.ringKind[k] == ring::kSiderealDecanates) t.ringKind[k] = ring::kTropicalDecanates;
    }
  }
  if (t.ringKind[2] != ring::kNone && t.ringKind[2] == t.ringKind[1]) t.ringKind[2] = ring::kNone;
  // 4. Double charts: one ring; the inner chart in Standard Style II, the outer one around it.
  if (doubleChart) {
    for (int k = 2; k <= 5; ++k) t.ringKind[k] = ring::kNone;
    if (second.chartType == chart_type::kTransits || kind == chart_type::kTransits)
      t.ringKind[1] = ring::kTropical;
    if (second.chartType == chart_type::kSiderealTransits || kind == chart_type::kSiderealTransits)
      t.ringKind[1] = ring::kSidereal;
    if (!outerPass) {
      t.style = style::kStandard2;
    } else {
      t.style = style::kOuterChart;
      t.showFortune = 0;
      t.houseSystem = 0;
      t.aspectLine[0] = 0;
    }
  }
  if (isTransitKind(kind) || isTransitKind(second.chartType)) t.showFortune = 0;
  compactRings(t);
  // 6. The Solar System is heliocentric.
  if (t.style == style::kSolarSystem) t.projection = projection::kHeliocentric;
  // 7, 8. Projections.
  if (t.projection == projection::kHeliocentric) {
    t.houseSystem = 0;
    t.fixedAries = 1;
    t.showBlackMoon = 0;
    t.earthPictogram = 0;
  } else if (t.projection == projection::kRightAscension) {
    t.ringKind[1] = ring::kTropical;
    for (int k = 2; k <= 5; ++k) t.ringKind[k] = ring::kNone;
    t.houseSystem = 0;
    t.fixedAries = 1;
    t.showBlackMoon = 0;
  }
  // Styles that shape the type.
  switch (t.style) {
    case style::kBigPlanets:
      t.ringKind[3] = t.ringKind[4] = t.ringKind[5] = ring::kNone;
      break;
    case style::kStandard3:
      t.fixedAries = 0;
      break;
    case style::kSolarSystem:
    case style::kSevenSpheres:
      t.houseSystem = 0;
      t.fixedAries = 1;
      t.ringKind[3] = t.ringKind[4] = t.ringKind[5] = ring::kNone;
      if (t.style == style::kSevenSpheres) t.earthPictogram = 1;
      if (t.style == style::kSolarSystem) t.ringKind[2] = ring::kNone;
      break;
    case style::kMandala1:
    case style::kMandala2:
      t.houseSystem = 1;
      t.aspectAngles = 0;
      t.earthPictogram = 0;
      t.planetDegrees = 0;
      for (int k = 2; k <= 5; ++k) t.ringKind[k] = ring::kNone;
      break;
    default:
      break;
  }
  // 9. Without houses there is no Part of Fortune.
  if (t.houseSystem == 0) {
    t.showFortune = 0;
    t.aspectFortune = 0;
  }
  // Aspects to points that are not shown are not drawn.
  if (!t.showFortune) t.aspectFortune = 0;
  if (!t.showBlackMoon) t.aspectBlackMoon = 0;
  if (!t.showChiron) t.aspectChiron = 0;
  if (t.houseSystem == 0 || !AreThereHouses(chart)) t.aspectAngles = 0;
  if (isHeptagramStyle(t.style)) {
    for (int k = 1; k <= 5; ++k) t.ringKind[k] = ring::kNone;
  }
  return t;
}

WheelGeometry wheelGeometry(const ChPar& t, const Chart1& chart, int width, int height, int device,
                            bool doubleChart, bool outerPass) {
  WheelGeometry g;
  const int yf = yFactorOf(device);
  const double s = static_cast<double>(height) * yf;  // a positive length
  const bool printer = isPrinterDevice(device);
  const int rings = ringCount(t);
  const bool third = rings >= 3;
  g.cx = units(width / 2.0);
  g.cy = units(height / 2.0);
  double outer = 0.48, ringW = third ? 0.04 : 0.05;
  double signSize = third ? 1.0 / 40 : 1.0 / 36, planetSize = third ? 1.0 / 36 : 1.0 / 32;
  double q = 0, tickOut = 0, tickIn = 0, cuspIn = 0, cuspOut = 0, label = 0.49, inner = 0;
  double markA = 0, markC = 0, markB = 0;
  const int st = t.style;
  if (st <= 10) {
    outer = 0.27;
    markA = 0.08 * s;
    markB = 13;
    markC = 0.08 * s;
    cuspIn = 0.45;
    label = 0.43;
    tickOut = 0.34;
    tickIn = 0.32;
    if (st == style::kOuterChart) {
      // The outer chart round the inner one (whose rim is at kDoubleRim on screens): its glyphs and
      // degrees stand outside the zodiac ring.
      outer = kDoubleRim;
      ringW = 0.4;
      tickOut = kDoubleRim + 0.02;
      tickIn = kDoubleRim;
      if (printer) {
        outer = 0.48;
        tickOut = 0.51;
        tickIn = 0.495;
      }
      signSize = planetSize = 1.0 / 36;
    }
    cuspOut = outer;
    q = outer;
    inner = outer - std::max(1, rings) * ringW;
    if (st == style::kOuterChart) inner = 0;
  } else if (st == style::kStandard1) {
    q = 0.28;
    if (rings >= 2) q = 0.24;
    if (rings >= 3) q = 0.23;
    if (rings >= 4) q = 0.2;
    tickOut = q + 0.07;
    tickIn = q + 0.04;
    cuspIn = outer;
    cuspOut = q;
    inner = q;
  } else if (st == style::kBigPlanets) {
    q = 0.25;
    tickOut = q + 0.09;
    tickIn = q + 0.05;
    cuspIn = outer;
    cuspOut = q;
    inner = q;
    planetSize = 1.0 / 20;
  } else if (st == style::kStandard2) {
    ringW = 0.04;
    signSize = 1.0 / 37;
    inner = 0.22;
    if (doubleChart && !outerPass && !printer) {
      outer = kDoubleRim;
      inner = 0.19;
    }
    q = outer - std::clamp(rings, 1, 4) * ringW;
    if (rings >= 3) inner = 0.2;
    if (rings >= 4) inner = 0.18;
    tickOut = q - 0.03;
    tickIn = q - 0.01;
    cuspIn = outer;
    cuspOut = inner;
    planetSize = 1.0 / 36;
  } else if (st == style::kStandard3) {
    inner = 0.2;
    q = outer - ringW;
    tickOut = q - 0.03;
    tickIn = q - 0.01;
    cuspIn = q;
    cuspOut = inner;
    label = 4 * outer;
  } else if (st == style::kSolarSystem || st == style::kSevenSpheres) {
    ringW = st == style::kSolarSystem ? outer / (t.ringKind[2] != ring::kNone ? 13 : 12) : outer / 9;
    if (st == style::kSolarSystem) planetSize = 1.0 / 36;
    q = tickOut = tickIn = inner = 0;
    cuspIn = cuspOut = 0;
  } else if (isMandalaStyle(st)) {
    outer = 0.39;
    q = 0.24;
    tickOut = q + 0.07;
    tickIn = q + 0.04;
    cuspIn = outer;
    cuspOut = q;
    label = 30;
    inner = q;
  }
  g.outerRadius = units(outer * s);
  g.ringWidth = units(ringW * s);
  g.signGlyphSize = units(signSize * s);
  g.planetGlyphSize = units(planetSize * s);
  g.xMirror = (t.projection == projection::kSouthView && chart.latitude < 0) ? 1 : -1;
  g.tickOuter = units(tickOut * s);
  g.tickInner = units(tickIn * s);
  g.planetRadius = units(q * s);
  g.cuspInner = units(cuspIn * s);
  g.cuspOuter = units(cuspOut * s);
  g.labelRadius = units(std::min(label * s, 32000.0));
  g.innerRadius = units(inner * s);
  g.markA = units(markA);
  g.markB = units(markB);
  g.markC = units(markC);
  return g;
}

gfx::Point wheelPoint(const WheelGeometry& g, int yFactor, double rotation, double lon, double radius) {
  const double a = (lon + rotation) * kDegToRad + 5e-7;
  return {g.cx + static_cast<int>(std::lround(std::cos(a) * radius * g.xMirror)),
          g.cy + static_cast<int>(std::lround(std::sin(a) * radius * yFactor))};
}

double visualAngle(const WheelGeometry& g, int /*yFactor*/, double rotation, double lon) {
  // Screen (y down, y = cy + sin a r) and paper (y up, y = cy - sin a r) both put the point below the
  // centre for a positive sine: as seen, the direction is (cos a * xMirror, -sin a).
  const double a = lon + rotation;
  return g.xMirror < 0 ? norm360(a + 180.0) : norm360(-a);
}

std::vector<double> spreadBodies(const std::vector<double>& lonsIn, const double* cuspsIn, double o,
                                 bool allowStagger, std::vector<int>* stagger) {
  const std::size_t n = lonsIn.size();
  std::vector<double> out(lonsIn);
  if (stagger) stagger->assign(n, 0);
  if (n == 0) return out;
  // Bodies in longitude order (a stable permutation).
  std::vector<std::size_t> order(n);
  std::iota(order.begin(), order.end(), 0);
  if (cuspsIn == nullptr) {
    for (auto& v : out) v = norm360(v);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return out[a] < out[b]; });
    if (n < 2) return out;
    // Relaxation: neighbours closer than o are pushed apart by o/2 each, the last one paired with the
    // first across 0 degrees; at most 35 passes.
    for (int pass = 0; pass < 35; ++pass) {
      bool moved = false;
      for (std::size_t k = 0; k < n; ++k) {
        const std::size_t i = order[k], j = order[(k + 1) % n];
        double d = out[j] - out[i];
        if (k + 1 == n) d += 360.0;
        if (d < 0) d += 360.0;
        if (d < o - 1e-9) {
          out[i] = norm360(out[i] - o / 2);
          out[j] = norm360(out[j] + o / 2);
          moved = true;
        }
      }
      if (!moved) break;
      // Keep the longitude order the passes work in.
      std::stable_sort(order.begin(), order.end(),
                       [&](std::size_t a, std::size_t b) { return out[a] < out[b]; });
    }
    return out;
  }
  // With houses: cusps sorted, bodies below the smallest cusp taken round by 360.
  std::array<double, 13> c{};
  for (int i = 0; i < 12; ++i) c[i] = norm360(cuspsIn[i]);
  std::sort(c.begin(), c.begin() + 12);
  c[12] = c[0] + 360.0;
  for (auto& v : out) {
    v = norm360(v);
    if (v < c[0]) v += 360.0;
  }
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return out[a] < out[b]; });
  std::size_t k = 0;
  for (int h = 0; h < 12; ++h) {
    const double lo = c[h], hi = c[h + 1];
    std::vector<std::size_t> in;
    while (k < n && out[order[k]] < hi) in.push_back(order[k++]);
    const std::size_t m = in.size();
    if (m == 0) continue;
    const double width = hi - lo;
    const double o2 = width < 3 * o ? width / 3 : o;
    const bool fits = (static_cast<double>(m) + 1) * o2 <= width + 1e-9;
    if (m <= 3 && fits) {
      // Keep clear of both cusps, then push neighbours apart: forwards from the first, backwards
      // from the last, so every gap is at least o2 and every body moves as little as it can.
      std::vector<double> p(m);
      for (std::size_t i = 0; i < m; ++i) p[i] = out[in[i]];
      p[0] = std::max(p[0], lo + o2);
      for (std::size_t i = 1; i < m; ++i) p[i] = std::max(p[i], p[i - 1] + o2);
      p[m - 1] = std::min(p[m - 1], hi - o2);
      for (std::size_t i = m - 1; i-- > 0;) p[i] = std::min(p[i], p[i + 1] - o2);
      for (std::size_t i = 0; i < m; ++i) out[in[i]] = p[i];
    } else {
      // Evenly spread at (n + 1)ths of the house; alternate glyphs staggered out and in.
      for (std::size_t i = 0; i < m; ++i) {
        out[in[i]] = lo + static_cast<double>(i + 1) * width / static_cast<double>(m + 1);
        if (stagger && allowStagger && m >= 4) (*stagger)[in[i]] = (i % 2 == 0) ? 1 : -1;
      }
    }
  }
  for (auto& v : out) v = norm360(v);
  return out;
}

const char* houseLabel(int house) {
  static const char* kLabels[12] = {"ASC", "II",   "III", "IC", "V",  "VI",
                                    "DES", "VIII", "IX",  "MC", "XI", "XII"};
  return house >= 1 && house <= 12 ? kLabels[house - 1] : "";
}

const char* dataBlockHouseSystemName(int system) {
  static const char* kNames[11] = {"Placidus",      "Campanus",  "Regiomontanus", "Koch",
                                   "Equal Houses",  "Bi-horary", "Porphyre",      "Alcabitius",
                                   "Vendel Polich", "Abenragel", "Albatagenius"};
  return system >= 1 && system <= 11 ? kNames[system - 1] : "";
}

namespace {

// The chart objects a pass draws, in body order.
std::vector<int> drawnObjects(const ChPar& t, const Chart2& c) {
  std::vector<int> out;
  const int last = (t.projection == projection::kHeliocentric || t.projection == projection::kRightAscension)
                       ? kPluto
                       : kSouthNode;
  for (int i = kSun; i <= last; ++i) {
    if (t.projection == projection::kHeliocentric && i == kMoon) continue;
    if (t.style == style::kSevenSpheres && i > kSaturn) continue;
    out.push_back(i);
  }
  if (last == kSouthNode && t.style != style::kSevenSpheres) {
    if (t.showBlackMoon) out.push_back(kBlackMoon);
    if (t.showChiron && hasPosition(c.objects[kChiron])) out.push_back(kChiron);
    if (t.showFortune) out.push_back(kPartOfFortune);
  }
  return out;
}

double minimumSeparation(const ChPar& t, const Chart1& chart, const Chart1& second, bool outerPass) {
  double o = 6.0;
  if (t.houseSystem == 0) o = 4.8;
  const int k2 = second.chartType;
  if (outerPass && (isTransitKind(k2) || k2 == chart_type::kSynastryPair || isTransitKind(chart.chartType) ||
                    chart.chartType == chart_type::kSynastryPair))
    o = 3.8;
  if (t.style == style::kStandard2 || t.style == style::kStandard3) o = 5.0;
  if (t.style == style::kSolarSystem || t.style == style::kSevenSpheres) o = 0.000001;
  if (chart.chartType == chart_type::kSymbolicDirections) o = 3.5;
  return o;
}

// The sphere of a body in the Solar System (orbits from the Sun) and the Seven Spheres (from the
// Earth: Moon, Mercury, Venus, Sun, Mars, Jupiter, Saturn), 0 for the innermost.
int sphereOf(int style, int object) {
  if (style == style::kSolarSystem) {
    switch (object) {
      case kMercury:
        return 1;
      case kVenus:
        return 2;
      case kSun:
        return 3;  // the Earth
      case kMars:
        return 4;
      case kJupiter:
        return 5;
      case kSaturn:
        return 6;
      case kUranus:
        return 7;
      case kNeptune:
        return 8;
      case kPluto:
        return 9;
      default:
        return 10;
    }
  }
  switch (object) {
    case kMoon:
      return 0;
    case kMercury:
      return 1;
    case kVenus:
      return 2;
    case kSun:
      return 3;
    case kMars:
      return 4;
    case kJupiter:
      return 5;
    default:
      return 6;
  }
}

}  // namespace

WheelPlan planWheel(const WheelInput& in) {
  WheelPlan plan;
  plan.width = in.width;
  plan.height = in.height;
  plan.device = in.device;
  plan.yFactor = yFactorOf(in.device);
  const double s = static_cast<double>(in.height) * plan.yFactor;
  plan.unit = isPrinterDevice(in.device) ? 1.0 : std::max(1.0, s / 768.0);
  plan.doubleChart = in.chart.doubleChart != 0;
  plan.heptagram = isHeptagramStyle(in.type.style);
  if (plan.heptagram) plan.doubleChart = false;
  const int passes = plan.doubleChart ? 2 : 1;
  for (int passIndex = 0; passIndex < passes; ++passIndex) {
    const bool outer = passIndex == 1;
    WheelPass p;
    p.outer = outer;
    p.chart = outer ? in.secondComputed : in.computed;
    p.type = normaliseDrawingType(in.type, in.settings, in.chart, in.second, p.chart, outer);
    ChPar& t = p.type;
    Chart2& c = p.chart;
    p.ayanamsa = siderealOffset(in.settings, c);
    // The cusps in the type's house system (a directed chart keeps its own).
    if (!IsDirectedChart(in.chart) && t.houseSystem != 0) {
      double cusps[12];
      p.houseStatus =
          Houses(c.obliquity, in.chart.latitude, c.siderealTime, t.houseSystem, cusps, c.objects[kSun]);
      p.houseSystemAsked = t.houseSystem;
      if (p.houseStatus == HouseStatus::PorphyryFallback) t.houseSystem = house_system::kPorphyre;
      for (int i = 0; i < 12; ++i) c.cusps[i] = cusps[i];
    }
    const int kind = in.chart.chartType;
    const bool axesOnly = kind == chart_type::kSynastryComposite || kind == chart_type::kNotAMoment;
    if (axesOnly) {
      c.cusps[0] = c.objects[kAscendant];
      c.cusps[9] = c.objects[kMidheaven];
      c.cusps[6] = norm360(c.cusps[0] + 180.0);
      c.cusps[3] = norm360(c.cusps[9] + 180.0);
    }
    // Projections replace the longitudes.
    if (t.projection == projection::kHeliocentric) {
      for (int i = 0; i <= kSouthNode; ++i) c.objects[i] = c.extra[i];
    } else if (t.projection == projection::kRightAscension) {
      for (int i = 0; i <= kPluto; ++i) {
        double ra = 0, decl = 0;
        eclipticToEquatorial(c.objects[i], c.objectLat[i], c.obliquity, ra, decl);
        c.objects[i] = ra;
      }
    }
    // Mandalas: equal houses of 30 degrees from 0 Aries, or from the Ascendant's sign.
    if (isMandalaStyle(t.style)) {
      // In the zodiac of the 1st ring, so that the houses and the signs share their boundaries.
      const double base = t.ringKind[1] == ring::kSidereal ? p.ayanamsa : 0.0;
      double first = base;
      if (!t.fixedAries) {
        const double asc = norm360(c.objects[kAscendant] - base);
        const double d = std::fmod(asc, 30.0);
        first = base + (d <= 15 ? asc - d : asc + (30 - d));
      }
      for (int i = 0; i < 12; ++i) c.cusps[i] = norm360(first + 30.0 * i);
    }
    p.g = wheelGeometry(t, in.chart, in.width, in.height, in.device, plan.doubleChart, outer);
    // On a double wheel the outer chart's glyphs and degrees take the rim: the house labels go inside,
    // along the inner circle.
    if (plan.doubleChart && !outer)
      p.g.labelRadius = static_cast<std::int16_t>(p.g.innerRadius + std::lround(0.012 * s));
    // Rotation: the Ascendant at the left, or 0 Aries (of the sidereal zodiac for a sidereal wheel).
    if (outer) {
      p.rotation = plan.passes.front().rotation;
    } else if (t.ringKind[1] == ring::kSolilunar) {
      p.rotation = 180.0 - c.objects[kSun];
    } else if (isMandalaStyle(t.style) && !t.fixedAries) {
      p.rotation = -c.cusps[0];
    } else if (!t.fixedAries || (kind == chart_type::kSynastryPair && t.style != style::kStandard2)) {
      p.rotation = -c.objects[kAscendant];
    } else {
      p.rotation = t.ringKind[1] == ring::kSidereal ? -p.ayanamsa : 0.0;
    }
    // Cusps drawn.
    if (t.houseSystem != 0 && !outer) {
      for (int h = 1; h <= 12; ++h)
        if (!axesOnly || h == 1 || h == 4 || h == 7 || h == 10) p.cuspsDrawn.push_back(h);
    }
    // Planet placement.
    const std::vector<int> objs = plan.heptagram ? std::vector<int>{} : drawnObjects(t, c);
    p.separation = minimumSeparation(t, in.chart, in.second, outer);
    const bool spheres = t.style == style::kSolarSystem || t.style == style::kSevenSpheres;
    const double gs = p.g.planetGlyphSize;
    const int dir = p.g.tickOuter >= p.g.tickInner ? 1 : -1;
    const double gap = 0.008 * s;
    const double base = p.g.tickOuter + dir * (gap + gs / 2);
    // Never closer than the glyphs' own width at the radius they stand on (big glyphs, the outer
    // chart), so that neighbours do not overlap.
    if (!spheres && base > gs)
      p.separation = std::max(p.separation, 2.0 * std::asin(0.48 * gs / base) * 180.0 / kPi);
    std::vector<double> lons;
    for (int o : objs) lons.push_back(c.objects[o]);
    std::vector<int> stagger;
    std::vector<double> shown =
        spheres ? lons
                : spreadBodies(lons, t.houseSystem != 0 ? c.cusps : nullptr, p.separation,
                               t.style != style::kStandard2 && t.style != style::kStandard3, &stagger);
    if (stagger.size() != objs.size()) stagger.assign(objs.size(), 0);
    p.glyphBase = static_cast<int>(std::lround(base));
    p.staggerOffset = static_cast<int>(std::lround(0.6 * gs));
    p.textDirection = dir;
    p.textStep = static_cast<int>(std::lround(0.024 * s));
    const double textBase = base + dir * (gs / 2 + gap + 0.012 * s);
    p.textRadius = static_cast<int>(std::lround(textBase));
    for (std::size_t i = 0; i < objs.size(); ++i) {
      PlacedBody b;
      b.object = objs[i];
      b.lon = norm360(lons[i]);
      b.shownLon = norm360(shown[i]);
      b.stagger = stagger[i];
      b.glyphCode = glyphCodeOfObject(b.object);
      if (t.projection == projection::kHeliocentric && b.object == kSun) b.glyphCode = 0;
      double r = base + dir * b.stagger * p.staggerOffset;
      if (spheres) {
        const double ring = p.g.outerRadius / (t.style == style::kSolarSystem ? 12.0 : 9.0);
        const int k = sphereOf(t.style, b.object);
        r = t.style == style::kSolarSystem ? (k + 0.5) * ring : (k + 1) * ring;
      }
      b.glyphRadius = static_cast<int>(std::lround(r));
      b.glyph = wheelPoint(p.g, plan.yFactor, p.rotation, b.shownLon, r);
      b.tick = !spheres && t.style != style::kStandard3;
      b.tickFrom = wheelPoint(p.g, plan.yFactor, p.rotation, b.lon, p.g.tickInner);
      b.tickTo = wheelPoint(p.g, plan.yFactor, p.rotation, b.shownLon, p.g.tickOuter);
      p.bodies.push_back(b);
    }
    std::stable_sort(p.bodies.begin(), p.bodies.end(),
                     [](const PlacedBody& a, const PlacedBody& b) { return a.lon < b.lon; });
    // Conjunction brackets between neighbours in longitude order.
    if (t.aspectLine[0] == 1 && !spheres && p.bodies.size() >= 2) {
      for (std::size_t i = 0; i < p.bodies.size(); ++i) {
        const std::size_t j = (i + 1) % p.bodies.size();
        if (j == i || (j == 0 && p.bodies.size() == 2)) continue;
        const PlacedBody &a = p.bodies[i], &b = p.bodies[j];
        if ((a.object == kNorthNode && b.object == kSouthNode) ||
            (a.object == kSouthNode && b.object == kNorthNode))
          continue;
        const bool lum = a.object <= kMoon || b.object <= kMoon;
        const double orb = lum ? in.settings.orbsLuminaries[0] : in.settings.orbsOthers[0];
        if (ShortestDistance(a.lon, b.lon) < orb)
          p.brackets.push_back({static_cast<int>(i), static_cast<int>(j)});
      }
    }
    // Aspect lines.
    const bool aspectsDrawn = !outer && t.style != style::kStandard3 && !spheres && !plan.heptagram;
    if (aspectsDrawn) {
      std::vector<int> candidates = objs;
      if (t.aspectAngles) {
        candidates.push_back(kAscendant);
        candidates.push_back(kMidheaven);
      }
      std::sort(candidates.begin(), candidates.end());
      auto allowed = [&](int o) {
        if (!hasPosition(c.objects[o])) return false;
        if ((o == kNorthNode || o == kSouthNode) && !t.aspectNodes) return false;
        if (o == kBlackMoon && !t.aspectBlackMoon) return false;
        if (o == kChiron && !t.aspectChiron) return false;
        if ((o == kAscendant || o == kMidheaven) && !t.aspectAngles) return false;
        if (o == kPartOfFortune && !t.aspectFortune) return false;
        if (t.projection == projection::kHeliocentric && (o == kMoon || o > kPluto)) return false;
        if (t.projection == projection::kRightAscension && o > kPluto) return false;
        return true;
      };
      for (std::size_t x = 0; x < candidates.size(); ++x) {
        for (std::size_t y = x + 1; y < candidates.size(); ++y) {
          const int i = candidates[x], j = candidates[y];
          if (!allowed(i) || !allowed(j)) continue;
          if (i == kNorthNode && j == kSouthNode) continue;
          const double d = ShortestDistance(c.objects[i], c.objects[j]);
          const bool lum = i <= kMoon || j <= kMoon;
          for (int a = 1; a <= 8; ++a) {
            if (t.aspectLine[a] <= 0) continue;
            const double orb = lum ? in.settings.orbsLuminaries[a] : in.settings.orbsOthers[a];
            if (d >= kWheelAspectAngles[a] - orb && d <= kWheelAspectAngles[a] + orb) {
              AspectLine l;
              l.a = i;
              l.b = j;
              l.aspect = a;
              l.from = wheelPoint(p.g, plan.yFactor, p.rotation, c.objects[i], p.g.innerRadius);
              l.to = wheelPoint(p.g, plan.yFactor, p.rotation, c.objects[j], p.g.innerRadius);
              p.aspects.push_back(l);
              break;
            }
          }
        }
      }
    }
    if (!outer) {
      for (const auto& b : p.bodies) plan.hits.set(b.object, b.glyph);
    }
    plan.passes.push_back(std::move(p));
  }
  return plan;
}

}  // namespace talpora
