// The number of the next saved report: 1 in a fresh directory, the one after the newest file, cycling
// through 1..15, with files of the same instant taken in the order of the cycle.
#include "format/report_number.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

namespace fs = std::filesystem;
using namespace talpora;

namespace {

struct Dir {
  Dir() : path(fs::temp_directory_path() / ("talpora-report-number-" + std::to_string(::getpid()))) {
    fs::remove_all(path);
    fs::create_directories(path);
  }
  ~Dir() { fs::remove_all(path); }
  // Writes report n with a modification time `age` seconds before a fixed instant.
  void write(int n, int age) const {
    const fs::path f = path / reportFileName("Interp%d.txt", n);
    std::ofstream(f) << n;
    fs::last_write_time(f, base - std::chrono::seconds(age));
  }
  fs::path path;
  fs::file_time_type base = fs::file_time_type::clock::now();
};

}  // namespace

TEST(ReportNumber, FollowsTheNewestFileAndCycles) {
  struct Row {
    const char* name;
    std::vector<std::pair<int, int>> files;  // number, age in seconds
    int next;
  };
  const Row rows[] = {
      {"fresh directory", {}, 1},
      {"one file", {{1, 0}}, 2},
      {"the newest is not the highest", {{1, 10}, {2, 10}, {7, 0}, {9, 5}}, 8},
      {"after 15 comes 1", {{14, 5}, {15, 0}}, 1},
      {"same instant: the cycle's order", {{1, 0}, {2, 0}, {3, 0}}, 4},
      {"same instant across the wrap", {{14, 0}, {15, 0}, {1, 0}, {5, 9}}, 2},
      {"every file at one instant",
       {{1, 0},
        {2, 0},
        {3, 0},
        {4, 0},
        {5, 0},
        {6, 0},
        {7, 0},
        {8, 0},
        {9, 0},
        {10, 0},
        {11, 0},
        {12, 0},
        {13, 0},
        {14, 0},
        {15, 0}},
       1},
      {"numbers above 15 are not ours", {{3, 5}, {16, 0}}, 4},
  };
  for (const Row& r : rows) {
    Dir d;
    for (auto [n, age] : r.files) d.write(n, age);
    EXPECT_EQ(nextReportNumber(d.path, "Interp%d.txt"), r.next) << r.name;
  }
  // A folder in the way is not a report.
  Dir d;
  d.write(2, 5);
  fs::create_directory(d.path / "Interp9.txt");
  EXPECT_EQ(nextReportNumber(d.path, "Interp%d.txt"), 3);
  EXPECT_EQ(reportFileName("Listng%d.txt", 12), "Listng12.txt");
}
