// drawtypes: compiles the readable source of the shipped drawing types and colour sets into the
// program directory's files, and turns such files back into source.
//
//   drawtypes --out DIR SOURCE...        writes DIR/ZYKCFIX.DTF, DIR/custom.dtf, DIR/ZYKNBCOL.DTF
//   drawtypes --decompile FILE.DTF       prints the source of a drawing-type file
//   drawtypes --decompile-colours FILE   prints the source of a lone colour set (ZYKNBCOL.DTF)
//   drawtypes --keys                     lists the keys of the source
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "draw/drawing_type.h"
#include "draw/type_source.h"
#include "platform/atomic_file.h"
#include "platform/byte_io.h"

namespace fs = std::filesystem;
using namespace talpora;

namespace {

int usage() {
  std::cerr
      << "usage: drawtypes --out DIR SOURCE... | --decompile FILE.DTF | --decompile-colours FILE | --keys\n";
  return 2;
}

int compile(const fs::path& outDir, const std::vector<std::string>& sources) {
  DrawingTypeCompiler compiler;
  for (const auto& s : sources) {
    const auto text = readFile(s);
    if (!text) {
      std::cerr << "drawtypes: cannot read " << s << "\n";
      return 1;
    }
    compiler.add(*text, fs::path(s).filename().string());
  }
  const DrawingTypeBook book = compiler.finish();
  for (const auto& e : compiler.errors()) std::cerr << e << "\n";
  if (!compiler.errors().empty()) return 1;
  if (book.fixed.empty() || book.custom.size() < 3 || !book.monochrome) {
    std::cerr << "drawtypes: the source needs fixed types, Custom A, B and C, and a [monochrome] set\n";
    return 1;
  }
  std::error_code ec;
  fs::create_directories(outDir, ec);
  std::string error;
  if (!writeDrawingTypes(outDir / kFixedTypesFile, book.fixed, &error) ||
      !writeDrawingTypes(outDir / kCustomTypesFile, book.custom, &error)) {
    std::cerr << "drawtypes: " << error << "\n";
    return 1;
  }
  const auto r = replaceFileAtomically(outDir / kMonochromeColoursFile, encodeChCol(*book.monochrome));
  if (!r.ok) {
    std::cerr << "drawtypes: " << r.error << "\n";
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) return usage();
  if (args[0] == "--keys" && args.size() == 1) {
    std::cout << drawingTypeSourceKeys();
    return 0;
  }
  if (args[0] == "--decompile" && args.size() == 2) {
    if (!fs::exists(args[1])) {
      std::cerr << "drawtypes: cannot read " << args[1] << "\n";
      return 1;
    }
    const auto types = readDrawingTypes(args[1]);
    bool fixed = !types.empty() && types.front().par.typeOrigin < 700;
    std::cout << decompileDrawingTypes(types, fixed);
    return 0;
  }
  if (args[0] == "--decompile-colours" && args.size() == 2) {
    const auto bytes = readFile(args[1]);
    if (!bytes || bytes->size() < kChColSize) {
      std::cerr << "drawtypes: " << args[1] << " holds no colour set\n";
      return 1;
    }
    std::cout << decompileColourSet(decodeChCol(*bytes), fs::path(args[1]).stem().string());
    return 0;
  }
  if (args[0] == "--out" && args.size() >= 3) {
    return compile(args[1], std::vector<std::string>(args.begin() + 2, args.end()));
  }
  return usage();
}
