// zykwrite: the data block of a drawing.
#include "draw/data_block.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "draw/heptagram.h"
#include "draw/wheel_geometry.h"
#include "format/printer_fonts.h"
#include "format/text_format.h"
#include "platform/text.h"

namespace talpora {
namespace {

std::string shortPlanet(int planet1to7) {
  return std::string(trim(PlanetName(planet1to7 - 1, 1, 0, 0, 0, 0)));
}

std::string ringText(int kind, const CIni& settings) {
  switch (kind) {
    case ring::kTropical:
      return "Tropical Zod.";
    case ring::kSidereal:
      return std::string("Sidereal Zod.") + (settings.ayanamsa == 2 ? " (SVP)" : " (True Ay.)");
    case ring::kConstellations:
      return "Constellations";
    case ring::kTropicalDecanates:
      return "Tropical Decanates";
    case ring::kSiderealDecanates:
      return "Sidereal Decanates";
    case ring::kNakshatras:
      return "27 Nakshatras";
    case ring::kTithis:
      return "30 Tithis";
    case ring::kSolilunar:
      return "28 solilunar sectors";
    default:
      return "";
  }
}

void heptagramLines(std::vector<DataBlockLine>& out, const Heptagram& h, DataBlockLine::Corner corner) {
  out.push_back({corner, heptagramKindName(h.count), col::kTypeText});
  out.push_back({corner, "Planets linked according to", col::kZodiacType});
  out.push_back(
      {corner,
       h.order == kHourOrder ? "the sequence of the planetary hours" : "the sequence of the week days",
       col::kZodiacType});
  if (h.count < 7) {
    out.push_back({corner, "Base = line between " + shortPlanet(h.base1) + " & " + shortPlanet(h.base2),
                   col::kHouseSystem});
    out.push_back({corner, "Pole = " + shortPlanet(h.pole) + " ", col::kHouseSystem});
  }
}

}  // namespace

std::vector<DataBlockLine> dataBlockLines(const CIni& settings, const Chart1& chart, const Chart2& computed,
                                          const Chart1& second, const ChPar& t, bool houseFallback,
                                          int houseSystemAsked) {
  using Corner = DataBlockLine::Corner;
  std::vector<DataBlockLine> out;
  const int kind = chart.chartType;
  const bool heptagram = isHeptagramStyle(t.style);
  // Top left: the moment.
  if (!chart.doubleChart && kind != chart_type::kSynastryComposite) {
    out.push_back({Corner::TopLeft,
                   ed_date(chart.day, chart.month, chart.year, 0) + " " + placeOf(chart) + " " +
                       Smart_time(chart.hour, chart.minute, 0, 0, settings),
                   col::kDate});
    out.push_back({Corner::TopLeft, "GMT: " + jd_ut2(computed.julianDay, chart.day), col::kUniversalTime});
  }
  if (kind == chart_type::kSynastryPair) out.push_back({Corner::TopLeft, "SYNASTRY CHART", col::kTypeText});
  if (kind == chart_type::kSynastryComposite)
    out.push_back({Corner::TopLeft, "COMPOSITE CHART", col::kTypeText});
  if (!chart.doubleChart && IsAstronomicalChart(0, chart, 0) && kind != chart_type::kSynastryComposite &&
      kind != chart_type::kNotAMoment && AreThereHouses(chart) && t.style != style::kStandard3) {
    out.push_back(
        {Corner::TopLeft, "Hour of " + PlanetName(computed.planetaryHour, 0, 0, 0, 0, 0), col::kDate});
  }
  // Top right: who and what.
  if (kind == chart_type::kSynastryPair) {
    out.push_back({Corner::TopRight, typeTextOf(chart) + " (inside)", col::kName});
    out.push_back({Corner::TopRight, nameOf(chart) + " (outside)", col::kName});
  } else {
    if (!nameOf(second).empty()) out.push_back({Corner::TopRight, nameOf(second), col::kName});
    if (!typeTextOf(second).empty()) out.push_back({Corner::TopRight, typeTextOf(second), col::kTypeText});
    if (IsDirectedChart(second) && !commentOf(second).empty())
      out.push_back({Corner::TopRight, commentOf(second), col::kTypeText});
  }
  if (heptagram)
    out.push_back(
        {Corner::TopRight, t.style == style::kHeptagramDouble ? "HEPTAGRAMS" : "HEPTAGRAM", col::kTypeText});
  if (t.projection == projection::kSouthView && chart.latitude < 0) {
    out.push_back({Corner::TopRight, "Chart as seen from", col::kZodiacType});
    out.push_back({Corner::TopRight, "the south hemisphere", col::kZodiacType});
  } else if (t.projection == projection::kHeliocentric) {
    out.push_back({Corner::TopRight,
                   t.style == style::kSolarSystem ? "Solar System (Heliocentric)" : "Heliocentric Chart",
                   col::kZodiacType});
  } else if (t.projection == projection::kRightAscension) {
    out.push_back({Corner::TopRight, "Right Ascension Chart", col::kZodiacType});
  }
  if (t.style == style::kSevenSpheres)
    out.push_back({Corner::TopRight, "Ancient System of the 7 spheres", col::kZodiacType});
  // Bottom left: the rings and the houses, or the heptagram's classification.
  if (heptagram) {
    if (t.style == style::kHeptagramDouble) {
      heptagramLines(out, classifyHeptagram(computed, kWeekOrder), Corner::BottomLeft);
      heptagramLines(out, classifyHeptagram(computed, kHourOrder), Corner::BottomLeftSecond);
    } else {
      const int order =
          (t.style == style::kHeptagramHour || t.style == style::kMandalaHeptHour) ? kHourOrder : kWeekOrder;
      heptagramLines(out, classifyHeptagram(computed, order), Corner::BottomLeft);
    }
    return out;
  }
  if (t.projection != projection::kRightAscension) {
    int rings = 0;
    for (int k = 1; k <= 5 && t.ringKind[k] != ring::kNone; ++k) ++rings;
    if (rings >= 2 && (t.ringKind[1] == ring::kTropical || t.ringKind[1] == ring::kSidereal))
      out.push_back({Corner::BottomLeft, "All figures relate to the inner circle", col::kZodiacType});
    static const char* kOrdinal[5] = {"Inner Circle: ", "2nd Circle: ", "3rd Circle: ", "4th Circle: ", ""};
    for (int k = 1; k <= rings; ++k) {
      const std::string label = k == rings ? "Ext. Circle: " : kOrdinal[k - 1];
      out.push_back({Corner::BottomLeft, label + ringText(t.ringKind[k], settings), col::kZodiacType});
    }
  }
  if (!isMandalaStyle(t.style) && t.houseSystem != 0) {
    out.push_back({Corner::BottomLeft, std::string("Houses = ") + dataBlockHouseSystemName(t.houseSystem),
                   col::kHouseSystem});
    if (houseFallback)
      out.push_back(
          {Corner::BottomLeft,
           std::string("(") + dataBlockHouseSystemName(houseSystemAsked) + " impossible at this latitude)",
           col::kHouseSystem});
  }
  return out;
}

void writeit(gfx::Canvas& c, const WheelPlan& plan, const CIni& settings, const Chart1& chart,
             const Chart2& computed, const Chart1& second, const ChCol& colours,
             const WheelFonts* printerFonts) {
  if (plan.passes.empty()) return;
  const WheelPass& inner = plan.passes.front();
  const ChPar& t = inner.type;
  const bool printer = isPrinterDevice(plan.device);
  const int yf = plan.yFactor;
  const int width = plan.width, height = std::abs(plan.height);
  const std::vector<DataBlockLine> lines =
      dataBlockLines(settings, chart, computed, second, t, inner.houseStatus == HouseStatus::PorphyryFallback,
                     inner.houseSystemAsked);
  const WheelFonts fonts = printerFonts ? *printerFonts : defaultWheelFonts();
  auto useFont = [&](int slot) {
    if (printer) {
      c.setFont(fonts[static_cast<std::size_t>(slot - 71)]);
    } else {
      c.setFont(gfx::StockFont::System);
    }
  };
  c.setTextBackground(std::nullopt);
  const int margin = std::max(2, static_cast<int>(std::lround(0.01 * std::min(width, height))));
  auto advance = [&]() {
    const gfx::Metrics m = c.metrics();
    return m.height + m.externalLeading;
  };
  // Top left and top right, downwards.
  int yLeft = margin, yRight = margin;
  std::vector<const DataBlockLine*> bottom, bottomSecond;
  for (const auto& l : lines) {
    const int slot = 71 + std::clamp(l.colourSlot - col::kDate, 0, 5);
    useFont(slot);
    c.setTextColour(colours.colour[l.colourSlot] & 0xFFFFFFu);
    switch (l.corner) {
      case DataBlockLine::Corner::TopLeft:
        c.text({margin, yLeft * yf}, l.text);
        yLeft += advance();
        break;
      case DataBlockLine::Corner::TopRight:
        c.text({width - margin, yRight * yf}, l.text, gfx::HAlign::Right);
        yRight += advance();
        break;
      case DataBlockLine::Corner::BottomLeft:
        bottom.push_back(&l);
        break;
      case DataBlockLine::Corner::BottomLeftSecond:
        bottomSecond.push_back(&l);
        break;
    }
  }
  // Bottom left, ending at the bottom margin; a heptagram page printed on its own starts at a fixed
  // place in the listing font.
  auto block = [&](const std::vector<const DataBlockLine*>& ls, int x) {
    if (ls.empty()) return;
    if (printer && t.dataBlock == 27) {
      gfx::FontSpec f = printerFont(settings, 3);
      f.height = 45;
      c.setFont(f);
    } else {
      useFont(76);
    }
    const int step = advance();
    int y = height - margin - step * static_cast<int>(ls.size());
    if (printer && t.dataBlock == 27) y = 1450;
    for (const auto* l : ls) {
      c.setTextColour(colours.colour[l->colourSlot] & 0xFFFFFFu);
      c.text({x, y * yf}, l->text);
      y += step;
    }
  };
  block(bottom, printer && t.dataBlock == 27 ? 95 : margin);
  block(bottomSecond, static_cast<int>(std::lround(0.6 * width)));
  if (plan.device >= 1 && plan.device <= 999) {
    useFont(71);
    c.setTextColour(colours.colour[col::kName] & 0xFFFFFFu);
    c.text({static_cast<int>(std::lround(0.76 * width)), static_cast<int>(std::lround(0.965 * height)) * yf},
           "F1 for Help");
  }
}

}  // namespace talpora
