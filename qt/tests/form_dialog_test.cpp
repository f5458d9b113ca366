// The generic form dialog driven through a small sample dialog model: values shown both ways, a
// finished edit, validation that clears and focuses the box, label clicks, run-time changes, radio
// groups, a list of 100,000 rows, nested dialogs and message boxes through the Qt interaction.
#include "qt/form_dialog.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/headless/scripted_interaction.h"
#include "qt/qt_interaction.h"
#include "qt/tests/qt_test_support.h"

using namespace talpora;
using namespace talpora::qt;
using ui::ControlKind;

namespace {
enum : ui::ControlId {
  Year = 100,
  Name,
  Metric,
  North,
  South,
  Hemisphere,
  Towns,
  Fill,
  Hide,
  Note,
  Nested,
  Multi,
  Kind
};

ui::ControlSpec ctl(ui::ControlId id, ControlKind kind, std::string text, int maxLength = 0, int group = 0,
                    int row = -1, int column = 0) {
  ui::ControlSpec c;
  c.id = id;
  c.kind = kind;
  c.text = std::move(text);
  c.maxLength = maxLength;
  c.group = group;
  c.row = row;
  c.column = column;
  return c;
}

// A second, small dialog the sample opens from a button.
class InnerModel : public ui::DialogModel {
 public:
  InnerModel() {
    form_.caption = "Inner";
    form_.controls = {ctl(ui::IDOK, ControlKind::Button, "OK")};
  }
  const ui::FormSpec& form() const override { return form_; }
  void open(ui::FormState&) override {}
  void command(ui::ControlId id, ui::FormState& s, ui::Interaction&) override {
    s.close(id == ui::IDOK ? 7 : 0);
  }

 private:
  ui::FormSpec form_;
};

class SampleModel : public ui::DialogModel {
 public:
  SampleModel() {
    form_.resource = "SAMPLE";
    form_.caption = "Sample Entry";
    form_.controls = {
        ctl(Year + ui::kLabelOffset, ControlKind::Static, "&Year:", 0, 0, 0, 0),
        ctl(Year, ControlKind::Number, "", 4, 0, 0, 1),
        ctl(Name + ui::kLabelOffset, ControlKind::Static, "&Name && Place:", 0, 0, 1, 0),
        ctl(Name, ControlKind::Edit, "", 10, 0, 1, 1),
        ctl(Metric, ControlKind::Check, "&Metric"),
        ctl(Hemisphere, ControlKind::Group, "Hemisphere", 0, 1),
        ctl(North, ControlKind::Radio, "&North", 0, 1, 0, 0),
        ctl(South, ControlKind::Radio, "&South", 0, 1, 0, 1),
        ctl(Towns, ControlKind::List, ""),
        ctl(Note, ControlKind::Static, "3 towns."),
        ctl(Multi, ControlKind::MultiList, ""),
        ctl(Kind, ControlKind::Combo, ""),
        ctl(Fill, ControlKind::Button, "&Fill"),
        ctl(Hide, ControlKind::Button, "&Hide"),
        ctl(Nested, ControlKind::Button, "&More..."),
        ctl(ui::IDOK, ControlKind::Button, "OK"),
        ctl(ui::IDCANCEL, ControlKind::Button, "Cancel"),
    };
  }
  const ui::FormSpec& form() const override { return form_; }
  void open(ui::FormState& s) override {
    s.setText(Year, "1990");
    s.setChecked(North, true);
    s.setItems(Towns, {{"Bern", 1}, {"Z\xFCrich", 2}, {"Geneva", 3}});
    s.setSelection(Towns, 1);
    s.setItems(Multi, {{"a", 0}, {"b", 0}, {"c", 0}, {"d", 0}});
    s.setItems(Kind, {{"Natal", 0}, {"Event", 1}, {"Horary", 2}});
    s.setSelection(Kind, 0);
  }
  void editFinished(ui::ControlId id, ui::FormState& s, ui::Interaction&) override {
    ++editsFinished;
    // A two-digit year means the twentieth century.
    if (id == Year && s.text(Year).size() == 2) s.setText(Year, "19" + s.text(Year));
  }
  void doubleClicked(ui::ControlId id, ui::FormState& s, ui::Interaction&) override {
    if (id == Towns) doubled = s.selection(Towns);
  }
  void command(ui::ControlId id, ui::FormState& s, ui::Interaction& ui) override {
    commands.push_back(id);
    switch (id) {
      case ui::IDOK: {
        const std::string t = s.text(Year);
        const int year = t.empty() ? 0 : std::stoi(t);
        if (year < 1000 || year > 3000) {
          ui.tell("The year is impossible.", "Error", ui::Icon::Warning);
          s.setText(Year, "");
          s.focus(Year);
          return;
        }
        s.close(1);
        break;
      }
      case ui::IDCANCEL:
        s.close(0);
        break;
      case Metric:
        s.enable(Name, !s.checked(Metric));
        break;
      case Fill: {
        std::vector<ui::FormState::Item> many;
        many.reserve(100000);
        for (int i = 0; i < 100000; ++i) many.push_back({"Town " + std::to_string(i), i});
        s.setItems(Towns, std::move(many));
        s.setText(Note, "100000 towns.");
        break;
      }
      case Hide:
        s.remove(Metric);
        s.show(Note, false);
        s.setText(Fill, "&Refill");
        s.setCaption("Changed");
        break;
      case Nested: {
        InnerModel inner;
        nestedResult = ui.runModal(inner);
        break;
      }
      default:
        break;
    }
  }

