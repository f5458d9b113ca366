// qt: the generic form dialog.
#include "qt/form_dialog.h"

#include <QAbstractListModel>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <algorithm>
#include <set>

#include "qt/qt_canvas.h"
#include "qt/qt_text.h"

namespace talpora::qt {

// The rows of a list or combo box: a copy of the state's items, converted to Unicode only when a
// row is shown, so that a list of 100,000 rows costs one copy and no widget per row.
class ItemListModel : public QAbstractListModel {
 public:
  using QAbstractListModel::QAbstractListModel;
  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(items_.size());
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid() || index.row() < 0 || index.row() >= rowCount()) return {};
    const auto& item = items_[static_cast<std::size_t>(index.row())];
    if (role == Qt::DisplayRole || role == Qt::EditRole) return toQt(item.text);
    if (role == Qt::UserRole) return item.data;
    return {};
  }
  bool sameAs(const std::vector<ui::FormState::Item>& other) const {
    if (other.size() != items_.size()) return false;
    for (std::size_t i = 0; i < other.size(); ++i)
      if (other[i].data != items_[i].data || other[i].text != items_[i].text) return false;
    return true;
  }
  void reset(const std::vector<ui::FormState::Item>& items) {
    beginResetModel();
    items_ = items;
    endResetModel();
  }

 private:
  std::vector<ui::FormState::Item> items_;
};

namespace {
enum ModelCall { kCommand, kEditFinished, kDoubleClicked };

}  // namespace

FormDialog::FormDialog(ui::DialogModel& model, ui::Interaction& interaction, QWidget* parent)
    : QDialog(parent), model_(model), interaction_(interaction), form_(model.form()) {
  setModal(true);
}

FormDialog::~FormDialog() {
  // Hiding a shown dialog moves the focus out of its box, which reports a finished edit. That must not
  // reach the model once this object is being torn down: hide it here, with model calls suppressed.
  applying_ = true;
  hide();
}

ui::ControlId FormDialog::buddyOf(const ui::FormSpec& form, const ui::ControlSpec& label) {
  if (label.buddy != 0) return label.buddy;
  if (label.id > ui::kLabelOffset && form.find(label.id - ui::kLabelOffset))
    return label.id - ui::kLabelOffset;
  return 0;
}

FormDialog::Bound* FormDialog::find(ui::ControlId id) {
  if (id <= 0) return nullptr;  // unnamed labels are not addressed
  for (auto& b : bound_)
    if (b.desc.id == id) return &b;
  return nullptr;
}
const FormDialog::Bound* FormDialog::find(ui::ControlId id) const {
  return const_cast<FormDialog*>(this)->find(id);
}

QWidget* FormDialog::widget(ui::ControlId id) const {
  const auto* b = find(id);
  return b ? b->widget : nullptr;
}

ui::ControlId FormDialog::idOf(const QWidget* w) const {
  for (; w && w != this; w = w->parentWidget()) {
    auto it = ids_.find(w);
    if (it != ids_.end()) return it->second;
  }
  return 0;
}

ui::ControlId FormDialog::focusedControl() const {
  return idOf(focusWidget());
}

void FormDialog::seedState() {
  // The table's texts are the initial captions and contents; the model overrides them in open().
  for (const auto& c : form_.controls)
    if (c.id > 0 && !c.text.empty()) state_.setText(c.id, c.text);
  state_.setCaption(form_.caption);
}

bool FormDialog::prepare() {
  if (prepared_) return !state_.closed();
  prepared_ = true;
  seedState();
  ++modelDepth_;
  model_.open(state_);
  --modelDepth_;
  if (state_.closed()) return false;
  build();
  applyState();
  return true;
}

int FormDialog::run() {
  if (!prepare()) return state_.result();
  exec();
  return state_.closed() ? state_.result() : 0;
}

QString FormDialog::shownText(const Bound& b, const std::string& cp1252) const {
  switch (b.desc.kind) {
    case ui::ControlKind::Static:
      // With a box to focus, "&" marks the mnemonic as in a Windows label; otherwise it is removed.
      return b.buddy ? toQt(cp1252) : withoutMnemonics(cp1252);
    case ui::ControlKind::Button:
    case ui::ControlKind::Check:
    case ui::ControlKind::Radio:
    case ui::ControlKind::Group:
      return toQt(cp1252);  // Qt's "&" rules are the same
    default:
      return toQt(cp1252);
  }
}

