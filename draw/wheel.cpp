// zykwheel, zykzodiac, zykplanet: painting the wheel from its plan.
#include "draw/wheel.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "core/angles.h"
#include "core/zodiac.h"
#include "draw/data_block.h"
#include "draw/glyphs.h"
#include "draw/heptagram.h"
#include "draw/mandala.h"
#include "format/text_format.h"

namespace talpora {
namespace {

gfx::Colour colourOf(const ChCol& c, int slot) {
  return c.colour[slot] & 0x00FFFFFFu;
}

// The colour behind glyphs drawn over lines: the wheel's fill, else the background, else white.
gfx::Colour groundOf(const ChCol& c) {
  if (c.colour[col::kWheelFill] != 0) return colourOf(c, col::kWheelFill);
  if (c.colour[col::kBackground] != 0) return colourOf(c, col::kBackground);
  return gfx::rgb(255, 255, 255);
}

int rounded(double v) {
  return static_cast<int>(std::lround(v));
}

void circle(gfx::Canvas& c, gfx::Point centre, int r) {
  c.setFill(std::nullopt);
  c.ellipse({centre.x - r, centre.y - r, centre.x + r, centre.y + r});
}

gfx::Point centreOf(const WheelGeometry& g) {
  return {g.cx, g.cy};
}

int ringCountOf(const ChPar& t) {
  int n = 0;
  for (int k = 1; k <= 5 && t.ringKind[k] != ring::kNone; ++k) ++n;
  return n;
}

// Whole degrees within the sign and minutes of a longitude.
void degreesMinutes(double lon, int& deg, int& min) {
  const double x = c_c360(lon);
  int total = static_cast<int>(std::lround(x * 60.0)) % (360 * 60);
  deg = (total / 60) % 30;
  min = total % 60;
}

std::string minutesText(int m) {
  char buf[8];
  std::snprintf(buf, sizeof buf, m < 10 ? "0%d'" : "%d'", m);
  return buf;
}

// A text centred on a point (horizontally and vertically).
void centredText(gfx::Canvas& c, gfx::Point p, int yFactor, const std::string& s) {
  const gfx::Size e = c.textExtent(s);
  c.text({p.x, p.y - yFactor * e.height / 2}, s, gfx::HAlign::Centre);
}

// The ruling planet (object) of each decanate, Aries first.
constexpr int kDecanateRulers[36] = {
    kMars,   kSun,    kJupiter, kVenus,  kMercury, kSaturn, kMercury, kVenus,  kSaturn,
    kMoon,   kMars,   kJupiter, kSun,    kJupiter, kMars,   kMercury, kSaturn, kVenus,
    kVenus,  kSaturn, kMercury, kMars,   kJupiter, kMoon,   kJupiter, kMars,   kSun,
    kSaturn, kVenus,  kMercury, kSaturn, kMercury, kVenus,  kJupiter, kMoon,   kMars};
constexpr double kConstellationBounds[13] = {29, 53, 89, 117, 138, 173, 219, 237, 268, 298, 326, 351, 389};

struct Ctx {
  gfx::Canvas& c;
  const WheelPlan& plan;
  const WheelPass& pass;
  const ChCol& col;
  gfx::Point at(double lon, double r) const {
    return wheelPoint(pass.g, plan.yFactor, pass.rotation, lon, r);
  }
  double visual(double lon) const { return visualAngle(pass.g, plan.yFactor, pass.rotation, lon); }
  // Visual start and sweep of the arc of longitudes [from, to].
  void sector(double from, double to, double& start, double& sweep) const {
    double span = to - from;
    while (span < 0) span += 360;
    if (pass.g.xMirror < 0) {
      start = visual(from);
      sweep = span;
    } else {
      start = visual(to);
      sweep = span;
    }
  }
  void pen(int storedWidth, gfx::Colour colour, gfx::PenStyle st = gfx::PenStyle::Solid) const {
    c.setPen({st, wheelPenWidth(plan, storedWidth), colour});
  }
  void radial(double lon, double r1, double r2) const { c.line(at(lon, r1), at(lon, r2)); }
};

// Sector fills need one outline colour (slots 1 to 3 equal) and a sign background unlike the page.
bool fillsSectors(const ChPar& t, const ChCol& col) {
  if (t.style == style::kStandard3) return false;
  if (col.colour[1] != col.colour[2] || col.colour[2] != col.colour[3]) return false;
  for (int k = 0; k < 12; ++k)
    if (col.colour[col::kSignBackground + k] != col.colour[col::kBackground]) return true;
  return false;
}

void paintRing(const Ctx& x, int kind, int rIn, int rOut, bool innermost, GlyphHitTable& hits) {
  const WheelPass& p = x.pass;
  const ChPar& t = p.type;
  // Sidereal rings stand the ayanamsa further on in the tropical zodiac. The constellation boundaries
  // are ecliptic longitudes of the equinox of J2000.0, carried to the chart's equinox with the general
  // precession in longitude (Lieske 1977: 5029.0966" per Julian century).
  double aya = isSiderealRing(kind) ? p.ayanamsa : 0.0;
  if (kind == ring::kConstellations) aya = 1.396971 * (p.chart.julianDay - 2451545.0) / 36525.0;
  const double sun = p.chart.objects[kSun];
  const bool fills = fillsSectors(t, x.col);
  const gfx::Point centre = centreOf(p.g);
  const double mid = (rIn + rOut) / 2.0;
  const bool plainRing = t.style == style::kStandard3;  // the cusps' signs go into this ring

  // Sectors: boundaries (longitudes), fill sign per sector (-1: none).
  std::vector<double> bounds;
  std::vector<int> fillSign;
  switch (kind) {
    case ring::kTropical:
    case ring::kSidereal:
      for (int k = 0; k < 12; ++k) {
        bounds.push_back(30.0 * k + aya);
        fillSign.push_back(k);
      }
      break;
    case ring::kConstellations:
      for (int k = 0; k < 12; ++k) {
        bounds.push_back(kConstellationBounds[k] + aya);
        fillSign.push_back(k);
      }
      break;
    case ring::kTropicalDecanates:
    case ring::kSiderealDecanates:
      for (int k = 0; k < 36; ++k) {
        bounds.push_back(10.0 * k + aya);
        fillSign.push_back(k / 3);
      }
      break;
    case ring::kNakshatras:
      for (int k = 0; k < 27; ++k) {
        bounds.push_back(360.0 * k / 27 + aya);
        fillSign.push_back(-1);
      }
      break;
    case ring::kTithis:
      for (int k = 0; k < 30; ++k) {
        bounds.push_back(sun + 12.0 * k);
        fillSign.push_back(-1);
      }
      break;
    case ring::kSolilunar:
      for (int k = 0; k < 28; ++k) {
        bounds.push_back(sun + 360.0 * k / 28);
        fillSign.push_back(-1);
      }
      break;
    default:
      return;
  }
  const std::size_t n = bounds.size();
  auto upper = [&](std::size_t k) {
    if (kind == ring::kConstellations) return kConstellationBounds[k + 1] + aya;
    return k + 1 < n ? bounds[k + 1] : bounds[0] + 360.0;
  };
  if (fills && !plainRing) {
    for (std::size_t k = 0; k < n; ++k) {
      if (fillSign[k] < 0) continue;
      const gfx::Colour fill = colourOf(x.col, col::kSignBackground + fillSign[k]);
      if (x.col.colour[col::kSignBackground + fillSign[k]] == x.col.colour[col::kBackground]) continue;
      double start = 0, sweep = 0;
      x.sector(bounds[k], upper(k), start, sweep);
      x.c.fillRingSector(centre, rIn, rOut, start, sweep, fill);
    }
  }
  // Outlines and dividers.
  x.pen(0, colourOf(x.col, col::kZodiacOuter));
  circle(x.c, centre, rOut);
  x.pen(0, colourOf(x.col, col::kZodiacInner));
  circle(x.c, centre, rIn);
  if (plainRing) return;
  for (std::size_t k = 0; k < n; ++k) {
    const bool major = (kind != ring::kTropicalDecanates && kind != ring::kSiderealDecanates) || k % 3 == 0;
    x.pen(major ? 1 : 0, colourOf(x.col, col::kZodiacCusps));
    if (major) {
      x.radial(bounds[k], rIn, rOut);
    } else {
      x.radial(bounds[k], rIn, rIn + (rOut - rIn) * 0.3);
      x.radial(bounds[k], rOut - (rOut - rIn) * 0.3, rOut);
    }
  }
  // Sector contents.
  const int yf = x.plan.yFactor;
  switch (kind) {
    case ring::kTropical:
    case ring::kSidereal:
    case ring::kConstellations:
      for (int k = 0; k < 12; ++k) {
        const double centreLon = (bounds[k] + upper(k)) / 2;
        const gfx::Point at = x.at(centreLon, mid);
        x.pen(x.col.width[pen::kSignGlyph], colourOf(x.col, col::kSignGlyph + k));
        dr_sig(x.c, at.x, at.y, p.g.signGlyphSize, k + 1, x.plan.device);
        if (innermost) hits.set(hit::kFirstSign + k, at);
      }
      break;
    case ring::kTropicalDecanates:
    case ring::kSiderealDecanates:
      for (int k = 0; k < 36; ++k) {
        const gfx::Point at = x.at(bounds[k] + 5.0, mid);
        const int planet = kDecanateRulers[k];
        x.pen(0, colourOf(x.col, col::kPlanet + planet));
        dr_pl(x.c, at.x, at.y, rounded(p.g.signGlyphSize * 0.8), glyphCodeOfObject(planet), x.plan.device);
      }
      break;
    default: {
      x.c.setFont(gfx::StockFont::AnsiVariable);
      x.c.setTextColour(colourOf(x.col, col::kZodiacCusps));
      x.c.setTextBackground(std::nullopt);
      for (std::size_t k = 0; k < n; ++k) {
        const gfx::Point at = x.at((bounds[k] + upper(k)) / 2, mid);
        centredText(x.c, at, yf, std::to_string(k + 1));
      }
      break;
    }
  }
}

std::string cuspText(const WheelPass& p, int house, const CIni& settings) {
  std::string s = houseLabel(house);
  const ChPar& t = p.type;
  const bool withDegrees =
      t.cuspDegrees > 0 && t.ringKind[1] != ring::kConstellations && (house <= 3 || house >= 10);
  if (withDegrees) {
    double lon = p.chart.cusps[house - 1];
    if (t.ringKind[1] == ring::kSidereal || t.ringKind[1] == ring::kConstellations)
      lon = toSidereal(lon, settings.ayanamsa, p.chart.trueAyanamsa, p.chart.syneticVernalPoint);
    s += ": " + edl_sdm(lon);
  }
  return s;
}

// A house label for the cusp at `lon`: its box centred 3 degrees past the cusp at `radius`, pushed
// outwards by half its own depth when it must clear a circle below it (`outwards`), and turned further
// past the cusp when its cusp line runs beside it (`clearCusp`). The box stays within the drawing area.
void houseLabelText(const Ctx& x, double lon, double radius, const std::string& s, bool outwards,
                    bool clearCusp) {
  const gfx::Size e = x.c.textExtent(s);
  const int yf = x.plan.yFactor;
  const gfx::Point c0 = x.at(lon + 3.0, radius);
  double ux = c0.x - x.pass.g.cx, uy = (c0.y - x.pass.g.cy) * yf;  // outwards, as seen
  const double len = std::max(1e-9, std::hypot(ux, uy));
  ux /= len;
  uy /= len;
  const double halfRadial = std::abs(ux) * e.width / 2.0 + std::abs(uy) * e.height / 2.0;
  const double halfTangent = std::abs(uy) * e.width / 2.0 + std::abs(ux) * e.height / 2.0;
  const double r = radius + (outwards ? halfRadial : 0.0);
  double past = 3.0;
  if (clearCusp && r > 1)
    past = std::max(past, std::asin(std::min(1.0, halfTangent / r)) * 180.0 / kPi + 1.5);
  const gfx::Point centre = x.at(lon + past, r);
  const int areaBottom = std::abs(x.plan.height);
  const int topSeen = std::clamp(centre.y * yf - e.height / 2, 0, std::max(0, areaBottom - e.height));
  const int mid = std::clamp(centre.x, e.width / 2, std::max(e.width / 2, x.plan.width - e.width / 2));
  x.c.text({mid, topSeen * yf}, s, gfx::HAlign::Centre);
}

void paintCusps(const Ctx& x, const CIni& settings) {
  const WheelPass& p = x.pass;
  const ChPar& t = p.type;
  const WheelGeometry& g = p.g;
  const bool mandala = isMandalaStyle(t.style);
  for (int h : p.cuspsDrawn) {
    const double lon = p.chart.cusps[h - 1];
    if (h == 1 || h == 10) {
      x.pen(x.col.width[pen::kAscMc], colourOf(x.col, h == 1 ? col::kAscendant : col::kMidheaven));
    } else if (h == 4 || h == 7) {
      x.pen(x.col.width[pen::kDesIc], colourOf(x.col, h == 4 ? col::kImumCoeli : col::kDescendant));
    } else {
      x.pen(x.col.width[pen::kCusps], colourOf(x.col, mandala ? col::kZodiacInner : col::kHouseCusps));
    }
    int r1 = g.cuspInner, r2 = g.cuspOuter;
    if (t.style <= 10 && (h == 1 || h == 10)) r2 = g.innerRadius;
    x.radial(lon, r1, r2);
    if (t.style <= 10) {
      // Arrowheads at the Ascendant and the Descendant; half circles (or a chevron) at MC and IC.
      const double barb = std::max(3.0, g.markC * 0.18);
      const double spread = barb / std::max(1, static_cast<int>(g.cuspInner)) * 180.0 / kPi;
      if (h == 1 || h == 7) {
        const gfx::Point tip = x.at(lon, g.cuspInner);
        x.c.line(tip, x.at(lon - spread, g.cuspInner - barb));
        x.c.line(tip, x.at(lon + spread, g.cuspInner - barb));
        if (h == 7) {
          const gfx::Point tip2 = x.at(lon, g.cuspInner - barb * 0.6);
          x.c.line(tip2, x.at(lon - 0.8, g.cuspInner - barb * 1.6));
          x.c.line(tip2, x.at(lon + 0.8, g.cuspInner - barb * 1.6));
        }
      } else if (h == 4 || h == 10) {
        if (!t.fixedAries) {
          const int r = std::max(2, rounded(g.markA * 0.12));
          for (int side : {-1, 1}) {
            const gfx::Point m = x.at(lon + side * (r * 180.0 / kPi / g.cuspInner), g.cuspInner - r);
            const double a = x.visual(lon);
            x.c.arc({m.x - r, m.y - r, m.x + r, m.y + r}, a - 90, 180);
          }
        } else {
          x.c.line(x.at(lon - 3, g.cuspInner - barb), x.at(lon, g.cuspInner));
          x.c.line(x.at(lon + 3, g.cuspInner - barb), x.at(lon, g.cuspInner));
        }
      }
    }
  }
  if (t.houseLabels <= 0 || p.outer) return;
  x.c.setTextColour(colourOf(x.col, col::kHouseLabels));
  x.c.setTextBackground(std::nullopt);
  if (t.style == style::kStandard3) {
    // House numbers in the ring of houses; the sign, degrees and minutes of each cusp in the zodiac ring.
    const double numbersR = g.innerRadius + g.ringWidth / 2.0;
    const double signR = g.outerRadius - g.ringWidth / 2.0;
    for (int h : p.cuspsDrawn) {
      const double a = p.chart.cusps[h - 1], b = p.chart.cusps[h % 12];
      double span = b - a;
      if (span < 0) span += 360;
      centredText(x.c, x.at(a + span / 2, numbersR), x.plan.yFactor, std::to_string(h));
      const int sign = signOfLongitude(a);
      const gfx::Point sp = x.at(a, signR);
      x.pen(x.col.width[pen::kSignGlyph], colourOf(x.col, col::kSignGlyph + sign - 1));
      dr_sig(x.c, sp.x, sp.y, rounded(g.signGlyphSize * 0.9), sign, x.plan.device);
      int deg = 0, min = 0;
      degreesMinutes(a, deg, min);
      // The degrees on the side read first (the left, or the top on a vertical cusp), the minutes on
      // the other.
      const gfx::Point ahead = x.at(a + 6.5, signR), behind = x.at(a - 6.5, signR);
      const int dxSeen = ahead.x - behind.x, dySeen = (ahead.y - behind.y) * x.plan.yFactor;
      const bool aheadFirst = std::abs(dxSeen) > std::abs(dySeen) / 3 ? dxSeen < 0 : dySeen < 0;
      centredText(x.c, aheadFirst ? ahead : behind, x.plan.yFactor, std::to_string(deg));
      centredText(x.c, aheadFirst ? behind : ahead, x.plan.yFactor, minutesText(min));
    }
    return;
  }
  // Labels beyond the wheel stand clear of it; labels among the cusp lines clear their own line; on a
  // double wheel they stand just outside the inner circle.
  const bool amongCusps = g.labelRadius < std::max(g.cuspInner, g.cuspOuter);
  const bool outwards = !amongCusps || x.plan.doubleChart;
  for (int h : p.cuspsDrawn)
    houseLabelText(x, p.chart.cusps[h - 1], g.labelRadius, cuspText(p, h, settings), outwards, amongCusps);
}

void paintAspects(const Ctx& x) {
  const WheelPass& p = x.pass;
  const ChPar& t = p.type;
  static constexpr gfx::PenStyle kStyles[6] = {gfx::PenStyle::Null,    gfx::PenStyle::Solid,
                                               gfx::PenStyle::Dash,    gfx::PenStyle::Dot,
                                               gfx::PenStyle::DashDot, gfx::PenStyle::DashDotDot};
  for (const auto& l : p.aspects) {
    const int type = std::clamp(static_cast<int>(t.aspectLine[l.aspect]), 0, 5);
    if (type == 0) continue;
    const gfx::Colour colour = colourOf(x.col, col::kAspect + l.aspect);
    x.pen(type == 1 ? 0 : 1, colour, kStyles[type]);
    x.c.line(l.from, l.to);
  }
  if (t.aspectGlyphs <= 0) return;
  const int size = std::max(4, p.g.planetGlyphSize / t.aspectGlyphs);
  for (const auto& l : p.aspects) {
    const gfx::Point m{(l.from.x + l.to.x) / 2, (l.from.y + l.to.y) / 2};
    x.c.fillDisc(m, rounded(size * 0.62), groundOf(x.col));
    x.pen(0, colourOf(x.col, col::kAspect + l.aspect));
    dr_asp(x.c, m.x, m.y, size, l.aspect, x.plan.device);
  }
}

void paintEarthOrSun(const Ctx& x, GlyphHitTable& hits) {
  const WheelPass& p = x.pass;
  const ChPar& t = p.type;
  if (t.projection == projection::kHeliocentric) {
    const int r = rounded(12 * x.plan.unit * 1.6);
    const gfx::Point centre = centreOf(p.g);
    x.c.fillDisc(centre, r, groundOf(x.col));
    x.pen(1, gfx::rgb(230, 180, 0));
    circle(x.c, centre, r);
    x.pen(x.col.width[pen::kPlanetGlyph], colourOf(x.col, col::kPlanet + kSun));
    dr_pl(x.c, centre.x, centre.y, rounded(21 * x.plan.unit * 1.2), 1, x.plan.device);
    return;
  }
  const bool drawn =
      t.earthPictogram == 1 && (t.style == style::kStandard3 || t.style >= style::kSolarSystem);
  if (!drawn || isPrinterDevice(x.plan.device)) return;
  const int r = t.style == style::kSevenSpheres ? p.g.planetGlyphSize : rounded(p.g.planetGlyphSize * 0.75);
  drawearth(x.c, x.plan, p.g, r, hits);
}

}  // namespace

WheelFonts defaultWheelFonts() {
  WheelFonts f;
  const int heights[8] = {50, 39, 50, 39, 39, 39, 33, 33};
  for (int i = 0; i < 8; ++i) {
    f[static_cast<std::size_t>(i)].face = "Helv";
    f[static_cast<std::size_t>(i)].height = heights[i];
  }
  return f;
}

int wheelPenWidth(const WheelPlan& plan, int stored) {
  if (isPrinterDevice(plan.device)) return std::max(0, stored);
  if (stored <= 0) return plan.unit >= 1.5 ? rounded(plan.unit) : 0;
  return std::max(1, rounded(stored * plan.unit));
}

void drawearth(gfx::Canvas& c, const WheelPlan& plan, const WheelGeometry& g, int radius,
               GlyphHitTable& hits) {
  const gfx::Point centre = centreOf(g);
  c.fillDisc(centre, radius, static_cast<gfx::Colour>(16386560));
  c.setPen({gfx::PenStyle::Solid, wheelPenWidth(plan, 1), gfx::rgb(0, 0, 255)});
  circle(c, centre, radius);
  c.setPen({gfx::PenStyle::Solid, wheelPenWidth(plan, 1), gfx::rgb(255, 255, 255)});
  c.line({centre.x - radius * 7 / 10, centre.y}, {centre.x + radius * 7 / 10, centre.y});
  c.line({centre.x, centre.y - radius * 7 / 10}, {centre.x, centre.y + radius * 7 / 10});
  hits.set(hit::kEarth, centre);
}

void dr_zod(gfx::Canvas& c, const WheelPlan& plan, const WheelPass& pass, const ChCol& col,
            GlyphHitTable& hits) {
  const Ctx x{c, plan, pass, col};
  const int n = ringCountOf(pass.type);
  const int w = pass.g.ringWidth;
  for (int k = n; k >= 1; --k) {
    const int rOut = pass.g.outerRadius - (n - k) * w;
    paintRing(x, pass.type.ringKind[k], rOut - w, rOut, k == 1, hits);
  }
}

void dr_pletcu(gfx::Canvas& c, const WheelPlan& plan, const WheelPass& pass, const ChCol& col,
               const WheelFonts* printerFonts) {
  const Ctx x{c, plan, pass, col};
  const ChPar& t = pass.type;
  const WheelGeometry& g = pass.g;
  const int device = plan.device;
  const bool spheres = t.style == style::kSolarSystem || t.style == style::kSevenSpheres;
  // Ticks from the true position to the glyph.
  for (const auto& b : pass.bodies) {
    if (!b.tick) continue;
    x.pen(0, colourOf(col, col::kPlanetTicks));
    c.line(b.tickFrom, b.tickTo);
    if (t.style < style::kOuterChart) x.radial(b.lon, g.outerRadius, g.tickInner);
  }
  // Conjunction brackets: three short strokes joining the two glyphs on their far side.
  if (!pass.brackets.empty()) {
    x.pen(0, colourOf(col, col::kAspect));
    for (const auto& br : pass.brackets) {
      const PlacedBody &a = pass.bodies[static_cast<std::size_t>(br.a)],
                       &b = pass.bodies[static_cast<std::size_t>(br.b)];
      const int dir = pass.textDirection;
      // Between the tick ends and the glyphs, the strokes' tips pointing at the glyphs.
      const double gap = std::abs(pass.glyphBase - g.tickOuter) - g.planetGlyphSize / 2.0;
      const double rr = g.tickOuter + dir * gap * 0.45;
      double from = a.shownLon, to = b.shownLon;
      if (to < from) to += 360;
      const double tip = std::max(2.0, gap * 0.45);
      c.line(x.at(from, rr + dir * tip), x.at(from, rr));
      c.line(x.at(from, rr), x.at(to, rr));
      c.line(x.at(to, rr), x.at(to, rr + dir * tip));
    }
  }
  // Glyphs.
  for (const auto& b : pass.bodies) {
    if (spheres) c.fillDisc(b.glyph, rounded(g.planetGlyphSize * 0.62), groundOf(col));
    x.pen(col.width[pen::kPlanetGlyph], colourOf(col, col::kPlanet + b.object));
    dr_pl(c, b.glyph.x, b.glyph.y, g.planetGlyphSize, b.glyphCode, device);
    if (t.style == style::kBigPlanets)
      dr_pl(c, b.glyph.x + 1, b.glyph.y, g.planetGlyphSize, b.glyphCode, device);
  }
  // Degree texts.
  const bool degrees = !spheres && t.planetDegrees > 0 &&
                       (t.ringKind[1] == ring::kTropical || t.ringKind[1] == ring::kSidereal);
  if (!degrees) return;
  if (isPrinterDevice(device)) {
    c.setFont(printerFonts ? (*printerFonts)[6] : defaultWheelFonts()[6]);
  } else {
    c.setFont(gfx::StockFont::System);
  }
  c.setTextColour(colourOf(col, col::kPlanetDegrees));
  c.setTextBackground(std::nullopt);
  const bool withSign =
      t.style == style::kStandard3 ||
      (isPrinterDevice(device) && t.style >= style::kStandard2 && t.ringKind[3] == ring::kNone);
  const bool withMinutes = t.style == style::kStandard2 || t.style == style::kStandard3;
  const int yf = plan.yFactor;
  for (const auto& b : pass.bodies) {
    double lon = b.lon;
    if (t.ringKind[1] == ring::kSidereal) lon = c_c360(lon - pass.ayanamsa);
    int deg = 0, min = 0;
    degreesMinutes(lon, deg, min);
    const int dir = pass.textDirection;
    double r = b.glyphRadius + dir * (g.planetGlyphSize / 2.0 + 0.6 * pass.textStep);
    centredText(c, x.at(b.shownLon, r), yf, std::to_string(deg));
    if (withSign) {
      r += dir * pass.textStep;
      const gfx::Point sp = x.at(b.shownLon, r);
      const int sign = signOfLongitude(lon);
      x.pen(0, colourOf(col, col::kSignGlyph + sign - 1));
      dr_sig(c, sp.x, sp.y, rounded(g.planetGlyphSize * 0.75 * 0.8), sign, device);
    }
    if (withMinutes) {
      r += dir * pass.textStep;
      centredText(c, x.at(b.shownLon, r), yf, minutesText(min));
    }
  }
}

void AspectIndicator(gfx::Canvas& c, const WheelPlan& plan, const ChPar& t, const ChCol& col,
                     GlyphHitTable& hits) {
  const int yf = plan.yFactor;
  const double cx = plan.width / 2.0, cy = std::abs(plan.height) / 2.0;
  if (isPrinterDevice(plan.device)) {
    c.setFont(defaultWheelFonts()[1]);
  } else {
    c.setFont(gfx::StockFont::System);
  }
  c.setTextColour(colourOf(col, col::kName));
  c.setTextBackground(std::nullopt);
  const int left = rounded(0.012 * cx);
  c.text({left, rounded(0.2 * cy) * yf}, "Aspects:");
  const int size = rounded(0.07 * cy * 0.75);
  const int gx = rounded(std::max(0.03 * cx, 0.6 * size));
  double y = 0.2 * cy + c.metrics().height + 0.045 * cy;
  static constexpr gfx::PenStyle kStyles[6] = {gfx::PenStyle::Null,    gfx::PenStyle::Solid,
                                               gfx::PenStyle::Dash,    gfx::PenStyle::Dot,
                                               gfx::PenStyle::DashDot, gfx::PenStyle::DashDotDot};
  for (int a = 0; a < 9; ++a) {
    const int type = std::clamp(static_cast<int>(t.aspectLine[a]), 0, 5);
    if (type == 0) continue;
    const gfx::Point at{gx, rounded(y) * yf};
    const gfx::Colour colour = colourOf(col, col::kAspect + a);
    c.setPen({gfx::PenStyle::Solid, wheelPenWidth(plan, 1), colour});
    dr_asp(c, at.x, at.y, size, a, plan.device);
    hits.set(hit::kFirstAspect + a, at);
    // A sample of the line beside the glyph (the conjunction's brackets have none).
    if (a > 0) {
      c.setPen({kStyles[type], wheelPenWidth(plan, type == 1 ? 0 : 1), colour});
      c.line({gx + rounded(0.75 * size), at.y}, {gx + rounded(0.75 * size) + rounded(0.045 * cx), at.y});
    }
    y += 0.082 * cy;
  }
}

void zykdraw(gfx::Canvas& c, int width, int height, int device, const CIni& settings, const Chart1& chart,
             const Chart2& computed, const Chart1& second, const Chart2& secondComputed, const ChPar& type,
             const ChCol& colours, GlyphHitTable& hits, const WheelFonts* printerFonts) {
  const WheelPlan plan =
      planWheel({settings, chart, computed, second, secondComputed, type, width, height, device});
  hits = plan.hits;
  const int yf = plan.yFactor;
  if (colours.colour[col::kBackground] != 0) {
    const int top = std::min(0, height), bottom = std::max(0, height);
    c.fillRect({0, top, width, bottom}, colourOf(colours, col::kBackground));
  }
  if (plan.heptagram) {
    const WheelPass& p = plan.passes.front();
    const int st = type.style;
    const double s = std::abs(static_cast<double>(height));
    const int mode = (st == style::kMandalaHeptWeek || st == style::kMandalaHeptHour) ? 108 : 1;
    const int order =
        (st == style::kHeptagramHour || st == style::kMandalaHeptHour) ? kHourOrder : kWeekOrder;
    if (st == style::kHeptagramDouble) {
      const int d = rounded(std::min(0.54 * width, 1.1 * s));
      for (int k = 0; k < 2; ++k) {
        const int cx = rounded(width * (k == 0 ? 0.25 : 0.75));
        for (int bold = 0; bold < 2; ++bold)
          ashept(&c, device, cx + bold, p.g.cy, d, computed, &colours, k == 0 ? kWeekOrder : kHourOrder, 1);
      }
    } else {
      const int d = rounded(std::min(0.85 * width, 1.1 * s));
      for (int bold = 0; bold < 2; ++bold)
        ashept(&c, device, p.g.cx + bold, p.g.cy, d, computed, &colours, order, mode);
    }
    if (p.type.dataBlock == 1 || p.type.dataBlock == 27)
      writeit(c, plan, settings, chart, computed, second, colours, printerFonts);
    (void)yf;
    return;
  }
  for (const WheelPass& p : plan.passes) {
    const Ctx x{c, plan, p, colours};
    const ChPar& t = p.type;
    const WheelGeometry& g = p.g;
    const gfx::Point centre = centreOf(g);
    if (!p.outer && t.style < style::kMandala1) dr_zod(c, plan, p, colours, hits);
    // The wheel's inner circle and its fill.
    if (!p.outer) {
      const bool fill = colours.colour[col::kWheelFill] != colours.colour[col::kBackground];
      if (fill && g.innerRadius > 0) c.fillDisc(centre, g.innerRadius, colourOf(colours, col::kWheelFill));
      if (t.style > 10) {
        x.pen(colours.width[pen::kInnerCircle], colourOf(colours, col::kInnerCircle));
        if (g.innerRadius > 0) circle(c, centre, g.innerRadius);
        if (t.style == style::kStandard3) circle(c, centre, g.innerRadius + g.ringWidth);
      }
    }
    if (t.style == style::kSolarSystem) {
      x.pen(0, colourOf(colours, col::kInnerCircle));
      for (int i = 0; i <= 10; ++i) circle(c, centre, rounded((i + 0.5) * g.outerRadius / 12.0));
    } else if (t.style == style::kSevenSpheres) {
      x.pen(0, colourOf(colours, col::kInnerCircle));
      for (int i = 0; i < 7; ++i) circle(c, centre, rounded(g.outerRadius / 9.0 * (i + 1)));
    }
    if (isMandalaStyle(t.style) && !p.outer)
      dr_mand(c, plan, p, t.style == style::kMandala1 ? 1 : 2, colours, hits);
    if (isPrinterDevice(device)) {
      c.setFont(printerFonts ? (*printerFonts)[5] : defaultWheelFonts()[5]);
    } else {
      c.setFont(gfx::StockFont::System);
    }
    paintCusps(x, settings);
    paintAspects(x);
    dr_pletcu(c, plan, p, colours, printerFonts);
    if (!p.outer) {
      if (t.style != style::kStandard3 && t.style != style::kSolarSystem && t.style != style::kSevenSpheres &&
          t.aspectIndicator > 0)
        AspectIndicator(c, plan, t, colours, hits);
      paintEarthOrSun(x, hits);
    }
  }
  const WheelPass& inner = plan.passes.front();
  if (inner.type.dataBlock == 1 || inner.type.dataBlock == 27)
    writeit(c, plan, settings, chart, computed, second, colours, printerFonts);
}

}  // namespace talpora
