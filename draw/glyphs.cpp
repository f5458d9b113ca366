// zykglyph: sign, planet and aspect glyphs built from lines and arcs.
// Every glyph is described in its own unit square (u to the right, v upwards, centre at 0, 0, one unit
// = the size s) and mapped onto the device as (x + u s, y - e v s), e being the device's vertical sign.
// Arc angles are as seen on the output (counter-clockwise from 3 o'clock), so they need no mapping.
#include "draw/glyphs.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/angles.h"

namespace talpora {
namespace {

class Pen {
 public:
  Pen(gfx::Canvas& c, int x, int y, double s, int device)
      : c_(c), x_(x), y_(y), s_(s), e_(verticalSign(device)), screen_(isScreenDevice(device)) {}

  gfx::Point at(double u, double v) const {
    return {x_ + static_cast<int>(std::lround(u * s_)), y_ - e_ * static_cast<int>(std::lround(v * s_))};
  }
  void line(double u1, double v1, double u2, double v2) { c_.line(at(u1, v1), at(u2, v2)); }
  void poly(std::initializer_list<std::array<double, 2>> pts) {
    gfx::Point buf[12];
    int n = 0;
    for (const auto& p : pts) {
      if (n < 12) buf[n++] = at(p[0], p[1]);
    }
    c_.polyline(std::span<const gfx::Point>(buf, static_cast<std::size_t>(n)));
  }
  gfx::Rect box(double cu, double cv, double ru, double rv) const {
    const gfx::Point c = at(cu, cv);
    const int ix = static_cast<int>(std::lround(ru * s_)), iy = static_cast<int>(std::lround(rv * s_));
    return {c.x - ix, c.y - iy, c.x + ix, c.y + iy};
  }
  // An arc of the ellipse centred on (cu, cv) with radii ru, rv.
  void arc(double cu, double cv, double ru, double rv, double startDeg, double sweepDeg) {
    c_.arc(box(cu, cv, ru, rv), startDeg, sweepDeg);
  }
  // A full circle: one arc on screens, two half arcs elsewhere (printers render those reliably).
  void circle(double cu, double cv, double r) { ellipseOutline(cu, cv, r, r); }
  void ellipseOutline(double cu, double cv, double ru, double rv) {
    const gfx::Rect b = box(cu, cv, ru, rv);
    if (screen_) {
      c_.arc(b, 0, 360);
    } else {
      c_.arc(b, 0, 180);
      c_.arc(b, 180, 180);
    }
  }
  gfx::Canvas& canvas() { return c_; }
  int x() const { return x_; }
  int y() const { return y_; }
  int e() const { return e_; }

