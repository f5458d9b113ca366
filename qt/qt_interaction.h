// qt: everything modal that asks a person, in Qt: message boxes, the file, font and printer choosers,
// the dialog models shown through the generic form dialog, and a read-only window for text files.
#pragma once
#include <QPointer>
#include <QString>
#include <QWidget>
#include <filesystem>
#include <string_view>

#include "platform/ui.h"

namespace talpora::qt {

class QtPrinters;

// "Chart Files (*.chr)|*.chr||" to "Chart Files (*.chr *.CHR)": every pattern in both letter cases,
// "*.*" as "*", pairs joined by ";;".
QString qtFileFilter(std::string_view windowsFilter);
// The default extension appended to a file name that has none ("chart" + "CHR" -> "chart.CHR").
std::filesystem::path withDefaultExtension(const std::filesystem::path&, std::string_view defaultExt);

class QtInteraction : public ui::Interaction {
 public:
  // printers: the printer the print setup configures (may be null: no print setup).
  explicit QtInteraction(QtPrinters* printers = nullptr) : printers_(printers) {}

  ui::Answer message(const ui::Message&) override;
  std::optional<std::filesystem::path> chooseFile(const ui::FileDialogSpec&) override;
  // Printer fonts: heights in tenths of a millimetre (negative: the em height).
  std::optional<gfx::FontSpec> chooseFont(const gfx::FontSpec& initial) override;
  bool printSetup() override;
  int runModal(ui::DialogModel&) override;
  void showTextFile(const std::filesystem::path&) override;

  // The window dialogs belong to when no dialog is open (the program's main window).
  void setMainWindow(QWidget* w) { main_ = w; }
  QWidget* dialogParent() const;
  // The last text window opened (tests).
  QWidget* lastTextWindow() const { return lastText_; }

 private:
  QtPrinters* printers_;
  QPointer<QWidget> main_;
  QPointer<QWidget> lastText_;
};

}  // namespace talpora::qt