  std::vector<ui::ControlId> commands;
  int editsFinished = 0, doubled = -1, nestedResult = -1;

 private:
  ui::FormSpec form_;
};

template <class W>
W* as(FormDialog& d, ui::ControlId id) {
  auto* w = qobject_cast<W*>(d.widget(id));
  EXPECT_NE(w, nullptr) << "control " << id;
  return w;
}

void press(QWidget* w, Qt::Key key, const QString& text) {
  QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(w, &down);
}
}  // namespace

TEST(FormDialog, ShowsWhatTheModelOpenedWith) {
  SampleModel model;
  headless::ScriptedInteraction ui;
  FormDialog d(model, ui);
  ASSERT_TRUE(d.prepare());
  EXPECT_EQ(d.windowTitle(), QStringLiteral("Sample Entry"));
  EXPECT_EQ(as<QLineEdit>(d, Year)->text(), QStringLiteral("1990"));
  EXPECT_EQ(as<QLineEdit>(d, Year)->maxLength(), 4);
  EXPECT_EQ(as<QLineEdit>(d, Name)->maxLength(), 10);
  // A label with a box keeps its mnemonic for Qt ("&&" shows "&"); one without loses the marks.
  auto* nameLabel = as<QLabel>(d, Name + ui::kLabelOffset);
  EXPECT_EQ(nameLabel->buddy(), d.widget(Name));
  EXPECT_EQ(nameLabel->text(), QStringLiteral("&Name && Place:"));
  EXPECT_EQ(as<QLabel>(d, Note)->text(), QStringLiteral("3 towns."));
  EXPECT_TRUE(as<QRadioButton>(d, North)->isChecked());
  EXPECT_FALSE(as<QRadioButton>(d, South)->isChecked());
  // The radio buttons of group 1 sit in the group box of group 1.
  EXPECT_EQ(d.widget(North)->parentWidget(), d.widget(Hemisphere));
  EXPECT_EQ(as<QGroupBox>(d, Hemisphere)->title(), QStringLiteral("Hemisphere"));
  auto* towns = as<QListView>(d, Towns);
  EXPECT_EQ(towns->model()->rowCount(), 3);
  EXPECT_EQ(towns->model()->index(1, 0).data().toString(), QString::fromUtf8("Z\u00FCrich"));
  ASSERT_EQ(towns->selectionModel()->selectedRows().size(), 1);
  EXPECT_EQ(towns->selectionModel()->selectedRows().front().row(), 1);
  EXPECT_EQ(as<QComboBox>(d, Kind)->currentText(), QStringLiteral("Natal"));
  EXPECT_TRUE(as<QPushButton>(d, ui::IDOK)->isDefault());
  EXPECT_TRUE(model.commands.empty());  // showing the state is no input
}

