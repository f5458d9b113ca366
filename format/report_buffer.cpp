// zyktext: the report buffer (folding appends, paragraphs, saving as a text file).
#include "format/report_buffer.h"

#include <system_error>

#include "platform/atomic_file.h"
#include "platform/cp1252.h"

namespace talpora {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

void storeLength(const Report& report, unsigned long* length) {
  if (length) *length = static_cast<unsigned long>(report.text.size());
}

// Characters after the last line feed of the report (the whole text when it has none).
std::size_t currentColumn(const Report& report) {
  const auto lf = report.text.rfind('\n');
  return lf == std::string::npos ? report.text.size() : report.text.size() - lf - 1;
}

// Appends `text` folded at the line width. `continuation`: the first piece continues the current
// line and the last piece stays open unless it fills the line exactly.
void appendFolded(Report& report, std::string_view text, int indentArg, bool continuation) {
  // An indent as wide as the line would leave no room for text: keep at least one column free.
  std::size_t indent = indentArg < 0 ? 0 : static_cast<std::size_t>(indentArg);
  if (indent >= kReportLineWidth) indent = kReportLineWidth - 1;
  const std::string blanks(indent, ' ');
  std::size_t column = continuation ? report.column : 0;
  std::string_view rest = text;

  while (column + indent + rest.size() > kReportLineWidth) {
    if (column + indent + 1 > kReportLineWidth) {
      // The current line is full: end it and go on from the start of the next one.
      report.text += kLineEnd;
      column = 0;
      continue;
    }
    const std::size_t room = kReportLineWidth - indent - column;  // >= 1
    std::size_t cut = 0;
    for (std::size_t p = room; p >= 1; --p) {
      if (p < rest.size() && rest[p] == ' ') {
        cut = p;
        break;
      }
    }
    if (cut == 0 && column > 0) {
      // The next word does not fit on what is left of this line: start a fresh line for it.
      report.text += kLineEnd;
      column = 0;
      continue;
    }
    report.text += blanks;
    if (cut > 0) {
      report.text += rest.substr(0, cut);
      rest.remove_prefix(cut + 1);  // the breaking blank is dropped
    } else {
      // A word longer than the line: broken at the width.
      report.text += rest.substr(0, room);
      rest.remove_prefix(room);
    }
    report.text += kLineEnd;
    column = 0;
  }
  report.text += blanks;
  report.text += rest;
  if (!continuation || column + indent + rest.size() == kReportLineWidth) report.text += kLineEnd;
}

}  // namespace

void AddLine(Report& report, unsigned long* length, std::string_view text, int mode, int indent, int) {
  switch (mode) {
    case 999:
      report.text.clear();
      break;
    case 0:
    case 3:
      report.text += kLineEnd;
      break;
    case 1:
      appendFolded(report, text, indent, false);
      break;
    case 2:
      appendFolded(report, text, indent, true);
      break;
    default:
      break;
  }
  report.column = mode == 2 ? currentColumn(report) : 0;
  storeLength(report, length);
}

void AddParagraph(Report& report, unsigned long* length, std::string_view text, int, int, int) {
  report.text += text;
  report.text += kLineEnd;
  report.column = 0;
  storeLength(report, length);
}

int SaveAsTextFile(Report& report, const std::filesystem::path& path, int mode, int clear,
                   ui::Interaction* ui) {
  auto fail = [&](const std::string& why) {
    if (ui) ui->message({why, "File Error", ui::Buttons::Ok, ui::Icon::Stop, {}});
    return 0;
  };
  const std::string bytes = cp1252ToUtf8(report.text);
  WriteResult result;
  if (mode == 1) {
    result = replaceFileAtomically(path, bytes);
  } else if (mode == 2) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
      return fail("cannot append to " + path.string() + ": no such file");
    result = writeAt(path, -1, bytes);
  } else {
    return fail("cannot save " + path.string() + ": unknown saving mode " + std::to_string(mode));
  }
  if (!result) return fail(result.error);
  if (clear) {
    report.text.clear();
    report.column = 0;
  }
  return 1;
}

}  // namespace talpora