 private:
  gfx::Canvas& c_;
  int x_, y_;
  double s_;
  int e_;
  bool screen_;
};

// Moon crescent of radius r centred on (cu, cv): outer arc from 60 deg round the left to 300 deg,
// inner arc of the same radius centred r to the right, through the same end points.
void crescent(Pen& p, double cu, double cv, double r) {
  p.arc(cu, cv, r, r, 60, 240);
  p.arc(cu + r, cv, r, r, 120, 120);
}

void earth(Pen& p, double scale) {
  const double r = 0.6 * scale;
  p.circle(0, 0, r);
  p.line(-r, 0, r, 0);
  p.line(0, -r, 0, r);
}

}  // namespace

void dr_sig(gfx::Canvas& c, int x, int y, int s, int sign, int device) {
  Pen p(c, x, y, s, device);
  switch (sign) {
    case 1:  // Aries: a stem and two horns curling outwards
      p.line(0, -0.45, 0, 0.15);
      p.arc(-0.2, 0.15, 0.2, 0.22, 0, 220);
      p.arc(0.2, 0.15, 0.2, 0.22, 180, -220);
      break;
    case 2:  // Taurus: a circle with horns
      p.circle(0, -0.17, 0.27);
      p.arc(0, 0.32, 0.4, 0.3, 195, 150);
      break;
    case 3:  // Gemini: two pillars between two bowed beams
      p.line(-0.17, 0.3, -0.17, -0.3);
      p.line(0.17, 0.3, 0.17, -0.3);
      p.arc(0, 0.75, 0.5, 0.45, 230, 80);
      p.arc(0, -0.75, 0.5, 0.45, 50, 80);
      break;
    case 4:  // Cancer: two curls, one above facing right, one below facing left
      p.circle(-0.24, 0.1, 0.1);
      p.arc(0.0, 0.1, 0.34, 0.26, 180, -180);
      p.circle(0.24, -0.1, 0.1);
      p.arc(0.0, -0.1, 0.34, 0.26, 0, -180);
      break;
    case 5:  // Leo: a small circle, a high arch and a falling tail
      p.circle(-0.24, -0.12, 0.12);
      p.arc(-0.02, 0.12, 0.22, 0.26, 200, -200);
      p.arc(0.32, 0.02, 0.12, 0.36, 180, 140);
      break;
    case 6:  // Virgo: an m whose last leg ends in a crossed loop
      p.line(-0.38, 0.3, -0.38, -0.4);
      p.arc(-0.27, 0.22, 0.11, 0.12, 180, -180);
      p.line(-0.16, 0.22, -0.16, -0.4);
      p.arc(-0.05, 0.22, 0.11, 0.12, 180, -180);
      p.line(0.06, 0.22, 0.06, -0.35);
      p.arc(0.2, -0.15, 0.14, 0.2, 200, -250);
      break;
    case 7:  // Libra: the horizon under the setting sun
      p.line(-0.42, -0.3, 0.42, -0.3);
      p.line(-0.42, -0.08, -0.16, -0.08);
      p.line(0.16, -0.08, 0.42, -0.08);
      p.arc(0, 0.06, 0.21, 0.21, 222, -264);
      break;
    case 8:  // Scorpio: an m whose last leg ends in an arrow
      p.line(-0.38, 0.3, -0.38, -0.35);
      p.arc(-0.27, 0.22, 0.11, 0.12, 180, -180);
      p.line(-0.16, 0.22, -0.16, -0.35);
      p.arc(-0.05, 0.22, 0.11, 0.12, 180, -180);
      p.poly({{0.06, 0.22}, {0.06, -0.3}, {0.16, -0.42}, {0.4, -0.42}});
      p.poly({{0.3, -0.32}, {0.4, -0.42}, {0.3, -0.52}});
      break;
    case 9:  // Sagittarius: the archer's arrow
      p.line(-0.42, -0.42, 0.42, 0.42);
      p.poly({{0.08, 0.42}, {0.42, 0.42}, {0.42, 0.08}});
      p.line(-0.26, 0.02, 0.02, -0.26);
      break;
    case 10:  // Capricorn: a V whose right leg ends in a loop and a tail
      p.poly({{-0.42, 0.3}, {-0.24, 0.36}, {-0.12, -0.36}, {0.02, 0.3}});
      p.arc(0.2, -0.05, 0.18, 0.2, 180, -300);
      p.arc(0.0, -0.3, 0.2, 0.16, 0, -120);
      break;
    case 11:  // Aquarius: two waves
      p.poly({{-0.42, 0.04}, {-0.21, 0.2}, {0.0, 0.04}, {0.21, 0.2}, {0.42, 0.04}});
      p.poly({{-0.42, -0.24}, {-0.21, -0.08}, {0.0, -0.24}, {0.21, -0.08}, {0.42, -0.24}});
      break;
    case 12:  // Pisces: two fishes back to back, tied together
      p.arc(-0.62, 0, 0.42, 0.42, -52, 104);
      p.arc(0.62, 0, 0.42, 0.42, 128, 104);
      p.line(-0.32, 0, 0.32, 0);
      break;
    default:
      break;
  }
}

void dr_pl(gfx::Canvas& c, int x, int y, int s, int code, int device) {
  Pen p(c, x, y, s, device);
  switch (code) {
    case 0:  // Earth: a circle with a cross
      earth(p, 1.0);
      break;
    case 17:  // Part of Fortune: the Earth glyph at 0.6 of the size
      earth(p, 0.6);
      break;
    case 1: {  // Sun: a circle 1.2 across and a dot of two device units (more on big glyphs)
      p.circle(0, 0, 0.6);
      const int d = std::max(1, s / 24);
      c.ellipse({x - d, y - d * p.e(), x + d, y + d * p.e()});
      break;
    }
    case 2:  // Moon: a crescent
      crescent(p, 0.05, 0, 0.5);
      break;
    case 3:  // Mercury: horns, circle, cross
      p.arc(0, 0.46, 0.2, 0.16, 200, 140);
      p.circle(0, 0.08, 0.22);
      p.line(0, -0.14, 0, -0.55);
      p.line(-0.15, -0.36, 0.15, -0.36);
      break;
    case 4:  // Venus: circle over a cross
      p.circle(0, 0.16, 0.28);
      p.line(0, -0.12, 0, -0.6);
      p.line(-0.17, -0.38, 0.17, -0.38);
      break;
    case 5:  // Mars: circle with an arrow to the upper right
      p.circle(-0.1, -0.1, 0.3);
      p.line(0.112, 0.112, 0.45, 0.45);
      p.poly({{0.2, 0.45}, {0.45, 0.45}, {0.45, 0.2}});
      break;
    case 6:  // Jupiter: a crescent-like hook on a cross bar, a tall upright
      p.arc(-0.24, 0.22, 0.18, 0.22, 150, -240);
      p.line(-0.24, 0.0, -0.42, -0.2);
      p.line(-0.42, -0.2, 0.4, -0.2);
      p.line(0.2, 0.45, 0.2, -0.5);
      break;
    case 7:  // Saturn: a cross on a sickle
      p.line(-0.2, 0.52, -0.2, -0.22);
      p.line(-0.38, 0.32, 0.02, 0.32);
      p.arc(0.02, -0.02, 0.22, 0.2, 165, -200);
      p.arc(0.12, -0.42, 0.12, 0.2, 90, 110);
      break;
    case 8:  // Uranus: two uprights, a bar, a stem and a small circle
      p.line(-0.3, 0.48, -0.3, 0.02);
      p.line(0.3, 0.48, 0.3, 0.02);
      p.line(-0.3, 0.25, 0.3, 0.25);
      p.line(0, 0.48, 0, -0.26);
      p.circle(0, -0.38, 0.12);
      break;
    case 9:  // Neptune: the trident
      p.arc(0, 0.36, 0.34, 0.34, 180, 180);
      p.line(-0.34, 0.36, -0.34, 0.5);
      p.line(0.34, 0.36, 0.34, 0.5);
      p.line(0, 0.55, 0, -0.55);
      p.line(-0.18, -0.3, 0.18, -0.3);
      break;
    case 10:  // Pluto: a circle in a bowl over a cross
      p.circle(0, 0.3, 0.14);
      p.arc(0, 0.3, 0.3, 0.3, 180, 180);
      p.line(0, 0.0, 0, -0.55);
      p.line(-0.18, -0.32, 0.18, -0.32);
      break;
    case 11:  // North Node: an arch standing on two small circles
      p.arc(0, 0.05, 0.28, 0.34, 0, 180);
      p.line(-0.28, 0.05, -0.28, -0.22);
      p.line(0.28, 0.05, 0.28, -0.22);
      p.circle(-0.28, -0.32, 0.1);
      p.circle(0.28, -0.32, 0.1);
      break;
    case 12:  // South Node: the North Node upside down
      p.arc(0, -0.05, 0.28, 0.34, 180, 180);
      p.line(-0.28, -0.05, -0.28, 0.22);
      p.line(0.28, -0.05, 0.28, 0.22);
      p.circle(-0.28, 0.32, 0.1);
      p.circle(0.28, 0.32, 0.1);
      break;
    case 13:  // Black Moon: a crescent over a cross
      crescent(p, 0.03, 0.22, 0.3);
      p.line(0, -0.08, 0, -0.6);
      p.line(-0.17, -0.34, 0.17, -0.34);
      break;
    case 14:  // Chiron: a key, a circle under an upright with a K-shaped bit
      p.circle(0, -0.36, 0.16);
      p.line(0, -0.2, 0, 0.55);
      p.line(0, 0.18, 0.28, 0.5);
      p.line(0, 0.18, 0.28, -0.06);
      break;
    default:
      break;
  }
}

void OddNbBranchStar(gfx::Canvas& c, int n, int quarterTurns, int halfTurns, int x, int y, int r,
                     int device) {
  if (n < 3 || n % 2 == 0 || r <= 0) return;
  const int e = verticalSign(device);
  const double base = 1.57 * quarterTurns + 3.1416 * halfTurns;
  auto vertex = [&](int i) {
    const double a = base + 6.283 * i / n;
    return gfx::Point{x + static_cast<int>(std::lround(r * std::cos(a))),
                      y - e * static_cast<int>(std::lround(r * std::sin(a)))};
  };
  for (int i = 0; i < n; ++i) c.line(vertex(i), vertex(n / 2 + i));
}

void dr_asp(gfx::Canvas& c, int x, int y, int s, int aspect, int device) {
  Pen p(c, x, y, s, device);
  switch (aspect) {
    case 0:  // conjunction: a stroke up to the right and the left half of an ellipse below the centre
      p.line(0, 0, 0.25, 0.5);
      p.arc(0, -0.5, 0.25, 0.5, 90, 180);
      break;
    case 1:  // opposition: two circles joined along the diagonal
      p.circle(-0.28, -0.28, 0.14);
      p.circle(0.28, 0.28, 0.14);
      p.line(-0.18, -0.18, 0.18, 0.18);
      break;
    case 2:  // trine: a triangle
      p.poly({{0, 0.42}, {0.42, -0.3}, {-0.42, -0.3}, {0, 0.42}});
      break;
    case 3:  // square
      p.poly({{-0.34, -0.34}, {0.34, -0.34}, {0.34, 0.34}, {-0.34, 0.34}, {-0.34, -0.34}});
      break;
    case 4:  // sextile: a six-branched star
      for (int k = 0; k < 3; ++k) {
        const double a = kPi / 2 + k * kPi / 3;
        p.line(-0.45 * std::cos(a), -0.45 * std::sin(a), 0.45 * std::cos(a), 0.45 * std::sin(a));
      }
      break;
    case 5:  // inconjunction: an upright ending in an open V
      p.line(0, 0.45, 0, 0);
      p.poly({{-0.3, -0.42}, {0, 0}, {0.3, -0.42}});
      break;
    case 6:  // biquintile: the pentagram
      OddNbBranchStar(c, 5, -1, 1, x, y, s / 2, device);
      break;
    case 7:  // sesquisquare: a square with a ray out of its corner
      p.poly({{-0.38, -0.38}, {0.04, -0.38}, {0.04, 0.04}, {-0.38, 0.04}, {-0.38, -0.38}});
      p.line(0.04, 0.04, 0.4, 0.4);
      break;
    case 8: {  // quintile: a pentagon
      gfx::Point pts[6];
      for (int k = 0; k <= 5; ++k) {
        const double a = kPi / 2 + 2 * kPi * (k % 5) / 5;
        pts[k] = p.at(0.44 * std::cos(a), 0.44 * std::sin(a));
      }
      c.polyline(pts);
      break;
    }
    case -1:  // parallel of declination
    case -2:  // contraparallel: the same, crossed
      p.line(-0.2, -0.4, 0, 0.4);
      p.line(0.2, -0.4, 0.4, 0.4);
      if (aspect == -2) p.line(-0.3, 0, 0.5, 0);
      break;
    default:
      break;
  }
}

int glyphCodeOfObject(int object) {
  if (object >= 0 && object <= 13) return object + 1;
  if (object == 16) return 17;
  return -1;
}

}  // namespace talpora
