// zykchart: chart exchange files. AAF (the astrological exchange format of 1997: #A93 name, first
// name, sex, date, time, place, country; #B93 Julian Day, latitude, longitude, zone, summer-time flag;
// #COM comment; "*" unknown) and CSV (RFC 4180, a header row of the record's field names, coordinates
// in degrees). Files are read as UTF-8 or Windows-1252 and written as UTF-8; records hold CP1252.
#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/records.h"
#include "engine/positions.h"
#include "platform/ui.h"

namespace talpora {

struct ExchangeIssue {
  int line = 0;  // 1-based line of the file
  std::string message;
};
struct ExchangeRecord {
  Chart1 chart;
  int line = 0;
};
struct ExchangeRead {
  std::vector<ExchangeRecord> records;  // the well-formed ones, in file order
  std::vector<ExchangeIssue> errors;    // malformed records (not kept)
  std::vector<ExchangeIssue> warnings;  // kept with a change (no coordinates: 0/0)
};

enum class ExchangeFormat { Aaf, Csv };
// From a file name's extension (".aaf", ".csv", any case).
std::optional<ExchangeFormat> exchangeFormatOf(const std::filesystem::path&);

ExchangeRead readAaf(std::string_view bytes);
ExchangeRead readCsv(std::string_view bytes);
ExchangeRead readExchange(std::string_view bytes, ExchangeFormat);
std::string writeAaf(const std::vector<Chart1>& charts);
std::string writeCsv(const std::vector<Chart1>& charts);
std::string writeExchange(const std::vector<Chart1>& charts, ExchangeFormat);
// One CSV line (without its line break) of UTF-8 fields, quoted where RFC 4180 needs it.
std::string writeCsvLine(const std::vector<std::string>& fields);

// The live entries of a database, in entry order; nullopt when its records cannot be read.
std::optional<std::vector<Chart1>> databaseCharts(const std::filesystem::path& dbSettingsFile);

// Adds charts to a database in one pass (the bulk writer: nothing is written unless all is). A name
// already live, or earlier in `charts`, is a duplicate: skipped and listed in `skipped`, or, with
// `renameDuplicates`, stored as "name -2", "name -3", ... (listed in `renamed`). The database must
// pass the quiet integrity check and match the current settings. 1 done; 0 refused (a message).
struct ImportOutcome {
  long stored = 0;
  std::vector<std::string> skipped, renamed;
};
int importIntoDatabase(ui::Interaction& ui, const CIni& settings, const std::filesystem::path& dbSettingsFile,
                       const std::vector<Chart1>& charts, bool renameDuplicates, const ChironTable& chiron,
                       ImportOutcome& outcome);

}  // namespace talpora
