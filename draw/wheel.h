// zykwheel, zykzodiac, zykplanet: the wheel painter. zykdraw paints one chart, or an inner and an outer
// chart on one wheel, with a drawing type; it computes the plan first (draw/wheel_geometry.h) and then
// walks it layer by layer over the canvas. The same code paints on screens, images and paper.
#pragma once
#include <array>

#include "core/records.h"
#include "draw/drawing_type.h"
#include "draw/wheel_geometry.h"
#include "platform/gfx.h"

namespace talpora {

// The eight printer fonts of a colour set (its slots 71 to 78; slot 77 writes the planets' degrees).
using WheelFonts = std::array<gfx::FontSpec, 8>;
// The fonts the drawing program creates for printing: "Helv" of 5.0, 3.9, 5.0, 3.9, 3.9, 3.9, 3.3 and
// 3.3 mm.
WheelFonts defaultWheelFonts();

// Paints a chart (a double chart when `chart.doubleChart` is set: the inner chart `computed`, the
// outer `secondComputed`) on a drawing area of width x height device units (height negative on a
// printer, whose y grows upwards), and fills the glyph-position table. The records are not changed.
void zykdraw(gfx::Canvas&, int width, int height, int deviceCode, const CIni& settings, const Chart1& chart,
             const Chart2& computed, const Chart1& second, const Chart2& secondComputed, const ChPar& type,
             const ChCol& colours, GlyphHitTable& hits, const WheelFonts* printerFonts = nullptr);

// The layers, for painters that compose their own pictures.
// Zodiac rings of a pass (innermost sign glyph centres into the table).
void dr_zod(gfx::Canvas&, const WheelPlan&, const WheelPass&, const ChCol&, GlyphHitTable&);
// Ticks, glyphs, degree texts and conjunction brackets of a pass.
void dr_pletcu(gfx::Canvas&, const WheelPlan&, const WheelPass&, const ChCol&,
               const WheelFonts* printerFonts);
// The legend of the aspect lines at the left edge (glyph centres into the table).
void AspectIndicator(gfx::Canvas&, const WheelPlan&, const ChPar&, const ChCol&, GlyphHitTable&);
// The Earth at the centre: a blue disc of the given radius.
void drawearth(gfx::Canvas&, const WheelPlan&, const WheelGeometry&, int radius, GlyphHitTable&);

// A pen width of the colour set (16-bit slot) in device units: as stored on paper, scaled with the
// drawing on screens and images so that a large picture keeps the look of the screen.
int wheelPenWidth(const WheelPlan&, int storedWidth);

}  // namespace talpora
