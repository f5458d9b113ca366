// zykmeans: compiling the readable source of the knowledge bank, and decompiling it.
#include "interpretation/bank_source.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

#include "core/records.h"
#include "platform/cp1252.h"
#include "platform/text.h"

namespace talpora::bank {
namespace {

const char* const kObjectNames[kObjectCount] = {
    "Sun",        "Moon",   "Mercury",   "Venus",     "Mars",           "Jupiter",
    "Saturn",     "Uranus", "Neptune",   "Pluto",     "North Node",     "South Node",
    "Black Moon", "Chiron", "Ascendant", "Midheaven", "Part of Fortune"};
const char* const kSignNames[12] = {"Aries", "Taurus",  "Gemini",      "Cancer",    "Leo",      "Virgo",
                                    "Libra", "Scorpio", "Sagittarius", "Capricorn", "Aquarius", "Pisces"};
const char* const kAspectWords[9] = {"conjunction",   "opposition", "trine",        "square",  "sextile",
                                     "inconjunction", "biquintile", "sesquisquare", "quintile"};
// Codes 10..17 as sets of aspects (bit k = aspect number k).
const unsigned kGroupCodes[8] = {0b00011, 0b00111, 0b01011, 0b01001, 0b01010, 0b10100, 0b11101, 0b01111};
const char* const kAspectWordHint =
    " (aspect words: any, conjunction, opposition, trine, square, sextile, inconjunction, biquintile, "
    "sesquisquare, quintile, or one of the groups conjunction/opposition, conjunction/opposition/trine, "
    "conjunction/opposition/square, conjunction/square, opposition/square, trine/sextile, "
    "conjunction/trine/square/sextile, conjunction/opposition/trine/square)";
const char* const kFamilyFolders[5] = {"", "aspects", "houses", "general", "signs"};

std::vector<std::string> splitBlanks(std::string_view s) {
  std::vector<std::string> out;
  std::size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    std::size_t j = i;
    while (j < s.size() && s[j] != ' ' && s[j] != '\t') ++j;
    if (j > i) out.emplace_back(s.substr(i, j - i));
    i = j;
  }
  return out;
}

std::optional<int> parseInt(const std::string& s) {
  if (s.empty() || s.size() > 9) return std::nullopt;
  std::size_t i = 0;
  if (s[0] == '-') i = 1;
  if (i == s.size()) return std::nullopt;
  for (std::size_t k = i; k < s.size(); ++k)
    if (!std::isdigit(static_cast<unsigned char>(s[k]))) return std::nullopt;
  return std::stoi(s);
}

// Aspect code of an aspect word ("trine/sextile" in any order of its parts); nullopt when unknown.
std::optional<int> aspectCodeOfWord(const std::string& word) {
  const std::string w = lower(word);
  if (w == "any") return 0;
  unsigned set = 0;
  std::size_t start = 0;
  int parts = 0;
  while (start <= w.size()) {
    const auto slash = w.find('/', start);
    const std::string part = w.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
    int found = -1;
    for (int k = 0; k < 9; ++k)
      if (part == kAspectWords[k]) found = k;
    if (found < 0 || (set & (1u << found))) return std::nullopt;
    set |= 1u << found;
    ++parts;
    if (slash == std::string::npos) break;
    start = slash + 1;
  }
  if (parts == 1) {
    for (int k = 0; k < 9; ++k)
      if (set == (1u << k)) return k + 1;
  }
  for (int g = 0; g < 8; ++g)
    if (set == kGroupCodes[g]) return 10 + g;
  return std::nullopt;
}

// Reads an object name (one to three words) at tokens[i]; advances i.
std::optional<int> takeObject(const std::vector<std::string>& tokens, std::size_t& i) {
  for (int words = 3; words >= 1; --words) {
    if (i + static_cast<std::size_t>(words) > tokens.size()) continue;
    std::string name;
    for (int k = 0; k < words; ++k) name += (k ? " " : "") + lower(tokens[i + static_cast<std::size_t>(k)]);
    for (int o = 0; o < kObjectCount; ++o) {
      if (name == lower(kObjectNames[o])) {
        i += static_cast<std::size_t>(words);
        return o;
      }
    }
  }
  return std::nullopt;
}

std::optional<int> signOfWord(const std::string& word) {
  for (int s = 0; s < 12; ++s)
    if (lower(word) == lower(kSignNames[s])) return s + 1;
  return std::nullopt;
}

// Decodes one UTF-8 character at s[i]; advances i; nullopt for an invalid sequence.
std::optional<char32_t> nextCodePoint(std::string_view s, std::size_t& i) {
  const auto b = static_cast<unsigned char>(s[i]);
  int extra = 0;
  char32_t cp = 0;
  if (b < 0x80) {
    ++i;
    return b;
  } else if ((b & 0xE0) == 0xC0) {
    extra = 1;
    cp = b & 0x1F;
  } else if ((b & 0xF0) == 0xE0) {
    extra = 2;
    cp = b & 0x0F;
  } else if ((b & 0xF8) == 0xF0) {
    extra = 3;
    cp = b & 0x07;
  } else {
    ++i;
    return std::nullopt;
  }
  if (i + static_cast<std::size_t>(extra) >= s.size()) {
    i = s.size();
    return std::nullopt;
  }
  for (int k = 1; k <= extra; ++k) {
    const auto c = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
    if ((c & 0xC0) != 0x80) {
      ++i;
      return std::nullopt;
    }
    cp = (cp << 6) | (c & 0x3F);
  }
  i += static_cast<std::size_t>(extra) + 1;
  return cp;
}

// The CP1252 form of one source line, or an error message naming the first character the code page
// lacks (or a control character).
std::optional<std::string> lineToCp1252(std::string_view line, std::string& error) {
  std::string out;
  std::size_t i = 0;
  while (i < line.size()) {
    const std::size_t at = i;
    const auto cp = nextCodePoint(line, i);
    if (!cp) {
      error = "invalid UTF-8 at column " + std::to_string(at + 1);
      return std::nullopt;
    }
    if (*cp < 0x20 || *cp == 0x7F) {
      error = "control character (code " + std::to_string(static_cast<unsigned>(*cp)) + ") at column " +
              std::to_string(at + 1) + ": use blanks";
      return std::nullopt;
    }
    const auto byte = codePointToCp1252(*cp);
    if (!byte) {
      char hex[16];
      std::snprintf(hex, sizeof hex, "U+%04X", static_cast<unsigned>(*cp));
      error = "the character '" + std::string(line.substr(at, i - at)) + "' (" + hex + ") at column " +
              std::to_string(at + 1) + " is not in the Windows code page (CP1252)";
      return std::nullopt;
    }
    out += static_cast<char>(*byte);
  }
  return out;
}

struct PendingRecord {
  Record record;
  int headLine = 0;
  int firstTextLine = 0;
  std::string text;  // CP1252
  bool hasText = false;
  bool bad = false;  // the head had an error (reported): its text is read and dropped
};

class FileCompiler {
 public:
  FileCompiler(const SourceFile& src, int family, int number, std::vector<SourceError>& errors)
      : src_(src), family_(family), number_(number), errors_(errors) {}

