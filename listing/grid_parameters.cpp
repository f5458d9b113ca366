// zyklist: the grid parameter file.
#include "listing/grid_parameters.h"

#include "platform/atomic_file.h"
#include "platform/byte_io.h"
#include "platform/program_dir.h"

namespace talpora {

GridParameters listingGridParameters(bool major, bool minor, int zodiac) {
  GridParameters p;
  p.mode = 0;
  p.major = major ? 1 : 0;
  p.minor = minor ? 1 : 0;
  p.rare = 0;
  p.zodiac = zodiac == 1 ? 1 : 0;
  p.nodes = p.chiron = p.blackMoon = 1;
  p.layout = 15;
  return p;
}

std::string encodeGridParameters(const GridParameters& p) {
  ByteWriter w;
  w.i32(p.mode);
  w.i32(p.major);
  w.i32(p.minor);
  w.i32(p.rare);
  w.i32(p.zodiac);
  w.u8(p.nodes);
  w.u8(p.chiron);
  w.u8(p.blackMoon);
  w.i32(p.layout);
  return w.take();
}

std::optional<GridParameters> decodeGridParameters(std::string_view bytes) {
  if (bytes.size() != kGridParameterSize) return std::nullopt;
  ByteReader r(bytes);
  GridParameters p;
  p.mode = r.i32();
  p.major = r.i32();
  p.minor = r.i32();
  p.rare = r.i32();
  p.zodiac = r.i32();
  p.nodes = r.u8();
  p.chiron = r.u8();
  p.blackMoon = r.u8();
  p.layout = r.i32();
  if (!r.ok()) return std::nullopt;
  return p;
}

bool writeGridParameters(const std::filesystem::path& programDir, const GridParameters& p,
                         std::string* error) {
  const WriteResult w = replaceFileAtomically(programDir / kGridParameterFile, encodeGridParameters(p));
  if (!w.ok && error) *error = w.error;
  return w.ok;
}

std::optional<GridParameters> readGridParameters(const std::filesystem::path& programDir) {
  const auto bytes =
      readFileRange(findCaseInsensitive(programDir, kGridParameterFile), 0, kGridParameterSize + 1);
  if (!bytes) return std::nullopt;
  return decodeGridParameters(*bytes);
}

}  // namespace talpora
