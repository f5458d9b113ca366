// zykmandala: the mandala styles: a circle of twelve petals round the wheel with the sign glyphs in
// them.
#pragma once
#include "draw/drawing_type.h"
#include "draw/wheel_geometry.h"
#include "platform/gfx.h"

namespace talpora {

// Variant 1: regular (pointed) petals; 2: round petals. The sign glyphs stand at the middle of each
// 30-degree sector, in the pass's rotation; their centres go into the table (entries 17 to 28).
void dr_mand(gfx::Canvas&, const WheelPlan&, const WheelPass&, int variant, const ChCol&, GlyphHitTable&);

}  // namespace talpora
