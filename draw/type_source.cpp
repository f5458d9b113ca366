// zykstyle: compiling and decompiling the readable drawing-type source.
#include "draw/type_source.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <sstream>

#include "draw/wheel_geometry.h"
#include "platform/byte_io.h"
#include "platform/text.h"

namespace talpora {
namespace {

// Words separated by blanks or commas.
std::vector<std::string> words(std::string_view s) {
  std::vector<std::string> out;
  std::string cur;
  for (char ch : s) {
    if (ch == ',' || std::isspace(static_cast<unsigned char>(ch))) {
      if (!cur.empty()) out.push_back(cur);
      cur.clear();
    } else {
      cur += ch;
    }
  }
  if (!cur.empty()) out.push_back(cur);
  return out;
}

// Comma-separated items (for names that contain blanks).
std::vector<std::string> items(std::string_view s) {
  std::vector<std::string> out;
  std::size_t start = 0;
  while (start <= s.size()) {
    const std::size_t comma = s.find(',', start);
    const std::string item(
        trim(s.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start)));
    if (!item.empty()) out.push_back(item);
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return out;
}

std::optional<long> number(std::string_view s) {
  const std::string t(trim(s));
  long v = 0;
  const auto r = std::from_chars(t.data(), t.data() + t.size(), v);
  if (r.ec != std::errc() || r.ptr != t.data() + t.size() || t.empty()) return std::nullopt;
  return v;
}

const char* const kProjectionWords[4] = {"none", "south-view", "heliocentric", "right-ascension"};
const char* const kProjectionNames[4] = {"None", "As is (South. Hem. view)", "Heliocentric Chart",
                                         "Right Ascension Chart"};
const char* const kLineWords[6] = {"none", "solid", "dash", "dot", "dash-dot", "dash-dot-dot"};
const char* const kHouseSystemWords[12] = {"No Houses",  "Placidus",      "Campanus",  "Regiomontanus",
                                           "Koch",       "Equal Houses",  "Bi-horary", "Porphyre",
                                           "Alcabitius", "Vendel Polich", "Abenragel", "Albatagenius"};

std::optional<int> styleCode(const std::string& v) {
  if (auto n = number(v)) return static_cast<int>(*n);
  for (int s : wheelStyles())
    if (lower(styleName(s)) == lower(v)) return s;
  return std::nullopt;
}

std::optional<int> ringCode(const std::string& v) {
  if (auto n = number(v)) return static_cast<int>(*n);
  for (int k = 0; k <= 8; ++k)
    if (lower(ringKindName(k)) == lower(v)) return k;
  return std::nullopt;
}

std::optional<int> houseCode(const std::string& v) {
  if (auto n = number(v)) return static_cast<int>(*n);
  if (lower(v) == "none") return 0;
  for (int k = 0; k < 12; ++k)
    if (lower(kHouseSystemWords[k]) == lower(v)) return k;
  return std::nullopt;
}

std::optional<int> projectionCode(const std::string& v) {
  if (auto n = number(v)) return static_cast<int>(*n);
  for (int k = 0; k < 4; ++k)
    if (lower(v) == kProjectionWords[k] || lower(v) == lower(kProjectionNames[k])) return k;
  return std::nullopt;
}

std::optional<bool> yesNo(const std::string& v) {
  const std::string l = lower(trim(v));
  if (l == "yes" || l == "1" || l == "on") return true;
  if (l == "no" || l == "0" || l == "off") return false;
  return std::nullopt;
}

// Colour-set keys: single slots, and the groups.
struct SlotKey {
  const char* key;
  int slot;
  const char* what;
};
const SlotKey kSlotKeys[] = {
    {"background", 0, "the drawing's background; none: not painted"},
    {"zodiac-outer", 1, "outer outline of the zodiac rings"},
    {"zodiac-inner", 2, "inner outline of the rings"},
    {"zodiac-cusps", 3, "sector dividers (sectors are filled only when the three outlines are equal)"},
    {"inner-circle", 4, "the wheel's inner circle, orbits and spheres"},
    {"wheel-fill", 5, "inside the wheel (painted when unlike the background)"},
    {"planet-ticks", 6, "ticks from a displaced glyph to its true place"},
    {"house-cusps", 7, "ordinary house cusps"},
    {"ascendant", 8, "Ascendant cusp"},
    {"midheaven", 9, "Midheaven cusp"},
    {"descendant", 10, "Descendant cusp"},
    {"imum-coeli", 11, "Imum Coeli cusp"},
    {"date", 12, "data block: date"},
    {"universal-time", 13, "data block: Universal Time"},
    {"name", 14, "data block: name"},
    {"type-text", 15, "data block: kind of chart, comment"},
    {"zodiac-type", 16, "data block: zodiac of the rings"},
    {"house-system", 17, "data block: house system"},
    {"house-labels", 18, "house labels and cusp longitudes"},
    {"planet-degrees", 19, "planets' longitudes"},
};
struct GroupKey {
  const char* key;
  int first, count;
  const char* what;
};
const GroupKey kGroupKeys[] = {
    {"signs", 20, 12, "sign glyphs, Aries to Pisces"},
    {"sign-backgrounds", 32, 12, "fills of the sign sectors, Aries to Pisces"},
    {"planets", 44, 17, "glyphs of objects 0 to 16 (Sun .. Chiron, ASC, MC, Part of Fortune)"},
    {"aspects", 61, 9, "conjunction brackets, then the lines of opposition .. quintile"},
};
struct PenKey {
  const char* key;
  int slot;
};
const PenKey kPenKeys[] = {{"pen.sign-glyphs", 3}, {"pen.cusps", 4},         {"pen.asc-mc", 5},
                           {"pen.des-ic", 6},      {"pen.planet-glyphs", 7}, {"pen.inner-circle", 9},
                           {"pen.grid-lines", 11}, {"pen.grid-glyphs", 12}};
// Signs by element: fire (Aries, Leo, Sagittarius), earth, air, water.
constexpr int kElementOf[12] = {0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3};

}  // namespace

std::string colourText(std::uint32_t c) {
  if (c == 0) return "none";
  char buf[16];
  std::snprintf(buf, sizeof buf, "#%02X%02X%02X", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
  if (c > 0xFFFFFF) std::snprintf(buf, sizeof buf, "0x%08X", c);  // not a colour: kept as it is
  return buf;
}

std::optional<std::uint32_t> parseColour(std::string_view text) {
  const std::string t = lower(trim(text));
  if (t == "none") return 0u;
  if (t.size() == 7 && t[0] == '#') {
    std::uint32_t rgb = 0;
    for (std::size_t i = 1; i < 7; ++i) {
      const char ch = t[i];
      int d = 0;
      if (ch >= '0' && ch <= '9') {
        d = ch - '0';
      } else if (ch >= 'a' && ch <= 'f') {
        d = ch - 'a' + 10;
      } else {
        return std::nullopt;
      }
      rgb = rgb * 16 + static_cast<std::uint32_t>(d);
    }
    const std::uint32_t r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    return r | (g << 8) | (b << 16);
  }
  if (t.rfind("0x", 0) == 0 && t.size() > 2) {
    std::uint32_t v = 0;
    const auto r = std::from_chars(t.data() + 2, t.data() + t.size(), v, 16);
    if (r.ec == std::errc() && r.ptr == t.data() + t.size()) return v;
  }
  return std::nullopt;
}

void DrawingTypeCompiler::add(std::string_view text, const std::string& fileName) {
  enum class Section { None, Colours, Type, Monochrome } section = Section::None;
  std::size_t lineNo = 0, pos = 0;
  while (pos <= text.size()) {
    const std::size_t nl = text.find('\n', pos);
    std::string_view raw = text.substr(pos, nl == std::string_view::npos ? std::string_view::npos : nl - pos);
    pos = nl == std::string_view::npos ? text.size() + 1 : nl + 1;
    ++lineNo;
    const std::string where = fileName + ":" + std::to_string(lineNo);
    // A line ending in a backslash goes on in the next one.
    std::string line(trim(raw));
    while (!line.empty() && line.back() == '\\' && pos <= text.size()) {
      line.pop_back();
      const std::size_t next = text.find('\n', pos);
      raw = text.substr(pos, next == std::string_view::npos ? std::string_view::npos : next - pos);
      pos = next == std::string_view::npos ? text.size() + 1 : next + 1;
      ++lineNo;
      line += " ";
      line += trim(raw);
    }
    line = trim(line);
    if (line.empty() || line[0] == '#') continue;
    if (line.front() == '[') {
      if (line.back() != ']') {
        error(where, "a section header ends with ']'");
        section = Section::None;
        continue;
      }
      const std::string inside(trim(std::string_view(line).substr(1, line.size() - 2)));
      const std::size_t blank = inside.find(' ');
      const std::string kind = lower(inside.substr(0, blank));
      const std::string name =
          blank == std::string::npos ? "" : std::string(trim(std::string_view(inside).substr(blank + 1)));
      if (kind == "colours") {
        if (name.empty()) error(where, "a colour set needs a name");
        for (const auto& c : colours_)
          if (c.name == name) error(where, "colour set '" + name + "' is defined twice");
        colours_.push_back({name, "", {}, {}});
        section = Section::Colours;
      } else if (kind == "fixed" || kind == "custom") {
        PendingType t;
        t.fixed = kind == "fixed";
        t.par.typeOrigin = t.fixed ? 601 : 701;
        t.par.style = style::kStandard1;
        t.par.houseSystem = 1;
        t.par.ringKind[1] = ring::kTropical;
        if (name.empty()) error(where, "a drawing type needs a title");
        if (name.size() > 29) error(where, "title '" + name + "' is longer than 29 characters");
        if (!t.fixed && name.find('*') != std::string::npos)
          error(where, "'*' is kept for the titles of fixed types");
        for (const auto& o : types_)
          if (titleOf(o.par) == name) error(where, "title '" + name + "' is used twice");
        setField(t.par.title, name);
        t.where = where;
        types_.push_back(t);
        section = Section::Type;
      } else if (kind == "monochrome") {
        section = Section::Monochrome;
      } else {
        error(where, "unknown section '" + kind + "'");
        section = Section::None;
      }
      continue;
    }
    const std::size_t eq = line.find('=');
    if (eq == std::string::npos) {
      error(where, "expected 'key = value'");
      continue;
    }
    const std::string key = lower(trim(std::string_view(line).substr(0, eq)));
    const std::string value(trim(std::string_view(line).substr(eq + 1)));
    switch (section) {
      case Section::None:
        error(where, "'" + key + "' outside a section");
        break;
      case Section::Monochrome:
        if (key == "colours") {
          monochrome_ = value;
          monochromeWhere_ = where;
        } else {
          error(where, "unknown key '" + key + "' in [monochrome]");
        }
        break;
      case Section::Colours:
        if (key == "based-on") {
          colours_.back().basedOn = value;
        } else {
          colours_.back().settings.emplace_back(key, value);
          colours_.back().where.push_back(where);
        }
        break;
      case Section::Type: {
        PendingType& t = types_.back();
        ChPar& p = t.par;
        auto flag = [&](std::int8_t& field) {
          if (auto v = number(value)) {
            field = static_cast<std::int8_t>(*v);
          } else if (auto b = yesNo(value)) {
            field = *b ? 1 : 0;
          } else {
            error(where, "'" + key + "' takes a number or yes/no");
          }
        };
        if (key == "style") {
          if (auto v = styleCode(value)) {
            p.style = static_cast<std::int16_t>(*v);
          } else {
            error(where, "unknown style '" + value + "'");
          }
        } else if (key == "projection") {
          if (auto v = projectionCode(value)) {
            p.projection = static_cast<std::int16_t>(*v);
          } else {
            error(where, "unknown projection '" + value + "'");
          }
        } else if (key == "rings") {
          const auto list = items(value);
          if (list.empty() || list.size() > 5) error(where, "'rings' lists 1 to 5 ring kinds, inner first");
          for (int k = 1; k <= 5; ++k) p.ringKind[k] = 0;
          for (std::size_t k = 0; k < list.size() && k < 5; ++k) {
            if (auto v = ringCode(list[k])) {
              p.ringKind[k + 1] = static_cast<std::int16_t>(*v);
            } else {
              error(where, "unknown ring kind '" + list[k] + "'");
            }
          }
        } else if (key == "house-system") {
          if (auto v = houseCode(value)) {
            p.houseSystem = static_cast<std::int8_t>(*v);
          } else {
            error(where, "unknown house system '" + value + "'");
          }
        } else if (key == "fixed-aries") {
          flag(p.fixedAries);
        } else if (key == "show") {
          p.showFortune = p.showBlackMoon = p.showChiron = 0;
          for (const auto& w : words(value)) {
            if (w == "fortune") {
              p.showFortune = 1;
            } else if (w == "black-moon") {
              p.showBlackMoon = 1;
            } else if (w == "chiron") {
              p.showChiron = 1;
            } else if (w != "none") {
              error(where, "'show' takes fortune, black-moon, chiron");
            }
          }
        } else if (key == "aspect-points") {
          p.aspectNodes = p.aspectAngles = p.aspectFortune = p.aspectBlackMoon = p.aspectChiron = 0;
          for (const auto& w : words(value)) {
            if (w == "nodes") {
              p.aspectNodes = 1;
            } else if (w == "angles") {
              p.aspectAngles = 1;
            } else if (w == "fortune") {
              p.aspectFortune = 1;
            } else if (w == "black-moon") {
              p.aspectBlackMoon = 1;
            } else if (w == "chiron") {
              p.aspectChiron = 1;
            } else if (w != "none") {
              error(where, "'aspect-points' takes nodes, angles, fortune, black-moon, chiron");
            }
          }
        } else if (key == "data-block") {
          flag(p.dataBlock);
        } else if (key == "house-labels") {
          flag(p.houseLabels);
        } else if (key == "cusp-degrees") {
          flag(p.cuspDegrees);
        } else if (key == "planet-degrees") {
          flag(p.planetDegrees);
        } else if (key == "aspect-glyphs") {
          flag(p.aspectGlyphs);
        } else if (key == "aspect-indicator") {
          flag(p.aspectIndicator);
        } else if (key == "earth") {
          flag(p.earthPictogram);
        } else if (key == "option-1130") {
          flag(p.optionBox1130);
        } else if (key == "reserved-36") {
          flag(p.reserved36);
        } else if (key == "reserved-46") {
          flag(p.reserved46);
        } else if (key == "reserved-48") {
          const auto list = words(value);
          if (list.size() != 15) error(where, "'reserved-48' takes 15 numbers");
          for (std::size_t k = 0; k < list.size() && k < 15; ++k) {
            if (auto v = number(list[k])) {
              p.reserved48[k] = static_cast<std::int16_t>(*v);
            } else {
              error(where, "'reserved-48' takes numbers");
            }
          }
        } else if (key == "origin") {
          if (auto v = number(value)) {
            p.typeOrigin = static_cast<std::int16_t>(*v);
          } else {
            error(where, "'origin' takes a number");
          }
        } else if (key == "lines") {
          const auto list = words(value);
          if (list.size() != 9) error(where, "'lines' takes 9 line types, conjunction .. quintile");
          for (std::size_t k = 0; k < list.size() && k < 9; ++k) {
            int code = -1;
            for (int m = 0; m < 6; ++m)
              if (lower(list[k]) == kLineWords[m]) code = m;
            if (auto v = number(list[k])) code = static_cast<int>(*v);
            if (code < 0) error(where, "unknown line type '" + list[k] + "'");
            if (k == 0 && code > 1) error(where, "the conjunction's line is none or solid (its brackets)");
            p.aspectLine[k] = static_cast<std::int8_t>(std::max(0, code));
          }
        } else if (key == "colours") {
          t.colours = value;
        } else {
          error(where, "unknown key '" + key + "'");
        }
        break;
      }
    }
  }
}

std::optional<ChCol> DrawingTypeCompiler::resolve(const std::string& name, int depth) {
  const PendingColours* set = nullptr;
  for (const auto& c : colours_)
    if (c.name == name) set = &c;
  if (!set) return std::nullopt;
  if (depth > 16) {
    error(set->where.empty() ? name : set->where.front(), "colour sets based on each other in a circle");
    return std::nullopt;
  }
  ChCol out;
  if (!set->basedOn.empty()) {
    auto base = resolve(set->basedOn, depth + 1);
    if (!base) {
      error(set->where.empty() ? name : set->where.front(), "unknown colour set '" + set->basedOn + "'");
      return std::nullopt;
    }
    out = *base;
  }
  for (std::size_t i = 0; i < set->settings.size(); ++i) {
    const auto& [key, value] = set->settings[i];
    const std::string& where = set->where[i];
    bool done = false;
    for (const auto& k : kSlotKeys) {
      if (key == k.key) {
        if (auto c = parseColour(value)) {
          out.colour[k.slot] = *c;
        } else {
          error(where, "'" + value + "' is not a colour (#RRGGBB or none)");
        }
        done = true;
      }
    }
    for (const auto& g : kGroupKeys) {
      if (key == g.key) {
        const auto list = words(value);
        if (static_cast<int>(list.size()) != g.count)
          error(where, "'" + key + "' takes " + std::to_string(g.count) + " colours");
        for (int k = 0; k < g.count && k < static_cast<int>(list.size()); ++k) {
          if (auto c = parseColour(list[static_cast<std::size_t>(k)])) {
            out.colour[g.first + k] = *c;
          } else {
            error(where, "'" + list[static_cast<std::size_t>(k)] + "' is not a colour");
          }
        }
        done = true;
      }
    }
    if (key == "sign-elements" || key == "sign-background-elements") {
      const auto list = words(value);
      if (list.size() != 4) error(where, "'" + key + "' takes 4 colours: fire, earth, air, water");
      const int first = key == "sign-elements" ? col::kSignGlyph : col::kSignBackground;
      for (int s = 0; s < 12 && list.size() == 4; ++s) {
        if (auto c = parseColour(list[static_cast<std::size_t>(kElementOf[s])])) {
          out.colour[first + s] = *c;
        } else {
          error(where, "not a colour in '" + key + "'");
          break;
        }
      }
      done = true;
    }
    if (key == "texts") {
      if (auto c = parseColour(value)) {
        for (int s = col::kDate; s <= col::kPlanetDegrees; ++s) out.colour[s] = *c;
      } else {
        error(where, "'" + value + "' is not a colour");
      }
      done = true;
    }
    for (const auto& pk : kPenKeys) {
      if (key == pk.key) {
        if (auto v = number(value)) {
          out.width[pk.slot] = static_cast<std::int16_t>(*v);
        } else {
          error(where, "'" + key + "' takes a number");
        }
        done = true;
      }
    }
    if (key == "widths") {
      const auto list = words(value);
      if (list.size() != 20) error(where, "'widths' takes the 20 numbers of the 16-bit slots");
      for (std::size_t k = 0; k < list.size() && k < 20; ++k) {
        if (auto v = number(list[k])) {
          out.width[k] = static_cast<std::int16_t>(*v);
        } else {
          error(where, "'widths' takes numbers");
        }
      }
      done = true;
    }
    if (key.rfind("slot.", 0) == 0) {
      const auto n = number(key.substr(5));
      auto c = parseColour(value);
      if (!n || *n < 0 || *n > 78 || !c) {
        error(where, "'slot.N = colour' takes N from 0 to 78");
      } else {
        out.colour[*n] = *c;
      }
      done = true;
    }
    if (!done) error(where, "unknown colour key '" + key + "'");
  }
  return out;
}

DrawingTypeBook DrawingTypeCompiler::finish() {
  DrawingTypeBook book;
  for (const auto& t : types_) {
    DrawingType d;
    d.par = t.par;
    if (t.colours.empty()) {
      error(t.where, "the type names no colour set ('colours = NAME')");
    } else if (auto c = resolve(t.colours, 0)) {
      d.colours = *c;
    } else {
      error(t.where, "unknown colour set '" + t.colours + "'");
    }
    (t.fixed ? book.fixed : book.custom).push_back(d);
  }
  if (!monochrome_.empty()) {
    if (auto c = resolve(monochrome_, 0)) {
      book.monochrome = *c;
    } else {
      error(monochromeWhere_, "unknown colour set '" + monochrome_ + "'");
    }
  }
  return book;
}

std::string decompileColourSet(const ChCol& c, const std::string& name) {
  std::ostringstream o;
  o << "[colours " << name << "]\n";
  for (const auto& k : kSlotKeys) o << k.key << " = " << colourText(c.colour[k.slot]) << "\n";
  for (const auto& g : kGroupKeys) {
    o << g.key << " =";
    for (int k = 0; k < g.count; ++k) o << ' ' << colourText(c.colour[g.first + k]);
    o << "\n";
  }
  for (int s = 70; s <= 78; ++s)
    if (c.colour[s] != 0) o << "slot." << s << " = " << colourText(c.colour[s]) << "\n";
  o << "widths =";
  for (auto w : c.width) o << ' ' << w;
  o << "\n";
  return o.str();
}

std::string decompileDrawingTypes(const std::vector<DrawingType>& types, bool fixed) {
  std::ostringstream o;
  for (const auto& t : types) {
    const ChPar& p = t.par;
    const std::string title = titleOf(p);
    o << decompileColourSet(t.colours, title) << "\n";
    o << "[" << (fixed ? "fixed" : "custom") << " " << title << "]\n";
    o << "origin = " << p.typeOrigin << "\n";
    const std::string sn = styleName(p.style);
    o << "style = " << (sn.empty() ? std::to_string(p.style) : sn) << "\n";
    o << "projection = "
      << (p.projection >= 0 && p.projection <= 3 ? kProjectionWords[p.projection]
                                                 : std::to_string(p.projection).c_str())
      << "\n";
    int last = 5;
    while (last > 1 && p.ringKind[last] == 0) --last;
    o << "rings =";
    for (int k = 1; k <= last; ++k) {
      const std::string rn = ringKindName(p.ringKind[k]);
      o << (k > 1 ? ", " : " ") << (rn.empty() ? std::to_string(p.ringKind[k]) : rn);
    }
    o << "\n";
    o << "house-system = "
      << (p.houseSystem >= 0 && p.houseSystem < 12 ? kHouseSystemWords[p.houseSystem]
                                                   : std::to_string(p.houseSystem).c_str())
      << "\n";
    o << "fixed-aries = " << static_cast<int>(p.fixedAries) << "\n";
    std::string show;
    if (p.showFortune) show += " fortune";
    if (p.showBlackMoon) show += " black-moon";
    if (p.showChiron) show += " chiron";
    o << "show =" << (show.empty() ? " none" : show) << "\n";
    std::string pts;
    if (p.aspectNodes) pts += " nodes";
    if (p.aspectAngles) pts += " angles";
    if (p.aspectFortune) pts += " fortune";
    if (p.aspectBlackMoon) pts += " black-moon";
    if (p.aspectChiron) pts += " chiron";
    o << "aspect-points =" << (pts.empty() ? " none" : pts) << "\n";
    o << "data-block = " << static_cast<int>(p.dataBlock) << "\n";
    o << "house-labels = " << static_cast<int>(p.houseLabels) << "\n";
    o << "cusp-degrees = " << static_cast<int>(p.cuspDegrees) << "\n";
    o << "planet-degrees = " << static_cast<int>(p.planetDegrees) << "\n";
    o << "aspect-glyphs = " << static_cast<int>(p.aspectGlyphs) << "\n";
    o << "aspect-indicator = " << static_cast<int>(p.aspectIndicator) << "\n";
    o << "earth = " << static_cast<int>(p.earthPictogram) << "\n";
    o << "option-1130 = " << static_cast<int>(p.optionBox1130) << "\n";
    o << "reserved-36 = " << static_cast<int>(p.reserved36) << "\n";
    o << "reserved-46 = " << static_cast<int>(p.reserved46) << "\n";
    o << "reserved-48 =";
    for (auto v : p.reserved48) o << ' ' << v;
    o << "\n";
    o << "lines =";
    for (auto v : p.aspectLine) o << ' ' << (v >= 0 && v <= 5 ? kLineWords[v] : std::to_string(v).c_str());
    o << "\n";
    o << "colours = " << title << "\n\n";
  }
  return o.str();
}

std::string drawingTypeSourceKeys() {
  std::ostringstream o;
  o << "Colour sets ([colours NAME]):\n  based-on = NAME        start from another set\n";
  for (const auto& k : kSlotKeys) o << "  " << k.key << " = COLOUR    " << k.what << "\n";
  for (const auto& g : kGroupKeys) o << "  " << g.key << " = " << g.count << " colours    " << g.what << "\n";
  o << "  sign-elements = 4 colours    sign glyphs by element: fire, earth, air, water\n"
       "  sign-background-elements = 4 colours    sign fills by element\n"
       "  texts = COLOUR    every text of the data block and the labels\n";
  for (const auto& p : kPenKeys) o << "  " << p.key << " = N\n";
  o << "  widths = 20 numbers    every 16-bit slot\n  slot.N = COLOUR    any 32-bit slot\n";
  o << "Drawing types ([fixed TITLE], [custom TITLE]):\n"
       "  style = NAME|CODE, projection = none|south-view|heliocentric|right-ascension,\n"
       "  rings = KIND, KIND ... (inner first), house-system = NAME|CODE, fixed-aries = yes|no,\n"
       "  show = fortune black-moon chiron, aspect-points = nodes angles fortune black-moon chiron,\n"
       "  data-block, house-labels, cusp-degrees, planet-degrees, aspect-glyphs, aspect-indicator, earth,\n"
       "  option-1130, reserved-36, reserved-46 = N, reserved-48 = 15 numbers, origin = N,\n"
       "  lines = 9 of none|solid|dash|dot|dash-dot|dash-dot-dot (conjunction .. quintile),\n"
       "  colours = NAME\n"
       "[monochrome]: colours = NAME\n";
  return o.str();
}

}  // namespace talpora