TEST(FormDialog, TypingAndLeavingABoxReachesTheModel) {
  SampleModel model;
  headless::ScriptedInteraction ui;
  FormDialog d(model, ui);
  ASSERT_TRUE(d.prepare());
  d.typeText(Year, QStringLiteral("85"));
  EXPECT_EQ(model.editsFinished, 1);
  EXPECT_EQ(d.state().text(Year), "1985");
  EXPECT_EQ(as<QLineEdit>(d, Year)->text(), QStringLiteral("1985"));
  // Typed text goes to the state in the code page.
  d.typeText(Name, QString::fromUtf8("G\u00E4ggeli"));
  EXPECT_EQ(d.state().text(Name), "G\xE4ggeli");
  // A number box takes digits only.
  auto* year = as<QLineEdit>(d, Year);
  year->setFocus();
  year->end(false);
  press(year, Qt::Key_A, QStringLiteral("a"));
  EXPECT_EQ(d.state().text(Year), "1985");
  year->clear();
  press(year, Qt::Key_7, QStringLiteral("7"));
  EXPECT_EQ(d.state().text(Year), "7");
}

TEST(FormDialog, FailedValidationClearsAndFocusesTheBoxThenOkCloses) {
  SampleModel model;
  headless::ScriptedInteraction ui;
  FormDialog d(model, ui);
  ASSERT_TRUE(d.prepare());
  d.show();
  d.typeText(Year, QStringLiteral("999"));
  d.typeText(Name, QStringLiteral("Anna"));  // the focus is elsewhere now
  EXPECT_EQ(d.focusedControl(), Name);
  d.click(ui::IDOK);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "The year is impossible.");
  EXPECT_EQ(ui.messages[0].caption, "Error");
  EXPECT_FALSE(d.state().closed());
  EXPECT_TRUE(d.isVisible());
  EXPECT_EQ(as<QLineEdit>(d, Year)->text(), QString());
  EXPECT_EQ(d.focusedControl(), Year);
  EXPECT_EQ(d.focusWidget(), d.widget(Year));

  d.typeText(Year, QStringLiteral("2001"));
  d.click(ui::IDOK);
  EXPECT_TRUE(d.state().closed());
  EXPECT_EQ(d.state().result(), 1);
  EXPECT_EQ(d.result(), 1);
  EXPECT_FALSE(d.isVisible());
}

