// headless: golden files of the tests. One switch for every golden test: with TALPORA_UPDATE_GOLDEN=1
// in the environment a comparison writes the actual bytes as the new golden file instead of comparing.
#pragma once
#include <filesystem>
#include <string>
#include <string_view>

namespace talpora::headless {

bool updatingGoldens();

struct GoldenCheck {
  bool ok = false;
  std::string message;  // what differs (first differing line), or why the file cannot be used
};
// Compares `actual` with the golden file byte for byte (or rewrites it when updating).
GoldenCheck checkGolden(const std::filesystem::path& golden, std::string_view actual);

}  // namespace talpora::headless
