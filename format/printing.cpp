// zykprint: printing listings page by page, and the page header shared by every printout.
#include "format/printing.h"

#include <algorithm>
#include <optional>

#include "format/printer_fonts.h"
#include "format/text_format.h"
#include "platform/cp1252.h"

namespace talpora {
namespace {

constexpr int kTitleRight = 1800;    // titles are right-aligned here
constexpr int kDataBlockLeft = 150;  // the chart data block
constexpr int kDataBlockTop = -150;
constexpr int kLegendLeft = 1090;  // circle legend and footer
constexpr int kLegendTop = -2200;
constexpr int kFooterTop = -2400;
constexpr int kImprintMaxWidth = 860;  // the imprint is narrowed to fit this width

// The header fonts: the face of a font file with the heights of the header.
gfx::FontSpec headerFont(const gfx::FontSpec& base, int height, int weight) {
  gfx::FontSpec f = base;
  f.height = height;
  f.width = 0;
  f.weight = weight;
  f.escapement = 0;
  f.orientation = 0;
  return f;
}

// The font record of a header font file; without a readable file, an upright sans face (the record
// the first start writes for the header fonts).
gfx::FontSpec headerBaseFont(const CIni& settings, int fontNumber) {
  if (auto f = readFontFile(settings, fontNumber)) return *f;
  gfx::FontSpec f = defaultListingFont();
  f.face = "Arial";
  f.italic = false;
  f.pitchAndFamily = 0x22;
  return f;
}

gfx::FontSpec arialFont(int height, int width, int weight, bool italic) {
  gfx::FontSpec f;
  f.height = height;
  f.width = width;
  f.weight = weight;
  f.italic = italic;
  f.pitchAndFamily = 0x22;  // variable pitch, sans family
  f.face = "Arial";
  return f;
}

int lineHeight(gfx::Canvas& canvas) {
  const gfx::Metrics m = canvas.metrics();
  return std::max(1, m.height + m.externalLeading);
}

// The name of a zodiac ring of the legend (ring kinds 1..8).
const char* ringName(int kind) {
  static constexpr const char* kNames[9] = {"",
                                            "Tropical Zodiac",
                                            "Sidereal Zodiac",
                                            "Constellations",
                                            "Tropical Decanates",
                                            "Sidereal Decanates",
                                            "27 Nakshatras",
                                            "30 Tithis",
                                            "28 solilunar sectors"};
  return kind >= 1 && kind <= 8 ? kNames[kind] : "";
}

const char* houseSystemLine(int system) {
  static constexpr const char* kLines[12] = {"",
                                             "Placidus Houses",
                                             "Campanus Houses",
                                             "Regiomontanus Houses",
                                             "Koch Houses",
                                             "Equal Houses",
                                             "Bi-horary Houses",
                                             "Porphyre Houses",
                                             "Alcabitius Houses",
                                             "Vendel Polich Houses",
                                             "Abenragel Houses",
                                             "Albatagenius Houses"};
  return system >= 1 && system <= 11 ? kLines[system] : "";
}

// The text of the method line of a directed chart, by its chart type; empty for other types.
const char* directionMethod(int chartType) {
  switch (chartType) {
    case 52:
    case 53:
      return "Naibod (59'08) in Right Asc.";
    case 54:
    case 55:
      return "Naibod (59'08) in Longitude";
    case 56:
    case 57:
      return "True Solar Arc in Longitude";
    case 58:
    case 59:
      return "True Solar Arc Right. Asc.";
    default:
      return "";
  }
}

bool drawingShowsHouses(const ChPar& p) {
  if (p.houseSystem <= 0) return false;
  if (p.style == 32 || p.style == 33 || (p.style >= 27767 && p.style <= 27779)) return false;
  return p.ringKind[1] != 8;
}

// The lines of the circle legend of a drawing.
std::vector<std::string> legendLines(const ChPar& p, const Chart1& birth, const Chart2&) {
  static constexpr const char* kCircle[5] = {
      "Inner Circle: ", "2nd Circle: ", "3rd Circle: ", "4th Circle: ", "Ext. Circle: "};
  std::vector<std::string> lines;
  if (birth.chartType == chart_type::kTransits) {
    lines.emplace_back(ringName(1));
  } else if (birth.chartType == chart_type::kSiderealTransits) {
    lines.emplace_back(ringName(2));
  } else {
    const bool synastry = birth.chartType == chart_type::kSynastryPair || birth.doubleChart == 1;
    for (int ring = 1; ring <= 5; ++ring) {
      const int kind = p.ringKind[ring];
      if (kind == 0 || *ringName(kind) == '\0') continue;
      lines.push_back(std::string(kCircle[ring - 1]) + ringName(kind));
      if (synastry) break;  // a synastry chart names only its inner circle
    }
  }
  if (AreThereHouses(birth) && drawingShowsHouses(p)) lines.emplace_back(houseSystemLine(p.houseSystem));
  return lines;
}

}  // namespace

void ShowContent(const Report& report, ui::ReportView& view) {
  view.show(report.text);
}

int CentralPrinting(gfx::Canvas& canvas, const CIni& settings, const Chart1& birth1, const Chart2& chart1,
                    const Chart1& birth2, const Chart2&, const ChPar* params, int direction, int titleLevel,
                    int dataBlock, int labels, int legend, int restoreFont, int fontNumber,
                    int doubleWheelStyle, int, int, int, const gfx::FontSpec* callerFont) {
  const gfx::FontSpec base = headerBaseFont(settings, fontNumber);
  const gfx::FontSpec normal = headerFont(base, 55, 400);
  const gfx::FontSpec bold = headerFont(base, 85, 700);
  canvas.setMapping(gfx::Mapping::Lometric);

  int y = 0;
  // 1. Titles, right-aligned.
  if (titleLevel > 0) {
    const bool pairRecord =
        birth1.chartType == chart_type::kSynastryPair || birth1.chartType == chart_type::kSynastryComposite;
    std::string first = nameOf(birth1), second = typeTextOf(birth1);
    if (birth1.doubleChart == 1) {
      if (doubleWheelStyle == 1) {
        first += " (top)";
        second += " (right)";
      } else if (birth1.chartType == chart_type::kSynastryPair) {
        first += " (outside)";
        second += " (inside)";
      }
    }
    canvas.setFont(pairRecord ? normal : bold);
    const gfx::Size firstSize = canvas.textExtent(first);
    canvas.text({kTitleRight, -100}, first, gfx::HAlign::Right);
    canvas.setFont(normal);
    const int firstHeight = firstSize.height;
    const int secondWidth = canvas.textExtent(second).width;
    if (secondWidth <= firstSize.width)
      canvas.text({kTitleRight - firstSize.width / 2, -firstHeight - 120}, second, gfx::HAlign::Centre);
    else
      canvas.text({kTitleRight, -firstHeight - 120}, second, gfx::HAlign::Right);
    y = -firstHeight - 140;

    const int step = lineHeight(canvas);
    auto nextTitleLine = [&](const std::string& text) {
      y -= step;
      canvas.text({kTitleRight, y}, text, gfx::HAlign::Right);
    };
    // 2. Directed charts: the comment of the second record and the method.
    const bool directed =
        IsDirectedChart(birth1) != 0 || (birth1.doubleChart == 1 && IsDirectedChart(birth2) != 0);
    if (directed) {
      const std::string comment = commentOf(birth2);
      if (!comment.empty()) nextTitleLine(comment);
      const Chart1& methodRecord = birth1.doubleChart == 1 ? birth2 : birth1;
      const std::string method = directionMethod(methodRecord.chartType);
      if (!method.empty()) nextTitleLine(method);
    }
    // 3. The projection of the drawing type.
    if (params && titleLevel > 3) {
      switch (params->projection) {
        case 1:
          nextTitleLine("Chart as seen from");
          nextTitleLine(birth1.latitude < 0 ? "the south hemisphere" : "");
          break;
        case 2:
          nextTitleLine("Heliocentric Chart");
          break;
        case 3:
          nextTitleLine("Right Ascension Chart");
          break;
        default:
          break;
      }
      if (params->style == 31) nextTitleLine("Ancient System of the 7 spheres");
    }
  }

  // 4. The chart data block.
  if (dataBlock != 0) {
    canvas.setFont(normal);
    const int step = lineHeight(canvas);
    int dy = kDataBlockTop;
    auto dataLine = [&](const std::string& text) {
      canvas.text({kDataBlockLeft, dy}, text);
      dy -= step;
    };
    if (birth1.chartType == chart_type::kSynastryPair) {
      dataLine("Synastry");
    } else if (birth1.chartType == chart_type::kSynastryComposite) {
      canvas.setFont(bold);
      canvas.text({kDataBlockLeft, dy}, "Composite Chart");
      dy -= lineHeight(canvas);
      canvas.setFont(normal);
    } else {
      const double localJd = chart1.julianDay + birth1.timeZone / 24.0;
      dataLine(Smart_datetime(localJd, 1, 2, 1, 0, 0, settings));
      dataLine(placeOf(birth1) + " " + Smart_datetime(localJd, 0, 0, 0, 1, 0, settings));
      dataLine(edb_geographicalongldms(birth1.longitude * 15.0, 12, 0) + " " +
               edb_geographicallatdm(birth1.latitude, 12, 0));
      dataLine("Universal Time (GMT): " + jd_ut2(chart1.julianDay, birth1.day, 0));
      if (AreThereHouses(birth1) && birth1.doubleChart == 0 && IsAstronomicalChart(0, birth1, 0))
        dataLine("Hour of " + PlanetName(chart1.planetaryHour, 0, 0, 0, 0, 0));
    }
    y = std::min(y, dy);
  }

  // 5. The circle legend of a drawing.
  if (legend != 0 && params) {
    canvas.setFont(normal);
    const int step = lineHeight(canvas) * (direction >= 1 && direction <= 999 ? 1 : -1);
    int ly = kLegendTop;
    for (const std::string& line : legendLines(*params, birth1, chart1)) {
      canvas.text({kLegendLeft, ly}, line);
      ly += step;
    }
  }

  // 6. The words "inside" and "outside" of a double wheel.
  if (labels == 88) {
    canvas.setFont(arialFont(33, 0, 600, true));
    canvas.text({100, -1940}, "inside");
    canvas.text({780, -2550}, "outside");
    y = -2550;
  }

  // 7. The footer: the product name and the imprint.
  if (legend >= 100) {
    canvas.setFont(arialFont(105, 75, 600, true));
    int fy = kFooterTop;
    canvas.text({kLegendLeft, fy}, "Talpora");
    fy -= lineHeight(canvas);
    static constexpr const char* kImprint[2] = {"Astrology suite for the Linux desktop",
                                                "Charts computed and drawn by Talpora"};
    gfx::FontSpec imprint = arialFont(40, 0, 400, true);
    canvas.setFont(imprint);
    for (const char* line : kImprint) {
      // Narrow the font until the line fits the footer's width.
      for (int width = 18; canvas.textExtent(line).width > kImprintMaxWidth && width > 4; width -= 2) {
        imprint.width = width;
        canvas.setFont(imprint);
      }
      canvas.text({kLegendLeft, fy}, line);
      y = fy;
      fy -= lineHeight(canvas);
    }
  }

  if (restoreFont == 1 && callerFont)
    canvas.setFont(*callerFont);
  else
    canvas.setFont(gfx::StockFont::System);
  return y;
}

std::vector<std::string> reportLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t lf = text.find('\n', start);
    std::size_t end = lf == std::string_view::npos ? text.size() : lf;
    std::size_t stop = end;
    if (stop > start && text[stop - 1] == '\r') --stop;
    lines.emplace_back(text.substr(start, stop - start));
    if (lf == std::string_view::npos) break;
    start = lf + 1;
  }
  return lines;
}

