// Printing of listings (pages, headers, the printer-less PDF path), the page header of printouts,
// the report headers of listings and opening saved reports.
#include "format/printing.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "format/report_headers.h"
#include "platform/byte_io.h"
#include "platform/headless/fakes.h"
#include "platform/headless/recording_canvas.h"
#include "platform/headless/scripted_interaction.h"

namespace fs = std::filesystem;
using namespace talpora;
using headless::CanvasOp;
using headless::RecordingCanvas;

namespace {

// Printers whose pages are recording canvases.
class RecordingPrinters : public gfx::Printers {
 public:
  struct Document {
    std::string name, pdf;
    std::vector<std::unique_ptr<RecordingCanvas>> pages;
    bool ended = false;
  };
  bool hasDefault() const override { return installed; }
  std::string defaultName() const override { return installed ? "lp0" : ""; }
  std::unique_ptr<gfx::PrintJob> start(std::string_view name, const std::string& pdf) override {
    if (refuseStart) return nullptr;
    if (pdf.empty() && !installed) return nullptr;
    documents.push_back(std::make_unique<Document>());
    documents.back()->name = std::string(name);
    documents.back()->pdf = pdf;
    return std::make_unique<Job>(*documents.back(), failEnd);
  }
  bool installed = true, refuseStart = false, failEnd = false;
  std::vector<std::unique_ptr<Document>> documents;

 private:
  class Job : public gfx::PrintJob {
   public:
    Job(Document& d, bool failEnd) : doc_(d), failEnd_(failEnd) {}
    gfx::Canvas* beginPage() override {
      doc_.pages.push_back(std::make_unique<RecordingCanvas>());
      return doc_.pages.back().get();
    }
    void endPage() override {}
    bool end() override {
      doc_.ended = true;
      return !failEnd_;
    }
    gfx::Size pageSize() const override { return {2100, 2970}; }

   private:
    Document& doc_;
    bool failEnd_;
  };
};

struct TextAt {
  std::string text;
  gfx::Point at;
  gfx::HAlign align;
};
std::vector<TextAt> textsOf(const RecordingCanvas& c) {
  std::vector<TextAt> out;
  for (const CanvasOp& op : c.ops())
    if (op.kind == CanvasOp::Kind::Text) out.push_back({op.text, op.points.at(0), op.align});
  return out;
}

fs::path freshDir(const std::string& name) {
  fs::path d = fs::temp_directory_path() / ("talpora-print-" + name + "-" + std::to_string(::getpid()));
  fs::remove_all(d);
  fs::create_directories(d);
  return d;
}

// Paris, 5 January 1996, 15h05 local time (14h05 universal time), a Friday.
void sampleChart(Chart1& birth, Chart2& chart) {
  birth = Chart1{};
  setField(birth.name, "Test Person");
  setField(birth.typeText, "Birth chart");
  setField(birth.place, "Paris");
  birth.day = 5;
  birth.month = 1;
  birth.year = 1996;
  birth.hour = 15;
  birth.minute = 5;
  birth.timeZone = 1;
  birth.longitude = 2.35 / 15.0;
  birth.latitude = 48.85;
  birth.timeKnown = 1;
  chart = Chart2{};
  chart.julianDay = 2450087.5 + (14.0 + 5.0 / 60.0) / 24.0;
  chart.planetaryHour = 4;
}

std::vector<std::string> numberedLines(int n) {
  std::vector<std::string> lines;
  for (int i = 1; i <= n; ++i) lines.push_back("line " + std::to_string(i) + " of the listing");
  return lines;
}

constexpr int kListingStep = 42 + 4;  // the fake metrics of the default listing font: cell + leading

}  // namespace

class PrintSelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = freshDir(::testing::UnitTest::GetInstance()->current_test_info()->name());
    settings = defaultSettings(dir.string());
    sampleChart(birth, chart);
  }
  void TearDown() override { fs::remove_all(dir); }
  fs::path dir;
  CIni settings;
  Chart1 birth;
  Chart2 chart;
  RecordingPrinters printers;
  headless::ScriptedInteraction ui;
};