  std::optional<CompiledFile> run() {
    const std::size_t errorsBefore = errors_.size();
    if (family_ != kGeneral && !isBankObject(number_ - 1)) {
      error(1, "the bank keeps no " + std::string(kFamilyFolders[family_]) + " texts for " +
                   kObjectNames[number_ - 1] +
                   (number_ - 1 == kSouthNode ? " (the South Node is read as the North Node)"
                                              : " (never asked)"));
      return std::nullopt;
    }
    std::istringstream in(src_.text);
    std::string raw;
    int lineNo = 0;
    std::optional<PendingRecord> current;
    while (std::getline(in, raw)) {
      ++lineNo;
      const std::string_view line = trim(raw);
      if (line.empty() || line.front() == '#') continue;
      if (line.front() == '@') {
        if (current) finish(*current);
        current = head(line, lineNo);
        if (!current) current = PendingRecord{Record{}, lineNo, 0, {}, false, true};
        continue;
      }
      if (!current) {
        error(lineNo, "text outside a record (a record begins with a line starting with '@')");
        continue;
      }
      std::string why;
      auto converted = lineToCp1252(line, why);
      if (!converted) {
        error(lineNo, why);
        current->hasText = true;
        continue;
      }
      if (!current->text.empty()) current->text += ' ';
      current->text += *converted;
      current->hasText = true;
    }
    if (current) finish(*current);
    if (errors_.size() != errorsBefore) return std::nullopt;
    return CompiledFile{family_, number_, std::move(records_)};
  }

