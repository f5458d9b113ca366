// zykchart / zykdbopen: the files of a chart database. A database is named by its settings file
// (".1SB": the house system and the 18 orb pairs its calculations were made with); beside it the
// records (".2SB", 325 bytes an entry) and the calculations (".3SB", 804 bytes an entry: the computed
// chart, then the chart index). Entries whose record has chart type 666 are deleted.
#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/records.h"
#include "engine/positions.h"
#include "platform/atomic_file.h"
#include "platform/ui.h"

namespace talpora {

inline constexpr std::size_t kDbSettingsSize = 2 + 36 * 8;
inline constexpr std::size_t kDbEntrySize = 804;  // computed chart + chart index
inline constexpr std::size_t kFirstVersionRecordSize = 328;
inline constexpr std::int16_t kDeletedChartType = 666;
inline constexpr const char* kCurrentDbChoiceFile = "zykcurdb.dtf";  // the database program's database
inline constexpr const char* kPickedDbChoiceFile = "zykdbfc.dtf";    // picked in an open or save dialog

struct DatabasePaths {
  std::filesystem::path settings, records, calculations;
};
// The three names of a database from its settings file. The extension is cut only within the file
// name, and the derived extensions keep its letter case (".1sb" gives ".2sb" and ".3sb").
DatabasePaths databasePaths(const std::filesystem::path& settingsFile);

// Choice files: a path followed by a NUL. Reading stops at the NUL or at the longest path.
std::optional<std::filesystem::path> readChoiceFile(const std::filesystem::path& file);
WriteResult writeChoiceFile(const std::filesystem::path& file, const std::filesystem::path& dbSettings);

// The database's settings file.
struct DbSettings {
  std::int16_t houseSystem = 0;
  double orbs[36] = {};  // orb A0, orb B0, orb A1, orb B1, ...
};
DbSettings dbSettingsFrom(const CIni& settings);  // the current house system and orbs (aspect set 3)
std::string encodeDbSettings(const DbSettings&);
std::optional<DbSettings> readDbSettings(const std::filesystem::path& file);
// True when the stored values, compared as floats, are those of the current settings.
bool sameDbSettings(const DbSettings& stored, const DbSettings& current);
// "Since you last used this database, ..." up to and including "... stored in this database." (no
// trailing text); empty when nothing differs.
std::string settingsChangedText(const DbSettings& stored, const DbSettings& current);

// What a quiet look at the files finds, in the order the integrity check asks about it.
enum class DbProblem {
  None,
  RecordsMissing,  // ".2SB" cannot be opened
  FirstVersion,    // record 0 carries the first version's markers
  RecordsSize,     // ".2SB" shorter than one record or not a multiple of 325
  TooManyDeleted,  // 21 deleted entries or more (a clean-up is due; the database is usable)
  CalculationsMissing,
  CalculationsSize,  // ".3SB" not a multiple of 804
  CountMismatch,
};
struct DbInspection {
  DbProblem problem = DbProblem::None;
  std::uint64_t recordBytes = 0, calculationBytes = 0;
  long records = 0, calculations = 0, deleted = 0;
  // Usable as it is: every problem but a due clean-up stops writers and readers.
  bool usable() const { return problem == DbProblem::None || problem == DbProblem::TooManyDeleted; }
};
DbInspection inspectDatabase(const DatabasePaths&);

// The computed chart and the chart index of one entry.
struct DbEntry {
  Chart2 computed;
  Chart3 index;
};
DbEntry computeDbEntry(const CIni& settings, const Chart1& chart, const ChironTable& chiron);
std::string encodeDbEntry(const DbEntry&);  // 804 bytes

// The name field of a record as stored (up to its NUL, at most 24 bytes).
std::string_view recordName(std::string_view record);
std::int16_t recordChartType(std::string_view record);

// Live entries of a records file: entry number and name, in file order.
struct DbListEntry {
  long entry;
  std::string name;
};
std::vector<DbListEntry> liveEntries(std::string_view recordBytes);

// The writer of many entries (the Cleaner, the conversion, imports). It fills hidden temporary files
// beside the database, computing with one Chiron table and writing in large blocks; commit() flushes
// them and renames them over ".2SB", ".3SB" and, when asked, ".1SB" in that order. Until commit()
// the database is untouched; a writer destroyed without commit() removes its temporary files.
struct DbFaults {
  int failAtStep = -1;  // tests: the n-th write, flush or rename (from 0) fails
};
class DatabaseBuilder {
 public:
  DatabaseBuilder(const DatabasePaths& paths, const CIni& settings, const ChironTable& chiron,
                  const DbFaults* faults = nullptr);
  ~DatabaseBuilder();
  DatabaseBuilder(const DatabaseBuilder&) = delete;
  DatabaseBuilder& operator=(const DatabaseBuilder&) = delete;

  // Creates the temporary files; `keepRecords` and `keepCalculations` are copied in first (an import
  // appends to what the database holds). false with error() on failure.
  bool begin(std::string_view keepRecords = {}, std::string_view keepCalculations = {});
  // Appends one entry, recomputing it (deleted records too, so that counts stay paired).
  bool add(const Chart1& chart);
  // Appends one entry with its computed data as given.
  bool addComputed(const Chart1& chart, const DbEntry& entry);
  bool commit(bool writeSettings);
  long count() const { return count_; }
  const std::string& error() const { return error_; }

 private:
  template <class Op>
  bool step(Op op, const std::string& what);
  bool flushBuffers();
  DatabasePaths paths_, temps_;
  const CIni& settings_;
  const ChironTable& chiron_;
  const DbFaults* faults_;
  int steps_ = 0;
  int fd2_ = -1, fd3_ = -1;
  std::string buffer2_, buffer3_;
  long count_ = 0;
  bool committed_ = false;
  std::string error_;
};

// Writes a new database: the settings file, one deleted placeholder record and its calculations.
// Existing files are replaced (atomically each).
WriteResult writeEmptyDatabase(const DatabasePaths& paths, const CIni& settings);

// Rebuilds a database into new files: live entries kept in order, deleted ones dropped (the
// placeholder is kept when nothing else lives), calculations made anew with the current settings,
// the settings file rewritten. `recordSize` 328 reads a first-version file and keeps every record.
// Progress: "Chart %d out of %d" and the name; a sink that reports cancelled() stops the run and
// leaves the database as it was. Returns true when done; false with `error` (empty when cancelled).
struct RebuildResult {
  bool ok = false;
  bool cancelled = false;
  long kept = 0;
  std::string error;
};
RebuildResult rebuildDatabase(const DatabasePaths& paths, const CIni& settings, const ChironTable& chiron,
                              ui::ProgressSink* progress, std::size_t recordSize = 325,
                              const DbFaults* faults = nullptr);

}  // namespace talpora
