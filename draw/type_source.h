// zykstyle: the readable source of the shipped drawing types and colour sets, and its compilation into
// the drawing-type files ("ZYKCFIX.DTF", "custom.dtf") and the monochrome colour set ("ZYKNBCOL.DTF").
//
// The source is plain text in sections:
//   [colours NAME]        a colour set: `key = value` lines (colours as #RRGGBB or `none`), optionally
//                         `based-on = OTHER` first
//   [fixed TITLE]         a fixed drawing type (an entry of "ZYKCFIX.DTF", in the order of the source)
//   [custom TITLE]        a custom drawing type (an entry of "custom.dtf")
//   [monochrome]          `colours = NAME`: the set written to "ZYKNBCOL.DTF"
// Blank lines and lines starting with '#' are ignored; a line ending in a backslash goes on in the
// next one. The keys are listed by `drawingTypeSourceKeys`.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "draw/drawing_type.h"

namespace talpora {

struct DrawingTypeBook {
  std::vector<DrawingType> fixed;
  std::vector<DrawingType> custom;
  std::optional<ChCol> monochrome;
};

class DrawingTypeCompiler {
 public:
  // Reads one source text; errors are collected as "file:line: message".
  void add(std::string_view text, const std::string& fileName);
  // Resolves the colour sets named by the types. Empty errors() means success.
  DrawingTypeBook finish();
  const std::vector<std::string>& errors() const { return errors_; }

 private:
  struct PendingType {
    bool fixed = true;
    ChPar par;
    std::string colours;
    std::string where;
  };
  struct PendingColours {
    std::string name;
    std::string basedOn;
    std::vector<std::pair<std::string, std::string>> settings;  // key, value
    std::vector<std::string> where;
  };
  void error(const std::string& where, const std::string& message) {
    errors_.push_back(where + ": " + message);
  }
  std::optional<ChCol> resolve(const std::string& name, int depth);

  std::vector<PendingType> types_;
  std::vector<PendingColours> colours_;
  std::string monochrome_, monochromeWhere_;
  std::vector<std::string> errors_;
};

// The readable form of drawing types (every field; each colour set written out in full under the
// type's title) and of a lone colour set; compiling the result gives the same records back.
std::string decompileDrawingTypes(const std::vector<DrawingType>& types, bool fixed);
std::string decompileColourSet(const ChCol&, const std::string& name);

// The keys of the source with a one-line description each (for the tool's help).
std::string drawingTypeSourceKeys();

// A colour as "#RRGGBB" (COLORREF in), and back; nullopt for a malformed text. "none" is 0.
std::string colourText(std::uint32_t colorref);
std::optional<std::uint32_t> parseColour(std::string_view);

}  // namespace talpora
