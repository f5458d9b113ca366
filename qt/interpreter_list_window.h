// qt: the modeless list of what a chart says about a glyph of its wheel, which the drawing program
// opens on a click: caption "Talpora Interpreter", fixed pitch, one line a row. A double click or
// Enter on a row after the first passes the row's index to the handler (the drawing program starts
// the interpreter for a marked line; the others do nothing).
#pragma once
#include <QRect>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

class QListWidget;

namespace talpora::qt {

class InterpreterListWindow : public QWidget {
 public:
  explicit InterpreterListWindow(QWidget* parent = nullptr);

  // The lines (CP1252), replacing those shown.
  void setLines(const std::vector<std::string>& cp1252Lines);
  void setActivationHandler(std::function<void(int index)> h) { handler_ = std::move(h); }
  QListWidget* list() const { return list_; }

  // Where the drawing program places the list: 61 % of the screen's width and 30 % of its height, in
  // the quarter of the screen diagonally away from the click.
  static QRect placement(const QRect& screen, const QPoint& click);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void activate(int row);
  QListWidget* list_;
  std::function<void(int)> handler_;
};

}  // namespace talpora::qt
