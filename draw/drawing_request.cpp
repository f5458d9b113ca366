// zykwheel: a drawing asked for by name.
#include "draw/drawing_request.h"

#include <string>

#include "draw/chart_pairs.h"
#include "draw/style_select.h"
#include "platform/text.h"

namespace talpora {
namespace {

std::string withoutMarker(std::string s) {
  for (const std::string marker : {" (*)", "(*)", "*"}) {
    if (s.size() >= marker.size() && s.compare(s.size() - marker.size(), marker.size(), marker) == 0) {
      s.resize(s.size() - marker.size());
      break;
    }
  }
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

}  // namespace

std::vector<DrawingTypeEntry> allDrawingTypes(const CIni& settings) {
  std::vector<DrawingTypeEntry> out;
  for (int f : {kFixedFile, kCustomFile}) {
    const auto types = readDrawingTypes(drawingTypeFile(settings, f));
    for (std::size_t i = 0; i < types.size(); ++i) out.push_back({f, static_cast<int>(i), types[i]});
  }
  return out;
}

std::optional<std::size_t> findDrawingType(const std::vector<DrawingTypeEntry>& types,
                                           std::string_view title) {
  for (std::size_t i = 0; i < types.size(); ++i)
    if (titleOf(types[i].type.par) == title) return i;
  const std::string wanted = lower(withoutMarker(std::string(title)));
  for (std::size_t i = 0; i < types.size(); ++i)
    if (lower(withoutMarker(titleOf(types[i].type.par))) == wanted) return i;
  return std::nullopt;
}

DrawingType drawingTypeFor(const CIni& settings, const DrawingTypeEntry& entry) {
  DrawingType type = entry.type;
  if (settings.monochrome) {
    if (auto mono = loadDrawingType(settings, entry.file, entry.index, nullptr)) type.colours = mono->colours;
  }
  return type;
}

void turnRingsToZodiac(ChPar& par, Zodiac zodiac) {
  for (int k = 1; k <= 5; ++k) {
    auto& r = par.ringKind[k];
    if (zodiac == Zodiac::Sidereal && r == 1) r = 2;
    if (zodiac == Zodiac::Sidereal && r == 4) r = 5;
    if (zodiac == Zodiac::Tropical && r == 2) r = 1;
    if (zodiac == Zodiac::Tropical && r == 5) r = 4;
  }
}

DrawingCharts prepareDrawing(const ChartSession& session, const DrawingRequest& request) {
  DrawingCharts d;
  d.type = request.type;
  if (request.first.zodiac) turnRingsToZodiac(d.type.par, *request.first.zodiac);
  const ComputedChart a = session.compute(request.first);
  d.settings = a.settings;
  d.chart = d.outerChart = a.birth;
  d.computed = d.outerComputed = a.chart;
  if (request.harmonic) {
    harmonicChart(a.birth, a.chart, *request.harmonic, d.chart, d.computed);
    d.outerChart = d.chart;
    d.outerComputed = d.computed;
  }
  if (request.second) {
    ChartQuery q = *request.second;
    if (!q.houseSystem) q.houseSystem = request.first.houseSystem;
    const ComputedChart b = session.compute(q);
    d.outerChart = b.birth;
    d.outerComputed = b.chart;
    if (request.pair == PairKind::Synastry) {
      d.chart = synastryPair(a.birth, b.birth);
    } else {
      transitsPair(d.chart, d.outerChart, request.first.zodiac == Zodiac::Sidereal);
    }
  }
  return d;
}

}  // namespace talpora
