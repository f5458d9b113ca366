// zykmandala: the mandala's circle, petals and sign glyphs.
#include "draw/mandala.h"

#include <algorithm>
#include <cmath>

#include "draw/glyphs.h"
#include "draw/heptagram.h"
#include "draw/wheel.h"

namespace talpora {

void dr_mand(gfx::Canvas& c, const WheelPlan& plan, const WheelPass& pass, int variant, const ChCol& colours,
             GlyphHitTable& hits) {
  const WheelGeometry& g = pass.g;
  const int device = plan.device;
  c.setFill(std::nullopt);
  c.setPen({gfx::PenStyle::Solid, wheelPenWidth(plan, 1), colours.colour[col::kZodiacOuter] & 0xFFFFFFu});
  const int r = g.outerRadius;
  c.ellipse({g.cx - r, g.cy - r, g.cx + r, g.cy + r});
  const double cx = plan.width / 2.0;
  // At least big enough for a sign glyph to sit inside a petal.
  const int size = std::max(static_cast<int>(std::lround((isPrinterDevice(device) ? 0.1 : 0.05) * cx)),
                            static_cast<int>(std::lround(1.7 * g.signGlyphSize)));
  c.setPen({gfx::PenStyle::Solid, wheelPenWidth(plan, 1), colours.colour[col::kZodiacCusps] & 0xFFFFFFu});
  const int glyphRadius = variant == 1 ? dr_regpet(c, device, g.cx, g.cy, r, 12, size, 1.2)
                                       : dr_roundpet(c, device, g.cx, g.cy, r, 12, size, 1.5);
  const double base = pass.type.ringKind[1] == ring::kSidereal ? pass.ayanamsa : 0.0;
  for (int k = 0; k < 12; ++k) {
    const gfx::Point at = wheelPoint(g, plan.yFactor, pass.rotation, base + 30.0 * k + 15.0, glyphRadius);
    c.setPen({gfx::PenStyle::Solid, wheelPenWidth(plan, colours.width[pen::kSignGlyph]),
              colours.colour[col::kSignGlyph + k] & 0xFFFFFFu});
    dr_sig(c, at.x, at.y, g.signGlyphSize, k + 1, device);
    hits.set(hit::kFirstSign + k, at);
  }
}

}  // namespace talpora
