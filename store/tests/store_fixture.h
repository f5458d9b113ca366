// Test helper for the store: a private program directory with the suite's defaults, charts to store
// and byte-level views of files.
#pragma once
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "core/records.h"
#include "engine/positions.h"
#include "files/zykfile.h"
#include "platform/headless/scripted_interaction.h"
#include "store/database_files.h"

namespace talpora::testing {

inline std::string fileBytes(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

inline void putBytes(const std::filesystem::path& p, const std::string& bytes) {
  std::ofstream(p, std::ios::binary | std::ios::trunc) << bytes;
}

// A chart of a distinct moment and place for each number.
inline Chart1 sampleChart(const std::string& name, int n = 0) {
  Chart1 c;
  c.chartType = 1;
  c.day = static_cast<std::int16_t>(1 + n % 28);
  c.month = static_cast<std::int16_t>(1 + n % 12);
  c.year = static_cast<std::int16_t>(1930 + n % 90);
  c.hour = static_cast<std::int16_t>(n % 24);
  c.minute = static_cast<std::int16_t>((7 * n) % 60);
  c.longitude = ((n * 37) % 360 - 180) / 15.0;
  c.latitude = (n * 13) % 120 - 60;
  c.timeZone = (n % 5) - 2;
  c.timeKnown = 1;
  std::snprintf(c.name, sizeof c.name, "%s", name.c_str());
  std::snprintf(c.place, sizeof c.place, "Place %d", n);
  return c;
}

struct StoreDir {
  std::filesystem::path dir;
  CIni settings;
  ChironTable chiron;  // empty: Chiron without a position, which keeps the tests quick
  headless::ScriptedInteraction ui;

  explicit StoreDir(const std::filesystem::path& base = std::filesystem::temp_directory_path()) {
    static std::atomic<int> counter{0};
    dir = base / ("talpora-store-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    EnsureProgramDirDefaults(dir);
    settings = defaultSettings(dir.string());
  }
  ~StoreDir() {
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }
  std::filesystem::path file(const std::string& name) const { return dir / name; }

  // A database of the given charts, written directly (records and calculations paired).
  DatabasePaths database(const std::string& name, const std::vector<Chart1>& charts) {
    const auto paths = databasePaths(dir / name);
    std::string records, calcs;
    for (const auto& c : charts) {
      records += encodeChart1(c);
      calcs +=
          encodeDbEntry(c.chartType == kDeletedChartType ? DbEntry{} : computeDbEntry(settings, c, chiron));
    }
    putBytes(paths.settings, encodeDbSettings(dbSettingsFrom(settings)));
    putBytes(paths.records, records);
    putBytes(paths.calculations, calcs);
    return paths;
  }
};

inline Chart1 deletedChart(const std::string& name = "") {
  Chart1 c = sampleChart(name);
  c.chartType = kDeletedChartType;
  return c;
}

}  // namespace talpora::testing
