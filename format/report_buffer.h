// zyktext: the report buffer every listing and interpretation is written into.
// One growing CP1252 text whose lines end in CR LF, with the column counter of its unfinished line
// (used by the continuation mode). Each program owns its reports; nothing here is shared.
#pragma once
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/ui.h"

namespace talpora {

// Lines appended by the wrapping modes are at most this many characters long, indent included.
inline constexpr std::size_t kReportLineWidth = 71;

struct Report {
  std::string text;        // CP1252, lines end in "\r\n"
  std::size_t column = 0;  // characters on the current, unfinished line (continuation mode 2)

  std::size_t size() const { return text.size(); }
  bool empty() const { return text.empty(); }
};

// Appends to the report by mode: 999 empties it; 0 and 3 end the current line (or add an empty
// line); 1 appends `text` as whole lines folded at 71 columns, each line starting with `indent`
// blanks; 2 continues the current line and leaves the last piece open. Any other mode appends
// nothing. A percent sign is an ordinary character. A word longer than the width is broken at the
// width. `length`, when given, receives the report's new character count. The caller's text is not
// changed.
void AddLine(Report& report, unsigned long* length, std::string_view text, int mode, int indent,
             int ignored = 0);

// Appends `text` unchanged (no folding, no length limit), then CR LF.
void AddParagraph(Report& report, unsigned long* length, std::string_view text, int ignored1 = 0,
                  int ignored2 = 0, int ignored3 = 0);

// Saves the report as a UTF-8 text file (line ends kept). mode 1 creates the file or replaces it
// (atomically); mode 2 appends to an existing file. With `clear` non-zero the report is emptied after
// a successful save (the caller's own length variable is not touched). Result 1 saved; 0 when the
// file could not be written, the file to append to does not exist or the mode is neither 1 nor 2:
// then nothing is changed, the report is kept, and the reason is shown through `ui` when given.
int SaveAsTextFile(Report& report, const std::filesystem::path& path, int mode, int clear,
                   ui::Interaction* ui = nullptr);

}  // namespace talpora
