// zykglyph: the astrological symbols drawn as strokes with the current pen, at any size, upright on
// screens (y down) and on paper (y up), so one glyph serves a 30 mm print and a full-screen wheel.
#pragma once
#include "platform/gfx.h"

namespace talpora {

// Device codes: 1..999 screen, 1000..9999 printer, 10000 and above screen. The vertical sign: +1 where
// y grows downwards (screens), -1 on printers (y grows upwards).
constexpr int verticalSign(int device) {
  return (device < 1000 || device > 9999) ? 1 : -1;
}
constexpr bool isScreenDevice(int device) {
  return device >= 1 && device <= 999;
}

// Sign glyphs 1 (Aries) .. 12 (Pisces), centred on (x, y), s device units across.
void dr_sig(gfx::Canvas&, int x, int y, int s, int sign, int device);
// Planet glyphs: 0 Earth, 1 Sun, 2 Moon, 3 Mercury ... 10 Pluto, 11 North Node, 12 South Node,
// 13 Black Moon, 14 Chiron, 17 Part of Fortune (the Earth at 0.6 of the size). Other codes: nothing.
void dr_pl(gfx::Canvas&, int x, int y, int s, int code, int device);
// Aspect glyphs 0 (conjunction) .. 8 (quintile), -1 parallel, -2 contraparallel. Other codes: nothing.
void dr_asp(gfx::Canvas&, int x, int y, int s, int aspect, int device);
// A star polygon with an odd number of branches n, joining every (n div 2)-th vertex.
void OddNbBranchStar(gfx::Canvas&, int n, int quarterTurns, int halfTurns, int x, int y, int r, int device);

// The planet glyph code of a chart object (0 Sun .. 13 Chiron, 16 Part of Fortune); -1 for objects
// that have no glyph (Ascendant, Midheaven).
int glyphCodeOfObject(int object);

}  // namespace talpora
