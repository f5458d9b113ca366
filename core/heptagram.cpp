// zykhept: heptagram placement, linking and symmetry classification.
#include "core/heptagram.h"

#include <cmath>

#include "core/angles.h"

namespace talpora {
namespace {

// Rank of Sun..Saturn in each linking order.
constexpr int kRankWeek[8] = {0, 7, 1, 3, 5, 2, 4, 6};
constexpr int kRankHour[8] = {0, 4, 7, 6, 5, 3, 2, 1};
constexpr int kSequenceWeek[7] = {1, 2, 5, 3, 6, 4, 7};
constexpr int kSequenceHour[7] = {7, 6, 5, 1, 4, 3, 2};

}  // namespace

int compute_value(int v) {
  if (v < 0) v += 70;
  v %= 7;
  return v == 0 ? 7 : v;
}

int heptagramRank(int order, int planet) {
  if (planet < 1 || planet > 7) return 0;
  return order == kHourOrder ? kRankHour[planet] : kRankWeek[planet];
}

Heptagram classifyHeptagram(const std::array<double, 7>& lon, double reference, int order) {
  Heptagram h;
  h.order = order == kHourOrder ? kHourOrder : kWeekOrder;
  // The starting planet: least plain difference from the reference (no wrap), the first on ties.
  int start = 1;
  for (int k = 2; k <= 7; ++k)
    if (std::fabs(lon[k - 1] - reference) < std::fabs(lon[start - 1] - reference)) start = k;
  std::array<double, 8> rotated{};
  for (int k = 1; k <= 7; ++k) rotated[k] = norm360(lon[k - 1] - (lon[start - 1] - 0.0001));
  // The k-th smallest rotated longitude goes to vertex k.
  std::array<bool, 8> taken{};
  for (int v = 1; v <= 7; ++v) {
    int best = 0;
    for (int k = 1; k <= 7; ++k)
      if (!taken[k] && (best == 0 || rotated[k] < rotated[best])) best = k;
    taken[best] = true;
    h.planetAt[v] = best;
    h.vertexOf[best] = v;
  }
  const int* seq = h.order == kHourOrder ? kSequenceHour : kSequenceWeek;
  for (int i = 0; i < 7; ++i) {
    const int a = seq[i], b = seq[(i + 1) % 7];
    h.linked[a][b] = h.linked[b][a] = true;
  }
  auto linkedVertices = [&](int v1, int v2) {
    return h.linked[h.planetAt[compute_value(v1)]][h.planetAt[compute_value(v2)]];
  };
  auto rank = [&](int planet) { return heptagramRank(h.order, planet); };

  int fallbackPole = 0, fallbackBase1 = 0, fallbackBase2 = 0;
  for (int p = 1; p <= 7; ++p) {
    int j = 0, m = 0;
    for (int step = 1; step <= 3; ++step) {
      if (linkedVertices(p + step, p - step)) {
        ++j;
        m = step;
      }
    }
    if (j != 1) continue;
    const int pole = h.planetAt[p];
    int b1 = h.planetAt[compute_value(p + m)], b2 = h.planetAt[compute_value(p - m)];
    if (compute_value(rank(b2) - rank(pole)) < compute_value(rank(b1) - rank(pole))) std::swap(b1, b2);
    if (rank(b1) == compute_value(rank(pole) + 1) || rank(pole) == compute_value(rank(b2) + 1)) continue;
    if (rank(b1) == compute_value(rank(pole) + 2) || rank(pole) == compute_value(rank(b2) + 2)) {
      fallbackPole = pole;
      fallbackBase1 = b1;
      fallbackBase2 = b2;
    }
    bool symmetrical = true;
    for (int d = 1; d <= 3 && symmetrical; ++d)
      for (int l = 1; l <= 6 && symmetrical; ++l)
        if (linkedVertices(p + d, p + d + l) != linkedVertices(p - d, p - d - l)) symmetrical = false;
    if (symmetrical) {
      ++h.count;
      h.pole = pole;
      h.base1 = b1;
      h.base2 = b2;
    }
  }
  if (h.pole == 0) h.pole = fallbackPole;
  if (h.base1 == 0) {
    h.base1 = fallbackBase1;
    h.base2 = fallbackBase2;
  }
  return h;
}

Heptagram classifyHeptagram(const Chart2& computed, int order) {
  if (order == kDemonstration) return classifyHeptagram({5, 15, 8, 6, 19, 18, 16}, 3.0, kWeekOrder);
  std::array<double, 7> lon{};
  for (int k = 0; k < 7; ++k) lon[k] = computed.objects[k];
  return classifyHeptagram(lon, computed.objects[kMidheaven], order);
}

const char* heptagramKindName(int count) {
  if (count <= 0) return "Asymetrical Heptagram";
  if (count >= 7) return "Perfect Heptagram";
  return "Symetrical Heptagram";
}

}  // namespace talpora
