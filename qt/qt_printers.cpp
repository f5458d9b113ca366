// qt: print jobs on printers and PDF files.
#include "qt/qt_printers.h"

#include <QPainter>
#include <QPdfWriter>
#include <QPrinterInfo>
#include <QSaveFile>
#include <cmath>

#include "qt/qt_canvas.h"
#include "qt/qt_text.h"

namespace talpora::qt {

namespace {

// A document of pages on a paged device (a printer or a PDF writer).
class PagedJob : public gfx::PrintJob {
 public:
  PagedJob(QPagedPaintDevice& device, std::unique_ptr<QSaveFile> file, std::unique_ptr<QPdfWriter> writer)
      : device_(device), file_(std::move(file)), writer_(std::move(writer)) {}
  // A job dropped without end() is abandoned: the printer job is aborted, the PDF file not written.
  ~PagedJob() override {
    if (ended_) return;
    canvas_.reset();
    if (auto* printer = dynamic_cast<QPrinter*>(&device_); printer && !file_) printer->abort();
    painter_.end();
  }
  bool begin() { return painter_.begin(&device_); }

  gfx::Canvas* beginPage() override {
    if (ended_) return nullptr;
    if (pages_ > 0 && !device_.newPage()) return nullptr;
    ++pages_;
    canvas_ = std::make_unique<QtCanvas>(painter_, gfx::Size{device_.width(), device_.height()},
                                         static_cast<double>(device_.logicalDpiX()));
    canvas_->setMapping(gfx::Mapping::Lometric);
    return canvas_.get();
  }
  void endPage() override {}
  bool end() override {
    if (ended_) return ok_;
    ended_ = true;
    canvas_.reset();
    ok_ = painter_.end();
    if (file_) ok_ = ok_ && file_->commit();
    return ok_;
  }
  gfx::Size pageSize() const override {
    const QRectF r = device_.pageLayout().paintRect(QPageLayout::Millimeter);
    return {static_cast<int>(std::lround(r.width() * 10)), static_cast<int>(std::lround(r.height() * 10))};
  }

 private:
  QPagedPaintDevice& device_;
  std::unique_ptr<QSaveFile> file_;  // declared before the writer: destroyed after it
  std::unique_ptr<QPdfWriter> writer_;
  QPainter painter_;
  std::unique_ptr<QtCanvas> canvas_;
  int pages_ = 0;
  bool ended_ = false, ok_ = false;
};

}  // namespace

std::unique_ptr<gfx::PrintJob> startPdfJob(const std::filesystem::path& file, std::string_view documentName,
                                           const QPageSize& pageSize, int dotsPerInch) {
  auto out = std::make_unique<QSaveFile>(fromPath(file));
  if (!out->open(QIODevice::WriteOnly)) return nullptr;
  auto writer = std::make_unique<QPdfWriter>(out.get());
  writer->setResolution(dotsPerInch);
  writer->setPageLayout(QPageLayout(pageSize, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
  writer->setTitle(toQt(documentName));
  writer->setCreator(QStringLiteral("Talpora"));
  QPagedPaintDevice& device = *writer;
  auto job = std::make_unique<PagedJob>(device, std::move(out), std::move(writer));
  if (!job->begin()) return nullptr;
  return job;
}

QtPrinters::QtPrinters(std::filesystem::path fallbackPdfDir) : fallbackDir_(std::move(fallbackPdfDir)) {}
QtPrinters::~QtPrinters() = default;

bool QtPrinters::hasDefault() const {
  return !QPrinterInfo::defaultPrinter().isNull();
}

std::string QtPrinters::defaultName() const {
  return fromQt(QPrinterInfo::defaultPrinter().printerName());
}

QPrinter& QtPrinters::printer() {
  if (!printer_) {
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer_->setFullPage(false);
    const QPrinterInfo def = QPrinterInfo::defaultPrinter();
    if (!def.isNull()) printer_->setPrinterName(def.printerName());
  }
  return *printer_;
}

std::unique_ptr<gfx::PrintJob> QtPrinters::start(std::string_view documentName, const std::string& pdfFile) {
  lastPdf_.clear();
  std::filesystem::path pdf = pdfFile;
  if (pdf.empty() && !hasDefault()) {
    if (fallbackDir_.empty()) return nullptr;
    // No printer: a new PDF file named after the document.
    std::string base;
    for (char c : documentName) base += (c == '/' || c == '\0') ? '_' : c;
    if (base.empty()) base = "document";
    pdf = fallbackDir_ / (base + ".pdf");
    for (int n = 2; std::filesystem::exists(pdf); ++n)
      pdf = fallbackDir_ / (base + "-" + std::to_string(n) + ".pdf");
  }
  if (!pdf.empty()) {
    auto job = startPdfJob(pdf, documentName);
    if (job) lastPdf_ = pdf;
    return job;
  }
  QPrinter& p = printer();
  p.setOutputFormat(QPrinter::NativeFormat);
  p.setDocName(toQt(documentName));
  auto job = std::make_unique<PagedJob>(p, nullptr, nullptr);
  if (!job->begin()) return nullptr;
  return job;
}

}  // namespace talpora::qt