TEST_F(PrintSelTest, ThreeHundredLinesGoOnSeveralPagesWithTheShortHeaderOnEachContinuation) {
  const auto lines = numberedLines(300);
  ASSERT_EQ(PrintSel(ui, printers, lines, settings, &birth, &chart, nullptr, 2, 0), 1);
  ASSERT_EQ(printers.documents.size(), 1u);
  const auto& doc = *printers.documents[0];
  EXPECT_EQ(doc.name, "PrintSel");
  EXPECT_TRUE(doc.ended);
  ASSERT_GE(doc.pages.size(), 3u);
  EXPECT_TRUE(ui.messages.empty());

  std::vector<std::string> printed;
  for (std::size_t p = 0; p < doc.pages.size(); ++p) {
    const auto texts = textsOf(*doc.pages[p]);
    ASSERT_GE(texts.size(), 3u) << "page " << p + 1;
    // Every page starts with the titles: the name and the kind of chart, right-aligned at 1800.
    EXPECT_EQ(texts[0].text, "Test Person");
    EXPECT_EQ(texts[0].at, (gfx::Point{1800, -100}));
    EXPECT_EQ(texts[0].align, gfx::HAlign::Right);
    EXPECT_EQ(texts[1].text, "Birth chart");
    std::size_t first = 2;
    if (p == 0) {
      // The full header adds the chart data block at x = 150 from y = -150 down.
      ASSERT_GE(texts.size(), 7u);
      EXPECT_EQ(texts[2].text, "Friday Jan. 5 1996");
      EXPECT_EQ(texts[2].at, (gfx::Point{150, -150}));
      EXPECT_EQ(texts[3].text, "Paris 15h05");
      EXPECT_EQ(texts[4].text, "02E21'00\" 48N51'");
      EXPECT_EQ(texts[5].text, "Universal Time (GMT): 14h05");
      EXPECT_EQ(texts[6].text, "Hour of Mars");
      first = 7;
    } else {
      // The short header has no data block, and the listing goes on at -300.
      EXPECT_EQ(texts[2].at, (gfx::Point{120, -300}));
    }
    int previousY = 0;
    for (std::size_t i = first; i < texts.size(); ++i) {
      EXPECT_EQ(texts[i].at.x, 120);
      EXPECT_GE(texts[i].at.y, -2500);
      if (i > first) {
        EXPECT_EQ(texts[i].at.y, previousY - kListingStep);
      }
      previousY = texts[i].at.y;
      printed.push_back(texts[i].text);
    }
  }
  EXPECT_EQ(printed, lines);

  // The first page: the data block's five lines of 60 end at -450; the listing starts 100 lower.
  const auto page1 = textsOf(*doc.pages[0]);
  EXPECT_EQ(page1[7].at.y, -450 - 100 - kListingStep);
  const int firstPageLines = (page1[7].at.y + 2500) / kListingStep + 1;
  const int perPage = (-300 + 2500) / kListingStep + 1;
  const int pages = 1 + (300 - firstPageLines + perPage - 1) / perPage;
  EXPECT_EQ(static_cast<int>(doc.pages.size()), pages);
}

TEST_F(PrintSelTest, WithoutHeaderEveryPageStartsAtTheTop) {
  const auto lines = numberedLines(120);
  ASSERT_EQ(PrintSel(ui, printers, lines, settings, nullptr, nullptr, nullptr, 2, -1), 1);
  const auto& doc = *printers.documents.at(0);
  ASSERT_EQ(doc.pages.size(), 3u);  // 52 lines from -146, then 48 from -300, then 20
  for (std::size_t p = 0; p < doc.pages.size(); ++p) {
    const auto texts = textsOf(*doc.pages[p]);
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts[0].at.y, p == 0 ? -100 - kListingStep : -300);
    EXPECT_EQ(texts[0].text, lines[p == 0 ? 0 : p == 1 ? 52 : 100]);
  }
  // The listing is printed in the listing font of font file 3.
  const auto& ops = doc.pages[0]->ops();
  const auto font =
      std::find_if(ops.begin(), ops.end(), [](const CanvasOp& o) { return o.kind == CanvasOp::Kind::Font; });
  ASSERT_NE(font, ops.end());
  EXPECT_EQ(font->font.face, "Cour");
  EXPECT_EQ(font->font.height, 42);
}

