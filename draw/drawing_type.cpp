// zykstyle: drawing-type and colour-set records and files.
#include "draw/drawing_type.h"

#include <cstring>

#include "platform/atomic_file.h"
#include "platform/byte_io.h"

namespace talpora {
namespace fs = std::filesystem;

namespace {
void cannotOpen(ui::Interaction& ui, const fs::path& file) {
  ui.message({"File " + file.string() + " cannot be opened.",
              "Error Message from zykstyle.dll",
              ui::Buttons::Ok,
              ui::Icon::Stop,
              {}});
}
int writeRecord(const fs::path& file, std::int64_t offset, const std::string& bytes, ui::Interaction* ui) {
  const auto r = writeAt(file, offset, bytes);
  if (!r.ok && ui)
    ui->message({r.error, "Error Message from zykstyle.dll", ui::Buttons::Ok, ui::Icon::Stop, {}});
  return r.ok ? 1 : 0;
}
}  // namespace

int Read_par(ChPar* par, const fs::path& file, std::int64_t offset, ui::Interaction& ui) {
  const auto bytes =
      offset >= 0 ? readFileRange(file, static_cast<std::uint64_t>(offset), kChParFileSize) : std::nullopt;
  if (!bytes || bytes->size() < kChParFileSize) {
    cannotOpen(ui, file);
    return 0;
  }
  *par = decodeChPar(*bytes);
  return 1;
}

int Serialise_par(const ChPar* par, const fs::path& file, std::int64_t offset, ui::Interaction* ui) {
  return writeRecord(file, offset, encodeChPar(*par), ui);
}

int Read_chc(ChCol* col, const fs::path& file, std::int64_t offset, ui::Interaction& ui) {
  const auto bytes =
      offset >= 0 ? readFileRange(file, static_cast<std::uint64_t>(offset), kChColSize) : std::nullopt;
  if (!bytes || bytes->size() < kChColSize) {
    cannotOpen(ui, file);
    return 0;
  }
  *col = decodeChCol(*bytes);
  return 1;
}

int Serialise_chc(const ChCol* col, const fs::path& file, std::int64_t offset, ui::Interaction* ui) {
  return writeRecord(file, offset, encodeChCol(*col), ui);
}

std::vector<DrawingType> readDrawingTypes(const fs::path& file) {
  std::vector<DrawingType> out;
  const auto bytes = readFile(file);
  if (!bytes) return out;
  const std::size_t n = bytes->size() / kDrawingTypeEntrySize;
  out.reserve(n);
  for (std::size_t i = 0; i < n; ++i) {
    const std::string_view entry(bytes->data() + i * kDrawingTypeEntrySize, kDrawingTypeEntrySize);
    out.push_back({decodeChPar(entry.substr(0, kChParFileSize)), decodeChCol(entry.substr(kChParFileSize))});
  }
  return out;
}

std::string encodeDrawingTypes(const std::vector<DrawingType>& types) {
  std::string out;
  out.reserve(types.size() * kDrawingTypeEntrySize);
  for (const auto& t : types) out += encodeChPar(t.par) + encodeChCol(t.colours);
  return out;
}

bool writeDrawingTypes(const fs::path& file, const std::vector<DrawingType>& types, std::string* error) {
  const auto r = replaceFileAtomically(file, encodeDrawingTypes(types));
  if (!r.ok && error) *error = r.error;
  return r.ok;
}

std::string encodeData9(const ChPar& par, const ChCol& col) {
  std::string out(reinterpret_cast<const char*>(&par), sizeof par);
  out += encodeChCol(col);
  return out;
}

std::optional<DrawingType> decodeData9(std::string_view bytes) {
  if (bytes.size() < kData9Size) return std::nullopt;
  DrawingType t;
  std::memcpy(static_cast<void*>(&t.par), bytes.data(), sizeof(ChPar));
  t.par.title[sizeof t.par.title - 1] = '\0';
  t.colours = decodeChCol(bytes.substr(sizeof(ChPar), kChColSize));
  return t;
}

std::string styleName(int style) {
  switch (style) {
    case 11:
      return "Standard Style I";
    case 21:
      return "Standard Style II";
    case 26:
      return "Standard Style III";
    case 17:
      return "Big Planets";
    case 1:
      return "French Style";
    case 30:
      return "Solar System";
    case 31:
      return "Seven Spheres";
    case 32:
      return "Mandala Type 1";
    case 33:
      return "Mandala Type 2";
    case 27777:
      return "Heptagram (week order)";
    case 27778:
      return "Heptagram (hour order)";
    case 27779:
      return "Heptagram (double)";
    case 27767:
      return "Mandala Hept.week";
    case 27768:
      return "Mandala Hept.hour";
    default:
      return "";
  }
}

const std::vector<int>& wheelStyles() {
  static const std::vector<int> kStyles = {11, 21, 26,    17,    1,     30,    31,
                                           32, 33, 27777, 27778, 27779, 27767, 27768};
  return kStyles;
}

std::string ringKindName(int kind) {
  static const char* kNames[] = {"None",           "Tropical Zodiac",    "Sidereal Zodiac",
                                 "Constellations", "Tropical Decanates", "Sidereal Decanates",
                                 "27 Nakshatras",  "30 Tithis",          "28 Solilunar sectors"};
  if (kind < 0 || kind > 8) return "";
  return kNames[kind];
}

}  // namespace talpora
