// zykmeans: tests of the bank's binary layout and of reading texts with conditions.
#include "interpretation/oradelle.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "interpretation/bank_format.h"
#include "platform/byte_io.h"
#include "platform/headless/scripted_interaction.h"

namespace talpora {
namespace {

using bank::Condition;
using bank::Record;

Record rec(int key, std::string text, int level = 1, std::vector<Condition> conditions = {},
           int aspectCode = 0) {
  Record r;
  r.key = key;
  r.aspectCode = aspectCode;
  r.level = level;
  r.conditions = std::move(conditions);
  r.text = std::move(text);
  return r;
}
Record cont(std::string text) {
  Record r;
  r.conditional = false;
  r.text = std::move(text);
  return r;
}

class BankTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("talpora_bank_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    settings_ = defaultSettings(dir_.string());
    chart_.timeKnown = 1;
    chart_.year = 1980;
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  void put(int family, int number, const std::vector<Record>& records) {
    putBytes(bank::fileName(family, number), bank::encodeFile(family, records));
  }
  void putBytes(const std::string& name, const std::string& bytes) {
    std::ofstream out(dir_ / name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good());
  }
  // Reads a topic in line mode; the result of the reading in `result`.
  std::string read(int family, int a, int b, int c, int* result = nullptr, int lineMode = 1,
                   int maxLevel = 5) {
    Report r;
    const int res = ReadOradelleFiles(r, nullptr, lineMode, family, a, b, c, maxLevel, settings_, chart_,
                                      computed_, aspects_, missing_);
    if (result) *result = res;
    return r.text;
  }

  std::filesystem::path dir_;
  CIni settings_;
  Chart1 chart_;
  Chart2 computed_;
  AspectList aspects_;
  MissingBankFiles missing_;
};

TEST(AspectCodes, AdmitTheirAspects) {
  // Aspect given as number + 1: 1 conjunction, 2 opposition, 3 trine, 4 square, 5 sextile.
  const std::vector<std::pair<int, std::vector<int>>> table = {{0, {1, 2, 3, 4, 5, 6, 7, 8, 9}},
                                                               {1, {1}},
                                                               {4, {4}},
                                                               {9, {9}},
                                                               {10, {1, 2}},
                                                               {11, {1, 2, 3}},
                                                               {12, {1, 2, 4}},
                                                               {13, {1, 4}},
                                                               {14, {2, 4}},
                                                               {15, {3, 5}},
                                                               {16, {1, 3, 4, 5}},
                                                               {17, {1, 2, 3, 4}},
                                                               {18, {1, 2, 3, 4, 5, 6, 7, 8, 9}},
                                                               {255, {1, 2, 3, 4, 5, 6, 7, 8, 9}}};
  for (const auto& [code, admitted] : table) {
    for (int a = 1; a <= 9; ++a) {
      const bool expected = std::find(admitted.begin(), admitted.end(), a) != admitted.end();
      EXPECT_EQ(bank::aspectCodeAdmits(code, a), expected) << "code " << code << " aspect " << a;
    }
  }
}

TEST(BankLayout, RecordBytesAreExact) {
  ByteWriter w;
  Condition c2;
  c2.type = bank::kAspectInChart;
  c2.params = {4, 6, 14};
  bank::writeRecord(w, bank::kAspects, rec(5, "Hi", 2, {Condition{bank::kApplying, {}}, c2}, 15));
  bank::writeRecord(w, bank::kAspects, cont("x"));
  const std::string expected = std::string("\x40\x05\x0F\x02\x02\x00", 6) + std::string("\x00\x00", 2) +
                               std::string("\x02\x00\x04\x00\x06\x00\x0E\x00", 8) + std::string("\x00", 1) +
                               std::string("\x03\x00\x00\x00Hi\x00", 7) +
                               std::string("\x2B\x02\x00\x00\x00x\x00", 7);
  EXPECT_EQ(w.bytes(), expected);

  // A houses file: key byte without aspect code; index of 12 slots, empty slots point onwards.
  const std::string file = bank::encodeFile(bank::kHouses, {rec(2, "third house")});
  ByteReader in(file);
  std::vector<std::int32_t> index;
  for (int s = 0; s < 12; ++s) index.push_back(in.i32());
  EXPECT_EQ(index[0], 48);
  EXPECT_EQ(index[2], 48);
  EXPECT_EQ(index[3], static_cast<std::int32_t>(file.size()));
  EXPECT_EQ(index[11], static_cast<std::int32_t>(file.size()));
  EXPECT_EQ(file.substr(48, 1), "\x40");
  EXPECT_EQ(file.substr(49, 2), std::string("\x02\x01", 2));  // key, level
}

TEST(BankLayout, EncodeDecodeRoundTrip) {
  Condition year{bank::kBornBeforeAfter, {-1, 1950}};
  const std::vector<Record> records = {rec(3, "a", 1), cont("b"), rec(3, "c", 6, {year}, 12), rec(9, "d"),
                                       cont("e")};
  const auto decoded = bank::decodeFile(bank::kAspects, bank::encodeFile(bank::kAspects, records));
  ASSERT_TRUE(decoded.ok) << decoded.error;
  EXPECT_EQ(decoded.records, records);
}

TEST_F(BankTest, ChironAndPartOfFortuneOpenNoFile) {
  // Not even a missing file is noted: nothing is opened.
  int result = -1;
  EXPECT_EQ(read(bank::kAspects, kMoon, kChiron, 0, &result), "");
  EXPECT_EQ(result, 0);
  EXPECT_EQ(read(bank::kAspects, kPartOfFortune, kSun, 2, &result), "");
  EXPECT_EQ(result, 0);
  EXPECT_TRUE(missing_.empty());
}

TEST_F(BankTest, SlotsAndKeys) {
  put(bank::kAspects, 1,
      {rec(1, "Sun Moon conjunction.", 1, {}, 1), rec(1, "Sun Moon any.", 1, {}, 0),
       rec(4, "Sun Mars.", 1, {}, 0)});
  int result = -1;
  // The records of a slot end where a record with a later key begins.
  EXPECT_EQ(read(bank::kAspects, kSun, kMoon, 0, &result), "Sun Moon conjunction.\r\nSun Moon any.\r\n");
  EXPECT_EQ(result, 0);
  // Any order of the two objects.
  EXPECT_EQ(read(bank::kAspects, kMoon, kSun, 1, &result), "Sun Moon any.\r\n");
  // The last slot with records runs to the end of the file.
  EXPECT_EQ(read(bank::kAspects, kSun, kMars, 3, &result), "Sun Mars.\r\n");
  EXPECT_EQ(result, 1);
  // A slot without records whose offset lies at the end of the file.
  EXPECT_EQ(read(bank::kAspects, kSun, kPluto, 0, &result), "");
  EXPECT_EQ(result, 1);
  // A slot without records pointing at the next slot's records: stops at once.
  EXPECT_EQ(read(bank::kAspects, kSun, kMercury, 0, &result), "");
  EXPECT_EQ(result, 0);
}

TEST_F(BankTest, LevelsAndContinuations) {
  put(bank::kSigns, 5,
      {rec(0, "Mars in Aries.", 1), cont("More on it."), rec(0, "Detail.", 6), cont("Detail continued."),
       rec(0, "Level five.", 5), cont("Five continued.")});
  EXPECT_EQ(read(bank::kSigns, kMars, 0, 1),
            "Mars in Aries.\r\nMore on it.\r\nLevel five.\r\nFive continued.\r\n");
  EXPECT_EQ(read(bank::kSigns, kMars, 0, 1, nullptr, 1, 1), "Mars in Aries.\r\nMore on it.\r\n");
  EXPECT_EQ(read(bank::kSigns, kMars, 0, 2), "");
}

TEST_F(BankTest, AspectCodeFifteenServesTrineAndSextile) {
  put(bank::kAspects, 4, {rec(5, "Flowing.", 1, {}, 15)});
  EXPECT_EQ(read(bank::kAspects, kVenus, kJupiter, 2), "Flowing.\r\n");
  EXPECT_EQ(read(bank::kAspects, kVenus, kJupiter, 4), "Flowing.\r\n");
  EXPECT_EQ(read(bank::kAspects, kVenus, kJupiter, 3), "");
  EXPECT_EQ(read(bank::kAspects, kVenus, kJupiter, 0), "");
}

TEST_F(BankTest, Conditions) {
  put(bank::kAspects, 9,
      {rec(9, "Before 1950.", 1, {Condition{bank::kBornBeforeAfter, {-1, 1950}}}, 0),
       rec(9, "After 1949.", 1, {Condition{bank::kBornBeforeAfter, {1, 1949}}}, 0),
       rec(9, "Applying.", 1, {Condition{bank::kApplying, {}}}, 0),
       rec(9, "Separating.", 1, {Condition{bank::kSeparating, {}}}, 0),
       rec(9, "Unknown time.", 1, {Condition{bank::kTimeUnknown, {}}}, 0),
       rec(9, "Known time.", 1, {Condition{bank::kTimeKnown, {}}}, 0),
       rec(9, "With Mars square Saturn.", 1, {Condition{bank::kAspectInChart, {6, 4, 4}}}, 0)});
  chart_.year = 1949;
  EXPECT_EQ(read(bank::kAspects, kNeptune, kPluto, 4), "Before 1950.\r\nKnown time.\r\n");
  chart_.year = 1950;
  chart_.timeKnown = 0;
  EXPECT_EQ(read(bank::kAspects, kNeptune, kPluto, 4), "After 1949.\r\nUnknown time.\r\n");

  // Applying and separating look for the entry of this pair with this aspect.
  chart_.timeKnown = 1;
  AspectEntry e;
  e.first = kNeptune;
  e.second = kPluto;
  e.aspect = 4;
  e.applying = 1;
  aspects_ = {e};
  EXPECT_EQ(read(bank::kAspects, kPluto, kNeptune, 4), "After 1949.\r\nApplying.\r\nKnown time.\r\n");
  EXPECT_EQ(read(bank::kAspects, kPluto, kNeptune, 2), "After 1949.\r\nKnown time.\r\n");
  aspects_[0].applying = 0;
  EXPECT_EQ(read(bank::kAspects, kPluto, kNeptune, 4), "After 1949.\r\nSeparating.\r\nKnown time.\r\n");
  aspects_[0].applying = -1;
  EXPECT_EQ(read(bank::kAspects, kPluto, kNeptune, 4), "After 1949.\r\nKnown time.\r\n");

  // Type 2: an entry between P and Q in either order; the last one decides.
  AspectEntry ms;
  ms.first = kMars;
  ms.second = kSaturn;
  ms.aspect = 1;  // opposition: admitted by code 4? no, code 4 is the square
  aspects_.push_back(ms);
  EXPECT_EQ(read(bank::kAspects, kPluto, kNeptune, 4).find("With Mars"), std::string::npos);
  aspects_.back().aspect = 3;  // square
  EXPECT_NE(read(bank::kAspects, kPluto, kNeptune, 4).find("With Mars square Saturn."), std::string::npos);
  AspectEntry later = ms;
  later.aspect = 2;
  aspects_.push_back(later);
  EXPECT_EQ(read(bank::kAspects, kPluto, kNeptune, 4).find("With Mars"), std::string::npos);
}

TEST(ConditionEvaluator, AnswersFalseForUnknownTypesAndDirections) {
  Chart1 c;
  c.year = 2000;
  Chart2 computed;
  const std::int16_t params[3] = {0, 1990, 0};
  EXPECT_EQ(IsOradelleConditionFulfilled(0, 1, 0, 3, params, c, computed, {}), 0);  // direction 0
  EXPECT_EQ(IsOradelleConditionFulfilled(0, 1, 0, 6, params, c, computed, {}), 0);
  EXPECT_EQ(IsOradelleConditionFulfilled(0, 1, 0, -1, params, c, computed, {}), 0);
}

TEST_F(BankTest, GeneralTopicsAndHouses) {
  put(bank::kGeneral, 2, {rec(1, "Introduction."), rec(2, "Glossary."), rec(4, "Houses.")});
  put(bank::kHouses, 11, {rec(3, "Node in the 4th.")});
  EXPECT_EQ(read(bank::kGeneral, 2, 1, 0), "Introduction.\r\n");
  EXPECT_EQ(read(bank::kGeneral, 2, 2, 0), "Glossary.\r\n");
  EXPECT_EQ(read(bank::kGeneral, 2, 3, 0), "");
  EXPECT_EQ(read(bank::kGeneral, 2, 4, 0), "Houses.\r\n");
  EXPECT_EQ(read(bank::kHouses, kNorthNode, 10, 4), "Node in the 4th.\r\n");
  EXPECT_EQ(read(bank::kHouses, kNorthNode, 10, 13), "");  // no house 13
}

TEST_F(BankTest, LineModeFoldsAtSixtyEight) {
  const std::string t68 = std::string(30, 'a') + " " + std::string(37, 'b');
  ASSERT_EQ(t68.size(), 68u);
  std::string t69 = std::string(30, 'a') + " " + std::string(20, 'b') + " " + std::string(17, 'c');
  ASSERT_EQ(t69.size(), 69u);
  put(bank::kGeneral, 1, {rec(1, t68), rec(2, t69), rec(3, std::string(140, 'z'))});
  EXPECT_EQ(read(bank::kGeneral, 1, 1, 0), t68 + "\r\n");
  EXPECT_EQ(read(bank::kGeneral, 1, 2, 0),
            std::string(30, 'a') + " " + std::string(20, 'b') + "\r\n" + std::string(17, 'c') + "\r\n");
  // No blank at all: cut at 68.
  EXPECT_EQ(read(bank::kGeneral, 1, 3, 0),
            std::string(68, 'z') + "\r\n" + std::string(68, 'z') + "\r\n" + std::string(4, 'z') + "\r\n");
  // Paragraph mode: one line, unfolded.
  EXPECT_EQ(read(bank::kGeneral, 1, 2, 0, nullptr, 0), t69 + "\r\n");
}

TEST_F(BankTest, MissingFilesAreReportedOnce) {
  int result = -1;
  read(bank::kAspects, kSun, kMoon, 0, &result);
  EXPECT_EQ(result, 0);
  read(bank::kAspects, kSun, kMars, 0);
  read(bank::kHouses, kMars, 0, 3);
  read(bank::kAspects, kSun, kMoon, 2);
  ASSERT_EQ(missing_.files(), (std::vector<std::string>{"zoraA01.dtf", "zorah05.dtf"}));
  headless::ScriptedInteraction ui;
  missing_.report(ui);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].caption, "File Error");
  EXPECT_EQ(
      ui.messages[0].text,
      "Talpora Interpreter can't open file zoraA01.dtf\nTalpora Interpreter can't open file zorah05.dtf");
  missing_.report(ui);  // forgotten once reported
  EXPECT_EQ(ui.messages.size(), 1u);
}