TEST_F(PrintSelTest, OnlyModeTwoPrintsTheLines) {
  const auto lines = numberedLines(5);
  ASSERT_EQ(PrintSel(ui, printers, lines, settings, &birth, &chart, nullptr, 1, 0), 1);
  const auto texts = textsOf(*printers.documents.at(0)->pages.at(0));
  EXPECT_EQ(texts.size(), 7u);  // the header only
}

TEST_F(PrintSelTest, WithoutPrinterAPdfFileIsOfferedAndNamed) {
  printers.installed = false;
  const auto lines = numberedLines(3);
  ui.expectAnswer(ui::Answer::Yes);
  ui.expectFile(dir / "listing.pdf");
  ASSERT_EQ(PrintSel(ui, printers, lines, settings, &birth, &chart, nullptr, 2, 0), 1);
  ASSERT_EQ(printers.documents.size(), 1u);
  EXPECT_EQ(printers.documents[0]->pdf, (dir / "listing.pdf").string());
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_NE(ui.messages[0].text.find("No printer is installed"), std::string::npos);
  EXPECT_EQ(ui.messages[0].buttons, ui::Buttons::YesNo);
  EXPECT_NE(ui.messages[1].text.find((dir / "listing.pdf").string()), std::string::npos);
  ASSERT_EQ(ui.fileRequests.size(), 1u);
  EXPECT_TRUE(ui.fileRequests[0].save);
  EXPECT_EQ(ui.fileRequests[0].defaultExt, "pdf");
}

TEST_F(PrintSelTest, DecliningThePdfPrintsNothing) {
  printers.installed = false;
  const auto lines = numberedLines(3);
  ui.expectAnswer(ui::Answer::No);
  EXPECT_EQ(PrintSel(ui, printers, lines, settings, &birth, &chart, nullptr, 2, 0), 1);
  EXPECT_TRUE(printers.documents.empty());
  ui.expectAnswer(ui::Answer::Yes);
  ui.expectFile(std::nullopt);  // the file chooser cancelled
  EXPECT_EQ(PrintSel(ui, printers, lines, settings, &birth, &chart, nullptr, 2, 0), 1);
  EXPECT_TRUE(printers.documents.empty());
}

TEST_F(PrintSelTest, FailuresAreReported) {
  const auto lines = numberedLines(3);
  printers.refuseStart = true;
  EXPECT_EQ(PrintSel(ui, printers, lines, settings, &birth, &chart, nullptr, 2, 0), 0);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].caption, "Error");
  printers.refuseStart = false;
  printers.failEnd = true;
  EXPECT_EQ(PrintSel(ui, printers, lines, settings, &birth, &chart, nullptr, 2, 0, 0, dir / "out.pdf"), 0);
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_NE(ui.messages[1].text.find("could not be written"), std::string::npos);
}

TEST_F(PrintSelTest, AGivenPdfFileIsUsedWithoutAsking) {
  printers.installed = false;
  const auto lines = numberedLines(2);
  EXPECT_EQ(PrintSel(ui, printers, lines, settings, &birth, &chart, nullptr, 2, 0, 0, dir / "direct.pdf"), 1);
  EXPECT_EQ(printers.documents.at(0)->pdf, (dir / "direct.pdf").string());
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(PrintSelTest, ReportViewLinesArePrinted) {
  struct View : ui::ReportView {
    void show(std::string_view) override {}
    std::vector<std::string> lines() const override { return {"edited line", "second"}; }
  } view;
  EXPECT_EQ(PrintSel(ui, printers, view, settings, &birth, &chart, nullptr, 2, -1), 1);
  const auto texts = textsOf(*printers.documents.at(0)->pages.at(0));
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].text, "edited line");
}

