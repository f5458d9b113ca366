// zykhept, zykmandala: the drawing of the heptagram of the seven classical planets (its classification
// is in core/heptagram.h) and the mandala petals.
#pragma once
#include "core/drawing_records.h"
#include "core/heptagram.h"
#include "core/records.h"
#include "platform/gfx.h"

namespace talpora {

// Draws (mode 1: with an extra circle; 108: the "Mandala Hept." variant with round petals; other
// modes: plain) and classifies; mode 999 only classifies and may be given no canvas.
// Returns the classification (count, pole, base) as the out values of the drawing call.
Heptagram ashept(gfx::Canvas* canvas, int device, int cx, int cy, int size, const Chart2& computed,
                 const ChCol* colours, int order, int mode);

// Petals round a circle of radius `radius`: `petals` shapes of the given size and length ratio, centred
// on the middles of equal sectors counted from 3 o'clock (round petals: or from `firstDeg`, degrees
// counter-clockwise as seen). Both return the radius at which the sign glyphs go.
int dr_regpet(gfx::Canvas&, int device, int cx, int cy, int radius, int petals, int size, double ratio);
int dr_roundpet(gfx::Canvas&, int device, int cx, int cy, int radius, int petals, int size, double ratio,
                double firstDeg = -1);

}  // namespace talpora
