// qt: the one dialog window that shows any dialog model's form. It builds the controls from the form
// table, mirrors the form state both ways, routes clicks, selections, double clicks and finished
// edits to the model, and closes with the model's result. A click on a label focuses its box.
#pragma once
#include <QDialog>
#include <QString>
#include <map>
#include <memory>
#include <vector>

#include "platform/ui.h"

class QLabel;
class QGridLayout;

namespace talpora::qt {

class ItemListModel;

class FormDialog : public QDialog {
 public:
  FormDialog(ui::DialogModel& model, ui::Interaction& interaction, QWidget* parent = nullptr);
  ~FormDialog() override;

  // Seeds the state from the form table, lets the model open it and builds the window. False when
  // the model closed the dialog already while opening it.
  bool prepare();
  // prepare(), then modal until the model closes it; the close code (0 when closed without one).
  int run();

  ui::FormState& state() { return state_; }
  const ui::FormSpec& form() const { return form_; }
  // The widget of a control (a label, box, button, list...); null for an unknown id.
  QWidget* widget(ui::ControlId) const;
  // The id of the control a widget shows; 0 when none.
  ui::ControlId idOf(const QWidget*) const;
  // The control that has the keyboard focus in this dialog (0: none of ours).
  ui::ControlId focusedControl() const;

  // What a person does, for programs and tests: type into a box (then leave it), click a button,
  // check box, radio button or label, select or double-click a list row.
  void typeText(ui::ControlId, const QString& text);
  void click(ui::ControlId);
  void clickLabel(ui::ControlId labelId);
  void select(ui::ControlId, int row);
  void doubleClick(ui::ControlId, int row);

  // Brings every widget in line with the state (called after each call into the model).
  void applyState();

  static ui::ControlId buddyOf(const ui::FormSpec&, const ui::ControlSpec& label);

  // Escape and the window's close button: the model's Cancel.
  void reject() override;

 protected:
  bool eventFilter(QObject*, QEvent*) override;

 private:
  struct Bound {
    ui::ControlSpec desc;
    QWidget* widget = nullptr;
    ItemListModel* items = nullptr;  // lists and combo boxes
    ui::ControlId buddy = 0;         // labels
  };

  void seedState();
  void build();
  QWidget* makeWidget(Bound&);
  void wire(Bound&);
  void callModel(ui::ControlId id, int what);
  void afterModelCall();
  void focusControl(ui::ControlId);
  void editLeft(ui::ControlId);
  void radioClicked(ui::ControlId);
  void syncListSelection(Bound&);
  QString shownText(const Bound&, const std::string& cp1252) const;
  Bound* find(ui::ControlId);
  const Bound* find(ui::ControlId) const;

  ui::DialogModel& model_;
  ui::Interaction& interaction_;
  const ui::FormSpec& form_;
  ui::FormState state_;
  std::vector<Bound> bound_;  // in the order of the form table
  std::map<const QWidget*, ui::ControlId> ids_;
  int modelDepth_ = 0;     // calls into the model under way
  bool applying_ = false;  // the state is being shown: widget signals are not user input
  bool prepared_ = false;
};

}  // namespace talpora::qt
