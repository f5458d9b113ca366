// zykprint: the number of the next saved report ("Listng%d.txt", "Interp%d.txt", ...). Saved reports
// are numbered 1 to 15 in rotation; the next number follows the most recently written file of the
// directory, so that a restarted program, or a second one running beside it, never overwrites the
// file the user has just opened.
#pragma once
#include <filesystem>
#include <string>

namespace talpora {

inline constexpr int kSavedReportCount = 15;

// The file name of report number n for a pattern holding one "%d" ("Interp%d.txt" -> "Interp3.txt").
std::string reportFileName(const char* pattern, int number);

// The number after the most recently written of the files 1..count of the pattern in `dir`, cycling
// (count is followed by 1); 1 when there is none. Files written at the same instant (the clock of the
// file system is coarse) count as written in the order of the cycle.
int nextReportNumber(const std::filesystem::path& dir, const char* pattern, int count = kSavedReportCount);

}  // namespace talpora