QWidget* FormDialog::makeWidget(Bound& b) {
  const auto& s = b.desc;
  QFont fixed = fixedPitchFont();
  switch (s.kind) {
    case ui::ControlKind::Static: {
      auto* l = new QLabel(this);
      l->setTextFormat(Qt::PlainText);
      b.buddy = buddyOf(form_, s);
      if (b.buddy) l->installEventFilter(this);
      if (s.fixedPitch) l->setFont(fixed);
      return l;
    }
    case ui::ControlKind::Edit:
    case ui::ControlKind::Number: {
      auto* e = new QLineEdit(this);
      if (s.maxLength > 0) e->setMaxLength(s.maxLength);
      if (s.kind == ui::ControlKind::Number)
        e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), e));
      if (s.fixedPitch) e->setFont(fixed);
      return e;
    }
    case ui::ControlKind::MultiEdit: {
      auto* e = new QPlainTextEdit(this);
      e->setLineWrapMode(QPlainTextEdit::NoWrap);
      if (s.fixedPitch) e->setFont(fixed);
      return e;
    }
    case ui::ControlKind::Check:
      return new QCheckBox(this);
    case ui::ControlKind::Radio: {
      auto* r = new QRadioButton(this);
      r->setAutoExclusive(false);  // the group is kept by the state, as the model sets it
      return r;
    }
    case ui::ControlKind::List:
    case ui::ControlKind::MultiList: {
      auto* v = new QListView(this);
      b.items = new ItemListModel(v);
      v->setModel(b.items);
      v->setUniformItemSizes(true);
      v->setEditTriggers(QAbstractItemView::NoEditTriggers);
      v->setSelectionMode(s.kind == ui::ControlKind::List ? QAbstractItemView::SingleSelection
                                                          : QAbstractItemView::ExtendedSelection);
      if (s.fixedPitch) v->setFont(fixed);
      return v;
    }
    case ui::ControlKind::Combo: {
      auto* c = new QComboBox(this);
      b.items = new ItemListModel(c);
      c->setModel(b.items);
      return c;
    }
    case ui::ControlKind::Group:
      return new QGroupBox(this);
    case ui::ControlKind::Button: {
      auto* p = new QPushButton(this);
      if (s.id == ui::IDOK) p->setDefault(true);
      p->setAutoDefault(false);
      return p;
    }
  }
  return new QWidget(this);
}

void FormDialog::build() {
  auto* outer = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  auto* buttons = new QHBoxLayout;
  outer->addLayout(grid);
  outer->addStretch(1);
  outer->addLayout(buttons);
  buttons->addStretch(1);

  // Group boxes gather the controls of their group number.
  std::map<int, QGridLayout*> groupGrids;
  std::map<QGridLayout*, int> nextRow;
  std::map<QGridLayout*, std::set<std::pair<int, int>>> used;
  auto place = [&](QGridLayout* g, QWidget* w, const ui::ControlSpec& s, bool wide) {
    int row = s.row >= 0 ? s.row : nextRow[g];
    int col = std::max(0, s.column);
    while (used[g].count({row, col})) ++col;
    used[g].insert({row, col});
    if (wide) {
      g->addWidget(w, row, col, 1, -1);
    } else {
      g->addWidget(w, row, col);
    }
    nextRow[g] = std::max(nextRow[g], row + 1);
  };

  bound_.reserve(form_.controls.size());  // never grows after this: the signal handlers keep ids only
  for (const auto& s : form_.controls) {
    Bound& b = bound_.emplace_back();
    b.desc = s;
    b.widget = makeWidget(b);
    ids_[b.widget] = s.id;
    if (s.kind == ui::ControlKind::Group && s.group != 0) {
      auto* inner = new QGridLayout(b.widget);
      groupGrids[s.group] = inner;
    }
  }
  for (auto& b : bound_) {
    const auto& s = b.desc;
    const bool wide = s.kind == ui::ControlKind::Group || s.kind == ui::ControlKind::MultiEdit ||
                      s.kind == ui::ControlKind::List || s.kind == ui::ControlKind::MultiList;
    if (s.kind != ui::ControlKind::Group && s.group != 0 && groupGrids.count(s.group)) {
      place(groupGrids[s.group], b.widget, s, false);
    } else if (s.kind == ui::ControlKind::Button && s.row < 0) {
      buttons->addWidget(b.widget);
    } else {
      place(grid, b.widget, s, wide && s.column == 0);
    }
  }
  for (auto& b : bound_) {
    if (b.desc.kind == ui::ControlKind::Static && b.buddy) {
      if (auto* target = widget(b.buddy)) static_cast<QLabel*>(b.widget)->setBuddy(target);
    }
    b.widget->installEventFilter(this);
    if (b.desc.kind == ui::ControlKind::Static)
      static_cast<QLabel*>(b.widget)->setText(shownText(b, b.desc.text));
    wire(b);
  }
}

