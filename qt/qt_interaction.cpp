// qt: message boxes, choosers, dialog models and text windows.
#include "qt/qt_interaction.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontDialog>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPushButton>
#include <QStringDecoder>
#include <QVBoxLayout>

#include "qt/form_dialog.h"
#include "qt/qt_canvas.h"
#include "qt/qt_printers.h"
#include "qt/qt_text.h"

namespace talpora::qt {

namespace {

QMessageBox::StandardButton standardButton(ui::Answer a) {
  switch (a) {
    case ui::Answer::Ok:
      return QMessageBox::Ok;
    case ui::Answer::Cancel:
      return QMessageBox::Cancel;
    case ui::Answer::Yes:
      return QMessageBox::Yes;
    case ui::Answer::No:
      return QMessageBox::No;
    case ui::Answer::Retry:
      return QMessageBox::Retry;
  }
  return QMessageBox::Ok;
}

QStringList patternsOf(const QString& windowsPatterns) {
  QStringList out;
  for (QString p : windowsPatterns.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
    p = p.trimmed();
    if (p == QStringLiteral("*.*")) p = QStringLiteral("*");
    if (!out.contains(p)) out << p;
    // Files of another letter case match too ("*.chr" and "*.CHR").
    for (const QString& other : {p.toLower(), p.toUpper()})
      if (!out.contains(other)) out << other;
  }
  return out;
}

}  // namespace

QString qtFileFilter(std::string_view windowsFilter) {
  const QStringList parts = toQt(windowsFilter).split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i].trimmed();
    QString patterns = parts[i + 1].trimmed();
    if (description.isEmpty() && patterns.isEmpty()) break;  // the closing "||"
    if (patterns.isEmpty()) patterns = description;          // "*.*||": the pattern alone
    // The patterns in the description's parentheses are Qt's: put ours there.
    const auto open = description.lastIndexOf(QLatin1Char('('));
    if (open > 0 && description.endsWith(QLatin1Char(')'))) description = description.left(open).trimmed();
    if (description.isEmpty()) description = patterns;
    filters << description + QStringLiteral(" (") + patternsOf(patterns).join(QLatin1Char(' ')) +
                   QLatin1Char(')');
  }
  return filters.join(QStringLiteral(";;"));
}

std::filesystem::path withDefaultExtension(const std::filesystem::path& p, std::string_view defaultExt) {
  if (defaultExt.empty() || p.filename().empty() || p.has_extension()) return p;
  std::filesystem::path out = p;
  out += "." + std::string(defaultExt);
  return out;
}

QWidget* QtInteraction::dialogParent() const {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  if (QWidget* active = QApplication::activeWindow()) return active;
  return main_;
}

ui::Answer QtInteraction::message(const ui::Message& m) {
  QMessageBox box(dialogParent());
  box.setWindowTitle(toQt(m.caption));
  box.setTextFormat(Qt::PlainText);
  box.setText(toQt(m.text));
  switch (m.icon) {
    case ui::Icon::Stop:
      box.setIcon(QMessageBox::Critical);
      break;
    case ui::Icon::Warning:
      box.setIcon(QMessageBox::Warning);
      break;
    case ui::Icon::Information:
      box.setIcon(QMessageBox::Information);
      break;
    case ui::Icon::Question:
      box.setIcon(QMessageBox::Question);
      break;
    case ui::Icon::None:
      box.setIcon(QMessageBox::NoIcon);
      break;
  }
  std::vector<ui::Answer> answers;
  switch (m.buttons) {
    case ui::Buttons::Ok:
      answers = {ui::Answer::Ok};
      break;
    case ui::Buttons::OkCancel:
      answers = {ui::Answer::Ok, ui::Answer::Cancel};
      break;
    case ui::Buttons::YesNo:
      answers = {ui::Answer::Yes, ui::Answer::No};
      break;
    case ui::Buttons::YesNoCancel:
      answers = {ui::Answer::Yes, ui::Answer::No, ui::Answer::Cancel};
      break;
    case ui::Buttons::RetryCancel:
      answers = {ui::Answer::Retry, ui::Answer::Cancel};
      break;
  }
  QMessageBox::StandardButtons buttons;
  for (auto a : answers) buttons |= standardButton(a);
  box.setStandardButtons(buttons);
  // The first button unless another is named, as in a Windows message box.
  const ui::Answer def = m.defaultButton ? *m.defaultButton : answers.front();
  box.setDefaultButton(standardButton(def));
  // Escape answers Cancel, or OK in a box with only OK (No in a Yes/No box, as Qt chooses).
  bool hasCancel = false;
  for (auto a : answers) hasCancel |= a == ui::Answer::Cancel;
  if (hasCancel) {
    box.setEscapeButton(QMessageBox::Cancel);
  } else if (m.buttons == ui::Buttons::Ok) {
    box.setEscapeButton(QMessageBox::Ok);
  }
  box.exec();
  const auto clicked = box.standardButton(box.clickedButton());
  for (auto a : answers)
    if (standardButton(a) == clicked) return a;
  return hasCancel ? ui::Answer::Cancel : answers.back();
}