 private:
  void error(int line, std::string message) { errors_.push_back({src_.path, line, std::move(message)}); }

  std::optional<PendingRecord> head(std::string_view line, int lineNo) {
    PendingRecord p;
    p.headLine = lineNo;
    line.remove_prefix(1);
    if (!line.empty() && line.front() == '+') {
      line.remove_prefix(1);
      if (!trim(line).empty()) {
        error(lineNo, "a continuation record '@+' takes nothing else on its line");
        return std::nullopt;
      }
      if (!seenConditional_) {
        error(lineNo, "a continuation record '@+' needs a record before it");
        return std::nullopt;
      }
      p.record.conditional = false;
      return p;
    }
    const auto tokens = splitBlanks(line);
    std::size_t i = 0;
    auto unexpected = [&](const std::string& what) {
      error(lineNo, i < tokens.size() ? what + " '" + tokens[i] + "'" : what + " at the end of the line");
      return std::nullopt;
    };
    Record& r = p.record;
    if (family_ == kGeneral) {
      if (i >= tokens.size() || lower(tokens[i]) != "general")
        return unexpected("expected 'general N topic T', found");
      ++i;
      auto n = i < tokens.size() ? parseInt(tokens[i]) : std::nullopt;
      if (!n) return unexpected("expected the general file number, found");
      if (*n != number_) {
        error(lineNo, "general file " + std::to_string(*n) + " in the source of general file " +
                          std::to_string(number_));
        return std::nullopt;
      }
      ++i;
      if (i >= tokens.size() || lower(tokens[i]) != "topic") return unexpected("expected 'topic', found");
      ++i;
      auto t = i < tokens.size() ? parseInt(tokens[i]) : std::nullopt;
      if (!t || *t < 1 || *t > slotCount(kGeneral))
        return unexpected("expected a topic number 1.." + std::to_string(slotCount(kGeneral)) + ", found");
      ++i;
      r.key = *t;
    } else {
      const int own = number_ - 1;
      auto a = takeObject(tokens, i);
      if (!a) return unexpected("unknown object");
      if (*a != own) {
        error(lineNo,
              "a record for " + std::string(kObjectNames[*a]) + " in the file of " + kObjectNames[own]);
        return std::nullopt;
      }
      if (family_ == kAspects) {
        auto code = i < tokens.size() ? aspectCodeOfWord(tokens[i]) : std::nullopt;
        if (!code) {
          unexpected("unknown aspect");
          errors_.back().message += kAspectWordHint;
          return std::nullopt;
        }
        ++i;
        auto b = takeObject(tokens, i);
        if (!b) return unexpected("unknown object");
        if (!isBankObject(*b)) {
          error(lineNo,
                std::string("no aspect texts are kept for ") + kObjectNames[*b] +
                    (*b == kSouthNode ? " (the South Node is read as the North Node)" : " (never asked)"));
          return std::nullopt;
        }
        if (*b <= own) {
          error(lineNo, std::string("the pair ") + kObjectNames[own] + "-" + kObjectNames[*b] +
                            " belongs in the file of the lower-numbered object, " +
                            kObjectNames[std::min(own, *b)]);
          return std::nullopt;
        }
        r.aspectCode = *code;
        r.key = *b;
      } else {
        if (i >= tokens.size() || lower(tokens[i]) != "in") return unexpected("expected 'in', found");
        ++i;
        if (family_ == kHouses) {
          if (i >= tokens.size() || lower(tokens[i]) != "house") return unexpected("expected 'house', found");
          ++i;
          auto h = i < tokens.size() ? parseInt(tokens[i]) : std::nullopt;
          if (!h || *h < 1 || *h > 12) return unexpected("expected a house 1..12, found");
          ++i;
          r.key = *h - 1;
        } else {
          auto s = i < tokens.size() ? signOfWord(tokens[i]) : std::nullopt;
          if (!s) return unexpected("unknown sign");
          ++i;
          r.key = *s - 1;
        }
      }
    }
    r.level = 1;
    if (i < tokens.size() && lower(tokens[i]) == "level") {
      ++i;
      auto lv = i < tokens.size() ? parseInt(tokens[i]) : std::nullopt;
      if (!lv || *lv < 0 || *lv > 255) return unexpected("unknown level (0..255)");
      ++i;
      r.level = *lv;
    }
    if (i < tokens.size() && lower(tokens[i]) == "if") {
      ++i;
      while (true) {
        Condition c;
        if (!condition(tokens, i, c, lineNo)) return std::nullopt;
        r.conditions.push_back(std::move(c));
        if (i < tokens.size() && lower(tokens[i]) == "and") {
          ++i;
          continue;
        }
        break;
      }
      if (r.conditions.size() > static_cast<std::size_t>(kMaxConditions)) {
        error(lineNo, "more than 64 conditions");
        return std::nullopt;
      }
    }
    if (i < tokens.size()) return unexpected("unexpected");
    // Key order: aspects by second object, houses by house, signs by sign, general by topic.
    if (r.key < lastKey_) {
      error(lineNo, "records out of key order: " + keyText(r.key) + " after " + keyText(lastKey_));
      return std::nullopt;
    }
    lastKey_ = r.key;
    seenConditional_ = true;
    return p;
  }