TEST_F(PrintSelTest, CentralPrintingTitlesAndKindsOfCharts) {
  RecordingCanvas page;
  // A longer second title is right-aligned; a shorter one is centred under the first.
  int y = CentralPrinting(page, settings, birth, chart, birth, chart, nullptr, 1000, 1, 0, 0, 0, 0, 2, 0);
  auto texts = textsOf(page);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[1].align, gfx::HAlign::Centre);
  // Bold title: cell 85, average width 42; the centre of "Test Person" (11 characters).
  EXPECT_EQ(texts[1].at, (gfx::Point{1800 - 11 * 42 / 2, -85 - 120}));
  EXPECT_EQ(y, -85 - 140);
  // The system font is selected again at the end.
  EXPECT_EQ(page.ops().back().kind, CanvasOp::Kind::StockFont);

  // A synastry pair: the name in the normal font, and only "Synastry" in the data block.
  Chart1 pair = birth;
  pair.chartType = chart_type::kSynastryPair;
  pair.doubleChart = 1;
  setField(pair.typeText, "Second Person Long Name");
  page.clear();
  y = CentralPrinting(page, settings, pair, chart, pair, chart, nullptr, 1000, 2, 2, 0, 0, 0, 2, 0);
  texts = textsOf(page);
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0].text, "Test Person (outside)");
  EXPECT_EQ(texts[1].text, "Second Person Long Name (inside)");
  EXPECT_EQ(texts[1].align, gfx::HAlign::Right);
  EXPECT_EQ(texts[1].at.y, -55 - 120);  // the first line in the normal font
  EXPECT_EQ(texts[2].text, "Synastry");
  EXPECT_EQ(y, -150 - 60);

  // A progressed chart: its comment and method below the titles.
  Chart1 progressed = birth;
  progressed.chartType = 54;
  setField(progressed.comment, "for Jan. 5 2026");
  page.clear();
  CentralPrinting(page, settings, progressed, chart, progressed, chart, nullptr, 1000, 1, 0, 0, 0, 0, 2, 0);
  texts = textsOf(page);
  ASSERT_EQ(texts.size(), 4u);
  EXPECT_EQ(texts[2].text, "for Jan. 5 2026");
  EXPECT_EQ(texts[3].text, "Naibod (59'08) in Longitude");
  EXPECT_EQ(texts[3].at.y, texts[2].at.y - 60);

  // Without known time there are no houses: no planetary hour.
  Chart1 unknown = birth;
  unknown.timeKnown = 0;
  page.clear();
  CentralPrinting(page, settings, unknown, chart, unknown, chart, nullptr, 1000, 0, 1, 0, 0, 0, 2, 0);
  EXPECT_EQ(textsOf(page).size(), 4u);
}

TEST_F(PrintSelTest, CentralPrintingLegendLabelsAndFooter) {
  ChPar params;
  params.projection = 1;
  params.style = 11;
  params.ringKind[1] = 1;
  params.ringKind[2] = 6;
  params.houseSystem = 4;
  Chart1 south = birth;
  south.latitude = -33.9;
  RecordingCanvas page;
  int y = CentralPrinting(page, settings, south, chart, south, chart, &params, 1000, 4, 0, 88, 100, 0, 1, 0);
  std::vector<std::string> texts;
  for (const auto& t : textsOf(page)) texts.push_back(t.text);
  const auto has = [&](const std::string& s) {
    return std::find(texts.begin(), texts.end(), s) != texts.end();
  };
  EXPECT_TRUE(has("Chart as seen from"));
  EXPECT_TRUE(has("the south hemisphere"));
  EXPECT_TRUE(has("Inner Circle: Tropical Zodiac"));
  EXPECT_TRUE(has("2nd Circle: 27 Nakshatras"));
  EXPECT_TRUE(has("Koch Houses"));
  EXPECT_TRUE(has("inside"));
  EXPECT_TRUE(has("outside"));
  EXPECT_TRUE(has("Talpora"));
  // The legend steps down from -2200 on paper; the result is the last footer line.
  const auto all = textsOf(page);
  const auto inner = std::find_if(all.begin(), all.end(),
                                  [](const TextAt& t) { return t.text == "Inner Circle: Tropical Zodiac"; });
  EXPECT_EQ(inner->at, (gfx::Point{1090, -2200}));
  EXPECT_EQ((inner + 1)->at.y, -2200 - 60);
  EXPECT_LT(y, -2400);
  EXPECT_EQ(y, all.back().at.y);
  // Every imprint line fits the footer's width in the font it is printed with.
  gfx::FontSpec current;
  int imprintLines = 0;
  for (const CanvasOp& op : page.ops()) {
    if (op.kind == CanvasOp::Kind::Font) current = op.font;
    if (op.kind == CanvasOp::Kind::Text && op.points[0].y < -2400) {
      EXPECT_LE(headless::fakeExtent(headless::fakeMetrics(current), op.text).width, 860) << op.text;
      ++imprintLines;
    }
  }
  EXPECT_GE(imprintLines, 1);

  // A transits chart names only the tropical zodiac; a drawing without houses no house system.
  Chart1 transits = birth;
  transits.chartType = chart_type::kTransits;
  params.houseSystem = 0;
  page.clear();
  CentralPrinting(page, settings, transits, chart, transits, chart, &params, 10, 0, 0, 0, 1, 0, 1, 0);
  const auto legend = textsOf(page);
  ASSERT_EQ(legend.size(), 1u);
  EXPECT_EQ(legend[0].text, "Tropical Zodiac");
}