void FormDialog::wire(Bound& b) {
  const ui::ControlId id = b.desc.id;
  switch (b.desc.kind) {
    case ui::ControlKind::Edit:
    case ui::ControlKind::Number: {
      auto* e = static_cast<QLineEdit*>(b.widget);
      connect(e, &QLineEdit::textChanged, this, [this, id](const QString& t) {
        if (!applying_) state_.setText(id, fromQt(t));
      });
      connect(e, &QLineEdit::editingFinished, this, [this, id] { editLeft(id); });
      break;
    }
    case ui::ControlKind::MultiEdit: {
      auto* e = static_cast<QPlainTextEdit*>(b.widget);
      connect(e, &QPlainTextEdit::textChanged, this, [this, id, e] {
        if (!applying_) state_.setText(id, qtToCrlf(e->toPlainText()));
      });
      break;
    }
    case ui::ControlKind::Check:
      connect(static_cast<QCheckBox*>(b.widget), &QCheckBox::clicked, this, [this, id](bool on) {
        state_.setChecked(id, on);
        callModel(id, kCommand);
      });
      break;
    case ui::ControlKind::Radio:
      connect(static_cast<QRadioButton*>(b.widget), &QRadioButton::clicked, this,
              [this, id] { radioClicked(id); });
      break;
    case ui::ControlKind::Button:
      connect(static_cast<QPushButton*>(b.widget), &QPushButton::clicked, this,
              [this, id] { callModel(id, kCommand); });
      break;
    case ui::ControlKind::List:
    case ui::ControlKind::MultiList: {
      auto* v = static_cast<QListView*>(b.widget);
      connect(v->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this, id] {
        if (applying_) return;
        if (auto* bb = find(id)) syncListSelection(*bb);
        callModel(id, kCommand);
      });
      connect(v, &QListView::doubleClicked, this, [this, id](const QModelIndex& index) {
        if (!index.isValid()) return;
        if (auto* bb = find(id); bb && bb->desc.kind == ui::ControlKind::List)
          state_.setSelection(id, index.row());
        callModel(id, kDoubleClicked);
      });
      break;
    }
    case ui::ControlKind::Combo: {
      auto* c = static_cast<QComboBox*>(b.widget);
      connect(c, &QComboBox::activated, this, [this, id, c](int index) {
        state_.setSelection(id, index);
        state_.setText(id, fromQt(c->itemText(index)));
        callModel(id, kCommand);
      });
      break;
    }
    case ui::ControlKind::Static:
    case ui::ControlKind::Group:
      break;
  }
}

void FormDialog::syncListSelection(Bound& b) {
  auto* v = static_cast<QListView*>(b.widget);
  std::vector<int> rows;
  for (const auto& index : v->selectionModel()->selectedIndexes()) rows.push_back(index.row());
  std::sort(rows.begin(), rows.end());
  if (b.desc.kind == ui::ControlKind::MultiList) state_.setSelections(b.desc.id, rows);
  state_.setSelection(b.desc.id, rows.empty() ? -1 : rows.front());
}

