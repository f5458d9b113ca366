// zykfont: printer font files.
#include "format/printer_fonts.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "platform/atomic_file.h"
#include "platform/byte_io.h"
#include "platform/program_dir.h"
#include "platform/text.h"

namespace talpora {
namespace fs = std::filesystem;

std::string fontFileName(int fontNumber) {
  char name[20];
  std::snprintf(name, sizeof name, "ZYKFT%03d.DTF", fontNumber);
  return name;
}

std::string encodeFontRecord(const gfx::FontSpec& f) {
  ByteWriter w;
  w.i32(f.height);
  w.i32(f.width);
  w.i32(f.escapement);
  w.i32(f.orientation);
  w.i32(f.weight);
  w.u8(f.italic ? 1 : 0);
  w.u8(f.underline ? 1 : 0);
  w.u8(f.strikeOut ? 1 : 0);
  w.u8(f.charSet);
  w.u8(f.outPrecision);
  w.u8(f.clipPrecision);
  w.u8(f.quality);
  w.u8(f.pitchAndFamily);
  char face[32];
  setField(face, f.face);
  w.raw(face, sizeof face);
  return w.take();
}

std::optional<gfx::FontSpec> decodeFontRecord(std::string_view bytes) {
  if (bytes.size() != kFontRecordSize) return std::nullopt;
  ByteReader r(bytes);
  gfx::FontSpec f;
  f.height = r.i32();
  f.width = r.i32();
  f.escapement = r.i32();
  f.orientation = r.i32();
  f.weight = r.i32();
  f.italic = r.u8() != 0;
  f.underline = r.u8() != 0;
  f.strikeOut = r.u8() != 0;
  f.charSet = r.u8();
  f.outPrecision = r.u8();
  f.clipPrecision = r.u8();
  f.quality = r.u8();
  f.pitchAndFamily = r.u8();
  char face[32];
  r.text(face, sizeof face);
  f.face = fieldText(face);
  // A damaged record (a height or width no page can hold, an impossible weight) is no font.
  if (f.height < -kMaxFontExtent || f.height > kMaxFontExtent || f.width < 0 || f.width > kMaxFontExtent ||
      f.weight < 0 || f.weight > 1000)
    return std::nullopt;
  return f;
}

gfx::FontSpec defaultListingFont() {
  gfx::FontSpec f;
  f.height = 42;
  f.weight = 700;
  f.italic = true;
  f.pitchAndFamily = 0x31;
  f.face = "Cour";
  return f;
}

namespace {
fs::path fontPath(const CIni& settings, int fontNumber) {
  return findCaseInsensitive(fs::path(programDirOf(settings)), fontFileName(fontNumber));
}
}  // namespace

std::optional<gfx::FontSpec> readFontFile(const CIni& settings, int fontNumber) {
  const auto bytes = readFileRange(fontPath(settings, fontNumber), 0, kFontRecordSize + 1);
  if (!bytes) return std::nullopt;
  return decodeFontRecord(*bytes);
}

gfx::FontSpec printerFont(const CIni& settings, int fontNumber) {
  return readFontFile(settings, fontNumber).value_or(defaultListingFont());
}

int writeFontFile(const CIni& settings, int fontNumber, const gfx::FontSpec& f, ui::Interaction* ui) {
  const auto r =
      replaceFileAtomically(fs::path(programDirOf(settings)) / fontFileName(fontNumber), encodeFontRecord(f));
  if (!r.ok && ui) ui->message({r.error, "File Error", ui::Buttons::Ok, ui::Icon::Stop, {}});
  return r.ok ? 1 : 0;
}

void RestoreListingFont(const CIni& settings, ui::Interaction* ui) {
  writeFontFile(settings, 3, defaultListingFont(), ui);
}

void EnsurePrinterFonts(const CIni& settings) {
  for (int n = 1; n <= 3; ++n) {
    if (!readFontFile(settings, n)) {
      gfx::FontSpec f = defaultListingFont();
      if (n != 3) {
        // Headers: a proportional face, upright.
        f.face = "Arial";
        f.italic = false;
        f.pitchAndFamily = 0x22;
        f.height = n == 1 ? 55 : 50;
      }
      writeFontFile(settings, n, f);
    }
  }
}

int GetUsAFont(ui::Interaction& ui, const CIni& settings, int fontNumber) {
  std::string text, caption;
  switch (fontNumber) {
    case 1:
      text =
          "The font you are about to choose is the one used in the headers of charts printed on paper. "
          "Choose any True Type font you like for fancy effects.";
      break;
    case 2:
      text =
          "The font you are about to choose is the one used in the headers of printed listings (including "
          "transits and synastry) printed on paper. Choose any True Type font you like for fancy effects.";
      break;
    case 3:
      text =
          "You are about to select the font for printed listings (including transits and synastry). Only "
          "characters with fixed width (e.g. courier) will give you proper columns of figures. In case of "
          "chaos, use option 'Restore Default Font of Listings'.";
      caption = "Choose carefully!";
      break;
    default:
      return 0;
  }
  if (ui.message({text, caption, ui::Buttons::OkCancel, ui::Icon::Information, {}}) != ui::Answer::Ok)
    return 0;
  const auto chosen = ui.chooseFont(printerFont(settings, fontNumber));
  if (!chosen) return 0;
  return writeFontFile(settings, fontNumber, *chosen, &ui);
}

std::string linuxFaceFor(const gfx::FontSpec& f) {
  std::string face = f.face;
  const std::string lower = talpora::lower(face);
  if (lower == "cour" || lower == "courier" || lower == "courier new") return "Liberation Mono";
  if (lower == "helv" || lower == "arial" || lower == "helvetica" || lower == "ms sans serif")
    return "Liberation Sans";
  if (lower == "times new roman" || lower == "tms rmn" || lower == "times") return "Liberation Serif";
  if (face.empty()) return (f.pitchAndFamily & 0x03) == 1 ? "Liberation Mono" : "Liberation Sans";
  return face;
}

}  // namespace talpora