// A damaged file ends the reading of that topic: what was written before stays, nothing after.
TEST_F(BankTest, TruncatedFilesAreReadWithoutHarm) {
  const std::vector<Record> records = {
      rec(2, "First text of the slot.", 1, {Condition{bank::kBornBeforeAfter, {1, 1900}}}, 0),
      cont("Its continuation."), rec(2, "Second text.", 1, {}, 17), rec(2, "Third.", 1, {}, 0),
      rec(7, "Other slot.", 1, {}, 0)};
  const std::string full = bank::encodeFile(bank::kAspects, records);
  put(bank::kAspects, 2, records);
  const std::string whole = read(bank::kAspects, kMoon, kMercury, 0);
  ASSERT_EQ(whole, "First text of the slot.\r\nIts continuation.\r\nSecond text.\r\nThird.\r\n");
  for (std::size_t n = 0; n < full.size(); ++n) {
    putBytes(bank::fileName(bank::kAspects, 2), full.substr(0, n));
    int result = -1;
    const std::string got = read(bank::kAspects, kMoon, kMercury, 0, &result);
    EXPECT_EQ(whole.substr(0, got.size()), got) << "cut at " << n;
    // Whole texts only: the output ends at a line end.
    if (!got.empty()) {
      EXPECT_EQ(got.substr(got.size() - 2), "\r\n");
    }
  }
}

