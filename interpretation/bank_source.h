// zykmeans: the readable source of the knowledge bank (UTF-8 text files, one per key) and its
// translation into the bank's binary files and back.
//
// Source layout: aspects/<object>.txt, houses/<object>.txt, signs/<object>.txt, general/NN.txt, where
// <object> is sun, moon, mercury, venus, mars, jupiter, saturn, uranus, neptune, pluto, north-node,
// black-moon, ascendant or midheaven. A record begins with a head line
//   @ Sun trine/sextile Jupiter level 2 if applying and born after 1949
//   @ Moon in house 4        @ Venus in Libra        @ general 2 topic 1        @+ (continuation)
// and its text is the following lines joined with single blanks; '#' lines are comments.
#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "interpretation/bank_format.h"

namespace talpora::bank {

struct SourceError {
  std::string file;  // as given (e.g. "aspects/sun.txt")
  int line = 0;
  std::string message;
  std::string text() const { return file + ":" + std::to_string(line) + ": " + message; }
};

struct SourceFile {
  std::string path;  // relative to the source root: "aspects/sun.txt"
  std::string text;  // UTF-8
};

struct CompiledFile {
  int family = 0;
  int number = 0;  // the file number of the family's name pattern
  std::vector<Record> records;
  std::string name() const { return fileName(family, number); }
  std::string bytes() const { return encodeFile(family, records); }
};

struct CompileResult {
  std::vector<CompiledFile> files;  // in the order of the sources given
  std::vector<SourceError> errors;
  bool ok() const { return errors.empty(); }
};

// The source vocabulary.
std::string objectSourceName(int object);  // "Sun" ... "North Node", "Black Moon" ... "Part of Fortune"
std::string objectFileStem(int object);    // "sun" ... "north-node", "black-moon" ...
std::string signSourceName(int sign);      // 1 "Aries" ... 12 "Pisces"
std::string aspectCodeWord(int code);      // 0 "any", 1 "conjunction" ... 15 "trine/sextile" ...; "" above 17
// The objects the bank keeps files for: every object but the South Node, Chiron and the Part of
// Fortune (the South Node is read as the North Node; the other two are never asked).
bool isBankObject(int object);

// Where a source path leads: family and file number; nullopt for a path that is no bank source.
std::optional<std::pair<int, int>> familyOfSourcePath(std::string_view path);
std::string sourcePathOf(int family, int number);  // "aspects/sun.txt", "general/02.txt"
// Family and number of a binary file name ("zoraA01.dtf"); nullopt for other names.
std::optional<std::pair<int, int>> familyOfBankFileName(std::string_view name);

// Compiles the sources. Every error names its file and line; a file with errors yields no output.
CompileResult compileSources(const std::vector<SourceFile>& sources);
// Reads every *.txt of aspects/, houses/, signs/ and general/ under `root` (sorted by path).
std::vector<SourceFile> readSourceTree(const std::filesystem::path& root, std::vector<SourceError>& errors);

// The source form of one binary file's records (UTF-8). nullopt, with `error` set, when a record
// cannot be written in the source form.
std::optional<std::string> decompile(int family, int number, const std::vector<Record>& records,
                                     std::string& error);

// Counts over compiled files: records, conditional records, words of all texts.
struct BankStats {
  int files = 0;
  int texts = 0;
  long words = 0;
};
BankStats statsOf(const std::vector<CompiledFile>& files);

}  // namespace talpora::bank
