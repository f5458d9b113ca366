// zykfile: settings, chart records, computed charts, chart indexes, hot and last charts, orb files.
#include "files/zykfile.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "platform/atomic_file.h"
#include "platform/byte_io.h"
#include "platform/program_dir.h"

namespace talpora {
namespace fs = std::filesystem;

namespace {

const char* kReadCaption = "Error Message from zykfile.dll";
const char* kWriteCaption = "File error in zykfile.dll";

fs::path inProgramDir(const CIni& settings, std::string_view name) {
  return findCaseInsensitive(fs::path(programDirOf(settings)), name);
}

void reportCannotOpen(ui::Interaction& ui, const fs::path& file) {
  ui.message(
      {"File " + file.string() + " cannot be opened.", kReadCaption, ui::Buttons::Ok, ui::Icon::Stop, {}});
}

int reportWrite(const WriteResult& r, ui::Interaction* ui) {
  if (r.ok) return 1;
  if (ui) ui->message({r.error, kWriteCaption, ui::Buttons::Ok, ui::Icon::Stop, {}});
  return 0;
}

// Writes one record: create 1 replaces the file with the record alone, create 0 writes in place.
int writeRecord(const fs::path& file, std::int64_t offset, int create, const std::string& bytes,
                ui::Interaction* ui) {
  if (create == 1) {
    if (offset <= 0) return reportWrite(replaceFileAtomically(file, bytes), ui);
    // A fresh file with the record at a byte offset: zeros before it.
    return reportWrite(
        replaceFileAtomically(file, std::string(static_cast<std::size_t>(offset), '\0') + bytes), ui);
  }
  return reportWrite(writeAt(file, offset, bytes), ui);
}

// Reads `size` bytes at `offset`; nullopt (reported) when the file cannot be opened or does not hold
// a whole record there.
std::optional<std::string> readRecord(const fs::path& file, std::int64_t offset, std::size_t size,
                                      ui::Interaction& ui) {
  if (offset < 0) {
    reportCannotOpen(ui, file);
    return std::nullopt;
  }
  auto bytes = readFileRange(file, static_cast<std::uint64_t>(offset), size);
  if (!bytes || bytes->size() < size) {
    reportCannotOpen(ui, file);
    return std::nullopt;
  }
  return bytes;
}

// First-version text field: the text starts at the field's second byte.
void convertFirstVersionText(char* field, std::size_t width, std::size_t maxChars) {
  std::string text;
  for (std::size_t i = 1; i < width && field[i] != '\0' && text.size() < maxChars; ++i)
    text.push_back(field[i]);
  setField(field, width, text);
}

}  // namespace

std::string encodeSettings(const CIni& s) {
  ByteWriter w;
  w.i16(s.houseSystem);
  w.i16(s.monochrome);
  w.i16(s.ayanamsa);
  for (float f : s.orbsLuminaries) w.f32(f);
  for (float f : s.orbsOthers) w.f32(f);
  w.text(s.wordProcessor, sizeof s.wordProcessor);
  w.u8(s.ampm);
  w.text(s.programDir, sizeof s.programDir);
  return w.take();
}

CIni decodeSettings(std::string_view bytes) {
  ByteReader r(bytes);
  CIni s;
  s.houseSystem = r.i16();
  s.monochrome = r.i16();
  s.ayanamsa = r.i16();
  for (float& f : s.orbsLuminaries) f = r.f32();
  for (float& f : s.orbsOthers) f = r.f32();
  r.text(s.wordProcessor, sizeof s.wordProcessor);
  s.ampm = r.u8();
  r.text(s.programDir, sizeof s.programDir);
  return s;
}

std::string encodeChart1(const Chart1& c) {
  ByteWriter w;
  w.i16(c.chartType);
  w.i16(c.day);
  w.i16(c.month);
  w.i16(c.year);
  w.i16(c.hour);
  w.i16(c.minute);
  w.f64(c.longitude);
  w.f64(c.latitude);
  w.f64(c.timeZone);
  w.u8(c.timeKnown);
  w.i16(c.zoneStatus);
  w.i16(c.country);
  w.text(c.place, sizeof c.place);
  w.text(c.name, sizeof c.name);
  w.text(c.typeText, sizeof c.typeText);
  w.text(c.comment, sizeof c.comment);
  w.i16(c.region);
  w.i16(32);
  w.i16(32);
  w.u8(c.doubleChart);
  w.u8(' ');
  w.u8(c.reserved);
  return w.take();
}

Chart1 decodeChart1(std::string_view bytes) {
  ByteReader r(bytes);
  Chart1 c;
  c.doubleChart = 0;
  c.chartType = r.i16();
  c.day = r.i16();
  c.month = r.i16();
  c.year = r.i16();
  c.hour = r.i16();
  c.minute = r.i16();
  c.longitude = r.f64();
  c.latitude = r.f64();
  c.timeZone = r.f64();
  c.timeKnown = r.u8();
  c.zoneStatus = r.i16();
  c.country = r.i16();
  // Raw full-width reads first: a first-version record keeps a byte before each text.
  r.raw(c.place, sizeof c.place);
  r.raw(c.name, sizeof c.name);
  r.raw(c.typeText, sizeof c.typeText);
  r.raw(c.comment, sizeof c.comment);
  c.region = r.i16();
  c.marker1 = r.i16();
  c.marker2 = r.i16();
  c.doubleChart = r.u8();
  c.marker3 = r.u8();
  c.reserved = r.u8();
  if (c.marker1 != 32 || c.marker2 != 32) {
    convertFirstVersionText(c.place, sizeof c.place, 24);
    convertFirstVersionText(c.name, sizeof c.name, 24);
    convertFirstVersionText(c.typeText, sizeof c.typeText, 24);
    convertFirstVersionText(c.comment, sizeof c.comment, 198);
    c.marker3 = 0;
    c.marker1 = c.marker2 = 32;
  }
  c.place[24] = c.name[24] = c.typeText[24] = '\0';
  c.comment[199] = '\0';
  return c;
}

std::string encodeChart2(const Chart2& c) {
  ByteWriter w;
  w.f64(c.julianDay);
  w.f64(c.siderealTime);
  w.f64(c.obliquity);
  w.f64(c.trueAyanamsa);
  w.f64(c.syneticVernalPoint);
  w.i16(c.houseSystem);
  for (double d : c.cusps) w.f64(d);
  for (double d : c.objects) w.f64(d);
  w.raw(c.motion, sizeof c.motion);
  for (double d : c.objectLat) w.f64(d);
  for (double d : c.extra) w.f64(d);
  w.i16(c.planetaryHour);
  for (auto s : c.spare) w.i16(s);
  return w.take();
}

Chart2 decodeChart2(std::string_view bytes) {
  ByteReader r(bytes);
  Chart2 c;
  c.julianDay = r.f64();
  c.siderealTime = r.f64();
  c.obliquity = r.f64();
  c.trueAyanamsa = r.f64();
  c.syneticVernalPoint = r.f64();
  c.houseSystem = r.i16();
  for (double& d : c.cusps) d = r.f64();
  for (double& d : c.objects) d = r.f64();
  r.raw(c.motion, sizeof c.motion);
  for (double& d : c.objectLat) d = r.f64();
  for (double& d : c.extra) d = r.f64();
  c.planetaryHour = r.i16();
  for (auto& s : c.spare) s = r.i16();
  return c;
}

std::string encodeChart3(const Chart3& c) {
  ByteWriter w;
  w.raw(c.houseOf, sizeof c.houseOf);
  w.raw(c.aspectOf, sizeof c.aspectOf);
  return w.take();
}

Chart3 decodeChart3(std::string_view bytes) {
  ByteReader r(bytes);
  Chart3 c;
  r.raw(c.houseOf, sizeof c.houseOf);
  r.raw(c.aspectOf, sizeof c.aspectOf);
  return c;
}

std::string GetTalporaPath(const CIni& settings) {
  return programDirOf(settings);
}

int PutInMemBlock_CIni(CIni& settings, const fs::path& directory, ui::Interaction& ui) {
  const fs::path file = findCaseInsensitive(directory, kSettingsFileName);
  const auto bytes = readFileRange(file, 0, kSettingsFileSize);
  if (!bytes || bytes->size() < kSettingsFileSize) {
    ui.message({file.string() + " cannot be opened", kWriteCaption, ui::Buttons::Ok, ui::Icon::Stop, {}});
    settings = defaultSettings(directory.string());
    return 0;
  }
  settings = decodeSettings(*bytes);
  // The directory this program found for itself wins over a stored one (a moved installation).
  setField(settings.programDir, directory.string());
  return 1;
}

int Serialise_CIni(const CIni& settings, ui::Interaction* ui) {
  return reportWrite(
      replaceFileAtomically(fs::path(programDirOf(settings)) / kSettingsFileName, encodeSettings(settings)),
      ui);
}

int PutInMemBlock_c1(Chart1& chart, const fs::path& file, std::int64_t offset, ui::Interaction& ui) {
  const auto bytes = readRecord(file, offset, kChartRecordSize, ui);
  if (!bytes) return 0;
  chart = decodeChart1(*bytes);
  return 1;
}
int Read_pc1(Chart1* chart, const fs::path& file, std::int64_t offset, ui::Interaction& ui) {
  return PutInMemBlock_c1(*chart, file, offset, ui);
}
int Serialise_c1(const Chart1& chart, const fs::path& file, std::int64_t offset, int create,
                 ui::Interaction* ui) {
  return writeRecord(file, offset, create, encodeChart1(chart), ui);
}
int Serialise_pc1(const Chart1* chart, const fs::path& file, std::int64_t offset, int create,
                  ui::Interaction* ui) {
  return Serialise_c1(*chart, file, offset, create, ui);
}

int PutInMemBlock_c2(Chart2& computed, const fs::path& file, std::int64_t offset, ui::Interaction& ui) {
  const auto bytes = readRecord(file, offset, kComputedRecordSize, ui);
  if (!bytes) return 0;
  computed = decodeChart2(*bytes);
  return 1;
}
int Read_pc2(Chart2* computed, const fs::path& file, std::int64_t offset, ui::Interaction& ui) {
  return PutInMemBlock_c2(*computed, file, offset, ui);
}
int Serialise_c2(const Chart2& computed, const fs::path& file, std::int64_t offset, int create,
                 ui::Interaction* ui) {
  return writeRecord(file, offset, create, encodeChart2(computed), ui);
}
int Serialise_pc2(const Chart2* computed, const fs::path& file, std::int64_t offset, int create,
                  ui::Interaction* ui) {
  return Serialise_c2(*computed, file, offset, create, ui);
}

int Read_pc3(Chart3* index, const fs::path& file, std::int64_t offset, ui::Interaction& ui) {
  const auto bytes = readRecord(file, offset, kIndexRecordSize, ui);
  if (!bytes) return 0;
  *index = decodeChart3(*bytes);
  return 1;
}
int Serialise_pc3(const Chart3* index, const fs::path& file, std::int64_t offset, int create,
                  ui::Interaction* ui) {
  return writeRecord(file, offset, create, encodeChart3(*index), ui);
}

int Storeinterm(Chart1& chart, const CIni& settings, int, int, ui::Interaction* ui) {
  if (chart.chartType == chart_type::kHereAndNow || chart.chartType == chart_type::kHereAndNowOtherPlace)
    chart.chartType = chart_type::kOrdinary;
  return Serialise_c1(chart, inProgramDir(settings, kIntermediateFileName), 0, 1, ui);
}

std::string lastChartFileName(int slot) {
  if (slot <= 0) return kIntermediateFileName;
  if (slot == 1) return "ZYKLAST.DTF";
  return "ZYKLAST" + std::to_string(slot) + ".DTF";
}

namespace {
std::string lastMenuText(int slot, const Chart1& c) {
  return "&" + std::to_string(slot) + " " + nameOf(c);
}
}  // namespace

int StoreLast(ui::MenuSpec* menu, const CIni& settings, ui::Interaction& ui) {
  Chart1 current;
  if (!PutInMemBlock_c1(current, inProgramDir(settings, lastChartFileName(0)), 0, ui)) return 0;
  int n = 10;
  for (int slot = 4; slot >= 1; --slot) {
    Chart1 c;
    if (!PutInMemBlock_c1(c, inProgramDir(settings, lastChartFileName(slot)), 0, ui)) continue;
    if (c.day == current.day && c.month == current.month && c.year == current.year &&
        nameOf(c) == nameOf(current)) {
      n = slot;
      break;
    }
  }
  for (int a = 4; a >= 1; --a) {
    if (a > n) continue;
    Chart1 previous;
    if (!PutInMemBlock_c1(previous, inProgramDir(settings, lastChartFileName(a - 1)), 0, ui)) return 0;
    if (!Serialise_c1(previous, inProgramDir(settings, lastChartFileName(a)), 0, 1, &ui)) return 0;
    if (menu) menu->setText(190 + a, lastMenuText(a, previous));
  }
  return 1;
}

void LastChartsMenuTexts(ui::MenuSpec& menu, const CIni& settings, ui::Interaction& ui) {
  for (int a = 1; a <= 4; ++a) {
    Chart1 c;
    if (PutInMemBlock_c1(c, inProgramDir(settings, lastChartFileName(a)), 0, ui))
      menu.setText(190 + a, lastMenuText(a, c));
  }
}

void LoadLast(int slot, int* flag, Chart1& chart, const CIni& settings, ui::Interaction& ui) {
  if (slot < 1 || slot > 4) {
    *flag = 0;
    return;
  }
  *flag = PutInMemBlock_c1(chart, inProgramDir(settings, lastChartFileName(slot)), 0, ui);
}

std::string hotChartFileName(int index) {
  return "ZYKHOT" + std::to_string(index) + ".DTF";
}

int Storehot(int, const Chart1& chart, int index, const CIni& settings, ui::Interaction* ui) {
  if (index < 0 || index > 9) return 0;
  return Serialise_c1(chart, inProgramDir(settings, hotChartFileName(index)), 0, 1, ui);
}

int ReadOrbs(const CIni& settings, int aspectSet, float* orbsA, float* orbsB, int source,
             ui::Interaction* ui) {
  int count = 0;
  switch (aspectSet) {
    case 1:
      count = 5;
      break;
    case 2:
      count = 9;
      break;
    case 3:
      count = 18;
      break;
    case 4:
      count = 20;
      break;
    default:
      return 0;
  }
  if (source == 1) {
    for (int i = 0; i < count; ++i) {
      orbsA[i] = settings.orbsLuminaries[i];
      orbsB[i] = settings.orbsOthers[i];
    }
    return 1;
  }
  if (count > 9) count = 9;
  const char* name = source == 2 ? kTransitOrbsFileName : kProgressionOrbsFileName;
  const fs::path file = inProgramDir(settings, name);
  const auto bytes = readFileRange(file, 0, 72);
  const bool whole = bytes && bytes->size() >= static_cast<std::size_t>(count) * 8;
  if (!whole && ui) {
    ui->message({"File " + file.string() + " cannot be opened. The default orbs are used.",
                 kReadCaption,
                 ui::Buttons::Ok,
                 ui::Icon::Warning,
                 {}});
  }
  ByteReader r(whole ? std::string_view(*bytes) : std::string_view());
  double values[9] = {};
  bool sound = whole;
  for (int i = 0; i < count; ++i) {
    values[i] = whole ? r.f64() : kDefaultTransitOrbs[i];
    sound = sound && std::isfinite(values[i]) && values[i] >= 0 && values[i] <= kMaximumOrbs[i];
  }
  // An orb no dialog accepts (no number, negative, above the aspect's maximum) means a damaged file:
  // every pair would be an aspect, or none. The defaults are used, and the user is told.
  if (whole && !sound) {
    if (ui)
      ui->message({"File " + file.string() + " is damaged (an orb out of range). The default orbs are used.",
                   kReadCaption, ui::Buttons::Ok, ui::Icon::Warning, {}});
    for (int i = 0; i < count; ++i) values[i] = kDefaultTransitOrbs[i];
  }
  for (int i = 0; i < count; ++i) orbsA[i] = orbsB[i] = static_cast<float>(values[i]);
  return 1;
}

int WriteOrbFile(const CIni& settings, int source, const double orbs[9], ui::Interaction* ui) {
  ByteWriter w;
  for (int i = 0; i < 9; ++i) w.f64(orbs[i]);
  const char* name = source == 2 ? kTransitOrbsFileName : kProgressionOrbsFileName;
  return reportWrite(replaceFileAtomically(fs::path(programDirOf(settings)) / name, w.bytes()), ui);
}

std::string placeChartFileName(int place) {
  char name[16];
  std::snprintf(name, sizeof name, "ZYKF%02d.DTF", place);
  return name;
}

int readPlaceChart(const CIni& settings, int placeNumber, Chart1& place, ui::Interaction& ui) {
  if (placeNumber < 0 || placeNumber > 99) {
    ui.tell("There is no place chart " + std::to_string(placeNumber) + " (place charts are 0 to 99).",
            "Error Message from zyknow.dll", ui::Icon::Stop);
    return 0;
  }
  const auto file = findCaseInsensitive(programDirOf(settings), placeChartFileName(placeNumber));
  return PutInMemBlock_c1(place, file, 0, ui);
}

Chart1 defaultPlaceChart() {
  Chart1 c = embeddedDefaultChart();
  setField(c.name, "My place");
  setField(c.typeText, "");
  setField(c.comment, "");
  return c;
}

std::vector<std::string> EnsureProgramDirDefaults(const fs::path& programDir) {
  std::vector<std::string> created;
  std::error_code ec;
  fs::create_directories(programDir, ec);
  auto missing = [&](std::string_view name) {
    return !fs::exists(findCaseInsensitive(programDir, name), ec);
  };
  auto put = [&](const std::string& name, const std::string& bytes) {
    if (!missing(name)) return;
    if (replaceFileAtomically(programDir / name, bytes)) created.push_back(name);
  };
  put(kSettingsFileName, encodeSettings(defaultSettings(programDir.string())));
  const std::string sample = encodeChart1(embeddedDefaultChart());
  for (int slot = 0; slot <= 4; ++slot) put(lastChartFileName(slot), sample);
  for (int hot = 0; hot <= 9; ++hot) put(hotChartFileName(hot), sample);
  ByteWriter orbs;
  for (double d : kDefaultTransitOrbs) orbs.f64(d);
  put(kTransitOrbsFileName, orbs.bytes());
  put(kProgressionOrbsFileName, orbs.bytes());
  put(placeChartFileName(0), encodeChart1(defaultPlaceChart()));
  return created;
}

}  // namespace talpora
