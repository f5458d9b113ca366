// zykchart / zykdbopen: database names, choice files, the settings file, the quiet integrity check,
// the computed entry and the bulk writer with the rebuild it serves.
#include "store/database_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>

#include "core/zodiac.h"
#include "engine/chart.h"
#include "engine/houses.h"
#include "files/zykfile.h"
#include "format/text_format.h"
#include "platform/byte_io.h"
#include "platform/mapped_file.h"

namespace talpora {
namespace fs = std::filesystem;

namespace {

constexpr std::size_t kNameOffset = 66;  // chart type 2, date and time 10, doubles 24, flags 5, place 25
constexpr std::size_t kMaxPath = 4096;

// ".1SB" -> ".2SB" with the letters' case kept; another extension (or none) gets ".nSB".
std::string derivedExtension(const std::string& ext, char digit) {
  if (ext.size() == 4 && ext[1] == '1') {
    std::string e = ext;
    e[1] = digit;
    return e;
  }
  return std::string(".") + digit + "SB";
}

}  // namespace

DatabasePaths databasePaths(const fs::path& settingsFile) {
  const std::string name = settingsFile.filename().string();
  const auto dot = name.rfind('.');
  std::string stem = name, ext;
  if (dot != std::string::npos && dot > 0) {
    stem = name.substr(0, dot);
    ext = name.substr(dot);
  }
  const fs::path dir = settingsFile.parent_path();
  return {settingsFile, dir / (stem + derivedExtension(ext, '2')), dir / (stem + derivedExtension(ext, '3'))};
}

std::optional<fs::path> readChoiceFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes(kMaxPath, '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  if (const auto nul = bytes.find('\0'); nul != std::string::npos) bytes.resize(nul);
  if (bytes.empty()) return std::nullopt;
  return fs::path(bytes);
}

WriteResult writeChoiceFile(const fs::path& file, const fs::path& dbSettings) {
  std::string bytes = dbSettings.string();
  bytes.push_back('\0');
  return replaceFileAtomically(file, bytes);
}

DbSettings dbSettingsFrom(const CIni& settings) {
  DbSettings s;
  s.houseSystem = settings.houseSystem;
  float a[20] = {}, b[20] = {};
  ReadOrbs(settings, 3, a, b, 1);
  for (int i = 0; i < 18; ++i) {
    s.orbs[2 * i] = a[i];
    s.orbs[2 * i + 1] = b[i];
  }
  return s;
}

std::string encodeDbSettings(const DbSettings& s) {
  ByteWriter w;
  w.i16(s.houseSystem);
  for (double d : s.orbs) w.f64(d);
  return w.take();
}

std::optional<DbSettings> readDbSettings(const fs::path& file) {
  auto mapped = MappedFile::open(file);
  if (!mapped || mapped->bytes().size() < kDbSettingsSize) return std::nullopt;
  ByteReader r(mapped->bytes());
  DbSettings s;
  s.houseSystem = r.i16();
  for (double& d : s.orbs) d = r.f64();
  return s;
}

bool sameDbSettings(const DbSettings& stored, const DbSettings& current) {
  return settingsChangedText(stored, current).empty();
}

std::string settingsChangedText(const DbSettings& stored, const DbSettings& current) {
  const bool houses = stored.houseSystem != current.houseSystem;
  bool orbs = false;
  for (int i = 0; i < 36; ++i)
    if (static_cast<float>(stored.orbs[i]) != static_cast<float>(current.orbs[i])) orbs = true;
  if (!houses && !orbs) return {};
  std::string text = "Since you last used this database, ";
  if (houses)
    text += "the default house system has been changed. It used to be " +
            HouseSystemName(stored.houseSystem) + ", and now it is " + HouseSystemName(current.houseSystem) +
            ". ";
  if (orbs) {
    if (houses) text += "Moreover, ";
    text += "the orbs of the aspects have been changed. ";
  }
  text += "This invalidates all the calculations stored in this database.";
  return text;
}

std::string_view recordName(std::string_view record) {
  if (record.size() <= kNameOffset) return {};
  std::string_view name = record.substr(kNameOffset, 24);
  if (const auto nul = name.find('\0'); nul != std::string_view::npos) name = name.substr(0, nul);
  return name;
}

std::int16_t recordChartType(std::string_view record) {
  if (record.size() < 2) return 0;
  return static_cast<std::int16_t>(static_cast<std::uint8_t>(record[0]) |
                                   (static_cast<std::uint8_t>(record[1]) << 8));
}

std::vector<DbListEntry> liveEntries(std::string_view bytes) {
  std::vector<DbListEntry> out;
  const std::size_t n = bytes.size() / kChartRecordSize;
  for (std::size_t i = 0; i < n; ++i) {
    const auto rec = bytes.substr(i * kChartRecordSize, kChartRecordSize);
    if (recordChartType(rec) == kDeletedChartType) continue;
    out.push_back({static_cast<long>(i), std::string(recordName(rec))});
  }
  return out;
}

DbInspection inspectDatabase(const DatabasePaths& paths) {
  DbInspection r;
  const auto records = MappedFile::open(paths.records);
  if (!records) {
    r.problem = DbProblem::RecordsMissing;
    return r;
  }
  const auto bytes = records->bytes();
  r.recordBytes = bytes.size();
  r.records = static_cast<long>(bytes.size() / kChartRecordSize);
  if (bytes.size() >= kChartRecordSize && decodeChart1(bytes.substr(0, kChartRecordSize)).marker3 != ' ') {
    r.problem = DbProblem::FirstVersion;
    return r;
  }
  if (bytes.size() < kChartRecordSize || bytes.size() % kChartRecordSize != 0) {
    r.problem = DbProblem::RecordsSize;
    return r;
  }
  for (long i = 0; i < r.records; ++i)
    if (recordChartType(bytes.substr(static_cast<std::size_t>(i) * kChartRecordSize, 2)) == kDeletedChartType)
      ++r.deleted;
  std::error_code ec;
  const auto calcSize = fs::file_size(paths.calculations, ec);
  if (ec) {
    r.problem = DbProblem::CalculationsMissing;
    return r;
  }
  r.calculationBytes = calcSize;
  r.calculations = static_cast<long>(calcSize / kDbEntrySize);
  if (calcSize % kDbEntrySize != 0)
    r.problem = DbProblem::CalculationsSize;
  else if (r.calculations != r.records)
    r.problem = DbProblem::CountMismatch;
  else if (r.deleted >= 21)
    r.problem = DbProblem::TooManyDeleted;
  return r;
}

DbEntry computeDbEntry(const CIni& settings, const Chart1& chart, const ChironTable& chiron) {
  DbEntry e;
  calculall(settings, chart, e.computed, chiron);
  for (int i = 0; i < 17; ++i)
    e.index.houseOf[i] = static_cast<std::uint8_t>(IsInHouse(i, settings, chart, e.computed) - 1);
  for (int i = 0; i < 16; ++i)
    for (int j = 0; j < 16; ++j) {
      int code = 0, applying = 0;
      double deviation = 0;
      const bool hit = AreAspected(i, j, settings, chart, e.computed, chart, e.computed, true, true, true,
                                   code, deviation, applying, true);
      e.index.aspectOf[i][j] = hit ? static_cast<std::uint8_t>(code) : 255;
    }
  return e;
}

std::string encodeDbEntry(const DbEntry& e) {
  return encodeChart2(e.computed) + encodeChart3(e.index);
}

// ---- the bulk writer ----

namespace {

constexpr std::size_t kFlushBytes = 1 << 20;

bool writeAllFd(int fd, std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

DatabaseBuilder::DatabaseBuilder(const DatabasePaths& paths, const CIni& settings, const ChironTable& chiron,
                                 const DbFaults* faults)
    : paths_(paths),
      temps_{temporarySibling(paths.settings), temporarySibling(paths.records),
             temporarySibling(paths.calculations)},
      settings_(settings),
      chiron_(chiron),
      faults_(faults) {}

DatabaseBuilder::~DatabaseBuilder() {
  if (fd2_ >= 0) ::close(fd2_);
  if (fd3_ >= 0) ::close(fd3_);
  if (!committed_) {
    std::error_code ec;
    fs::remove(temps_.records, ec);
    fs::remove(temps_.calculations, ec);
    fs::remove(temps_.settings, ec);
  }
}

template <class Op>
bool DatabaseBuilder::step(Op op, const std::string& what) {
  const int n = steps_++;
  bool ok = false;
  if (faults_ && faults_->failAtStep == n)
    errno = EIO;  // an injected failure: the operation is not done
  else
    ok = op();
  if (!ok && error_.empty()) error_ = what + ": " + std::strerror(errno);
  return ok;
}

bool DatabaseBuilder::begin(std::string_view keepRecords, std::string_view keepCalculations) {
  for (const auto* p : {&paths_.records, &paths_.calculations, &paths_.settings}) removeStaleTemporaries(*p);
  auto create = [](const fs::path& p, int& fd) {
    fd = ::open(p.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    return fd >= 0;
  };
  if (!step([&] { return create(temps_.records, fd2_); }, "cannot create " + temps_.records.string()))
    return false;
  if (!step([&] { return create(temps_.calculations, fd3_); },
            "cannot create " + temps_.calculations.string()))
    return false;
  buffer2_.reserve(kFlushBytes + kChartRecordSize);
  buffer3_.reserve(kFlushBytes * 3);
  buffer2_.assign(keepRecords);
  buffer3_.assign(keepCalculations);
  count_ = static_cast<long>(keepRecords.size() / kChartRecordSize);
  return flushBuffers();
}

bool DatabaseBuilder::flushBuffers() {
  if (!step([&] { return writeAllFd(fd2_, buffer2_); }, "cannot write " + temps_.records.string()))
    return false;
  if (!step([&] { return writeAllFd(fd3_, buffer3_); }, "cannot write " + temps_.calculations.string()))
    return false;
  buffer2_.clear();
  buffer3_.clear();
  return true;
}

bool DatabaseBuilder::addComputed(const Chart1& chart, const DbEntry& entry) {
  if (!error_.empty()) return false;
  buffer2_ += encodeChart1(chart);
  buffer3_ += encodeDbEntry(entry);
  ++count_;
  return buffer2_.size() < kFlushBytes || flushBuffers();
}

bool DatabaseBuilder::add(const Chart1& chart) {
  if (chart.chartType == kDeletedChartType) return addComputed(chart, DbEntry{});
  return addComputed(chart, computeDbEntry(settings_, chart, chiron_));
}

bool DatabaseBuilder::commit(bool writeSettings) {
  if (!error_.empty() || fd2_ < 0 || fd3_ < 0) return false;
  if (!flushBuffers()) return false;
  if (!step([&] { return ::fsync(fd2_) == 0; }, "cannot write " + temps_.records.string())) return false;
  if (!step([&] { return ::fsync(fd3_) == 0; }, "cannot write " + temps_.calculations.string())) return false;
  ::close(fd2_);
  ::close(fd3_);
  fd2_ = fd3_ = -1;
  if (writeSettings) {
    const std::string bytes = encodeDbSettings(dbSettingsFrom(settings_));
    if (!step([&] { return replaceFileAtomically(temps_.settings, bytes).ok; },
              "cannot write " + temps_.settings.string()))
      return false;
  }
  // Records first, then calculations, then settings: an interruption between two renames leaves
  // counts that differ (the Cleaner is offered) or stale settings (the settings question returns).
  auto rename = [](const fs::path& from, const fs::path& to) {
    return ::rename(from.c_str(), to.c_str()) == 0;
  };
  if (!step([&] { return rename(temps_.records, paths_.records); },
            "cannot replace " + paths_.records.string()))
    return false;
  if (!step([&] { return rename(temps_.calculations, paths_.calculations); },
            "cannot replace " + paths_.calculations.string()))
    return false;
  if (writeSettings && !step([&] { return rename(temps_.settings, paths_.settings); },
                             "cannot replace " + paths_.settings.string()))
    return false;
  syncFolder(paths_.records);
  committed_ = true;
  return true;
}

WriteResult writeEmptyDatabase(const DatabasePaths& paths, const CIni& settings) {
  if (auto r = replaceFileAtomically(paths.settings, encodeDbSettings(dbSettingsFrom(settings))); !r)
    return r;
  Chart1 placeholder;
  placeholder.chartType = kDeletedChartType;
  if (auto r = replaceFileAtomically(paths.records, encodeChart1(placeholder)); !r) return r;
  return replaceFileAtomically(paths.calculations, encodeDbEntry(DbEntry{}));
}

RebuildResult rebuildDatabase(const DatabasePaths& paths, const CIni& settings, const ChironTable& chiron,
                              ui::ProgressSink* progress, std::size_t recordSize, const DbFaults* faults) {
  RebuildResult result;
  const auto old = MappedFile::open(paths.records);
  if (!old) {
    result.error = "cannot open " + paths.records.string();
    return result;
  }
  const std::string_view bytes = old->bytes();
  const bool keepAll = recordSize != kChartRecordSize;  // a conversion keeps every entry
  const long total = static_cast<long>(bytes.size() / recordSize);
  DatabaseBuilder builder(paths, settings, chiron, faults);
  if (!builder.begin()) {
    result.error = builder.error();
    return result;
  }
  auto lastShown = std::chrono::steady_clock::now() - std::chrono::seconds(1);
  std::optional<Chart1> placeholder;
  for (long i = 0; i < total; ++i) {
    const Chart1 chart = decodeChart1(bytes.substr(static_cast<std::size_t>(i) * recordSize, recordSize));
    if (progress) {
      if (progress->cancelled()) {
        result.cancelled = true;
        return result;
      }
      const auto now = std::chrono::steady_clock::now();
      if (now - lastShown >= std::chrono::milliseconds(50) || i + 1 == total) {
        lastShown = now;
        progress->show("Chart " + std::to_string(i + 1) + " out of " + std::to_string(total) + "\r\n" +
                       chart.name);
        progress->progress(i + 1, total);
      }
    }
    if (chart.chartType == kDeletedChartType && !keepAll) {
      if (!placeholder) placeholder = chart;
      continue;
    }
    if (!builder.add(chart)) break;
  }
  if (builder.error().empty() && builder.count() == 0) {
    Chart1 p = placeholder.value_or(Chart1{});
    p.chartType = kDeletedChartType;
    builder.add(p);
  }
  if (!builder.commit(true)) {
    result.error = builder.error();
    return result;
  }
  result.ok = true;
  result.kept = builder.count();
  return result;
}

}  // namespace talpora
