// Test helpers of the listing program: a temporary program directory with the shipped star and Chiron
// files, charts of several kinds computed by the engine, the transfer file, and a headless platform.
#pragma once
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/transfer.h"
#include "engine/chart.h"
#include "files/startup.h"
#include "files/zykfile.h"
#include "format/printing.h"
#include "platform/byte_io.h"
#include "platform/headless/fakes.h"
#include "platform/headless/recording_canvas.h"
#include "platform/headless/scripted_interaction.h"
#include "platform/platform.h"

namespace talpora::testing_support {

namespace fs = std::filesystem;

inline fs::path sourceData(const std::string& name) {
  return fs::path(TALPORA_SOURCE_DIR) / "data" / name;
}

// A fresh program directory holding the settings and the writable defaults, the fixed stars and the
// Chiron table.
inline fs::path freshProgramDir(const std::string& name) {
  fs::path d = fs::temp_directory_path() / ("talpora-listing-" + name + "-" + std::to_string(::getpid()));
  fs::remove_all(d);
  fs::create_directories(d);
  EnsureProgramDirDefaults(d);
  for (const char* f : {"ZYKFFL.DTF", "zykffn.dtf", "zykadb.DTF"})
    fs::copy_file(sourceData(f), d / f, fs::copy_options::overwrite_existing);
  return d;
}

inline CIni settingsFor(const fs::path& dir) {
  CIni s = defaultSettings(dir.string());
  headless::ScriptedInteraction ui;
  PutInMemBlock_CIni(s, dir, ui);
  return s;
}

// A chart record: date and clock time, zone (hours later than Greenwich), longitude and latitude in
// degrees (east and north positive).
inline Chart1 chartRecord(int day, int month, int year, int hour, int minute, double zone, double lonDeg,
                          double latDeg, const std::string& name, const std::string& place, int type = 0,
                          const std::string& typeText = "Natal Chart") {
  Chart1 c = zeroedRecord<Chart1>();
  c.marker1 = c.marker2 = 32;
  c.marker3 = ' ';
  c.chartType = static_cast<std::int16_t>(type);
  c.day = static_cast<std::int16_t>(day);
  c.month = static_cast<std::int16_t>(month);
  c.year = static_cast<std::int16_t>(year);
  c.hour = static_cast<std::int16_t>(hour);
  c.minute = static_cast<std::int16_t>(minute);
  c.timeZone = zone;
  c.longitude = lonDeg / 15.0;
  c.latitude = latDeg;
  c.timeKnown = 1;
  setField(c.name, name);
  setField(c.place, place);
  setField(c.typeText, typeText);
  return c;
}

inline Chart2 compute(const CIni& settings, const Chart1& birth) {
  Chart2 chart = zeroedRecord<Chart2>();
  const ChironTable chiron = readChironTable(sourceData("zykadb.DTF"));
  calculall(settings, birth, chart, chiron);
  return chart;
}

// Paris, Friday 5 January 1996, 14h05 (zone 0).
inline Chart1 parisChart() {
  return chartRecord(5, 1, 1996, 14, 5, 0.0, 2.0 + 20.0 / 60.0, 48.0 + 52.0 / 60.0, "Paris Sample", "Paris");
}

// Printers whose documents are recorded.
class RecordingPrinters : public gfx::Printers {
 public:
  bool hasDefault() const override { return installed; }
  std::string defaultName() const override { return installed ? "lp0" : ""; }
  std::unique_ptr<gfx::PrintJob> start(std::string_view name, const std::string& pdf) override {
    if (pdf.empty() && !installed) return nullptr;
    documents.emplace_back(name);
    return std::make_unique<Job>(*this);
  }
  bool installed = true;
  std::vector<std::string> documents;
  std::vector<std::unique_ptr<headless::RecordingCanvas>> pages;

 private:
  class Job : public gfx::PrintJob {
   public:
    explicit Job(RecordingPrinters& p) : p_(p) {}
    gfx::Canvas* beginPage() override {
      p_.pages.push_back(std::make_unique<headless::RecordingCanvas>());
      return p_.pages.back().get();
    }
    void endPage() override {}
    bool end() override { return true; }
    gfx::Size pageSize() const override { return {2100, 2970}; }

   private:
    RecordingPrinters& p_;
  };
};

// The edit control: the text shown, split into lines.
class StringReportView : public ui::ReportView {
 public:
  void show(std::string_view crlfText) override {
    text.assign(crlfText);
    ++shown;
  }
  std::vector<std::string> lines() const override { return reportLines(text); }
  bool hasLine(const std::string& l) const {
    for (const auto& x : lines())
      if (x == l) return true;
    return false;
  }
  bool contains(const std::string& part) const { return text.find(part) != std::string::npos; }
  std::string text;
  int shown = 0;
};

// Every headless service, over one program directory.
struct HeadlessPlatform {
  explicit HeadlessPlatform(const fs::path& dir)
      : platform{ui, printers, launcher, help, sound, clock, busy, suite, ProgramDir{dir, "override"}} {}
  headless::ScriptedInteraction ui;
  RecordingPrinters printers;
  headless::RecordingLauncher launcher;
  headless::RecordingHelp help;
  headless::RecordingSound sound;
  headless::FixedClock clock;
  headless::CountingBusy busy;
  headless::InMemorySuite suite;
  sys::Platform platform;
};

}  // namespace talpora::testing_support