std::optional<std::filesystem::path> QtInteraction::chooseFile(const ui::FileDialogSpec& desc) {
  QString title = toQt(desc.title);
  if (title.isEmpty()) title = desc.save ? QStringLiteral("Save As") : QStringLiteral("Open");
  QFileDialog dialog(dialogParent(), title);
  dialog.setNameFilter(QString());
  const QString filters = qtFileFilter(desc.filter);
  if (!filters.isEmpty()) dialog.setNameFilters(filters.split(QStringLiteral(";;")));
  dialog.setAcceptMode(desc.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(desc.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (!desc.defaultExt.empty()) dialog.setDefaultSuffix(toQt(desc.defaultExt));
  if (desc.save && !desc.overwritePrompt) dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  if (!desc.defaultName.empty()) {
    const QFileInfo info(toQt(desc.defaultName));
    if (info.isAbsolute()) dialog.setDirectory(info.absolutePath());
    dialog.selectFile(info.fileName());
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return withDefaultExtension(toPath(dialog.selectedFiles().front()), desc.defaultExt);
}

std::optional<gfx::FontSpec> QtInteraction::chooseFont(const gfx::FontSpec& initial) {
  bool ok = false;
  const QFont chosen = QFontDialog::getFont(&ok, chooserFontForSpec(initial), dialogParent(),
                                            QStringLiteral("Font"), QFontDialog::ScalableFonts);
  if (!ok) return std::nullopt;
  return specForChooserFont(chosen, initial);
}

bool QtInteraction::printSetup() {
  if (!printers_) return false;
  QPrintDialog dialog(&printers_->printer(), dialogParent());
  // No page numbers, no selection, no printing to a file.
  dialog.setOptions(QAbstractPrintDialog::PrintDialogOptions());
  return dialog.exec() == QDialog::Accepted;
}

int QtInteraction::runModal(ui::DialogModel& model) {
  FormDialog dialog(model, *this, dialogParent());
  return dialog.run();
}

void QtInteraction::showTextFile(const std::filesystem::path& path) {
  QFile file(fromPath(path));
  QString text;
  if (file.open(QIODevice::ReadOnly)) {
    const QByteArray bytes = file.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    text = utf8(bytes);
    if (utf8.hasError())
      text = toQt(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  } else {
    text = QStringLiteral("Cannot read ") + fromPath(path);
  }
  auto* window = new QDialog(main_);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->setWindowTitle(fromPath(path.filename()));
  auto* layout = new QVBoxLayout(window);
  auto* view = new QPlainTextEdit(window);
  view->setReadOnly(true);
  view->setLineWrapMode(QPlainTextEdit::NoWrap);
  view->setFont(fixedPitchFont());
  view->setPlainText(text);
  layout->addWidget(view);
  window->resize(800, 600);
  window->show();
  lastText_ = window;
}

}  // namespace talpora::qt
