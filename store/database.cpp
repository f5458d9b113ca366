// zykchart / zykdbopen: adding entries, the settings check, creating, opening and cleaning databases.
#include "store/database.h"

#include "files/zykfile.h"
#include "platform/mapped_file.h"
#include "platform/program_dir.h"

namespace talpora {
namespace fs = std::filesystem;

namespace {

constexpr const char* kCleanerCaption = "Chartdex Cleaner";
constexpr const char* kCleanupQuestion =
    " This database needs a clean up, using the Chartdex Cleaner function. Would you like Talpora to perform "
    "it "
    "for you?";

ui::Answer ask(ui::Interaction& ui, std::string text, const char* caption, ui::Buttons buttons,
               ui::Icon icon = ui::Icon::Stop, std::optional<ui::Answer> preselected = std::nullopt) {
  return ui.message({std::move(text), caption, buttons, icon, preselected});
}

void tell(ui::Interaction& ui, std::string text, const char* caption, ui::Icon icon = ui::Icon::Stop) {
  ui.message({std::move(text), caption, ui::Buttons::Ok, icon, std::nullopt});
}

std::optional<FileLock> lockOrTell(ui::Interaction& ui, const DatabasePaths& paths, FileLock::Mode mode,
                                   std::chrono::milliseconds wait) {
  std::string error;
  auto lock = FileLock::acquire(paths.settings, mode, wait, &error);
  if (!lock)
    tell(ui,
         "The database " + paths.settings.string() + " cannot be used now: " + error +
             ". Try again when Chartdex Cleaner has finished.",
         "Database in Use");
  return lock;
}

ChironTable chironFor(const CIni& settings, const ChironTable* given, ui::Interaction& ui) {
  return given ? *given : loadChironTable(settings, ui);
}

fs::path choiceFile(const CIni& settings, int dbChoice) {
  return findCaseInsensitive(fs::path(programDirOf(settings)),
                             dbChoice == 1 ? kCurrentDbChoiceFile : kPickedDbChoiceFile);
}

std::optional<fs::path> readChoiceOrTell(ui::Interaction& ui, const CIni& settings, int dbChoice) {
  const fs::path file = choiceFile(settings, dbChoice);
  auto db = readChoiceFile(file);
  if (!db) tell(ui, "File " + file.string() + " cannot be opened.", "File Error");
  return db;
}

// What changed since the database's calculations were made ("" nothing); nullopt, with a message
// naming the file, when its settings file cannot be read.
std::optional<std::string> settingsChangeOrTell(ui::Interaction& ui, const CIni& settings,
                                                const fs::path& db) {
  const auto stored = readDbSettings(db);
  if (!stored) {
    tell(ui, "File " + db.string() + " cannot be opened.", "File Error");
    return std::nullopt;
  }
  return settingsChangedText(*stored, dbSettingsFrom(settings));
}

bool blankName(const char* name) {
  for (const char* p = name; *p; ++p)
    if (*p != ' ') return false;
  return true;
}

}  // namespace

std::string describeDbProblem(const DbInspection& r, const DatabasePaths& p) {
  switch (r.problem) {
    case DbProblem::None:
    case DbProblem::TooManyDeleted:
      return {};
    case DbProblem::RecordsMissing:
      return "file " + p.records.string() + " cannot be opened";
    case DbProblem::FirstVersion:
      return "file " + p.records.string() + " was created with Talpora 1.0 and must be converted";
    case DbProblem::RecordsSize:
      return "the size of file " + p.records.string() + " (" + std::to_string(r.recordBytes) +
             " bytes) is not a whole number of chart records";
    case DbProblem::CalculationsMissing:
      return "file " + p.calculations.string() + " is missing";
    case DbProblem::CalculationsSize:
      return "the size of file " + p.calculations.string() + " (" + std::to_string(r.calculationBytes) +
             " bytes) is incorrect";
    case DbProblem::CountMismatch:
      return "file " + p.records.string() + " holds " + std::to_string(r.records) + " entries, file " +
             p.calculations.string() + " " + std::to_string(r.calculations);
  }
  return {};
}

int addDBEntry(ui::Interaction& ui, const CIni& settings, const Chart1& chart, long index, int duplicateCheck,
               const fs::path& dbSettingsFile, const DbWriteOptions& options) {
  const Chart1 record = chart;
  const DatabasePaths paths = databasePaths(dbSettingsFile);
  if (blankName(record.name)) {
    tell(ui, "To be stored in a database, an entry must have a name!", "Impossible Entry");
    return 0;
  }
  const auto lock = lockOrTell(ui, paths, FileLock::Mode::Exclusive, options.lockWait);
  if (!lock) return 0;
  const DbInspection state = inspectDatabase(paths);
  if (!state.usable()) {
    tell(ui,
         "The database " + paths.settings.string() +
             " cannot be written into as it is: " + describeDbProblem(state, paths) +
             ". Open it in Chartdex and run Chartdex Cleaner, then try again.",
         "Corrupt Database");
    return 0;
  }
  const long n = state.records;
  const long at = index < 0 ? n : index;
  if (at > n) {
    tell(ui, "The database " + paths.settings.string() + " holds no entry " + std::to_string(index) + ".",
         "Impossible Entry");
    return 0;
  }
  if (duplicateCheck > 0) {
    const auto records = MappedFile::open(paths.records);
    const std::string_view wanted(record.name);
    const std::string_view bytes = records ? records->bytes() : std::string_view();
    for (long i = 0; i < n; ++i) {
      const auto rec = bytes.substr(static_cast<std::size_t>(i) * kChartRecordSize, kChartRecordSize);
      if (recordChartType(rec) == kDeletedChartType || recordName(rec) != wanted) continue;
      if (duplicateCheck == 2 && i == index) continue;
      tell(
          ui,
          "This database already holds an entry with this name. If 2 people have the same name, you must use "
          "'Edit Present Chart' in Talpora Central Menu to add a distinctive sign after the surname of one "
          "of "
          "them, (ie. -2). Then try again.",
          "Duplicate Entry");
      return 0;
    }
  }
  const ChironTable chiron = chironFor(settings, options.chiron, ui);
  const std::string entry = encodeDbEntry(computeDbEntry(settings, record, chiron));
  auto failed = [&](int step) { return options.faults && options.faults->failAtStep == step; };
  const auto recordOffset = static_cast<std::int64_t>(at) * static_cast<std::int64_t>(kChartRecordSize);
  WriteResult w = failed(0)
                      ? WriteResult{false, "cannot write " + paths.records.string() + ": Input/output error"}
                      : writeAt(paths.records, recordOffset, encodeChart1(record));
  if (w) {
    w = failed(1) ? WriteResult{false, "cannot write " + paths.calculations.string() + ": Input/output error"}
                  : writeAt(paths.calculations, static_cast<std::int64_t>(at) * kDbEntrySize, entry);
    if (!w && at == n) {
      // The record alone would pair with no calculations: take the appended record back.
      std::error_code ec;
      fs::resize_file(paths.records, state.recordBytes, ec);
    }
  }
  if (!w) {
    tell(ui, w.error, "File Error");
    return 0;
  }
  return 1;
}

int AddDBEntry(ui::Interaction& ui, const CIni& settings, const Chart1& chart, int index, int duplicateCheck,
               int dbChoice, int) {
  const auto db = readChoiceOrTell(ui, settings, dbChoice);
  if (!db) return 0;
  return addDBEntry(ui, settings, chart, index, duplicateCheck, *db);
}

int checkUpIni(ui::Interaction& ui, const CIni& settings, const fs::path& dbSettingsFile) {
  const auto changed = settingsChangeOrTell(ui, settings, dbSettingsFile);
  if (!changed) return 0;
  if (changed->empty()) return 1;
  ask(ui,
      *changed +
          " You can either press OK, go to Chartdex and run Chartdex Cleaner, or press Cancel and restore "
          "the "
          "aspects to their former values, using the 'Orbs of Aspects' menu item under 'Options' in Talpora "
          "Central Menu.",
      "Warning", ui::Buttons::OkCancel);
  return 0;
}

int CheckUpIni(ui::Interaction& ui, int, int dbChoice, const CIni& settings) {
  const auto db = readChoiceOrTell(ui, settings, dbChoice);
  if (!db) return 0;
  return checkUpIni(ui, settings, *db);
}

int createDatabase(ui::Interaction& ui, const CIni& settings, const fs::path& dbSettingsFile) {
  const DatabasePaths paths = databasePaths(dbSettingsFile);
  std::optional<FileLock> lock;
  std::error_code ec;
  if (fs::exists(paths.settings, ec) || fs::exists(paths.records, ec)) {
    const auto records = MappedFile::open(paths.records);
    const long live = records ? static_cast<long>(liveEntries(records->bytes()).size()) : 0;
    if (ask(ui,
            paths.settings.filename().string() + " already holds " + std::to_string(live) +
                " charts. Replace it with an empty database?",
            "Warning", ui::Buttons::YesNo, ui::Icon::Warning, ui::Answer::No) != ui::Answer::Yes)
      return 0;
    if (fs::exists(paths.settings, ec)) {
      lock = lockOrTell(ui, paths, FileLock::Mode::Exclusive, FileLock::kDefaultWait);
      if (!lock) return 0;
    }
  }
  if (auto w = writeEmptyDatabase(paths, settings); !w) {
    tell(ui, w.error, "File Error");
    return 0;
  }
  return 1;
}

int runCleaner(ui::Interaction& ui, const CIni& settings, const fs::path& dbSettingsFile,
               ui::ProgressSink* progress, bool askFirst, const DbFaults* faults) {
  const DatabasePaths paths = databasePaths(dbSettingsFile);
  if (progress)
    progress->show(
        "\r\n Chartdex Cleaner \r\n Please be patient.\r\n If this operation is interrupted, the database "
        "stays as it was.");
  if (askFirst && ask(ui,
                      "Please press OK and then be patient, the following operation may take some time, "
                      "depending on the size "
                      "of the database and the power of your computer. If this operation is interrupted, the "
                      "database stays as "
                      "it was.",
                      kCleanerCaption, ui::Buttons::OkCancel, ui::Icon::Information) != ui::Answer::Ok) {
    if (progress) progress->show("");
    return 0;
  }
  const auto lock = lockOrTell(ui, paths, FileLock::Mode::Exclusive, FileLock::kDefaultWait);
  if (!lock) return 0;
  const DbInspection state = inspectDatabase(paths);
  if (state.problem == DbProblem::RecordsMissing) {
    tell(ui, "File " + paths.records.string() + " cannot be opened.", "File Error");
    return 0;
  }
  const ChironTable chiron = loadChironTable(settings, ui);
  const std::size_t stride =
      state.problem == DbProblem::FirstVersion ? kFirstVersionRecordSize : kChartRecordSize;
  const RebuildResult r = rebuildDatabase(paths, settings, chiron, progress, stride, faults);
  if (progress) progress->show("");
  if (r.cancelled) return 0;
  if (!r.ok) {
    tell(ui,
         "Chartdex Cleaner could not rebuild the database: " + r.error + ". The database stays as it was.",
         "File Error");
    return 0;
  }
  tell(ui, "Clean up was successful. You can now safely return to any other function.", kCleanerCaption,
       ui::Icon::Information);
  return 1;
}

int checkDatabaseIntegrity(ui::Interaction& ui, const CIni& settings, const fs::path& dbSettingsFile,
                           ui::ProgressSink* progress) {
  const DatabasePaths p = databasePaths(dbSettingsFile);
  const DbInspection r = inspectDatabase(p);
  const auto yes = [&](std::string text, const char* caption) {
    return ask(ui, std::move(text), caption, ui::Buttons::YesNo) == ui::Answer::Yes;
  };
  const auto clean = [&] { return runCleaner(ui, settings, dbSettingsFile, progress); };
  switch (r.problem) {
    case DbProblem::None:
      return 1;
    case DbProblem::RecordsMissing:
      tell(
          ui,
          "File " + p.records.string() +
              " cannot be found. Check that the file exists and that you may read it, then try again. If the "
              "same message comes back, use 'Delete a Database' to get rid of this database.",
          "Irretrievable Error");
      return 0;
    case DbProblem::FirstVersion:
      if (ask(ui,
              "This database was created with Talpora 1.0. If you have a backup and wish to convert it, "
              "press OK. "
              "Otherwise, press Cancel and come back after doing a back up of the 3 files " +
                  p.settings.string() + ", " + p.records.string() + ", and" + p.calculations.string(),
              "Conversion Warning", ui::Buttons::OkCancel) != ui::Answer::Ok)
        return 0;
      return clean();
    case DbProblem::RecordsSize:
      return yes("The size of file " + p.records.string() + " is incorrect." + kCleanupQuestion,
                 "Corrupt Database")
                 ? clean()
                 : 0;
    case DbProblem::TooManyDeleted:
      if (yes(std::string(kCleanupQuestion).substr(1), "Warning")) return clean();
      return 1;  // the counts agree: usable as it is
    case DbProblem::CalculationsMissing:
      return yes(std::string("File .3SB is missing.") + kCleanupQuestion, "Warning") ? clean() : 0;
    case DbProblem::CalculationsSize:
      return yes("The size of file " + p.calculations.string() +
                     " is incorrect, suggesting that this database was created with Talpora 1.0 and needs to "
                     "be "
                     "converted.\n Would you like Chartdex Cleaner to perform the conversion for you?",
                 "Corrupt Database")
                 ? clean()
                 : 0;
    case DbProblem::CountMismatch:
      return yes("The number of entries in file " + p.records.string() + " is " + std::to_string(r.records) +
                     ", the number of entries in file " + p.calculations.string() + " is " +
                     std::to_string(r.calculations) + "." + kCleanupQuestion,
                 "Corrupt Database")
                 ? clean()
                 : 0;
  }
  return 0;
}

int checkDatabaseSettings(ui::Interaction& ui, const CIni& settings, const fs::path& dbSettingsFile,
                          ui::ProgressSink* progress) {
  const auto changed = settingsChangeOrTell(ui, settings, dbSettingsFile);
  if (!changed) return 0;
  if (changed->empty()) return 1;
  if (ask(ui,
          *changed + " If you press OK, Talpora will use Chartdex Cleaner to actualise all needed "
                     "calculations. If this is "
                     "a large database, you might prefer to press Cancel, restore the orbs of the aspects to "
                     "what they "
                     "were before, and then return to Chartdex. ",
          "Warning", ui::Buttons::OkCancel) != ui::Answer::Ok)
    return 0;
  return runCleaner(ui, settings, dbSettingsFile, progress);  // rewrites the settings file too
}

int openDatabase(ui::Interaction& ui, const CIni& settings, const fs::path& dbSettingsFile,
                 ui::ProgressSink* progress) {
  return checkDatabaseIntegrity(ui, settings, dbSettingsFile, progress) &&
         checkDatabaseSettings(ui, settings, dbSettingsFile, progress);
}

}  // namespace talpora
