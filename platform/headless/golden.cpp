// headless: golden files of the tests.
#include "platform/headless/golden.h"

#include <cstdlib>

#include "platform/atomic_file.h"
#include "platform/byte_io.h"

namespace talpora::headless {

bool updatingGoldens() {
  const char* v = std::getenv("TALPORA_UPDATE_GOLDEN");
  return v && std::string_view(v) == "1";
}

GoldenCheck checkGolden(const std::filesystem::path& golden, std::string_view actual) {
  if (updatingGoldens()) {
    std::filesystem::create_directories(golden.parent_path());
    const auto w = replaceFileAtomically(golden, actual);
    return {w.ok, w.ok ? "" : "cannot write " + golden.string() + ": " + w.error};
  }
  const auto expected = readFile(golden);
  if (!expected) return {false, golden.string() + " is missing (TALPORA_UPDATE_GOLDEN=1 writes it)"};
  if (*expected == actual) return {true, ""};
  // The first line that differs, 1-based.
  std::size_t line = 1, i = 0;
  while (i < expected->size() && i < actual.size() && (*expected)[i] == actual[i]) {
    if (actual[i] == '\n') ++line;
    ++i;
  }
  auto lineAt = [](std::string_view s, std::size_t at) {
    std::size_t from = at == 0 ? std::string_view::npos : s.rfind('\n', at - 1);
    from = from == std::string_view::npos ? 0 : from + 1;
    const std::size_t to = s.find('\n', from);
    return std::string(s.substr(from, to == std::string_view::npos ? to : to - from));
  };
  return {false, golden.string() + " differs at line " + std::to_string(line) +
                     ":\n  golden: " + lineAt(*expected, i) + "\n  actual: " + lineAt(actual, i)};
}

}  // namespace talpora::headless