  bool condition(const std::vector<std::string>& tokens, std::size_t& i, Condition& c, int lineNo) {
    auto fail = [&](const std::string& what) {
      error(lineNo, i < tokens.size() ? what + " '" + tokens[i] + "'" : what + " at the end of the line");
      return false;
    };
    if (i >= tokens.size()) return fail("expected a condition");
    const std::string w = lower(tokens[i]);
    if (w == "applying" || w == "separating") {
      if (family_ != kAspects) return fail("an aspect condition in a file that is not about aspects:");
      c.type = static_cast<std::int16_t>(w == "applying" ? kApplying : kSeparating);
      ++i;
      return true;
    }
    if (w == "aspect") {
      ++i;
      auto p = takeObject(tokens, i);
      if (!p) return fail("unknown object");
      auto code = i < tokens.size() ? aspectCodeOfWord(tokens[i]) : std::nullopt;
      if (!code) {
        fail("unknown aspect");
        errors_.back().message += kAspectWordHint;
        return false;
      }
      ++i;
      auto q = takeObject(tokens, i);
      if (!q) return fail("unknown object");
      if (*p == *q) {
        error(lineNo, "an aspect condition between " + std::string(kObjectNames[*p]) + " and itself");
        return false;
      }
      c.type = kAspectInChart;
      c.params = {static_cast<std::int16_t>(*p), static_cast<std::int16_t>(*q),
                  static_cast<std::int16_t>(*code)};
      return true;
    }
    if (w == "born") {
      ++i;
      const std::string dir = i < tokens.size() ? lower(tokens[i]) : "";
      if (dir != "before" && dir != "after") return fail("expected 'before' or 'after', found");
      ++i;
      auto y = i < tokens.size() ? parseInt(tokens[i]) : std::nullopt;
      if (!y || *y < 0 || *y > 9999) return fail("expected a year 0..9999, found");
      ++i;
      c.type = kBornBeforeAfter;
      c.params = {static_cast<std::int16_t>(dir == "before" ? -1 : 1), static_cast<std::int16_t>(*y)};
      return true;
    }
    if (w == "time") {
      ++i;
      const std::string k = i < tokens.size() ? lower(tokens[i]) : "";
      if (k != "known" && k != "unknown") return fail("expected 'known' or 'unknown', found");
      ++i;
      c.type = static_cast<std::int16_t>(k == "known" ? kTimeKnown : kTimeUnknown);
      return true;
    }
    return fail("unknown condition");
  }

