// qt: a program's main window with its menu bar and accelerator table built from a menu table.
// Items keep the suite's conventions: "&" marks a mnemonic ("&&" shows "&"), "\t" starts the key
// shown beside an item, a leading "\b" right-justifies a bar item. Every choice becomes a command id.
#pragma once
#include <QMainWindow>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui.h"

class QAction;
class QMenu;
class QMenuBar;
class QShortcut;

namespace talpora::qt {

// Accelerator keys are Windows virtual-key codes (0x70 = F1, 'A' = 0x41 ...), optionally or-ed with
// these modifier flags.
constexpr int kKeyShift = 0x10000;
constexpr int kKeyCtrl = 0x20000;
constexpr int kKeyAlt = 0x40000;
// The Qt key combination of a virtual-key code; 0 when there is none.
int qtKeyOf(int virtualKey);

class MenuWindow : public QMainWindow {
 public:
  using CommandHandler = std::function<void(int id)>;
  explicit MenuWindow(QWidget* parent = nullptr);
  ~MenuWindow() override;

  void setCommandHandler(CommandHandler h) { handler_ = std::move(h); }
  // Builds the bar and the accelerators from the table, replacing what was there.
  void setMenu(const ui::MenuSpec&);
  const ui::MenuSpec& menu() const { return spec_; }
  bool setItemEnabled(int id, bool on);
  bool setItemText(int id, std::string cp1252);
  bool removeItem(int id);

  QAction* action(int id) const;
  // As if the person chose the item: false when it is missing or greyed.
  bool trigger(int id);
  // Runs a command through the handler (menu items and accelerators come here).
  void runCommand(int id);
  void setTitle(std::string_view cp1252);

 private:
  void rebuild();
  void addItems(QMenu* menu, const std::vector<ui::MenuItem>& items);

  ui::MenuSpec spec_;
  CommandHandler handler_;
  std::map<int, QAction*> actions_;
  std::vector<QShortcut*> shortcuts_;
  QMenuBar* corner_ = nullptr;
};

}  // namespace talpora::qt
