// zykfile: the settings file, chart record files, computed charts and chart indexes, the intermediate
// chart, the last-charts list, hot charts and the orb files. Files are little-endian, written field by
// field without the records' padding. Replacing writes are atomic; reports go through the Interaction.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>

#include "core/records.h"
#include "platform/ui.h"

namespace talpora {

inline constexpr const char* kSettingsFileName = "zykini1.dtf";
inline constexpr std::size_t kSettingsFileSize = 679;
inline constexpr std::size_t kChartRecordSize = 325;
inline constexpr std::size_t kComputedRecordSize = 531;
inline constexpr std::size_t kIndexRecordSize = 273;
inline constexpr const char* kIntermediateFileName = "DATAINTE.DTF";
inline constexpr const char* kLastSaveFileName = "LASTSAVE.DTF";
inline constexpr const char* kTransitOrbsFileName = "ZYKINI3.DTF";
inline constexpr const char* kProgressionOrbsFileName = "ZYKINI4.DTF";

// File forms of the records (exact bytes), and back. Decoding never reads past the bytes given:
// fields the bytes do not hold are zero, and texts are forced to terminate.
std::string encodeSettings(const CIni&);
CIni decodeSettings(std::string_view bytes);
std::string encodeChart1(const Chart1&);      // markers set to 32, 32, " "; texts zero-filled after the NUL
Chart1 decodeChart1(std::string_view bytes);  // converts first-version records
std::string encodeChart2(const Chart2&);
Chart2 decodeChart2(std::string_view bytes);
std::string encodeChart3(const Chart3&);
Chart3 decodeChart3(std::string_view bytes);

std::string GetTalporaPath(const CIni& settings);

// Loads "zykini1.dtf" from `directory`. The directory the program resolved for itself is kept in
// `programDir` (a stored directory elsewhere is not taken). 1 loaded; 0 when the file is missing or
// short: the settings are then the defaults and the user is told.
int PutInMemBlock_CIni(CIni& settings, const std::filesystem::path& directory, ui::Interaction& ui);
// Writes the settings file into the settings' program directory. 1 written; 0 failed (reported).
int Serialise_CIni(const CIni& settings, ui::Interaction* ui = nullptr);

// Chart records. Readers: 1 read, 0 when the file cannot be opened or holds no record at the offset
// (reported; the caller's record is left as it was). Writers: create 1 replaces the file atomically
// with the record alone; create 0 writes into the existing file at the offset (-1: append).
int PutInMemBlock_c1(Chart1& chart, const std::filesystem::path& file, std::int64_t offset,
                     ui::Interaction& ui);
int Read_pc1(Chart1* chart, const std::filesystem::path& file, std::int64_t offset, ui::Interaction& ui);
int Serialise_c1(const Chart1& chart, const std::filesystem::path& file, std::int64_t offset, int create,
                 ui::Interaction* ui = nullptr);
int Serialise_pc1(const Chart1* chart, const std::filesystem::path& file, std::int64_t offset, int create,
                  ui::Interaction* ui = nullptr);
int PutInMemBlock_c2(Chart2& computed, const std::filesystem::path& file, std::int64_t offset,
                     ui::Interaction& ui);
int Read_pc2(Chart2* computed, const std::filesystem::path& file, std::int64_t offset, ui::Interaction& ui);
int Serialise_c2(const Chart2& computed, const std::filesystem::path& file, std::int64_t offset, int create,
                 ui::Interaction* ui = nullptr);
int Serialise_pc2(const Chart2* computed, const std::filesystem::path& file, std::int64_t offset, int create,
                  ui::Interaction* ui = nullptr);
int Read_pc3(Chart3* index, const std::filesystem::path& file, std::int64_t offset, ui::Interaction& ui);
int Serialise_pc3(const Chart3* index, const std::filesystem::path& file, std::int64_t offset, int create,
                  ui::Interaction* ui = nullptr);

// The intermediate chart (slot 0 of the last-charts list): a chart of the present moment (33, 34)
// becomes an ordinary chart in the caller's record too. 1 written, 0 failed.
int Storeinterm(Chart1& chart, const CIni& settings, int = 0, int = 0, ui::Interaction* ui = nullptr);

// The file of last-charts slot 0..4 ("DATAINTE.DTF", "ZYKLAST.DTF", "ZYKLAST2.DTF".."ZYKLAST4.DTF").
std::string lastChartFileName(int slot);
// Moves the intermediate chart to the top of the last-charts list; sets menu items 191..194 of `menu`
// (when given) to "&n name". 1 done, 0 when a file could not be read or written (reported).
int StoreLast(ui::MenuSpec* menu, const CIni& settings, ui::Interaction& ui);
// The menu texts of the four last charts, as StoreLast sets them.
void LastChartsMenuTexts(ui::MenuSpec& menu, const CIni& settings, ui::Interaction& ui);
// Loads last-charts slot 1..4; flag 1 when read, 0 when not.
void LoadLast(int slot, int* flag, Chart1& chart, const CIni& settings, ui::Interaction& ui);

std::string hotChartFileName(int index);  // "ZYKHOT%d.DTF", index 0..9
int Storehot(int window, const Chart1& chart, int index, const CIni& settings, ui::Interaction* ui = nullptr);

// Orbs: aspect set 1..4 gives 5, 9, 18 or 20 aspects; source 1 the settings, 2 the transit orbs file,
// 3 the progression orbs file (at most 9 aspects, the same value in A and B). A missing or short orb
// file gives the default transit and progression orbs, reported. 1 done, 0 for another aspect set.
int ReadOrbs(const CIni& settings, int aspectSet, float* orbsA, float* orbsB, int source,
             ui::Interaction* ui = nullptr);
// Writes an orb file (nine doubles, 72 bytes).
int WriteOrbFile(const CIni& settings, int source, const double orbs[9], ui::Interaction* ui = nullptr);

// Place charts for the chart of the present moment: "ZYKF%02d.DTF".
std::string placeChartFileName(int place);
// Reads place chart `placeNumber` (0..99, "ZYKF%02d.DTF" in the settings' program directory). Result 1
// read; 0 when there is no such place chart number or its file cannot be read (reported through `ui`;
// `place` unchanged).
int readPlaceChart(const CIni& settings, int placeNumber, Chart1& place, ui::Interaction& ui);
// The user's own place before one is entered: Greenwich.
Chart1 defaultPlaceChart();

// Gives a program directory every writable file the suite expects, with defaults, where missing:
// the settings (Placidus, the default orbs), the intermediate, last and hot charts, the orb files and
// place chart 0. Existing files are never touched. Returns the names created.
std::vector<std::string> EnsureProgramDirDefaults(const std::filesystem::path& programDir);

}  // namespace talpora