void FormDialog::callModel(ui::ControlId id, int what) {
  // A box left because a message box of the model took the focus is no new input.
  if (what == kEditFinished && modelDepth_ > 0) return;
  if (state_.closed()) return;
  ++modelDepth_;
  switch (what) {
    case kCommand:
      model_.command(id, state_, interaction_);
      break;
    case kEditFinished:
      model_.editFinished(id, state_, interaction_);
      break;
    case kDoubleClicked:
      model_.doubleClicked(id, state_, interaction_);
      break;
  }
  --modelDepth_;
  afterModelCall();
}

void FormDialog::afterModelCall() {
  if (modelDepth_ > 0) return;  // the outer call shows the result
  if (state_.closed()) {
    done(state_.result());
    return;
  }
  applyState();
}

void FormDialog::applyState() {
  applying_ = true;
  setWindowTitle(toQt(state_.caption()));
  for (auto& b : bound_) {
    const ui::ControlId id = b.desc.id;
    if (id <= 0) continue;
    QWidget* w = b.widget;
    const bool shown = !state_.removed(id) && state_.visible(id);
    if (w->isVisibleTo(this) != shown || !prepared_) w->setVisible(shown);
    const bool on = state_.enabled(id);
    if (b.desc.kind == ui::ControlKind::MultiEdit) {
      static_cast<QPlainTextEdit*>(w)->setReadOnly(!on);  // still scrolls
    } else {
      w->setEnabled(on);
    }
    const std::string text = state_.text(id);
    switch (b.desc.kind) {
      case ui::ControlKind::Static:
        static_cast<QLabel*>(w)->setText(shownText(b, text));
        break;
      case ui::ControlKind::Edit:
      case ui::ControlKind::Number: {
        auto* e = static_cast<QLineEdit*>(w);
        if (fromQt(e->text()) != text) {
          e->setText(toQt(text));
          // A text longer than the box takes is cut, and the state says so.
          if (fromQt(e->text()) != text) state_.setText(id, fromQt(e->text()));
        }
        break;
      }
      case ui::ControlKind::MultiEdit: {
        auto* e = static_cast<QPlainTextEdit*>(w);
        if (qtToCrlf(e->toPlainText()) != text) e->setPlainText(crlfToQt(text));
        break;
      }
      case ui::ControlKind::Check:
      case ui::ControlKind::Radio: {
        auto* c = static_cast<QAbstractButton*>(w);
        c->setText(shownText(b, text));
        c->setChecked(state_.checked(id));
        break;
      }
      case ui::ControlKind::Button:
        static_cast<QPushButton*>(w)->setText(shownText(b, text));
        break;
      case ui::ControlKind::Group:
        static_cast<QGroupBox*>(w)->setTitle(shownText(b, text));
        break;
      case ui::ControlKind::List:
      case ui::ControlKind::MultiList: {
        auto* v = static_cast<QListView*>(w);
        const auto& items = state_.items(id);
        if (!b.items->sameAs(items)) b.items->reset(items);
        std::vector<int> want;
        if (b.desc.kind == ui::ControlKind::MultiList) {
          want = state_.selections(id);
        } else if (state_.selection(id) >= 0) {
          want = {state_.selection(id)};
        }
        std::erase_if(want, [&](int r) { return r < 0 || r >= b.items->rowCount(); });
        std::sort(want.begin(), want.end());
        std::vector<int> have;
        for (const auto& index : v->selectionModel()->selectedIndexes()) have.push_back(index.row());
        std::sort(have.begin(), have.end());
        if (want != have) {
          QItemSelection selection;
          for (int r : want) selection.select(b.items->index(r), b.items->index(r));
          v->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
          if (!want.empty()) {
            v->selectionModel()->setCurrentIndex(b.items->index(want.front()), QItemSelectionModel::NoUpdate);
            v->scrollTo(b.items->index(want.front()));
          }
        }
        break;
      }
      case ui::ControlKind::Combo: {
        auto* c = static_cast<QComboBox*>(w);
        const auto& items = state_.items(id);
        if (!b.items->sameAs(items)) b.items->reset(items);
        const int sel = state_.selection(id) < b.items->rowCount() ? state_.selection(id) : -1;
        if (c->currentIndex() != sel) c->setCurrentIndex(sel);
        break;
      }
    }
  }
  applying_ = false;
  const ui::ControlId target = state_.focused();
  if (target > 0 && target != focusedControl()) focusControl(target);
}