TEST_F(BankTest, CorruptFilesAreReadWithoutHarm) {
  const std::vector<Record> records = {rec(1, "Alpha.", 1, {Condition{bank::kAspectInChart, {0, 1, 0}}}, 0),
                                       cont("Beta."), rec(1, "Gamma.", 2, {}, 11), rec(3, "Delta.")};
  const std::string good = bank::encodeFile(bank::kAspects, records);
  std::mt19937 rng(20240611);
  for (int trial = 0; trial < 400; ++trial) {
    std::string bytes = good;
    const int flips = 1 + trial % 4;
    for (int f = 0; f < flips; ++f) {
      const auto at = std::uniform_int_distribution<std::size_t>(0, bytes.size() - 1)(rng);
      bytes[at] = static_cast<char>(std::uniform_int_distribution<int>(0, 255)(rng));
    }
    putBytes(bank::fileName(bank::kAspects, 1), bytes);
    for (int b : {kMoon, kMars, kMercury}) {
      const std::string got = read(bank::kAspects, kSun, b, 0);
      EXPECT_LE(got.size(), 4u * 2002u);
    }
  }
}

TEST_F(BankTest, LimitsOfLengthsOffsetsAndConditionCounts) {
  auto withLength = [](std::int32_t length) {
    ByteWriter w;
    for (int s = 0; s < 12; ++s) w.i32(48);
    w.u8(0x40);
    w.u8(0);   // key
    w.u8(1);   // level
    w.i16(0);  // conditions
    w.u8(0);   // spare
    w.i32(length);
    w.raw(std::string(2100, 'x').data(), 2100);
    w.u8(0);
    return w.take();
  };
  int result = -1;
  putBytes(bank::fileName(bank::kSigns, 1), withLength(2001));
  EXPECT_EQ(read(bank::kSigns, kSun, 0, 1, &result), "");
  EXPECT_EQ(result, 0);
  putBytes(bank::fileName(bank::kSigns, 1), withLength(-5));
  EXPECT_EQ(read(bank::kSigns, kSun, 0, 1, &result), "");
  EXPECT_EQ(result, 0);
  putBytes(bank::fileName(bank::kSigns, 1), withLength(2000));
  const std::string got = read(bank::kSigns, kSun, 0, 1, &result, 0);
  EXPECT_EQ(got, std::string(2000, 'x') + "\r\n");  // no zero within: the 2000 bytes, nothing beyond

  // A slot offset inside the index.
  std::string bytes = bank::encodeFile(bank::kSigns, {rec(0, "Aries.")});
  bytes[0] = 8;
  bytes[1] = bytes[2] = bytes[3] = 0;
  putBytes(bank::fileName(bank::kSigns, 1), bytes);
  EXPECT_EQ(read(bank::kSigns, kSun, 0, 1, &result), "");
  EXPECT_EQ(result, 0);

  // A condition count of 65, and an unknown condition type.
  ByteWriter w;
  for (int s = 0; s < 12; ++s) w.i32(48);
  w.u8(0x40);
  w.u8(0);
  w.u8(1);
  w.i16(65);
  for (int i = 0; i < 65; ++i) w.i16(5);
  w.u8(0);
  w.i32(3);
  w.raw("ok\0", 3);
  putBytes(bank::fileName(bank::kSigns, 1), w.bytes());
  EXPECT_EQ(read(bank::kSigns, kSun, 0, 1, &result), "");
  EXPECT_EQ(result, 0);
  std::string unknownType =
      bank::encodeFile(bank::kSigns, {rec(0, "Aries.", 1, {Condition{bank::kTimeKnown, {}}})});
  unknownType[48 + 5] = 9;  // the condition's type
  putBytes(bank::fileName(bank::kSigns, 1), unknownType);
  EXPECT_EQ(read(bank::kSigns, kSun, 0, 1, &result), "");
  EXPECT_EQ(result, 0);

  // A file shorter than its index entry.
  putBytes(bank::fileName(bank::kSigns, 1), std::string("\x30\x00", 2));
  EXPECT_EQ(read(bank::kSigns, kSun, 0, 1, &result), "");
  EXPECT_EQ(result, 0);
  EXPECT_TRUE(missing_.empty());
}

}  // namespace
}  // namespace talpora
