// zykfont: the three printer fonts of the suite, kept as 60-byte font records in "ZYKFT%03d.DTF".
// 1: headers of charts printed on paper; 2: headers of printed listings; 3: body of printed listings.
#pragma once
#include <filesystem>
#include <optional>
#include <string>

#include "core/records.h"
#include "platform/gfx.h"
#include "platform/ui.h"

namespace talpora {

inline constexpr std::size_t kFontRecordSize = 60;

std::string fontFileName(int fontNumber);  // "ZYKFT001.DTF" ...
// The 60-byte record (little-endian LOGFONT: five int32, eight bytes, a 32-byte face) and back.
// Decoding needs exactly 60 bytes; the face is forced to terminate.
std::string encodeFontRecord(const gfx::FontSpec&);
// The largest height or width a font record may give, in the record's units (tenths of a millimetre
// on paper): 10 cm. A record beyond it, or with a weight outside 0..1000, is refused as damaged.
inline constexpr int kMaxFontExtent = 1000;
std::optional<gfx::FontSpec> decodeFontRecord(std::string_view bytes);

// The default listing font: "Cour", height 42, bold, italic, fixed pitch (modern family).
gfx::FontSpec defaultListingFont();
// The record of a font file; nullopt when the file is missing or not 60 bytes long.
std::optional<gfx::FontSpec> readFontFile(const CIni& settings, int fontNumber);
// The font to print with: the file's record, else the default listing font.
gfx::FontSpec printerFont(const CIni& settings, int fontNumber);
// Replaces a font file (atomically). 1 written, 0 failed (reported when ui is given).
int writeFontFile(const CIni& settings, int fontNumber, const gfx::FontSpec&, ui::Interaction* ui = nullptr);

// Writes the default listing font into font file 3.
void RestoreListingFont(const CIni& settings, ui::Interaction* ui = nullptr);
// Creates the three font files with defaults where they are missing (first start).
void EnsurePrinterFonts(const CIni& settings);

// Explains the font's use, lets the user choose a scalable font and stores it. 1 chosen and stored,
// 0 cancelled or failed.
int GetUsAFont(ui::Interaction& ui, const CIni& settings, int fontNumber);

// The Linux face that prints a font record's face name ("Cour" -> a fixed-pitch face, "Helv",
// "Arial" -> a sans face); other names are kept.
std::string linuxFaceFor(const gfx::FontSpec&);

}  // namespace talpora