void FormDialog::focusControl(ui::ControlId id) {
  auto* b = find(id);
  if (!b) return;
  b->widget->setFocus(Qt::OtherFocusReason);
  if (auto* e = qobject_cast<QLineEdit*>(b->widget)) e->selectAll();
  state_.focus(id);
}

void FormDialog::editLeft(ui::ControlId id) {
  if (applying_) return;
  callModel(id, kEditFinished);
}

void FormDialog::radioClicked(ui::ControlId id) {
  const auto* clicked = find(id);
  if (!clicked) return;
  // The buttons of one group: only the clicked one stays on.
  for (const auto& b : bound_)
    if (b.desc.kind == ui::ControlKind::Radio && b.desc.id > 0 && b.desc.group == clicked->desc.group)
      state_.setChecked(b.desc.id, b.desc.id == id);
  callModel(id, kCommand);
}

void FormDialog::reject() {
  if (modelDepth_ > 0) return;
  if (!state_.closed()) callModel(ui::IDCANCEL, kCommand);
  // A form without a Cancel button still closes on Escape or the window's close button.
  if (!state_.closed() && !form_.find(ui::IDCANCEL)) {
    state_.close(0);
    afterModelCall();
  }
}

bool FormDialog::eventFilter(QObject* obj, QEvent* ev) {
  auto* w = qobject_cast<QWidget*>(obj);
  const ui::ControlId id = w ? idOf(w) : 0;
  if (id > 0) {
    const auto* b = find(id);
    if (ev->type() == QEvent::MouseButtonPress && b && b->desc.kind == ui::ControlKind::Static && b->buddy) {
      clickLabel(id);
      return true;
    }
    if (ev->type() == QEvent::FocusIn && !applying_) state_.focus(id);
    if (ev->type() == QEvent::FocusOut && b && b->desc.kind == ui::ControlKind::MultiEdit) {
      const auto reason = static_cast<QFocusEvent*>(ev)->reason();
      if (reason != Qt::PopupFocusReason) editLeft(id);
    }
  }
  return QDialog::eventFilter(obj, ev);
}

void FormDialog::typeText(ui::ControlId id, const QString& text) {
  auto* b = find(id);
  if (!b) return;
  if (auto* e = qobject_cast<QLineEdit*>(b->widget)) {
    focusControl(id);
    e->setText(text);
    editLeft(id);
  } else if (auto* m = qobject_cast<QPlainTextEdit*>(b->widget)) {
    focusControl(id);
    m->setPlainText(text);
    editLeft(id);
  }
}

void FormDialog::click(ui::ControlId id) {
  auto* b = find(id);
  if (!b) return;
  if (b->desc.kind == ui::ControlKind::Static) {
    clickLabel(id);
  } else if (auto* button = qobject_cast<QAbstractButton*>(b->widget)) {
    if (button->isEnabled() && button->isVisibleTo(this)) button->click();
  }
}

void FormDialog::clickLabel(ui::ControlId labelId) {
  const auto* b = find(labelId);
  if (!b || !b->buddy) return;
  const auto* box = find(b->buddy);
  if (!box || state_.removed(box->desc.id) || !box->widget->isEnabled()) return;
  focusControl(b->buddy);
}

void FormDialog::select(ui::ControlId id, int row) {
  auto* b = find(id);
  if (!b || !b->items || row < 0 || row >= b->items->rowCount()) return;
  if (auto* v = qobject_cast<QListView*>(b->widget)) {
    v->selectionModel()->select(b->items->index(row), QItemSelectionModel::ClearAndSelect);
    v->selectionModel()->setCurrentIndex(b->items->index(row), QItemSelectionModel::NoUpdate);
  } else if (auto* c = qobject_cast<QComboBox*>(b->widget)) {
    c->setCurrentIndex(row);
    emit c->activated(row);
  }
}

void FormDialog::doubleClick(ui::ControlId id, int row) {
  select(id, row);
  auto* b = find(id);
  if (auto* v = b ? qobject_cast<QListView*>(b->widget) : nullptr)
    emit v->doubleClicked(b->items->index(row));
}

}  // namespace talpora::qt
