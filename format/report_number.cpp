// zykprint: the number of the next saved report.
#include "format/report_number.h"

#include <cstdio>
#include <optional>
#include <system_error>
#include <vector>

namespace talpora {

std::string reportFileName(const char* pattern, int number) {
  char name[64];
  std::snprintf(name, sizeof name, pattern, number);
  return name;
}

int nextReportNumber(const std::filesystem::path& dir, const char* pattern, int count) {
  if (count < 1) return 1;
  std::vector<std::optional<std::filesystem::file_time_type>> written(static_cast<std::size_t>(count) + 1);
  std::optional<std::filesystem::file_time_type> newest;
  for (int n = 1; n <= count; ++n) {
    std::error_code ec;
    const auto path = dir / reportFileName(pattern, n);
    if (!std::filesystem::is_regular_file(path, ec)) continue;
    const auto t = std::filesystem::last_write_time(path, ec);
    if (ec) continue;
    written[static_cast<std::size_t>(n)] = t;
    if (!newest || t > *newest) newest = t;
  }
  if (!newest) return 1;
  auto isNewest = [&](int n) { return written[static_cast<std::size_t>(n)] == newest; };
  // Among the files of the newest instant, the last is the one whose successor is not among them.
  int last = 0;
  for (int n = 1; n <= count; ++n) {
    if (!isNewest(n)) continue;
    last = n;
    if (!isNewest(n % count + 1)) break;
  }
  return last % count + 1;
}

}  // namespace talpora