namespace {

// A file name for a message (messages are CP1252, file names UTF-8).
std::string shown(const std::filesystem::path& p) {
  return utf8ToCp1252(p.string());
}

void tellError(ui::Interaction& ui, const std::string& text) {
  ui.message({text, "Error", ui::Buttons::Ok, ui::Icon::Stop, std::nullopt});
}

// The job to print on: the default printer, the given PDF file, or a PDF file the user chooses when
// no printer is installed. `declined` is set when the user chose no PDF file.
std::unique_ptr<gfx::PrintJob> startJob(ui::Interaction& ui, gfx::Printers& printers,
                                        const std::filesystem::path& pdfFile,
                                        std::filesystem::path& pdfWritten, bool& declined) {
  declined = false;
  std::filesystem::path pdf = pdfFile;
  if (pdf.empty() && !printers.hasDefault()) {
    const ui::Answer a =
        ui.message({std::string(kNoPrinterMessage) + ".\nDo you want to print to a PDF file instead?",
                    "Message from Talpora", ui::Buttons::YesNo, ui::Icon::Question, ui::Answer::Yes});
    if (a != ui::Answer::Yes) {
      declined = true;
      return nullptr;
    }
    ui::FileDialogSpec desc;
    desc.title = "Print to a PDF File";
    desc.filter = "PDF Files (*.pdf)|*.pdf||";
    desc.defaultName = "Listing.pdf";
    desc.defaultExt = "pdf";
    desc.save = true;
    desc.overwritePrompt = true;
    const auto chosen = ui.chooseFile(desc);
    if (!chosen) {
      declined = true;
      return nullptr;
    }
    pdf = *chosen;
  }
  auto job = printers.start(kPrintDocumentName, pdf.string());
  if (!job) {
    tellError(ui, pdf.empty() ? "Talpora cannot start printing on " + printers.defaultName() + "."
                              : "Talpora cannot write the PDF file " + shown(pdf) + ".");
    return nullptr;
  }
  pdfWritten = pdf;
  return job;
}

}  // namespace

