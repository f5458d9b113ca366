// zykintdlg: what a chart says about a glyph of its wheel (a planet, a sign, an aspect indicator or
// the Earth), as the lines of the drawing program's list, and the start of the interpreter program
// for a line the user double-clicks.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "core/records.h"
#include "draw/drawing_type.h"
#include "platform/sys.h"
#include "platform/ui.h"

namespace talpora {

// Glyph items: 0..16 an object, 17..28 a sign ((item - 17) mod 12, 0 Aries), 29..37 the aspect
// indicator of aspect item - 29, 38 the Earth pictogram.
inline constexpr int kGlyphFirstSign = 17, kGlyphFirstAspect = 29, kGlyphEarth = 38;

// What a line starts: the interpreter program with mode 1 (an aspect: the two objects), 2 (an object
// in a house: object and house system) or 4 (an object in a sign: object and zodiac, 0 tropical,
// 1 sidereal).
struct GlyphAction {
  int mode = 0;
  int key1 = 0;
  int key2 = 0;
  bool operator==(const GlyphAction&) const = default;
};

struct GlyphLine {
  std::string text;                   // CP1252
  std::optional<GlyphAction> action;  // set for the lines marked "** "
};

// The lines of the list for a glyph item, in order, the trailer included when a line is marked. The
// drawing type is normalised for the chart first, so that the list names what the wheel shows (a
// fixed type takes the settings' house system). An item outside 0..38 gives no line.
std::vector<GlyphLine> glyphExplanation(int item, const CIni& settings, const Chart1& chart,
                                        const Chart2& computed, const ChPar& type);

// The interpreter's command tail for an action: "N, m, k1, k2".
std::string interpreterTail(long handle, const GlyphAction& action);

// key 0 does nothing (the list is filled from glyphExplanation). For key k >= 1, when line k of the
// item's list is marked: writes the chart as charts A and B to the transfer file "DATA10.DTF" and
// starts the interpreter program for that line. Each failure is shown through `ui`. 1 when the
// program was started, 0 otherwise.
int Interpreter(int item, const CIni& settings, const Chart1& chart, const Chart2& computed,
                const ChPar& type, int key, sys::ProcessLauncher& launcher, ui::Interaction& ui);

}  // namespace talpora
