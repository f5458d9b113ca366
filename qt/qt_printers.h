// qt: printing. The default printer of the system (CUPS through Qt); a document can always be
// printed to a PDF file instead, also when no printer is installed. Pages are painted in tenths of
// a millimetre, y up, from the printable area's top left corner.
#pragma once
#include <QPageSize>
#include <QPrinter>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/gfx.h"

namespace talpora::qt {

// A job on a PDF file: pages of `pageSize` without margins, replaced atomically at end().
std::unique_ptr<gfx::PrintJob> startPdfJob(const std::filesystem::path& file, std::string_view documentName,
                                           const QPageSize& pageSize = QPageSize(QPageSize::A4),
                                           int dotsPerInch = 600);

class QtPrinters : public gfx::Printers {
 public:
  // fallbackPdfDir: where documents go as PDF files when no printer is installed (empty: nowhere).
  explicit QtPrinters(std::filesystem::path fallbackPdfDir = {});
  ~QtPrinters() override;

  bool hasDefault() const override;
  std::string defaultName() const override;
  // pdfFile set: that PDF file. Else the default printer, else a new PDF file in the fallback folder.
  std::unique_ptr<gfx::PrintJob> start(std::string_view documentName,
                                       const std::string& pdfFile = {}) override;

  // The printer the print setup configures and printer jobs use.
  QPrinter& printer();
  // The PDF file the last job wrote (empty when it went to a printer).
  const std::filesystem::path& lastPdf() const { return lastPdf_; }

 private:
  std::filesystem::path fallbackDir_;
  std::unique_ptr<QPrinter> printer_;
  std::filesystem::path lastPdf_;
};

}  // namespace talpora::qt
