// zykprint: printing listings page by page, and the page header shared by every printout (chart
// titles, chart data block, circle legend, footer). Pages are in tenths of a millimetre, y up, so
// positions on a page are negative numbers from 0 at the top.
#pragma once
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "core/drawing_records.h"
#include "core/records.h"
#include "format/report_buffer.h"
#include "platform/gfx.h"
#include "platform/sys.h"
#include "platform/ui.h"

namespace talpora {

// Page layout of printed listings, tenths of a millimetre.
inline constexpr int kListingLeft = 120;       // x of every listing line
inline constexpr int kPageBottom = -2500;      // a line below this starts a new page
inline constexpr int kContinuationTop = -300;  // first line of a continuation page at the latest
inline constexpr const char* kPrintDocumentName = "PrintSel";
inline constexpr const char* kNoPrinterMessage = "No printer is installed";

// Shows the whole report in the view (the listing programs' edit window), which takes the focus.
void ShowContent(const Report& report, ui::ReportView& view);

// The page header of printouts of listings, drawings and grids, drawn on a page mapped in tenths
// of a millimetre. `params` (a drawing type) may be null. direction: 1..999 the legend steps up,
// 1000..9999 down. titleLevel > 0 prints the titles (> 3 also the projection of `params`);
// dataBlock non-zero the chart data block; labels 88 the words "inside" and "outside"; legend
// non-zero the circle legend, >= 100 also the footer. fontNumber: the font file the header fonts
// come from. restoreFont 1 selects `callerFont` again before returning (when given); otherwise the
// system font is selected. Result: the y below the last line printed.
int CentralPrinting(gfx::Canvas& canvas, const CIni& settings, const Chart1& birth1, const Chart2& chart1,
                    const Chart1& birth2, const Chart2& chart2, const ChPar* params, int direction,
                    int titleLevel, int dataBlock, int labels, int legend, int restoreFont, int fontNumber,
                    int doubleWheelStyle, int ignored1 = 0, int ignored2 = 0, int ignored3 = 0,
                    const gfx::FontSpec* callerFont = nullptr);

// Prints `lines` in the listing font (font file 3) on the default printer, in a document
// "PrintSel": a page header first unless header is -1 (the full header of the chart; only when a
// chart is given), a new page whenever a line would fall below -2500, each continuation page
// beginning with the short header (or at -300 without header). Only mode 2 prints the lines.
//
// Without a default printer the user is told "No printer is installed" and offered a PDF file
// instead; the file written is named in a message. With `pdfFile` set the document goes to that
// PDF file without asking. Result: 1 printed, or no printer and the PDF declined; 0 when the
// document could not be started or completed (the user is told why).
int PrintSel(ui::Interaction& ui, gfx::Printers& printers, std::span<const std::string> lines,
             const CIni& settings, const Chart1* birth, const Chart2* chart, const ChPar* params, int mode,
             int header, int ignored = 0, const std::filesystem::path& pdfFile = {});
// The same for the lines of a report view (edits included).
int PrintSel(ui::Interaction& ui, gfx::Printers& printers, const ui::ReportView& view, const CIni& settings,
             const Chart1* birth, const Chart2* chart, const ChPar* params, int mode, int header,
             int ignored = 0, const std::filesystem::path& pdfFile = {});

// The lines of a report text (CR LF or LF line ends; a last line without an end counts).
std::vector<std::string> reportLines(std::string_view text);

// Opens a saved report for the user: in the word processor of the settings when one is set (its
// command split into arguments, no shell, the file as the last argument), else in the desktop's text
// viewer. A start that fails is reported. 1 started, 0 not.
int openSavedReport(ui::Interaction& ui, sys::ProcessLauncher& launcher, const CIni& settings,
                    const std::filesystem::path& file);

}  // namespace talpora
