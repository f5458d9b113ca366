// zykhept: the heptagram of the seven classical planets as pure geometry: where each planet sits on
// the seven vertices, which chords link them, and the symmetry of the figure.
#pragma once
#include <array>

#include "core/records.h"

namespace talpora {

// Planets of the heptagram: 1 Sun, 2 Moon, 3 Mercury, 4 Venus, 5 Mars, 6 Jupiter, 7 Saturn.
inline constexpr int kWeekOrder = 1;        // Sun, Moon, Mars, Mercury, Jupiter, Venus, Saturn
inline constexpr int kHourOrder = 2;        // Saturn, Jupiter, Mars, Sun, Venus, Mercury, Moon
inline constexpr int kDemonstration = 777;  // the built-in configuration, week order
inline constexpr int kClassifyOnly = 999;   // mode: classify, draw nothing

struct Heptagram {
  std::array<int, 8> planetAt{};                // planet at vertex 1..7 (index 0 unused)
  std::array<int, 8> vertexOf{};                // vertex of planet 1..7
  std::array<std::array<bool, 8>, 8> linked{};  // linked[a][b]: chord between planets a and b
  int order = kWeekOrder;
  int count = 0;             // symmetry axes found
  int pole = 0;              // planet at the pole vertex (0: none)
  int base1 = 0, base2 = 0;  // planets of the base line (0: none)
};

// Vertex arithmetic: any integer to 1..7.
int compute_value(int v);
// The rank of planet 1..7 in a linking order (1..7).
int heptagramRank(int order, int planet);

// Places the seven planets (longitudes of Sun..Saturn, degrees) from the reference longitude (the
// Midheaven) and classifies the figure of the given linking order. Pure.
Heptagram classifyHeptagram(const std::array<double, 7>& longitudes, double reference, int order);
// The same from a computed chart (its Midheaven as reference); order 777 gives the demonstration.
Heptagram classifyHeptagram(const Chart2& computed, int order);

// "Asymetrical Heptagram", "Symetrical Heptagram" or "Perfect Heptagram" by the count of axes.
const char* heptagramKindName(int count);

}  // namespace talpora
