// zykchart / zykdbopen: working with a chart database as a user does: adding and replacing entries,
// the settings check, creating, the integrity check with its questions, the conversion of
// first-version databases and the Cleaner. Every routine takes the database's settings-file path;
// writers hold the database's lock and give up after a bounded wait.
#pragma once
#include <chrono>
#include <filesystem>
#include <string>

#include "core/records.h"
#include "engine/positions.h"
#include "platform/file_lock.h"
#include "platform/ui.h"
#include "store/database_files.h"

namespace talpora {

struct DbWriteOptions {
  const ChironTable* chiron = nullptr;  // nullptr: loaded from the program directory
  std::chrono::milliseconds lockWait = FileLock::kDefaultWait;
  const DbFaults* faults = nullptr;  // tests: the record write is step 0, the calculations step 1
};

// Why a database cannot be used as it is, in one sentence naming the file; empty when it can.
std::string describeDbProblem(const DbInspection&, const DatabasePaths&);

// Adds (index -1) or replaces (index 0..n) an entry. Duplicate check 0 none; 1 a live entry of the
// same name refuses; 2 the same, entry `index` itself excepted. A database that fails the quiet
// integrity check is never written into. 1 stored; 0 refused (with a message).
int addDBEntry(ui::Interaction& ui, const CIni& settings, const Chart1& chart, long index, int duplicateCheck,
               const std::filesystem::path& dbSettingsFile, const DbWriteOptions& options = {});
// The same with the database named by "zykcurdb.dtf" (choice 1) or "zykdbfc.dtf" (else).
int AddDBEntry(ui::Interaction& ui, const CIni& settings, const Chart1& chart, int index, int duplicateCheck,
               int dbChoice, int = 0);

// 1 when the database's calculations were made with the current house system and orbs; otherwise
// (or when its settings file cannot be read) a message and 0.
int checkUpIni(ui::Interaction& ui, const CIni& settings, const std::filesystem::path& dbSettingsFile);
int CheckUpIni(ui::Interaction& ui, int, int dbChoice, const CIni& settings);

// Creates an empty database; over an existing one it asks first (No preselected). 1 created.
int createDatabase(ui::Interaction& ui, const CIni& settings, const std::filesystem::path& dbSettingsFile);

// The Cleaner: asks (when `ask`), rebuilds, tells the outcome. 1 rebuilt; 0 cancelled or failed
// (the database as it was). A first-version database is converted instead.
int runCleaner(ui::Interaction& ui, const CIni& settings, const std::filesystem::path& dbSettingsFile,
               ui::ProgressSink* progress, bool ask = true, const DbFaults* faults = nullptr);

// Opening a database: the integrity check with its questions, then the settings check with its
// OK/Cancel. 1 when the database may be used.
int checkDatabaseIntegrity(ui::Interaction& ui, const CIni& settings,
                           const std::filesystem::path& dbSettingsFile, ui::ProgressSink* progress);
int checkDatabaseSettings(ui::Interaction& ui, const CIni& settings,
                          const std::filesystem::path& dbSettingsFile, ui::ProgressSink* progress);
int openDatabase(ui::Interaction& ui, const CIni& settings, const std::filesystem::path& dbSettingsFile,
                 ui::ProgressSink* progress);

}  // namespace talpora