int PrintSel(ui::Interaction& ui, gfx::Printers& printers, std::span<const std::string> lines,
             const CIni& settings, const Chart1* birth, const Chart2* chart, const ChPar* params, int mode,
             int header, int, const std::filesystem::path& pdfFile) {
  std::filesystem::path pdf;
  bool declined = false;
  auto job = startJob(ui, printers, pdfFile, pdf, declined);
  if (!job) return declined ? 1 : 0;
  gfx::Canvas* canvas = job->beginPage();
  if (!canvas) {
    job->end();
    tellError(ui, "Talpora cannot start a page of the document \"PrintSel\".");
    return 0;
  }
  canvas->setMapping(gfx::Mapping::Lometric);
  const gfx::FontSpec listingFont = printerFont(settings, 3);
  const bool withHeader = header != -1 && birth && chart;

  int y = -100;
  if (withHeader)
    y = CentralPrinting(*canvas, settings, *birth, *chart, *birth, *chart, params, 1000, 2, 2, 0, 0, 0, 2,
                        0) -
        100;
  canvas->setFont(listingFont);
  const int step = lineHeight(*canvas);

  bool ok = true;
  if (mode == 2) {
    for (const std::string& line : lines) {
      y -= step;
      if (y < kPageBottom) {
        job->endPage();
        canvas = job->beginPage();
        if (!canvas) {
          ok = false;
          break;
        }
        canvas->setMapping(gfx::Mapping::Lometric);
        if (withHeader) {
          const int below = CentralPrinting(*canvas, settings, *birth, *chart, *birth, *chart, params, 0, 1,
                                            0, 0, 0, 1, 2, 0, 0, 0, 0, &listingFont);
          canvas->setFont(listingFont);
          y = std::min(below, kContinuationTop);
        } else {
          canvas->setFont(listingFont);
          y = kContinuationTop;
        }
      }
      canvas->text({kListingLeft, y}, line);
    }
  }
  if (canvas) job->endPage();
  ok = job->end() && ok;
  if (!ok) {
    tellError(ui, pdf.empty() ? "Printing on " + printers.defaultName() + " failed."
                              : "The PDF file " + shown(pdf) + " could not be written.");
    return 0;
  }
  if (!pdf.empty() && pdfFile.empty())
    ui.tell("The listing was printed to the PDF file " + shown(pdf) + ".", "Message from Talpora",
            ui::Icon::Information);
  return 1;
}

int PrintSel(ui::Interaction& ui, gfx::Printers& printers, const ui::ReportView& view, const CIni& settings,
             const Chart1* birth, const Chart2* chart, const ChPar* params, int mode, int header, int ignored,
             const std::filesystem::path& pdfFile) {
  const std::vector<std::string> lines = view.lines();
  return PrintSel(ui, printers, lines, settings, birth, chart, params, mode, header, ignored, pdfFile);
}

int openSavedReport(ui::Interaction& ui, sys::ProcessLauncher& launcher, const CIni& settings,
                    const std::filesystem::path& file) {
  const std::string command = wordProcessorOf(settings);
  bool blank = true;
  for (char c : command)
    if (c != ' ' && c != '\t') blank = false;
  const bool started = blank ? launcher.openTextFile(file) : launcher.startUserCommand(command, file);
  if (started) return 1;
  tellError(ui, blank ? "Talpora cannot open " + shown(file) + " in a text viewer."
                      : "Talpora cannot start your word processor (" + utf8ToCp1252(command) + ") with " +
                            shown(file) + ".");
  return 0;
}

}  // namespace talpora
