// platform: the small text helpers every reader of the suite's text sources and every parser of
// typed input shares (ASCII only: CP1252 letters above 127 are left as they are).
#pragma once
#include <cctype>
#include <string>
#include <string_view>

namespace talpora {

inline bool isBlank(char c) {
  return std::isspace(static_cast<unsigned char>(c)) != 0;
}

// s without leading and trailing white space (blanks, tabs, CR, LF, FF, VT).
inline std::string_view trim(std::string_view s) {
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  return s;
}

// s with the ASCII capitals A..Z in lower case.
inline std::string lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// a and b equal when ASCII case is ignored.
inline bool iequals(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

}  // namespace talpora