  std::string keyText(int key) const {
    switch (family_) {
      case kAspects:
        return key >= 0 && key < kObjectCount ? kObjectNames[key] : std::to_string(key);
      case kHouses:
        return "house " + std::to_string(key + 1);
      case kSigns:
        return key >= 0 && key < 12 ? kSignNames[key] : std::to_string(key);
      default:
        return "topic " + std::to_string(key);
    }
  }

  void finish(PendingRecord& p) {
    if (p.bad) return;
    if (!p.hasText || p.text.empty()) {
      error(p.headLine, "a record without text");
      return;
    }
    if (p.text.size() > static_cast<std::size_t>(kMaxTextBytes - 1)) {
      error(p.headLine, "the text takes " + std::to_string(p.text.size()) +
                            " bytes in the Windows code page; at most 1999 are allowed");
      return;
    }
    p.record.text = std::move(p.text);
    records_.push_back(std::move(p.record));
  }

  const SourceFile& src_;
  int family_, number_;
  std::vector<SourceError>& errors_;
  std::vector<Record> records_;
  int lastKey_ = -1;
  bool seenConditional_ = false;
};

// Folds a text for the source form: breaks only at a single blank between two non-blanks, never
// before a '#' or '@', so that joining the lines with one blank gives the text back.
std::string foldForSource(const std::string& text, std::size_t width) {
  std::string out;
  std::size_t lineStart = 0, lastBreak = std::string::npos;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool breakable = text[i] == ' ' && i > 0 && i + 1 < text.size() && text[i - 1] != ' ' &&
                           text[i + 1] != ' ' && text[i + 1] != '#' && text[i + 1] != '@';
    if (breakable && i - lineStart <= width) lastBreak = i;
    if (i - lineStart >= width && lastBreak != std::string::npos && lastBreak >= lineStart) {
      out += text.substr(lineStart, lastBreak - lineStart) + "\n";
      lineStart = lastBreak + 1;
      lastBreak = std::string::npos;
    }
  }
  out += text.substr(lineStart) + "\n";
  return out;
}

}  // namespace

std::string objectSourceName(int object) {
  return object >= 0 && object < kObjectCount ? kObjectNames[object] : std::to_string(object);
}

std::string objectFileStem(int object) {
  std::string s = lower(objectSourceName(object));
  std::replace(s.begin(), s.end(), ' ', '-');
  return s;
}

std::string signSourceName(int sign) {
  return sign >= 1 && sign <= 12 ? kSignNames[sign - 1] : "";
}

std::string aspectCodeWord(int code) {
  if (code == 0) return "any";
  if (code >= 1 && code <= 9) return kAspectWords[code - 1];
  if (code >= 10 && code <= 17) {
    std::string w;
    for (int k = 0; k < 9; ++k)
      if (kGroupCodes[code - 10] & (1u << k)) w += (w.empty() ? "" : "/") + std::string(kAspectWords[k]);
    return w;
  }
  return "";
}

bool isBankObject(int object) {
  return object >= 0 && object < kObjectCount && object != kSouthNode && object != kChiron &&
         object != kPartOfFortune;
}

std::optional<std::pair<int, int>> familyOfSourcePath(std::string_view path) {
  const auto slash = path.rfind('/');
  if (slash == std::string_view::npos) return std::nullopt;
  const auto folderStart = path.rfind('/', slash - 1);
  const std::string folder(
      path.substr(folderStart == std::string_view::npos ? 0 : folderStart + 1,
                  slash - (folderStart == std::string_view::npos ? 0 : folderStart + 1)));
  std::string file(path.substr(slash + 1));
  if (file.size() < 5 || file.substr(file.size() - 4) != ".txt") return std::nullopt;
  const std::string stem = file.substr(0, file.size() - 4);
  for (int family = kAspects; family <= kSigns; ++family) {
    if (folder != kFamilyFolders[family]) continue;
    if (family == kGeneral) {
      if (stem.size() != 2 || !std::isdigit(static_cast<unsigned char>(stem[0])) ||
          !std::isdigit(static_cast<unsigned char>(stem[1])))
        return std::nullopt;
      return std::pair{family, std::stoi(stem)};
    }
    for (int o = 0; o < kObjectCount; ++o)
      if (stem == objectFileStem(o)) return std::pair{family, o + 1};
    return std::nullopt;
  }
  return std::nullopt;
}

