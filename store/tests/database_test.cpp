// Chart databases: names, the settings file, adding with its refusals, the integrity check, the
// Cleaner and the conversion, interrupted writers, locks.
#include "store/database.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <random>

#include "engine/houses.h"
#include "platform/file_lock.h"
#include "platform/mapped_file.h"
#include "store/tests/store_fixture.h"

namespace talpora {
namespace {
namespace fs = std::filesystem;
using testing::deletedChart;
using testing::fileBytes;
using testing::sampleChart;
using testing::StoreDir;

std::vector<std::string> liveNames(const DatabasePaths& p) {
  std::vector<std::string> names;
  for (auto& e : liveEntries(fileBytes(p.records))) names.push_back(e.name);
  return names;
}

TEST(DatabaseNames, TheBasePathIsCutOnlyWithinTheFileName) {
  struct Row {
    const char *settings, *records, *calculations;
  } rows[] = {
      {"CHARTS/FAMILY.1SB", "CHARTS/FAMILY.2SB", "CHARTS/FAMILY.3SB"},
      {"charts/family.1sb", "charts/family.2sb", "charts/family.3sb"},
      {"my.charts/family", "my.charts/family.2SB", "my.charts/family.3SB"},
      {"/a.b/c.d/x.1Sb", "/a.b/c.d/x.2Sb", "/a.b/c.d/x.3Sb"},
  };
  for (const auto& r : rows) {
    const auto p = databasePaths(r.settings);
    EXPECT_EQ(p.records, fs::path(r.records)) << r.settings;
    EXPECT_EQ(p.calculations, fs::path(r.calculations)) << r.settings;
  }
}

TEST(DatabaseNames, AChoiceFileEndsAtItsNul) {
  StoreDir d;
  ASSERT_TRUE(writeChoiceFile(d.file("zykdbfc.dtf"), "/x/FAMILY.1SB"));
  EXPECT_EQ(fileBytes(d.file("zykdbfc.dtf")), std::string("/x/FAMILY.1SB\0", 14));
  testing::putBytes(d.file("zykdbfc.dtf"), std::string("/y/A.1SB\0garbage", 16));
  EXPECT_EQ(readChoiceFile(d.file("zykdbfc.dtf")), fs::path("/y/A.1SB"));
  EXPECT_FALSE(readChoiceFile(d.file("missing.dtf")));
}

TEST(DatabaseFiles, ANewDatabaseHoldsOnePlaceholderAndTheSettings) {
  StoreDir d;
  d.settings.houseSystem = 2;
  ASSERT_EQ(createDatabase(d.ui, d.settings, d.file("FAMILY.1SB")), 1);
  const auto p = databasePaths(d.file("FAMILY.1SB"));
  const std::string s = fileBytes(p.settings);
  ASSERT_EQ(s.size(), 290u);
  EXPECT_EQ(s.substr(0, 2), std::string("\2\0", 2));
  EXPECT_EQ(readDbSettings(p.settings)->orbs[0], static_cast<double>(d.settings.orbsLuminaries[0]));
  EXPECT_EQ(readDbSettings(p.settings)->orbs[1], static_cast<double>(d.settings.orbsOthers[0]));
  EXPECT_EQ(fileBytes(p.records).size(), 325u);
  EXPECT_EQ(fileBytes(p.calculations).size(), 804u);
  EXPECT_TRUE(liveEntries(fileBytes(p.records)).empty());
  EXPECT_EQ(inspectDatabase(p).problem, DbProblem::None);

  // The first chart becomes entry 1. Creating again asks; No keeps it.
  ASSERT_EQ(addDBEntry(d.ui, d.settings, sampleChart("Anna"), -1, 1, p.settings, {&d.chiron}), 1);
  EXPECT_EQ(liveEntries(fileBytes(p.records)).at(0).entry, 1);
  const std::string before = fileBytes(p.records);
  d.ui.expectAnswer(ui::Answer::No);
  EXPECT_EQ(createDatabase(d.ui, d.settings, p.settings), 0);
  EXPECT_EQ(d.ui.messages.back().text,
            "FAMILY.1SB already holds 1 charts. Replace it with an empty database?");
  EXPECT_EQ(d.ui.messages.back().defaultButton, ui::Answer::No);
  EXPECT_TRUE(fileBytes(p.records) == before);
  d.ui.expectAnswer(ui::Answer::Yes);
  EXPECT_EQ(createDatabase(d.ui, d.settings, p.settings), 1);
  EXPECT_EQ(fileBytes(p.records).size(), 325u);
}

TEST(AddEntry, AppendsAtTheOffsetsOfTheEntryCount) {
  StoreDir d;
  std::vector<Chart1> charts{deletedChart()};
  for (int i = 1; i < 7; ++i) charts.push_back(sampleChart("Chart " + std::to_string(i), i));
  const auto p = d.database("CHARTS.1SB", charts);
  const Chart1 c = sampleChart("Eighth", 8);
  ASSERT_EQ(addDBEntry(d.ui, d.settings, c, -1, 1, p.settings, {&d.chiron}), 1);
  const std::string records = fileBytes(p.records), calcs = fileBytes(p.calculations);
  const std::string entry = encodeDbEntry(computeDbEntry(d.settings, c, d.chiron));
  EXPECT_EQ(records.substr(2275), encodeChart1(c));
  EXPECT_EQ(calcs.substr(5628, 531), entry.substr(0, 531));
  EXPECT_EQ(calcs.substr(6159), entry.substr(531));
  EXPECT_EQ(calcs.size(), 8u * 804);
}

TEST(AddEntry, TheChartIndexHoldsHousesMinusOneAndSelfAspects) {
  StoreDir d;
  Chart1 known = sampleChart("Known", 3), unknown = sampleChart("Unknown", 3);
  unknown.timeKnown = 0;
  for (const Chart1& c : {known, unknown}) {
    const DbEntry e = computeDbEntry(d.settings, c, d.chiron);
    for (int i = 0; i < 17; ++i)
      EXPECT_EQ(e.index.houseOf[i], static_cast<std::uint8_t>(IsInHouse(i, d.settings, c, e.computed) - 1));
    for (int i = 0; i < 16; ++i)
      for (int j = 0; j < 16; ++j) EXPECT_EQ(e.index.aspectOf[i][j], e.index.aspectOf[j][i]) << i << " " << j;
  }
  EXPECT_EQ(computeDbEntry(d.settings, unknown, d.chiron).index.houseOf[0], 255);  // no house
  EXPECT_NE(computeDbEntry(d.settings, known, d.chiron).index.houseOf[0], 255);
}

TEST(AddEntry, DuplicateNamesAreExactAndLiveOnly) {
  StoreDir d;
  const auto p = d.database("D.1SB", {deletedChart(), sampleChart("Anna", 1), sampleChart("Bert", 2),
                                      deletedChart("Carl"), sampleChart("Dora", 4), sampleChart("Emil", 5)});
  struct Row {
    const char* what;
    const char* name;
    long index;
    int check;
    int expected;
  } rows[] = {
      {"live namesake", "Anna", -1, 1, 0},
      {"deleted namesake", "Carl", -1, 1, 1},
      {"other case", "anna", -1, 1, 1},
      {"trailing blank", "Bert ", -1, 1, 1},
      {"no check", "Emil", -1, 0, 1},
      {"replace itself, check 2", "Dora", 4, 2, 1},
      {"replace, namesake elsewhere", "Bert", 4, 2, 0},
      {"index above the count", "Fritz", 99, 0, 0},
      {"blank name", "   ", -1, 0, 0},
  };
  for (const auto& r : rows) {
    const std::string before = fileBytes(p.records);
    const std::size_t shown = d.ui.messages.size();
    EXPECT_EQ(addDBEntry(d.ui, d.settings, sampleChart(r.name, 9), r.index, r.check, p.settings, {&d.chiron}),
              r.expected)
        << r.what;
    if (r.expected == 0) {
      EXPECT_TRUE(fileBytes(p.records) == before) << r.what;
      EXPECT_EQ(d.ui.messages.size(), shown + 1) << r.what;
    }
  }
  EXPECT_TRUE(d.ui.saw("This database already holds an entry with this name."));
  EXPECT_TRUE(d.ui.saw("To be stored in a database, an entry must have a name!"));
  EXPECT_EQ(liveEntries(fileBytes(p.records))[2].name, "Dora");  // entry 4 replaced in place
  EXPECT_EQ(inspectDatabase(p).problem, DbProblem::None);
}

TEST(AddEntry, ADatabaseThatFailsItsCheckIsNeverWrittenInto) {
  StoreDir d;
  struct Row {
    const char* what;
    std::function<void(const DatabasePaths&)> damage;
  } rows[] = {
      {"first version",
       [](const DatabasePaths& p) {
         std::string r = fileBytes(p.records);
         r[318] = 7;  // the first version's markers
         testing::putBytes(p.records, r);
       }},
      {"short records", [](const DatabasePaths& p) { testing::putBytes(p.records, std::string(100, 'x')); }},
      {"counts differ",
       [](const DatabasePaths& p) {
         testing::putBytes(p.calculations, fileBytes(p.calculations) + std::string(804, '\0'));
       }},
      {"calculations missing", [](const DatabasePaths& p) { fs::remove(p.calculations); }},
  };
  for (const auto& r : rows) {
    const auto p = d.database("BAD.1SB", {deletedChart(), sampleChart("Anna", 1)});
    r.damage(p);
    const std::string records = fileBytes(p.records), calcs = fileBytes(p.calculations);
    EXPECT_EQ(addDBEntry(d.ui, d.settings, sampleChart("Bert", 2), -1, 1, p.settings, {&d.chiron}), 0)
        << r.what;
    EXPECT_TRUE(fileBytes(p.records) == records) << r.what;
    EXPECT_TRUE(fileBytes(p.calculations) == calcs) << r.what;
    EXPECT_EQ(d.ui.messages.back().caption, "Corrupt Database") << r.what;
    EXPECT_NE(d.ui.messages.back().text.find("BAD.1SB"), std::string::npos) << r.what;
    EXPECT_NE(d.ui.messages.back().text.find("Chartdex Cleaner"), std::string::npos) << r.what;
  }
}

TEST(AddEntry, AFailedWriteLeavesTheDatabaseAsItWas) {
  StoreDir d;
  for (int step : {0, 1}) {
    const auto p = d.database("F.1SB", {deletedChart(), sampleChart("Anna", 1)});
    const std::string records = fileBytes(p.records), calcs = fileBytes(p.calculations);
    const DbFaults fault{step};
    DbWriteOptions o{&d.chiron, FileLock::kDefaultWait, &fault};
    EXPECT_EQ(addDBEntry(d.ui, d.settings, sampleChart("Bert", 2), -1, 1, p.settings, o), 0) << step;
    EXPECT_TRUE(fileBytes(p.records) == records) << step;
    EXPECT_TRUE(fileBytes(p.calculations) == calcs) << step;
    EXPECT_EQ(d.ui.messages.back().caption, "File Error");
  }
}

TEST(AddEntry, ASaveWaitsForTheLockThenIsRefusedAndSucceedsAfterwards) {
  StoreDir d;
  const auto p = d.database("L.1SB", {deletedChart()});
  DbWriteOptions o{&d.chiron, std::chrono::milliseconds(150), nullptr};
  {
    auto held = FileLock::acquire(p.settings, FileLock::Mode::Exclusive);
    ASSERT_TRUE(held);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(addDBEntry(d.ui, d.settings, sampleChart("Anna", 1), -1, 1, p.settings, o), 0);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(150));
    EXPECT_EQ(d.ui.messages.back().caption, "Database in Use");
    EXPECT_EQ(fileBytes(p.records).size(), 325u);
    // Shared holders exclude writers too, not each other.
    EXPECT_FALSE(FileLock::acquire(p.settings, FileLock::Mode::Shared, std::chrono::milliseconds(0)));
  }
  auto r1 = FileLock::acquire(p.settings, FileLock::Mode::Shared, std::chrono::milliseconds(0));
  auto r2 = FileLock::acquire(p.settings, FileLock::Mode::Shared, std::chrono::milliseconds(0));
  EXPECT_TRUE(r1 && r2);
  r1.reset();
  r2.reset();
  EXPECT_EQ(addDBEntry(d.ui, d.settings, sampleChart("Anna", 1), -1, 1, p.settings, o), 1);
  EXPECT_EQ(liveNames(p), std::vector<std::string>{"Anna"});
}

TEST(SettingsCheck, NamesTheHouseSystemsAndTheOrbs) {
  StoreDir d;
  const auto p = d.database("S.1SB", {deletedChart()});
  EXPECT_EQ(checkUpIni(d.ui, d.settings, p.settings), 1);
  EXPECT_TRUE(d.ui.messages.empty());
  CIni koch = d.settings;
  koch.houseSystem = 4;
  d.settings.houseSystem = 1;
  EXPECT_EQ(checkUpIni(d.ui, koch, p.settings), 0);
  EXPECT_EQ(
      d.ui.messages.back().text,
      "Since you last used this database, the default house system has been changed. It used to be Placidus, "
      "and now it is Koch. This invalidates all the calculations stored in this database. You can either "
      "press OK, go to Chartdex and run Chartdex Cleaner, or press Cancel and restore the aspects to their "
      "former values, using the 'Orbs of Aspects' menu item under 'Options' in Talpora Central Menu.");
  CIni orbs = d.settings;
  orbs.orbsOthers[17] += 0.5f;
  EXPECT_EQ(checkUpIni(d.ui, orbs, p.settings), 0);
  EXPECT_EQ(
      d.ui.messages.back().text.find("Since you last used this database, the orbs of the aspects have been "
                                     "changed. This invalidates"),
      0u);
  koch.orbsLuminaries[0] += 1;
  EXPECT_EQ(checkUpIni(d.ui, koch, p.settings), 0);
  EXPECT_NE(d.ui.messages.back().text.find("now it is Koch. Moreover, the orbs"), std::string::npos);
  EXPECT_EQ(checkUpIni(d.ui, koch, d.file("none.1SB")), 0);
  EXPECT_NE(d.ui.messages.back().text.find("none.1SB"), std::string::npos);
}

TEST(IntegrityCheck, AsksAboutEachProblemInTurn) {
  StoreDir d;
  auto withDeleted = [&](int n) {
    std::vector<Chart1> c{deletedChart(), sampleChart("Anna", 1)};
    for (int i = 1; i < n; ++i) c.push_back(deletedChart());
    return c;
  };
  struct Row {
    const char* what;
    std::vector<Chart1> charts;
    std::size_t extraCalcBytes;
    const char* question;  // nullptr: none
    int resultOnNo;
  } rows[] = {
      {"20 deleted", withDeleted(20), 0, nullptr, 1},
      {"21 deleted", withDeleted(21), 0, "This database needs a clean up", 1},
      {"804*5+10", withDeleted(5), 10, "suggesting that this database was created with Talpora 1.0", 0},
      {"counts", withDeleted(2), 804, "The number of entries in file ", 0},
  };
  for (const auto& r : rows) {
    const auto p = d.database("I.1SB", r.charts);
    if (r.extraCalcBytes) {
      std::string c = fileBytes(p.calculations);
      c.resize(r.extraCalcBytes == 10 ? 804 * 5 + 10 : c.size() + r.extraCalcBytes);
      testing::putBytes(p.calculations, c);
    }
    d.ui.messages.clear();
    if (r.question) d.ui.expectAnswer(ui::Answer::No);
    EXPECT_EQ(checkDatabaseIntegrity(d.ui, d.settings, p.settings, nullptr), r.resultOnNo) << r.what;
    if (!r.question) {
      EXPECT_TRUE(d.ui.messages.empty()) << r.what;
      continue;
    }
    ASSERT_EQ(d.ui.messages.size(), 1u) << r.what;
    EXPECT_NE(d.ui.messages[0].text.find(r.question), std::string::npos) << r.what;
    // Yes: the Cleaner runs (its own OK), then the database is sound.
    d.ui.expectAnswer(ui::Answer::Yes);
    d.ui.expectAnswer(ui::Answer::Ok);
    EXPECT_EQ(checkDatabaseIntegrity(d.ui, d.settings, p.settings, nullptr), 1) << r.what;
    EXPECT_EQ(inspectDatabase(p).problem, DbProblem::None) << r.what;
    EXPECT_EQ(liveNames(p), std::vector<std::string>{"Anna"}) << r.what;
  }
  // A missing record file is reported in Linux terms.
  EXPECT_EQ(checkDatabaseIntegrity(d.ui, d.settings, d.file("gone.1SB"), nullptr), 0);
  EXPECT_NE(d.ui.messages.back().text.find("Check that the file exists and that you may read it"),
            std::string::npos);
}

TEST(Cleaner, CompactsLiveEntriesInOrder) {
  StoreDir d;
  const auto p = d.database("C.1SB", {sampleChart("Anna", 1), deletedChart("Bert"), sampleChart("Carl", 3)});
  struct Progress : ui::ProgressSink {
    std::vector<std::string> shown;
    void show(std::string_view t) override { shown.emplace_back(t); }
  } progress;
  ASSERT_EQ(runCleaner(d.ui, d.settings, p.settings, &progress), 1);
  EXPECT_EQ(liveNames(p), (std::vector<std::string>{"Anna", "Carl"}));
  EXPECT_EQ(fileBytes(p.records).size(), 2u * 325);
  EXPECT_EQ(fileBytes(p.calculations).size(), 2u * 804);
  EXPECT_EQ(fileBytes(p.calculations).substr(804),
            encodeDbEntry(computeDbEntry(d.settings, sampleChart("Carl", 3), d.chiron)));
  EXPECT_EQ(d.ui.messages.back().text,
            "Clean up was successful. You can now safely return to any other function.");
  EXPECT_NE(progress.shown.at(0).find("If this operation is interrupted, the database stays as it was."),
            std::string::npos);
  EXPECT_NE(std::find(progress.shown.begin(), progress.shown.end(), "Chart 3 out of 3\r\nCarl"),
            progress.shown.end());

  // Nothing live: the placeholder stays.
  const auto e = d.database("E.1SB", {deletedChart(), deletedChart("x")});
  ASSERT_EQ(runCleaner(d.ui, d.settings, e.settings, nullptr, false), 1);
  EXPECT_EQ(fileBytes(e.records).size(), 325u);
  EXPECT_EQ(inspectDatabase(e).problem, DbProblem::None);
}

TEST(Cleaner, ConvertsAFirstVersionDatabase) {
  StoreDir d;
  const auto p = databasePaths(d.file("OLD.1SB"));
  std::string old;
  for (int i = 0; i < 4; ++i) {
    std::string r = encodeChart1(sampleChart("", i));
    const std::string name = "Old " + std::to_string(i);
    // First-version texts carry a byte before them, and the markers are not blanks.
    r.replace(66, 25, std::string(1, '\x10') + name + std::string(24 - name.size(), '\0'));
    r[318] = r[320] = 0;
    old += r + "abc";
  }
  ASSERT_EQ(old.size(), 1312u);
  testing::putBytes(p.records, old);
  testing::putBytes(p.calculations, std::string(804 * 2 + 7, 'z'));
  testing::putBytes(p.settings, encodeDbSettings(dbSettingsFrom(d.settings)));
  EXPECT_EQ(inspectDatabase(p).problem, DbProblem::FirstVersion);
  d.ui.expectAnswer(ui::Answer::Ok);  // the conversion question
  d.ui.expectAnswer(ui::Answer::Ok);  // the Cleaner's
  ASSERT_EQ(checkDatabaseIntegrity(d.ui, d.settings, p.settings, nullptr), 1);
  EXPECT_EQ(d.ui.messages[0].text.find("This database was created with Talpora 1.0."), 0u);
  EXPECT_NE(d.ui.messages[0].text.find(", and" + p.calculations.string()), std::string::npos);
  EXPECT_EQ(fileBytes(p.records).size(), 1300u);
  EXPECT_EQ(liveNames(p), (std::vector<std::string>{"Old 0", "Old 1", "Old 2", "Old 3"}));
  EXPECT_EQ(inspectDatabase(p).problem, DbProblem::None);
}

TEST(Cleaner, AFailureOrACancelAtAnyStepBeforeTheRenamesKeepsTheOldFiles) {
  StoreDir d;
  std::vector<Chart1> charts;
  for (int i = 0; i < 9; ++i)
    charts.push_back(i % 3 ? sampleChart("N" + std::to_string(i), i) : deletedChart());
  // Steps: create both files, write both (begin), write both (last flush), flush both to the disk,
  // the settings file, then the three renames (9, 10, 11).
  for (int step = 0; step < 12; ++step) {
    const auto p = d.database("K.1SB", charts);
    const std::string s = fileBytes(p.settings), r = fileBytes(p.records), c = fileBytes(p.calculations);
    const DbFaults fault{step};
    d.ui.messages.clear();
    EXPECT_EQ(runCleaner(d.ui, d.settings, p.settings, nullptr, false, &fault), 0) << step;
    EXPECT_EQ(d.ui.messages.back().caption, "File Error") << step;
    if (step <= 9) {
      EXPECT_TRUE(fileBytes(p.records) == r) << step;
      EXPECT_TRUE(fileBytes(p.calculations) == c) << step;
    }
    EXPECT_TRUE(fileBytes(p.settings) == s) << step;
    // Whatever happened, the live charts are all there once the Cleaner has run.
    ASSERT_EQ(runCleaner(d.ui, d.settings, p.settings, nullptr, false), 1) << step;
    EXPECT_EQ(liveNames(p).size(), 6u) << step;
    for (const auto& e : fs::directory_iterator(d.dir))
      EXPECT_NE(e.path().filename().string().rfind(".K.", 0), 0u)
          << "left over: " << e.path() << " step " << step;
  }
  struct Cancel : ui::ProgressSink {
    void show(std::string_view) override {}
    bool cancelled() const override { return true; }
  } cancel;
  const auto p = d.database("K.1SB", charts);
  const std::string r = fileBytes(p.records);
  EXPECT_EQ(runCleaner(d.ui, d.settings, p.settings, &cancel, false), 0);
  EXPECT_TRUE(fileBytes(p.records) == r);
}

TEST(Cleaner, OnAnotherFileSystem) {
  if (!fs::is_directory("/dev/shm")) GTEST_SKIP() << "no tmpfs at /dev/shm";
  StoreDir d;
  StoreDir shm("/dev/shm");
  const auto p = shm.database("T.1SB", {sampleChart("Anna", 1), deletedChart(), sampleChart("Bert", 2)});
  ASSERT_EQ(runCleaner(d.ui, d.settings, p.settings, nullptr, false), 1);
  EXPECT_EQ(liveNames(p), (std::vector<std::string>{"Anna", "Bert"}));
  EXPECT_EQ(addDBEntry(d.ui, d.settings, sampleChart("Carl", 3), -1, 1, p.settings, {&d.chiron}), 1);
  EXPECT_EQ(inspectDatabase(p).problem, DbProblem::None);
}

TEST(Cleaner, KilledAtRandomMomentsLosesNoLiveChart) {
  StoreDir d;
  std::vector<Chart1> charts;
  std::vector<std::string> expected;
  for (int i = 0; i < 600; ++i) {
    if (i % 4 == 0) {
      charts.push_back(deletedChart());
      continue;
    }
    charts.push_back(sampleChart("Kill " + std::to_string(i), i));
    expected.push_back(charts.back().name);
  }
  std::mt19937 random(15);
  for (int round = 0; round < 6; ++round) {
    const auto p = d.database("KILL.1SB", charts);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      headless::ScriptedInteraction quiet;
      rebuildDatabase(p, d.settings, d.chiron, nullptr);
      ::_exit(0);
    }
    ::usleep(std::uniform_int_distribution<int>(0, 40000)(random));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    // What is left is usable, or the check offers the Cleaner: one clean gives every live chart.
    d.ui.setDefaultAnswer(ui::Answer::Yes);
    ASSERT_EQ(runCleaner(d.ui, d.settings, p.settings, nullptr, false), 1) << round;
    EXPECT_EQ(liveNames(p), expected) << round;
    EXPECT_EQ(inspectDatabase(p).problem, DbProblem::None) << round;
    for (const auto& e : fs::directory_iterator(d.dir))  // the killed writer's temporaries are gone
      EXPECT_NE(e.path().filename().string().rfind(".KILL.", 0), 0u) << e.path();
  }
}

}  // namespace
}  // namespace talpora
