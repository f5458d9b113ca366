// zykhept, zykmandala: heptagram placement, linking and symmetry classification; mandala petals.
#include "draw/heptagram.h"

#include <cmath>

#include "core/angles.h"
#include "draw/glyphs.h"

namespace talpora {
Heptagram ashept(gfx::Canvas* canvas, int device, int cx, int cy, int size, const Chart2& computed,
                 const ChCol* colours, int order, int mode) {
  const Heptagram h = classifyHeptagram(computed, order);
  if (mode == kClassifyOnly || canvas == nullptr) return h;
  gfx::Canvas& c = *canvas;
  // Printers (y up) turn the figure over; screens and pictures (y down, codes 1 to 999 and from 10000)
  // keep it. Pens: thin on a screen, 2 and 3 units on paper, growing with the figure on a picture.
  const bool printer = device >= 1000 && device <= 9999;
  const bool screen = device >= 1 && device <= 999;
  const int g = printer ? -1 : 1;
  const int thin = printer ? 2 : screen ? 0 : static_cast<int>(std::lround(size / 700.0));
  const int bold = printer ? 3 : screen ? 0 : static_cast<int>(std::lround(size / 500.0));
  double f = size / 3.0, hOff = size / 25.0, k = size / 22.0;
  if (mode == 108) {
    f = 0.29 * size;
    k = 0.05 * size;
    hOff = 0.06 * size;
  }
  auto colour = [&](int slot) {
    return colours ? static_cast<gfx::Colour>(colours->colour[slot]) : gfx::Colour{0};
  };
  c.setFill(std::nullopt);
  c.setPen({gfx::PenStyle::Solid, thin, colour(1)});
  auto circle = [&](double r) {
    const int ir = static_cast<int>(std::lround(r));
    c.ellipse({cx - ir, cy - ir, cx + ir, cy + ir});
  };
  circle(f);
  if (mode == 1) circle(0.42 * size);
  // One petal round each planet.
  if (mode == 108)
    dr_roundpet(c, device, cx, cy, static_cast<int>(std::lround(f)), 7,
                static_cast<int>(std::lround(k * 2.6)), 1.5, 90.00005);
  auto vertexPoint = [&](int v, double r) {
    const double a = ((v - 1) * 51.4285714285714306 + 90 + 0.00005) * kPi / 180;
    return gfx::Point{cx + static_cast<int>(std::lround(std::cos(a) * r)),
                      cy - static_cast<int>(std::lround(std::sin(a) * r * g))};
  };
  for (int v = 1; v <= 7; ++v) {
    const int planet = h.planetAt[v];
    c.setPen({gfx::PenStyle::Solid, bold, colour(43 + planet)});
    const gfx::Point at = vertexPoint(v, f + hOff);
    dr_pl(c, at.x, at.y, static_cast<int>(std::lround(k)), planet, device);
  }
  c.setPen({gfx::PenStyle::Solid, bold, colour(63)});
  const int sequenceWeek[7] = {1, 2, 5, 3, 6, 4, 7}, sequenceHour[7] = {7, 6, 5, 1, 4, 3, 2};
  const int* seq = h.order == kHourOrder ? sequenceHour : sequenceWeek;
  for (int i = 0; i < 7; ++i)
    c.line(vertexPoint(h.vertexOf[seq[i]], f), vertexPoint(h.vertexOf[seq[(i + 1) % 7]], f));
  return h;
}

// Regular petals: pointed leaves (two curves meeting at both ends) standing on the circle, `size` across
// at their widest and ratio x size long. The sign glyphs go half way up the leaves.
int dr_regpet(gfx::Canvas& c, int device, int cx, int cy, int radius, int petals, int size, double ratio) {
  const int g = (device >= 1000 && device <= 9999) ? -1 : 1;
  const double length = size * ratio;
  for (int i = 0; i < petals && petals > 0; ++i) {
    const double a = 2 * kPi * (i + 0.5) / petals;
    const double ux = std::cos(a), uy = std::sin(a), vx = -uy, vy = ux;
    auto pt = [&](double along, double across) {
      const double x = (radius + along) * ux + across * vx, y = (radius + along) * uy + across * vy;
      return gfx::Point{cx + static_cast<int>(std::lround(x)), cy - g * static_cast<int>(std::lround(y))};
    };
    gfx::Point leaf[17];
    for (int k = 0; k <= 8; ++k) {
      // Half-width along the leaf: a sine arch, widest a little below the middle.
      const double t = k / 8.0;
      const double w = 0.5 * size * std::pow(std::sin(kPi * t), 0.85) * (1.0 - 0.15 * t);
      leaf[k] = pt(length * t, w);
      leaf[16 - k] = pt(length * t, -w);
    }
    c.polyline(leaf);
  }
  return static_cast<int>(std::lround(radius + length * 0.5));
}

// Round petals: half discs of diameter ratio x size standing on the circle, one per sector. The sign
// glyphs go half way out.
int dr_roundpet(gfx::Canvas& c, int device, int cx, int cy, int radius, int petals, int size, double ratio,
                double firstDeg) {
  if (petals <= 0) return radius;
  if (firstDeg < 0) firstDeg = 180.0 / petals;
  const double r = size * ratio / 2;
  const int g = (device >= 1000 && device <= 9999) ? -1 : 1;
  for (int i = 0; i < petals; ++i) {
    const double aDeg = firstDeg + 360.0 * i / petals;
    const double a = aDeg * kPi / 180;
    const int px = cx + static_cast<int>(std::lround(radius * std::cos(a)));
    const int py = cy - g * static_cast<int>(std::lround(radius * std::sin(a)));
    const int ir = static_cast<int>(std::lround(r));
    // The outer half of a disc centred on the circle (angles as seen: the same on every device).
    c.arc({px - ir, py - ir, px + ir, py + ir}, aDeg - 90, 180);
  }
  return static_cast<int>(std::lround(radius + r * 0.5));
}

}  // namespace talpora
