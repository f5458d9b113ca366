// zykstyle: the files of drawing types (ChPar) and colour sets (ChCol, both in core/drawing_records.h)
// and the hand-over file "DATA9.DTF".
#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/drawing_records.h"
#include "core/records.h"
#include "platform/ui.h"

namespace talpora {

inline constexpr const char* kFixedTypesFile = "ZYKCFIX.DTF";
inline constexpr const char* kCustomTypesFile = "custom.dtf";
inline constexpr const char* kData9File = "DATA9.DTF";
inline constexpr const char* kLastTypeFile = "zykstyle.dtf";
inline constexpr const char* kMonochromeColoursFile = "ZYKNBCOL.DTF";

// One stored record at a byte offset (-1 appends). Readers: 1 read, 0 when the file cannot be opened or
// holds no whole record there ("File ... cannot be opened.", reported; the record is left unchanged).
int Read_par(ChPar* par, const std::filesystem::path& file, std::int64_t offset, ui::Interaction& ui);
int Serialise_par(const ChPar* par, const std::filesystem::path& file, std::int64_t offset,
                  ui::Interaction* ui = nullptr);
int Read_chc(ChCol* col, const std::filesystem::path& file, std::int64_t offset, ui::Interaction& ui);
int Serialise_chc(const ChCol* col, const std::filesystem::path& file, std::int64_t offset,
                  ui::Interaction* ui = nullptr);

struct DrawingType {
  ChPar par;
  ChCol colours;
};
// Every entry of a drawing-type file (a missing file gives none).
std::vector<DrawingType> readDrawingTypes(const std::filesystem::path& file);
std::string encodeDrawingTypes(const std::vector<DrawingType>&);
// Replaces a drawing-type file with the given entries, atomically.
bool writeDrawingTypes(const std::filesystem::path& file, const std::vector<DrawingType>&,
                       std::string* error = nullptr);

// "DATA9.DTF": the 108-byte in-memory ChPar (alignment byte included) and the 356-byte ChCol.
std::string encodeData9(const ChPar&, const ChCol&);
std::optional<DrawingType> decodeData9(std::string_view bytes);

// The name of a wheel style ("Standard Style I" ...) and of a ring kind ("Tropical Zodiac" ...);
// "" for unknown codes.
std::string styleName(int style);
std::string ringKindName(int kind);
// The styles in the order the lists show them.
const std::vector<int>& wheelStyles();

}  // namespace talpora