TEST(FormDialog, AClickOnALabelFocusesItsBox) {
  SampleModel model;
  headless::ScriptedInteraction ui;
  FormDialog d(model, ui);
  ASSERT_TRUE(d.prepare());
  d.show();
  d.typeText(Year, QStringLiteral("2000"));
  ASSERT_EQ(d.focusedControl(), Year);
  // A real mouse press on the label.
  QWidget* label = d.widget(Name + ui::kLabelOffset);
  QMouseEvent pressEvent(QEvent::MouseButtonPress, QPointF(2, 2), label->mapToGlobal(QPointF(2, 2)),
                         Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(label, &pressEvent);
  EXPECT_EQ(d.focusedControl(), Name);
  EXPECT_EQ(d.state().focused(), Name);
  d.clickLabel(Year + ui::kLabelOffset);
  EXPECT_EQ(d.focusedControl(), Year);
  // A label without a box does nothing.
  d.clickLabel(Note);
  EXPECT_EQ(d.focusedControl(), Year);
  // A disabled box cannot take the focus from its label.
  d.click(Metric);
  EXPECT_FALSE(d.widget(Name)->isEnabled());
  d.clickLabel(Name + ui::kLabelOffset);
  EXPECT_EQ(d.focusedControl(), Year);
}

TEST(FormDialog, ModelChangesControlsAtRunTime) {
  SampleModel model;
  headless::ScriptedInteraction ui;
  FormDialog d(model, ui);
  ASSERT_TRUE(d.prepare());
  d.show();
  d.click(Metric);
  EXPECT_TRUE(d.state().checked(Metric));
  EXPECT_FALSE(d.widget(Name)->isEnabled());
  d.click(Metric);
  EXPECT_TRUE(d.widget(Name)->isEnabled());
  d.click(Hide);
  EXPECT_FALSE(d.widget(Metric)->isVisible());
  EXPECT_FALSE(d.widget(Note)->isVisible());
  EXPECT_TRUE(d.widget(Year)->isVisible());
  EXPECT_EQ(as<QPushButton>(d, Fill)->text(), QStringLiteral("&Refill"));
  EXPECT_EQ(d.windowTitle(), QStringLiteral("Changed"));
  // A removed control is not clicked any more.
  const auto before = model.commands.size();
  d.click(Metric);
  EXPECT_EQ(model.commands.size(), before);
}

TEST(FormDialog, RadioButtonsOfAGroupKeepOneOn) {
  SampleModel model;
  headless::ScriptedInteraction ui;
  FormDialog d(model, ui);
  ASSERT_TRUE(d.prepare());
  d.click(South);
  EXPECT_TRUE(d.state().checked(South));
  EXPECT_FALSE(d.state().checked(North));
  EXPECT_TRUE(as<QRadioButton>(d, South)->isChecked());
  EXPECT_FALSE(as<QRadioButton>(d, North)->isChecked());
  EXPECT_EQ(model.commands.back(), South);
}

TEST(FormDialog, ListsSelectionsDoubleClicksAndAHundredThousandRows) {
  SampleModel model;
  headless::ScriptedInteraction ui;
  FormDialog d(model, ui);
  ASSERT_TRUE(d.prepare());
  d.click(Fill);
  auto* towns = as<QListView>(d, Towns);
  ASSERT_EQ(towns->model()->rowCount(), 100000);
  EXPECT_EQ(towns->model()->index(99999, 0).data().toString(), QStringLiteral("Town 99999"));
  EXPECT_EQ(as<QLabel>(d, Note)->text(), QStringLiteral("100000 towns."));
  d.select(Towns, 99999);
  EXPECT_EQ(d.state().selection(Towns), 99999);
  EXPECT_EQ(d.state().itemData(Towns, d.state().selection(Towns)), 99999);
  EXPECT_EQ(model.commands.back(), Towns);
  d.doubleClick(Towns, 42);
  EXPECT_EQ(model.doubled, 42);
  // Another refresh of the state leaves the rows and the selection as they are.
  d.applyState();
  EXPECT_EQ(towns->model()->rowCount(), 100000);
  EXPECT_EQ(towns->selectionModel()->selectedRows().front().row(), 42);

  // Several rows of a multiple-selection list.
  auto* multi = as<QListView>(d, Multi);
  multi->selectionModel()->select(multi->model()->index(3, 0), QItemSelectionModel::Select);
  multi->selectionModel()->select(multi->model()->index(1, 0), QItemSelectionModel::Select);
  EXPECT_EQ(d.state().selections(Multi), (std::vector<int>{1, 3}));
  d.state().setSelections(Multi, {0, 2});
  d.applyState();
  EXPECT_EQ(multi->selectionModel()->selectedRows().size(), 2);
  EXPECT_TRUE(multi->selectionModel()->isRowSelected(0, {}));
  EXPECT_TRUE(multi->selectionModel()->isRowSelected(2, {}));

  d.select(Kind, 2);
  EXPECT_EQ(d.state().selection(Kind), 2);
  EXPECT_EQ(d.state().text(Kind), "Horary");
  EXPECT_EQ(model.commands.back(), Kind);
}

TEST(FormDialog, EscapeIsCancel) {
  SampleModel model;
  headless::ScriptedInteraction ui;
  FormDialog d(model, ui);
  ASSERT_TRUE(d.prepare());
  d.show();
  d.reject();
  EXPECT_EQ(model.commands.back(), ui::IDCANCEL);
  EXPECT_TRUE(d.state().closed());
  EXPECT_EQ(d.state().result(), 0);
}

TEST(QtInteraction, RunsDialogsThatOpenDialogs) {
  SampleModel model;
  QtInteraction qi;
  testkit::whenModalOpens([](QWidget* outer) {
    auto* form = dynamic_cast<FormDialog*>(outer);
    ASSERT_NE(form, nullptr);
    form->typeText(Year, QStringLiteral("2024"));
    testkit::whenModalOpens(
        [](QWidget* inner) {
          auto* innerForm = dynamic_cast<FormDialog*>(inner);
          ASSERT_NE(innerForm, nullptr);
          EXPECT_EQ(innerForm->windowTitle(), QStringLiteral("Inner"));
          innerForm->click(ui::IDOK);
        },
        outer);
    form->click(Nested);  // modal inside: returns when the inner dialog closed
    form->click(ui::IDOK);
  });
  EXPECT_EQ(qi.runModal(model), 1);
  EXPECT_EQ(model.nestedResult, 7);
}

TEST(QtInteraction, MessageBoxesHaveCaptionButtonsAndDefault) {
  QtInteraction qi;
  testkit::whenModalOpens([](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Warning from Talpora"));
    EXPECT_EQ(box->text(), QString::fromUtf8("Latitude above 66\u00B0: continue?"));
    EXPECT_EQ(box->icon(), QMessageBox::Warning);
    EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No));
    box->button(QMessageBox::Yes)->click();
  });
  EXPECT_EQ(qi.message({"Latitude above 66\xB0: continue?", "Warning from Talpora", ui::Buttons::YesNo,
                        ui::Icon::Warning, ui::Answer::No}),
            ui::Answer::Yes);

  testkit::whenModalOpens([](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Retry));
    EXPECT_EQ(box->icon(), QMessageBox::Critical);
    box->reject();  // Escape
  });
  EXPECT_EQ(qi.message({"Disk full", "File Error", ui::Buttons::RetryCancel, ui::Icon::Stop, std::nullopt}),
            ui::Answer::Cancel);
}

