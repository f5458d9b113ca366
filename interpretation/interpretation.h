// zykmeans: a whole interpretation of one chart, in the order the interpreter writes it: header and
// plan, introduction, general points, major aspects, planets in houses, planets in signs and the
// help material for non-astrologers; and the "points to notice".
#pragma once
#include <array>

#include "core/records.h"
#include "format/report_buffer.h"
#include "interpretation/analysis.h"
#include "interpretation/aspect_list.h"
#include "interpretation/oradelle.h"

namespace talpora {

// The analysis made once before anything is written: the objects Sun..Chiron in zodiacal order from
// the Ascendant, their clusters (10 degrees), the major aspects (angles included when the chart has
// houses) and the aspect formations (objects before the Part of Fortune).
struct ChartAnalysis {
  std::array<int, 14> order{};
  ClusterTable_t clusters{};
  int clusterCount = 0;
  AspectList aspects;
  FormationList formations;
};
ChartAnalysis AnalyseChart(const CIni& settings, const Chart1& chart, const Chart2& computed);

// Strong planets, groups, formations and the list of aspects.
void PointsToNotice(Report& report, unsigned long* length, const CIni& settings, const Chart1& chart,
                    const Chart2& computed, const ChartAnalysis& analysis);

struct InterpretationParts {
  bool headerAndPlan = true;
  bool introduction = false;  // the introduction (general file 2, topic 1)
  bool generalPoints = true;
  bool aspects = true;
  bool houses = true;
  bool signs = true;
  bool nonAstrologers = false;  // the meaning of the planets and houses, the glossary
  char zodiac = 0;              // of the planets in signs: 0 tropical, 1 sidereal
  int lineMode = 1;             // 1 lines of at most 71 characters, 0 paragraphs
};

// Writes the parts asked for. The aspects' written marks are cleared before the aspects section.
void WriteInterpretation(Report& report, unsigned long* length, const CIni& settings, const Chart1& chart,
                         const Chart2& computed, ChartAnalysis& analysis, const InterpretationParts& parts,
                         MissingBankFiles& missing);

}  // namespace talpora