TEST_F(PrintSelTest, ListingHeaderAndZodiacLine) {
  Report r;
  unsigned long length = 0;
  ListingHeader(r, &length, settings, birth, chart);
  EXPECT_EQ(r.text,
            "Test Person  Birth chart\r\nJan. 5 1996, 14h05, Paris 02\xB0"
            "21'00\"E 48\xB0"
            "51'N\r\n");
  EXPECT_EQ(length, r.text.size());
  Chart1 unknown = birth;
  unknown.timeKnown = 0;
  AddLine(r, &length, "", 999, 0);
  ListingHeader(r, &length, settings, unknown, chart);
  EXPECT_EQ(reportLines(r.text).size(), 3u);
  EXPECT_EQ(reportLines(r.text)[2], "Time unknown - no houses calculated");

  AddLine(r, &length, "", 999, 0);
  UsingWhichZodiac(0, settings, r, &length);
  UsingWhichZodiac(1, settings, r, &length);
  UsingWhichZodiac(2, settings, r, &length);
  EXPECT_EQ(r.text, "Tropical Zodiac\r\nSidereal Zodiac (True Ayanamsa)\r\n");
  EXPECT_EQ(length, r.text.size());
}

TEST(ReportLines, SplitsAtCrLfAndLf) {
  EXPECT_EQ(reportLines("a\r\nb\n\r\nc"), (std::vector<std::string>{"a", "b", "", "c"}));
  EXPECT_EQ(reportLines("a\r\n"), (std::vector<std::string>{"a"}));
  EXPECT_TRUE(reportLines("").empty());
}

TEST(ShowContent, GivesTheWholeTextToTheView) {
  struct View : ui::ReportView {
    void show(std::string_view t) override { shown = std::string(t); }
    std::vector<std::string> lines() const override { return {}; }
    std::string shown;
  } view;
  Report r;
  AddLine(r, nullptr, "first line", 1, 0);
  AddLine(r, nullptr, "second", 1, 2);
  ShowContent(r, view);
  EXPECT_EQ(view.shown, "first line\r\n  second\r\n");
}

TEST(OpenSavedReport, WordProcessorOrTextViewerAndFailures) {
  CIni settings = defaultSettings("/tmp");
  headless::RecordingLauncher launcher;
  headless::ScriptedInteraction ui;
  EXPECT_EQ(openSavedReport(ui, launcher, settings, "/tmp/Listng1.txt"), 1);
  ASSERT_EQ(launcher.opened.size(), 1u);
  std::snprintf(settings.wordProcessor, sizeof settings.wordProcessor, "%s", "abiword --nosplash");
  EXPECT_EQ(openSavedReport(ui, launcher, settings, "/tmp/Listng2.txt"), 1);
  ASSERT_EQ(launcher.userCommands.size(), 1u);
  EXPECT_EQ(launcher.userCommands[0].first, "abiword --nosplash");
  EXPECT_EQ(launcher.userCommands[0].second, fs::path("/tmp/Listng2.txt"));
  EXPECT_TRUE(ui.messages.empty());
  launcher.succeed = false;
  EXPECT_EQ(openSavedReport(ui, launcher, settings, "/tmp/Listng3.txt"), 0);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_NE(ui.messages[0].text.find("abiword"), std::string::npos);
}