TEST(QtInteraction, FileChooserFiltersBothLetterCasesAndAppendsTheDefaultExtension) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("talpora-choose-" + std::to_string(::getpid()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  QtInteraction qi;
  testkit::whenModalOpens([](QWidget* w) {
    auto* fd = qobject_cast<QFileDialog*>(w);
    ASSERT_NE(fd, nullptr);
    EXPECT_EQ(fd->windowTitle(), QStringLiteral("Save a Chart"));
    EXPECT_EQ(fd->nameFilters(), QStringList{QStringLiteral("Chart Files (*.chr *.CHR)")});
    EXPECT_EQ(fd->acceptMode(), QFileDialog::AcceptSave);
    // Typed into the name box just before Save, as a user does: the dialog may still be applying
    // its default name while its folder loads, which a selectFile() call would race with.
    auto* nameBox = fd->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(nameBox, nullptr);
    nameBox->setText(QStringLiteral("anna"));
    static_cast<QDialog*>(fd)->accept();  // as the Save button does
  });
  ui::FileDialogSpec desc;
  desc.title = "Save a Chart";
  desc.filter = "Chart Files (*.chr)|*.chr||";
  desc.defaultName = (dir / "chart").string();
  desc.defaultExt = "CHR";
  desc.save = true;
  desc.overwritePrompt = true;
  EXPECT_EQ(qi.chooseFile(desc), dir / "anna.CHR");

  // Cancelled: nothing chosen.
  testkit::whenModalOpens([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
  desc.save = false;
  EXPECT_FALSE(qi.chooseFile(desc).has_value());
  std::filesystem::remove_all(dir);
}

TEST(QtInteraction, TextFilesShowInAReadOnlyWindow) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("talpora-text-" + std::to_string(::getpid()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  std::ofstream(dir / "Atlas.txt", std::ios::binary) << "Z\xC3\xBCrich 8\xC2\xB0 33'\r\nBern\r\n";  // UTF-8
  std::ofstream(dir / "old.txt", std::ios::binary) << "Z\xFCrich\r\n";                              // CP1252
  QtInteraction qi;
  qi.showTextFile(dir / "Atlas.txt");
  ASSERT_NE(qi.lastTextWindow(), nullptr);
  auto* view = qi.lastTextWindow()->findChild<QPlainTextEdit*>();
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(view->isReadOnly());
  EXPECT_EQ(view->toPlainText(), QString::fromUtf8("Z\u00FCrich 8\u00B0 33'\nBern\n"));
  EXPECT_EQ(qi.lastTextWindow()->windowTitle(), QStringLiteral("Atlas.txt"));
  qi.showTextFile(dir / "old.txt");
  EXPECT_EQ(qi.lastTextWindow()->findChild<QPlainTextEdit*>()->toPlainText(),
            QString::fromUtf8("Z\u00FCrich\n"));
  qi.lastTextWindow()->close();
  std::filesystem::remove_all(dir);
}
