// talpora print: prints a text file as the suite prints its listings (pages in the listing font,
// the page header of a chart when one is given), to a PDF file or the default printer.
#include <fstream>
#include <memory>
#include <ostream>
#include <sstream>

#include "cli/chart_options.h"
#include "cli/command.h"
#include "engine/chart.h"
#include "files/zykfile.h"
#include "format/printing.h"
#include "platform/cp1252.h"
#include "platform/headless/scripted_interaction.h"

#if __has_include(<QPrinter>)
#include <QGuiApplication>

#include "qt/qt_printers.h"
#define TALPORA_CLI_HAS_QT_PRINTING 1
#endif

namespace talpora::cli {
namespace {

constexpr const char* kUsage =
    "talpora print FILE [--pdf OUT.pdf] [DATE TIME [CHART-OPTIONS]]\n"
    "  without --pdf the default printer is used; with a chart each page carries its header";

// The text of the file in the code page of the reports: UTF-8 files (saved reports) are converted,
// other files are taken as they are.
std::string reportTextOf(const std::string& bytes) {
  if (auto cp = utf8ToCp1252Strict(bytes)) return *cp;
  return bytes;
}

#ifdef TALPORA_CLI_HAS_QT_PRINTING
// A Qt application for the fonts and the PDF writer, on the offscreen platform unless the
// environment names another one.
void ensureQtApplication() {
  if (QCoreApplication::instance()) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "talpora";
  static char* argv[] = {name, nullptr};
  static QGuiApplication app(argc, argv);
}
#endif

int runPrint(Args& args, Context& ctx) {
  const std::string file = args.next("FILE");
  const auto pdf = args.option("--pdf");
  std::optional<ChartRequest> chart;
  if (!args.empty()) chart = parseChartOptions(args, ctx);
  args.finish();

  std::ifstream in(file, std::ios::binary);
  if (!in) throw WorkError("cannot open " + file);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (in.bad()) throw WorkError("cannot read " + file);
  const std::vector<std::string> lines = reportLines(reportTextOf(bytes.str()));

#ifdef TALPORA_CLI_HAS_QT_PRINTING
  headless::StderrInteraction ui;
  CIni settings = defaultSettings(ctx.programDir().dir.string());
  PutInMemBlock_CIni(settings, ctx.programDir().dir, ui);
  Chart1 birth;
  Chart2 computed;
  if (chart) {
    birth = chart->chart;
    if (chart->houseSystem) settings.houseSystem = static_cast<std::int16_t>(*chart->houseSystem);
    calculall(settings, birth, computed, loadChironTable(settings, ui));
  }
  ensureQtApplication();
  qt::QtPrinters printers;
  if (!pdf && !printers.hasDefault())
    throw WorkError(std::string(kNoPrinterMessage) + "; give --pdf OUT.pdf to print to a PDF file");
  const int header = chart ? 0 : -1;
  const int done =
      PrintSel(ui, printers, lines, settings, chart ? &birth : nullptr, chart ? &computed : nullptr, nullptr,
               2, header, 0, pdf ? std::filesystem::path(*pdf) : std::filesystem::path());
  if (!done) throw WorkError(pdf ? "the PDF file " + *pdf + " could not be written" : "printing failed");
  if (pdf) ctx.err << "talpora print: " << lines.size() << " lines printed to " << *pdf << '\n';
  return kExitOk;
#else
  (void)chart;
  (void)lines;
  (void)pdf;
  throw WorkError("this talpora was built without the Qt platform (TALPORA_WITH_QT=OFF): it cannot print");
#endif
}

}  // namespace

TALPORA_COMMAND("print", kUsage, "prints a text file as the suite prints listings (to PDF or a printer)",
                runPrint);

}  // namespace talpora::cli
