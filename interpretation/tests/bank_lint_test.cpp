// zykmeans: the knowledge bank's linter. From the interpreter's rules it lists every topic an
// interpretation can ask for, and checks with the real reader, on the compiled bank, that each has a
// text for an ordinary chart.
//
// Topics asked:
// - aspects (family 1): every pair of the Sun to Pluto, the North Node (the South Node is read as the
//   North Node), the Black Moon, the Ascendant and the Midheaven, for each major aspect the pair can
//   form (the Sun with Mercury or Venus only by conjunction, Mercury with Venus by conjunction or
//   sextile, the Ascendant with the Midheaven by square, trine or sextile);
// - houses (family 2): the Sun to the North Node and the Black Moon in each house;
// - signs (family 4): the Sun to the North Node in each sign;
// - general (family 3): file 1 topic 1, file 2 topics 1 to 4.
// An ordinary chart: texts up to level 5; no aspect in the chart but the one interpreted; the aspect
// applying and separating (undefined between the two angles); the birth time known, and for every
// topic that does not need it (no angle, no house) unknown too; born in any of a spread of years,
// except for the pairs of Uranus, Neptune and Pluto, whose aspects last for generations: for them a
// text in some year from 1890 to 2100 suffices.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "interpretation/bank_source.h"
#include "interpretation/oradelle.h"

namespace talpora {
namespace {

namespace fs = std::filesystem;

struct Topic {
  int family, keyA, keyB, keyC;
  std::string what;
};

const char* const kAspectNames[5] = {"conjunction", "opposition", "trine", "square", "sextile"};

std::vector<Topic> askedTopics() {
  std::vector<Topic> topics;
  std::vector<int> objects;
  for (int o = 0; o < kObjectCount; ++o)
    if (bank::isBankObject(o)) objects.push_back(o);
  for (std::size_t i = 0; i < objects.size(); ++i) {
    for (std::size_t j = i + 1; j < objects.size(); ++j) {
      const int a = objects[i], b = objects[j];
      std::vector<int> aspects = {0, 1, 2, 3, 4};
      if (a == kSun && (b == kMercury || b == kVenus)) aspects = {0};
      if (a == kMercury && b == kVenus) aspects = {0, 4};
      if (a == kAscendant && b == kMidheaven) aspects = {2, 3, 4};
      for (int k : aspects)
        topics.push_back(
            {bank::kAspects, a, b, k,
             bank::objectSourceName(a) + " " + kAspectNames[k] + " " + bank::objectSourceName(b)});
    }
  }
  for (int o = 0; o <= kBlackMoon; ++o) {
    if (o == kSouthNode) continue;
    for (int h = 1; h <= 12; ++h)
      topics.push_back(
          {bank::kHouses, o, 0, h, bank::objectSourceName(o) + " in house " + std::to_string(h)});
  }
  for (int o = 0; o <= kNorthNode; ++o)
    for (int s = 1; s <= 12; ++s)
      topics.push_back({bank::kSigns, o, 0, s, bank::objectSourceName(o) + " in " + bank::signSourceName(s)});
  topics.push_back({bank::kGeneral, 1, 1, 0, "general 1 topic 1 (opening of the aspects)"});
  const char* const general2[4] = {"introduction", "glossary", "meaning of the planets",
                                   "meaning of the houses"};
  for (int t = 1; t <= 4; ++t)
    topics.push_back(
        {bank::kGeneral, 2, t, 0, "general 2 topic " + std::to_string(t) + " (" + general2[t - 1] + ")"});
  return topics;
}

bool isGenerational(const Topic& t) {
  return t.family == bank::kAspects && t.keyA >= kUranus && t.keyA <= kPluto && t.keyB <= kPluto;
}
bool needsTime(const Topic& t) {
  return t.family == bank::kHouses || (t.family == bank::kAspects && t.keyB >= kAscendant);
}

class BankLint : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("talpora_lint_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    settings_ = defaultSettings(dir_.string());
  }
  void TearDown() override { fs::remove_all(dir_); }

  bool hasText(const Topic& t, int year, int timeKnown, int applying) {
    Chart1 chart;
    chart.year = static_cast<std::int16_t>(year);
    chart.timeKnown = static_cast<std::uint8_t>(timeKnown);
    Chart2 computed;
    AspectList aspects;
    if (t.family == bank::kAspects) {
      AspectEntry e;
      e.first = static_cast<std::int8_t>(t.keyA);
      e.second = static_cast<std::int8_t>(t.keyB);
      e.aspect = static_cast<std::int8_t>(t.keyC);
      e.applying = static_cast<std::int8_t>(applying);
      aspects.push_back(e);
    }
    Report report;
    MissingBankFiles missing;
    ReadOradelleFiles(report, nullptr, 1, t.family, t.keyA, t.keyB, t.keyC, 5, settings_, chart, computed,
                      aspects, missing);
    return !report.empty();
  }

