// bankc: compiles the readable source of the interpretation text bank into the bank's binary files,
// and turns binary files back into the source form.
//   bankc [--out DIR] SOURCE_DIR            compile (into DIR, default the current directory)
//   bankc --decompile BANK_DIR --out DIR    write DIR/aspects/*.txt ... from BANK_DIR/zora*.dtf
//   bankc --stats SOURCE_DIR                number of files, texts and words
// Exit status: 0 done, 1 errors (each printed as FILE:LINE: message), 2 bad usage.
#include <algorithm>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "interpretation/bank_source.h"
#include "platform/atomic_file.h"
#include "platform/byte_io.h"

namespace fs = std::filesystem;
using namespace talpora;

namespace {

int usage(const std::string& why) {
  std::cerr << "bankc: " << why << "\n"
            << "usage: bankc [--out DIR] SOURCE_DIR | bankc --decompile BANK_DIR --out DIR | bankc --stats "
               "SOURCE_DIR\n";
  return 2;
}

bool compileTree(const fs::path& root, bank::CompileResult& result) {
  std::vector<bank::SourceError> readErrors;
  const auto sources = bank::readSourceTree(root, readErrors);
  result = bank::compileSources(sources);
  result.errors.insert(result.errors.begin(), readErrors.begin(), readErrors.end());
  for (const auto& e : result.errors)
    std::cerr << (root / e.file).string() << ":" << e.line << ": " << e.message << "\n";
  if (sources.empty() && result.errors.empty()) {
    std::cerr << root.string() << ": no sources (aspects/, houses/, signs/, general/)\n";
    return false;
  }
  return result.ok();
}

int compile(const fs::path& root, const fs::path& out) {
  bank::CompileResult result;
  if (!compileTree(root, result)) return 1;
  std::error_code ec;
  fs::create_directories(out, ec);
  for (const auto& f : result.files) {
    const auto target = out / f.name();
    const std::string bytes = f.bytes();
    if (auto old = readFile(target); old && *old == bytes) continue;
    if (auto w = replaceFileAtomically(target, bytes); !w) {
      std::cerr << "bankc: " << w.error << "\n";
      return 1;
    }
  }
  return 0;
}

int stats(const fs::path& root) {
  bank::CompileResult result;
  if (!compileTree(root, result)) return 1;
  const auto s = bank::statsOf(result.files);
  std::cout << s.files << " files, " << s.texts << " texts, " << s.words << " words\n";
  return 0;
}

int decompileDir(const fs::path& bankDir, const fs::path& out) {
  std::vector<fs::path> files;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(bankDir, ec))
    if (entry.is_regular_file() && bank::familyOfBankFileName(entry.path().filename().string()))
      files.push_back(entry.path());
  if (ec) {
    std::cerr << "bankc: cannot read " << bankDir.string() << ": " << ec.message() << "\n";
    return 1;
  }
  std::sort(files.begin(), files.end());
  int failures = 0;
  for (const auto& path : files) {
    const auto [family, number] = *bank::familyOfBankFileName(path.filename().string());
    const auto bytes = readFile(path);
    if (!bytes) {
      std::cerr << path.string() << ": cannot be read\n";
      ++failures;
      continue;
    }
    const auto decoded = bank::decodeFile(family, *bytes);
    if (!decoded.ok) {
      std::cerr << path.string() << ": " << decoded.error << "\n";
      ++failures;
      continue;
    }
    std::string error;
    const auto text = bank::decompile(family, number, decoded.records, error);
    if (!text) {
      std::cerr << path.string() << ": " << error << "\n";
      ++failures;
      continue;
    }
    const auto target = out / bank::sourcePathOf(family, number);
    fs::create_directories(target.parent_path(), ec);
    if (auto w = replaceFileAtomically(target, *text); !w) {
      std::cerr << "bankc: " << w.error << "\n";
      ++failures;
    }
  }
  if (files.empty()) {
    std::cerr << "bankc: no bank files (zora*.dtf) in " << bankDir.string() << "\n";
    return 1;
  }
  return failures ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  std::string out, decompileFrom, source;
  bool wantStats = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--out" || a == "--decompile") {
      if (i + 1 >= args.size()) return usage("option " + a + " needs a directory");
      (a == "--out" ? out : decompileFrom) = args[++i];
    } else if (a == "--stats") {
      wantStats = true;
    } else if (a == "--help" || a == "-h") {
      usage("help");
      return 0;
    } else if (!a.empty() && a[0] == '-') {
      return usage("unknown option " + a);
    } else if (source.empty()) {
      source = a;
    } else {
      return usage("extra argument " + a);
    }
  }
  if (!decompileFrom.empty()) {
    if (!source.empty() || wantStats) return usage("--decompile takes only --out");
    if (out.empty()) return usage("--decompile needs --out DIR");
    return decompileDir(decompileFrom, out);
  }
  if (source.empty()) return usage("no SOURCE_DIR");
  if (wantStats) return stats(source);
  return compile(source, out.empty() ? fs::path(".") : fs::path(out));
}