std::string sourcePathOf(int family, int number) {
  if (family == kGeneral) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d", number);
    return std::string("general/") + buf + ".txt";
  }
  return std::string(kFamilyFolders[family]) + "/" + objectFileStem(number - 1) + ".txt";
}

std::optional<std::pair<int, int>> familyOfBankFileName(std::string_view name) {
  if (name.size() != 11 || lower(name.substr(0, 4)) != "zora" || lower(name.substr(7)) != ".dtf")
    return std::nullopt;
  int family = 0;
  switch (name[4]) {
    case 'A':
      family = kAspects;
      break;
    case 'h':
      family = kHouses;
      break;
    case 'b':
      family = kGeneral;
      break;
    case 'S':
      family = kSigns;
      break;
    default:
      return std::nullopt;
  }
  if (!std::isdigit(static_cast<unsigned char>(name[5])) ||
      !std::isdigit(static_cast<unsigned char>(name[6])))
    return std::nullopt;
  return std::pair{family, (name[5] - '0') * 10 + (name[6] - '0')};
}

CompileResult compileSources(const std::vector<SourceFile>& sources) {
  CompileResult result;
  std::map<std::pair<int, int>, std::string> seen;
  for (const auto& src : sources) {
    const auto where = familyOfSourcePath(src.path);
    if (!where) {
      result.errors.push_back({src.path, 1,
                               "not a source of the bank (aspects/, houses/ or signs/ with an object's name, "
                               "or general/NN.txt)"});
      continue;
    }
    if (auto it = seen.find(*where); it != seen.end()) {
      result.errors.push_back({src.path, 1, "a second source for the file of " + it->second});
      continue;
    }
    seen[*where] = src.path;
    FileCompiler compiler(src, where->first, where->second, result.errors);
    if (auto file = compiler.run()) result.files.push_back(std::move(*file));
  }
  return result;
}

std::vector<SourceFile> readSourceTree(const std::filesystem::path& root, std::vector<SourceError>& errors) {
  std::vector<SourceFile> sources;
  for (int family = kAspects; family <= kSigns; ++family) {
    const auto dir = root / kFamilyFolders[family];
    std::error_code ec;
    if (!std::filesystem::is_directory(dir, ec)) continue;
    std::vector<std::filesystem::path> paths;
    for (const auto& entry : std::filesystem::directory_iterator(dir, ec))
      if (entry.is_regular_file() && entry.path().extension() == ".txt") paths.push_back(entry.path());
    std::sort(paths.begin(), paths.end());
    for (const auto& p : paths) {
      std::ifstream in(p, std::ios::binary);
      const std::string rel = std::string(kFamilyFolders[family]) + "/" + p.filename().string();
      if (!in) {
        errors.push_back({rel, 0, "cannot be read"});
        continue;
      }
      std::ostringstream text;
      text << in.rdbuf();
      sources.push_back({rel, text.str()});
    }
  }
  return sources;
}

