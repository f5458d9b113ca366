// zykmeans: a whole interpretation (analysis once, then the sections in the interpreter's order).
#include "interpretation/interpretation.h"

#include "format/text_format.h"
#include "interpretation/bank_format.h"
#include "interpretation/writers.h"

namespace talpora {

ChartAnalysis AnalyseChart(const CIni& settings, const Chart1& chart, const Chart2& computed) {
  ChartAnalysis a;
  std::array<double, 14> longitudes{};
  for (int i = 0; i < 14; ++i) longitudes[static_cast<std::size_t>(i)] = computed.objects[i];
  SortOutPlanets(14, longitudes, a.order, computed.cusps[0]);
  a.clusterCount = ClusterTable(14, computed, a.order, a.clusters, 10, 10);
  AspectTable(0, 0, 1, 0, 1, 1, settings, chart, computed, chart, computed, a.aspects);
  AspectFormationsTable(16, a.aspects, a.formations);
  return a;
}

void PointsToNotice(Report& report, unsigned long* length, const CIni& settings, const Chart1& chart,
                    const Chart2& computed, const ChartAnalysis& analysis) {
  InterpretPlanetaryStrength(report, length, settings, chart, computed, analysis.aspects);
  AddLine(report, length, "", 0, 0);
  InterpretFormation(report, length, settings, chart, computed, analysis.aspects, analysis.clusters,
                     analysis.clusterCount);
  AddLine(report, length, "", 0, 0);
  NoticeAspectFormations(report, length, analysis.formations);
  AddLine(report, length, "", 0, 0);
  ListOfAspects(report, length, analysis.aspects);
}

void WriteInterpretation(Report& report, unsigned long* length, const CIni& settings, const Chart1& chart,
                         const Chart2& computed, ChartAnalysis& analysis, const InterpretationParts& parts,
                         MissingBankFiles& missing) {
  const int lm = parts.lineMode;
  auto general = [&](int file, int topic) {
    ReadOradelleFiles(report, length, lm, bank::kGeneral, file, topic, 0, 5, settings, chart, computed,
                      analysis.aspects, missing);
  };
  std::array<int, 10> scores{}, order{};
  Report scratch;
  CalcPlanetaryStrength(settings, chart, computed, analysis.aspects, scratch, nullptr, scores, order, 0);

  if (parts.headerAndPlan) {
    InterpretationHeader(report, length, settings, chart, computed);
    InterpretationPlan(report, length, settings, chart, computed, parts.introduction, parts.nonAstrologers);
  }
  if (parts.introduction) {
    InterpretationSectionHeader(5, report, length, chart, computed);
    general(2, 1);
  }
  if (parts.generalPoints) {
    InterpretationSectionHeader(10, report, length, chart, computed);
    InterpretPlanetaryStrength(report, length, settings, chart, computed, analysis.aspects);
    AddLine(report, length, "", 0, 0);
    InterpretFormation(report, length, settings, chart, computed, analysis.aspects, analysis.clusters,
                       analysis.clusterCount);
  }
  if (parts.aspects) {
    InterpretationSectionHeader(20, report, length, chart, computed);
    general(1, 1);
    AddLine(report, length, "", 0, 0);
    for (auto& e : analysis.aspects) e.written = 0;
    // Planet by planet, strongest first: its conjunctions, the conjunctions within its group, then
    // every other aspect it makes.
    for (int p : order) {
      for (int i = 0; i <= kChiron; ++i)
        if (i != p)
          InterpretAspect(p, i, 0, analysis.aspects, report, length, lm, settings, chart, computed, missing);
      const int cluster = InWhichClusterIs(p, analysis.clusters, analysis.clusterCount);
      for (int i = 0; i <= kChiron; ++i) {
        for (int j = i + 1; j <= kChiron; ++j) {
          if (i == p || j == p || cluster < 0) continue;
          if (InWhichClusterIs(i, analysis.clusters, analysis.clusterCount) != cluster ||
              InWhichClusterIs(j, analysis.clusters, analysis.clusterCount) != cluster)
            continue;
          InterpretAspect(i, j, 0, analysis.aspects, report, length, lm, settings, chart, computed, missing);
        }
      }
      for (int i = 0; i <= kChiron; ++i)
        if (i != p)
          InterpretAspect(p, i, -1, analysis.aspects, report, length, lm, settings, chart, computed, missing);
    }
  }
  if (parts.houses)
    InterpretHouses(report, length, lm, settings, chart, computed, analysis.aspects, 0, 0, missing);
  if (parts.signs) {
    AddLine(report, length, "", 0, 0);
    LineSeparator(report, length);
    AddLine(report, length, std::string(20, ' ') + "PLANETS IN SIGNS", 1, 0);
    LineSeparator(report, length);
    AddLine(report, length, "", 0, 0);
    AddLine(report, length,
            parts.zodiac ? "Planets in Signs (Sidereal Zodiac - " + AyanamsaName(settings, 0) + ")"
                         : std::string("Planets in Signs (Tropical Zodiac):"),
            1, 0);
    AddLine(report, length, "", 0, 0);
    InterpretPlanetsInSign(parts.zodiac, report, length, lm, settings, chart, computed, analysis.aspects,
                           missing);
  }
  if (parts.nonAstrologers) {
    InterpretationSectionHeader(901, report, length, chart, computed);
    general(2, 3);
    if (AreThereHouses(chart)) {
      InterpretationSectionHeader(902, report, length, chart, computed);
      general(2, 4);
    }
    InterpretationSectionHeader(900, report, length, chart, computed);
    general(2, 2);
  }
}

}  // namespace talpora
