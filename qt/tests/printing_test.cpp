// Printing: a document of several pages to a PDF file in tenths of a millimetre, the PDF file that
// stands in for a missing printer, and a job dropped without its end.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QFile>
#include <filesystem>

#include "qt/qt_interaction.h"
#include "qt/qt_printers.h"
#include "qt/tests/qt_test_support.h"

namespace fs = std::filesystem;
using namespace talpora;
using namespace talpora::qt;

namespace {
fs::path freshDir(const std::string& name) {
  fs::path d = fs::temp_directory_path() / ("talpora-print-" + name + "-" + std::to_string(::getpid()));
  fs::remove_all(d);
  fs::create_directories(d);
  return d;
}
int pageCount(const fs::path& p) {
  QFile f(QString::fromStdString(p.string()));
  if (!f.open(QIODevice::ReadOnly)) return -1;
  const QByteArray pdf = f.readAll();
  if (!pdf.startsWith("%PDF-")) return -1;
  return static_cast<int>(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") +
                          pdf.count("/Type /Page "));
}
// Prints `pages` pages as a listing would: a header and numbered lines going down the page.
bool printPages(gfx::PrintJob& job, int pages) {
  for (int page = 0; page < pages; ++page) {
    gfx::Canvas* c = job.beginPage();
    if (!c) return false;
    const gfx::Size size = job.pageSize();
    c->setFont(gfx::FontSpec{.height = 55, .face = "Cour"});
    const int advance = c->metrics().height + c->metrics().externalLeading;
    c->text({size.width / 2, -100}, "PrintSel", gfx::HAlign::Centre);
    for (int y = -300, line = 1; y > -size.height + 200; y -= advance, ++line)
      c->text({150, y}, "Line " + std::to_string(line) + " of page " + std::to_string(page + 1));
    job.endPage();
  }
  return job.end();
}
}  // namespace

TEST(QtPrinters, SeveralPagesToAPdfFile) {
  const fs::path dir = freshDir("pages");
  QtPrinters printers;
  const fs::path pdf = dir / "listing.pdf";
  auto job = printers.start("PrintSel", pdf.string());
  ASSERT_NE(job, nullptr);
  EXPECT_EQ(job->pageSize(), (gfx::Size{2100, 2970}));
  EXPECT_FALSE(fs::exists(pdf));  // written whole at the end
  ASSERT_TRUE(printPages(*job, 4));
  EXPECT_EQ(printers.lastPdf(), pdf);
  EXPECT_EQ(pageCount(pdf), 4);
  EXPECT_TRUE(job->end());  // ending twice does no harm
  fs::remove_all(dir);
}

TEST(QtPrinters, WithoutAPrinterDocumentsBecomePdfFiles) {
  const fs::path dir = freshDir("fallback");
  QtPrinters printers(dir);
  if (printers.hasDefault()) {
    EXPECT_FALSE(printers.defaultName().empty());
    GTEST_SKIP() << "a printer is installed here: documents go to it";
  }
  EXPECT_TRUE(printers.defaultName().empty());
  auto first = printers.start("Chart of Anna");
  ASSERT_NE(first, nullptr);
  ASSERT_TRUE(printPages(*first, 1));
  EXPECT_EQ(printers.lastPdf(), dir / "Chart of Anna.pdf");
  auto second = printers.start("Chart of Anna");
  ASSERT_NE(second, nullptr);
  ASSERT_TRUE(printPages(*second, 2));
  EXPECT_EQ(printers.lastPdf(), dir / "Chart of Anna-2.pdf");
  EXPECT_EQ(pageCount(dir / "Chart of Anna.pdf"), 1);
  EXPECT_EQ(pageCount(dir / "Chart of Anna-2.pdf"), 2);
  // Without a folder for them, there is nowhere to print.
  QtPrinters nowhere;
  EXPECT_EQ(nowhere.start("PrintSel"), nullptr);
  fs::remove_all(dir);
}

TEST(QtPrinters, AJobDroppedWithoutItsEndLeavesNoFile) {
  const fs::path dir = freshDir("dropped");
  QtPrinters printers;
  const fs::path pdf = dir / "dropped.pdf";
  {
    auto job = printers.start("PrintSel", pdf.string());
    ASSERT_NE(job, nullptr);
    ASSERT_NE(job->beginPage(), nullptr);
  }
  EXPECT_FALSE(fs::exists(pdf));
  EXPECT_EQ(printers.start("PrintSel", (dir / "missing" / "x.pdf").string()), nullptr);
  // No printer to set up without the printing service.
  QtInteraction noPrinters;
  EXPECT_FALSE(noPrinters.printSetup());
  fs::remove_all(dir);
}