std::optional<std::string> decompile(int family, int number, const std::vector<Record>& records,
                                     std::string& error) {
  std::string out;
  if (family == kGeneral)
    out += "# General topics of file " + std::to_string(number) + ".\n";
  else
    out += "# " +
           std::string(family == kAspects  ? "Aspects"
                       : family == kHouses ? "Houses"
                                           : "Signs") +
           " of " + objectSourceName(number - 1) + ".\n";
  const int own = number - 1;
  for (std::size_t n = 0; n < records.size(); ++n) {
    const Record& r = records[n];
    auto fail = [&](const std::string& what) {
      error = "record " + std::to_string(n + 1) + ": " + what;
      return std::nullopt;
    };
    out += "\n";
    if (!r.conditional) {
      out += "@+\n";
    } else {
      std::string head = "@ ";
      switch (family) {
        case kAspects: {
          const std::string word = aspectCodeWord(r.aspectCode);
          if (word.empty())
            return fail("aspect code " + std::to_string(r.aspectCode) + " has no source word");
          if (r.key <= own || !isBankObject(r.key) || !isBankObject(own))
            return fail("key " + std::to_string(r.key) + " cannot be written in the file of " +
                        objectSourceName(own));
          head += objectSourceName(own) + " " + word + " " + objectSourceName(r.key);
          break;
        }
        case kHouses:
          if (r.key < 0 || r.key > 11 || !isBankObject(own))
            return fail("key " + std::to_string(r.key) + " is no house");
          head += objectSourceName(own) + " in house " + std::to_string(r.key + 1);
          break;
        case kSigns:
          if (r.key < 0 || r.key > 11 || !isBankObject(own))
            return fail("key " + std::to_string(r.key) + " is no sign");
          head += objectSourceName(own) + " in " + signSourceName(r.key + 1);
          break;
        default:
          if (r.key < 1 || r.key > slotCount(kGeneral))
            return fail("key " + std::to_string(r.key) + " is no topic");
          head += "general " + std::to_string(number) + " topic " + std::to_string(r.key);
          break;
      }
      if (r.level != 1) head += " level " + std::to_string(r.level);
      for (std::size_t k = 0; k < r.conditions.size(); ++k) {
        const Condition& c = r.conditions[k];
        head += k == 0 ? " if " : " and ";
        switch (c.type) {
          case kApplying:
          case kSeparating:
            if (family != kAspects) return fail("an aspect condition outside the aspects");
            head += c.type == kApplying ? "applying" : "separating";
            break;
          case kAspectInChart: {
            const std::string word = aspectCodeWord(c.params[2]);
            if (c.params[0] < 0 || c.params[0] >= kObjectCount || c.params[1] < 0 ||
                c.params[1] >= kObjectCount || c.params[0] == c.params[1] || word.empty())
              return fail("an aspect condition that cannot be written");
            head +=
                "aspect " + objectSourceName(c.params[0]) + " " + word + " " + objectSourceName(c.params[1]);
            break;
          }
          case kBornBeforeAfter:
            if ((c.params[0] != -1 && c.params[0] != 1) || c.params[1] < 0 || c.params[1] > 9999)
              return fail("a year condition that cannot be written");
            head +=
                std::string(c.params[0] == -1 ? "born before " : "born after ") + std::to_string(c.params[1]);
            break;
          case kTimeUnknown:
            head += "time unknown";
            break;
          case kTimeKnown:
            head += "time known";
            break;
          default:
            return fail("unknown condition type " + std::to_string(c.type));
        }
      }
      out += head + "\n";
    }
    if (r.text.empty()) return fail("a record without text");
    const std::string utf8 = cp1252ToUtf8(r.text);
    for (unsigned char ch : r.text) {
      if (ch < 0x20 || ch == 0x7F || ch == 0x81 || ch == 0x8D || ch == 0x8F || ch == 0x90 || ch == 0x9D)
        return fail("a byte (" + std::to_string(ch) + ") that a source text cannot hold");
    }
    if (r.text.front() == ' ' || r.text.back() == ' ' || r.text.front() == '#' || r.text.front() == '@')
      return fail("a text whose first or last character a source text cannot hold");
    out += foldForSource(utf8, 100);
  }
  return out;
}

BankStats statsOf(const std::vector<CompiledFile>& files) {
  BankStats s;
  for (const auto& f : files) {
    ++s.files;
    for (const auto& r : f.records) {
      ++s.texts;
      bool inWord = false;
      for (char c : r.text) {
        const bool blank = c == ' ';
        if (!blank && !inWord) ++s.words;
        inWord = !blank;
      }
    }
  }
  return s;
}

}  // namespace talpora::bank