  // What an ordinary chart lacks for the topic: empty when covered.
  std::string lacks(const Topic& t) {
    std::vector<int> applyingStates = {1, 0};
    if (t.family == bank::kAspects && t.keyA >= kAscendant) applyingStates = {-1};
    if (t.family != bank::kAspects) applyingStates = {-1};
    std::vector<int> times = {1};
    if (!needsTime(t)) times.push_back(0);
    std::string missing;
    for (int time : times) {
      for (int applying : applyingStates) {
        std::vector<int> failedYears;
        if (isGenerational(t)) {
          bool any = false;
          for (int y = 1890; y <= 2100 && !any; ++y) any = hasText(t, y, time, applying);
          if (!any) failedYears.push_back(0);
        } else {
          for (int y : {1900, 1930, 1949, 1950, 1975, 2000, 2025, 2050})
            if (!hasText(t, y, time, applying)) failedYears.push_back(y);
        }
        if (failedYears.empty()) continue;
        std::string when = time ? "time known" : "time unknown";
        if (applying == 1) when += ", applying";
        if (applying == 0) when += ", separating";
        if (failedYears.front() != 0 && failedYears.size() < 8) {
          when += ", born in";
          for (int y : failedYears) when += " " + std::to_string(y);
        }
        missing += (missing.empty() ? "" : "; ") + when;
      }
    }
    return missing;
  }

  bank::BankStats compileInto(const std::vector<bank::SourceFile>& sources) {
    const auto compiled = bank::compileSources(sources);
    for (const auto& e : compiled.errors) ADD_FAILURE() << e.text();
    for (const auto& f : compiled.files) {
      std::ofstream out(dir_ / f.name(), std::ios::binary);
      const std::string bytes = f.bytes();
      out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    return bank::statsOf(compiled.files);
  }

  fs::path dir_;
  CIni settings_;
};

// The linter itself notices gaps: a missing state, a missing year, a level too high, a missing file.
TEST_F(BankLint, NoticesEachKindOfGap) {
  compileInto(
      {{"aspects/sun.txt",
        "@ Sun conjunction Moon if applying\nOnly applying.\n"
        "@ Sun opposition Moon if born before 1950\nOld.\n"
        "@ Sun square Moon level 6\nToo detailed.\n"
        "@ Sun trine/sextile Moon\nFine.\n"
        "@ Sun conjunction Mars if time known\nNeeds the time.\n"},
       {"aspects/uranus.txt", "@ Uranus conjunction Neptune if born after 1987 and born before 1995\nGen.\n"},
       {"signs/moon.txt", "@ Moon in Aries\nA.\n"}});
  EXPECT_EQ(lacks({bank::kAspects, kSun, kMoon, 0, ""}), "time known, separating; time unknown, separating");
  EXPECT_EQ(lacks({bank::kAspects, kSun, kMoon, 1, ""}),
            "time known, applying, born in 1950 1975 2000 2025 2050; "
            "time known, separating, born in 1950 1975 2000 2025 2050; "
            "time unknown, applying, born in 1950 1975 2000 2025 2050; "
            "time unknown, separating, born in 1950 1975 2000 2025 2050");
  EXPECT_NE(lacks({bank::kAspects, kSun, kMoon, 3, ""}), "");
  EXPECT_EQ(lacks({bank::kAspects, kSun, kMoon, 2, ""}), "");
  EXPECT_EQ(lacks({bank::kAspects, kSun, kMoon, 4, ""}), "");
  EXPECT_EQ(lacks({bank::kAspects, kSun, kMars, 0, ""}), "time unknown, applying; time unknown, separating");
  EXPECT_EQ(lacks({bank::kAspects, kUranus, kNeptune, 0, ""}), "");  // a generation suffices
  EXPECT_NE(lacks({bank::kAspects, kUranus, kNeptune, 1, ""}), "");
  EXPECT_EQ(lacks({bank::kSigns, kMoon, 0, 1, ""}), "");
  EXPECT_EQ(lacks({bank::kSigns, kMoon, 0, 2, ""}), "time known; time unknown");
  EXPECT_EQ(lacks({bank::kHouses, kMoon, 0, 2, ""}), "time known");  // no file at all
  EXPECT_EQ(lacks({bank::kGeneral, 2, 1, 0, ""}), "time known; time unknown");
}

TEST_F(BankLint, EveryAskedTopicHasATextForAnOrdinaryChart) {
  const fs::path root = fs::path(TALPORA_SOURCE_DIR) / "data" / "interpretation";
  std::vector<bank::SourceError> readErrors;
  const auto sources = bank::readSourceTree(root, readErrors);
  for (const auto& e : readErrors) ADD_FAILURE() << e.text();
  const auto stats = compileInto(sources);
  std::cout << "[ bank     ] " << stats.files << " files, " << stats.texts << " texts, " << stats.words
            << " words\n";

  const auto topics = askedTopics();
  std::map<std::string, std::vector<std::string>> missingByFile;
  int missingCount = 0;
  for (const auto& t : topics) {
    const std::string why = lacks(t);
    if (why.empty()) continue;
    ++missingCount;
    const int number = t.family == bank::kGeneral ? t.keyA : t.keyA + 1;
    missingByFile[bank::sourcePathOf(t.family, number)].push_back(t.what + " (" + why + ")");
  }
  std::ostringstream report;
  for (const auto& [file, list] : missingByFile) {
    report << "  " << file << ": " << list.size() << " topic(s) without a text\n";
    for (const auto& m : list) report << "      " << m << "\n";
  }
  std::cout << "[ topics   ] " << topics.size() << " asked, "
            << topics.size() - static_cast<std::size_t>(missingCount) << " with texts, " << missingCount
            << " without\n";
  EXPECT_EQ(missingCount, 0) << "topics without a text for an ordinary chart:\n" << report.str();
}

}  // namespace
}  // namespace talpora
