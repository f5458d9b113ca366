// The talpora command run in-process: the arguments split as a shell splits them (blanks, single and
// double quotes), the exit code, and what it wrote to its output and error streams.
#pragma once
#include <sstream>
#include <string>
#include <vector>

#include "cli/command.h"

namespace talpora::cli::testing {

struct Ran {
  int status;
  std::string out, err;
};

inline std::vector<std::string> shellWords(const std::string& line) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false;
  char quote = 0;
  for (char c : line) {
    if (quote) {
      if (c == quote) {
        quote = 0;
      } else {
        word += c;
      }
    } else if (c == '\'' || c == '"') {
      quote = c;
      inWord = true;
    } else if (c == ' ') {
      if (inWord) words.push_back(word);
      word.clear();
      inWord = false;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (inWord) words.push_back(word);
  return words;
}

inline Ran run(const std::string& args) {
  std::ostringstream out, err;
  const int status = runCommandLine(shellWords(args), out, err);
  return {status, out.str(), err.str()};
}

}  // namespace talpora::cli::testing
