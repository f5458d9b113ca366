// qt: main windows with menus from tables.
#include "qt/menu_window.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

#include "qt/qt_text.h"

namespace talpora::qt {

int qtKeyOf(int vk) {
  int mods = 0;
  if (vk & kKeyShift) mods |= Qt::SHIFT;
  if (vk & kKeyCtrl) mods |= Qt::CTRL;
  if (vk & kKeyAlt) mods |= Qt::ALT;
  const int code = vk & 0xFFFF;
  int key = 0;
  if (code >= 0x70 && code <= 0x87)
    key = Qt::Key_F1 + (code - 0x70);
  else if (code >= 'A' && code <= 'Z')
    key = Qt::Key_A + (code - 'A');
  else if (code >= '0' && code <= '9')
    key = Qt::Key_0 + (code - '0');
  else {
    switch (code) {
      case 0x08:
        key = Qt::Key_Backspace;
        break;
      case 0x09:
        key = Qt::Key_Tab;
        break;
      case 0x0D:
        key = Qt::Key_Return;
        break;
      case 0x1B:
        key = Qt::Key_Escape;
        break;
      case 0x20:
        key = Qt::Key_Space;
        break;
      case 0x21:
        key = Qt::Key_PageUp;
        break;
      case 0x22:
        key = Qt::Key_PageDown;
        break;
      case 0x23:
        key = Qt::Key_End;
        break;
      case 0x24:
        key = Qt::Key_Home;
        break;
      case 0x25:
        key = Qt::Key_Left;
        break;
      case 0x26:
        key = Qt::Key_Up;
        break;
      case 0x27:
        key = Qt::Key_Right;
        break;
      case 0x28:
        key = Qt::Key_Down;
        break;
      case 0x2D:
        key = Qt::Key_Insert;
        break;
      case 0x2E:
        key = Qt::Key_Delete;
        break;
      default:
        return 0;
    }
  }
  return key | mods;
}

MenuWindow::MenuWindow(QWidget* parent) : QMainWindow(parent) {}
MenuWindow::~MenuWindow() = default;

void MenuWindow::setMenu(const ui::MenuSpec& desc) {
  spec_ = desc;
  rebuild();
}

void MenuWindow::addItems(QMenu* menu, const std::vector<ui::MenuItem>& items) {
  for (const auto& item : items) {
    if (!item.popup.empty()) {
      QMenu* sub = menu->addMenu(toQt(item.text));
      sub->menuAction()->setEnabled(item.enabled);
      if (item.id != 0) actions_[item.id] = sub->menuAction();
      addItems(sub, item.popup);
    } else if (item.id == 0) {
      menu->addSeparator();
    } else {
      QAction* a = menu->addAction(toQt(item.text));
      a->setEnabled(item.enabled);
      const int id = item.id;
      connect(a, &QAction::triggered, this, [this, id] { runCommand(id); });
      actions_[id] = a;
    }
  }
}

void MenuWindow::rebuild() {
  actions_.clear();
  for (auto* s : shortcuts_) delete s;
  shortcuts_.clear();
  // A new bar each time: the old one goes with its menus and actions.
  auto* bar = new QMenuBar(this);
  setMenuBar(bar);
  corner_ = nullptr;
  for (const auto& item : spec_.bar) {
    QMenuBar* target = bar;
    std::string text = item.text;
    if (!text.empty() && text.front() == '\b') {
      // Right-justified: in a small bar of its own at the right end.
      text.erase(0, 1);
      if (!corner_) {
        corner_ = new QMenuBar(bar);
        bar->setCornerWidget(corner_, Qt::TopRightCorner);
      }
      target = corner_;
    }
    if (!item.popup.empty()) {
      QMenu* m = target->addMenu(toQt(text));
      m->menuAction()->setEnabled(item.enabled);
      if (item.id != 0) actions_[item.id] = m->menuAction();
      addItems(m, item.popup);
    } else if (item.id != 0) {
      QAction* a = target->addAction(toQt(text));
      a->setEnabled(item.enabled);
      const int id = item.id;
      connect(a, &QAction::triggered, this, [this, id] { runCommand(id); });
      actions_[id] = a;
    }
  }
  for (const auto& [key, command] : spec_.keyToCommand) {
    const int qkey = qtKeyOf(key);
    if (!qkey) continue;
    auto* s = new QShortcut(QKeySequence(qkey), this);
    s->setContext(Qt::WindowShortcut);
    const int id = command;
    connect(s, &QShortcut::activated, this, [this, id] { runCommand(id); });
    shortcuts_.push_back(s);
  }
}

bool MenuWindow::setItemEnabled(int id, bool on) {
  if (!spec_.setEnabled(id, on)) return false;
  if (auto* a = action(id)) a->setEnabled(on);
  return true;
}

bool MenuWindow::setItemText(int id, std::string cp1252) {
  if (!spec_.setText(id, cp1252)) return false;
  if (auto* a = action(id)) {
    if (!cp1252.empty() && cp1252.front() == '\b') cp1252.erase(0, 1);
    a->setText(toQt(cp1252));
  }
  return true;
}

bool MenuWindow::removeItem(int id) {
  if (!spec_.remove(id)) return false;
  rebuild();
  return true;
}

QAction* MenuWindow::action(int id) const {
  auto it = actions_.find(id);
  return it == actions_.end() ? nullptr : it->second;
}

bool MenuWindow::trigger(int id) {
  QAction* a = action(id);
  if (!a || !a->isEnabled()) return false;
  a->trigger();
  return true;
}

void MenuWindow::runCommand(int id) {
  if (handler_) handler_(id);
}

void MenuWindow::setTitle(std::string_view cp1252) {
  setWindowTitle(toQt(cp1252));
}

}  // namespace talpora::qt
