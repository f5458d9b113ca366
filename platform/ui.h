// platform: everything modal that asks a person (messages, file and font choosers, dialogs), the
// declarative dialog forms, menus and the report view. Texts are CP1252 unless said otherwise.
#pragma once
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/gfx.h"

namespace talpora::ui {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class Icon { None, Stop, Warning, Information, Question };
enum class Answer { Ok, Cancel, Yes, No, Retry };

struct Message {
  std::string text, caption;
  Buttons buttons = Buttons::Ok;
  Icon icon = Icon::None;
  std::optional<Answer> defaultButton;
};

struct FileDialogSpec {
  std::string title;
  std::string filter;       // "Chart Files (*.chr)|*.chr||"
  std::string defaultName;  // initial file name
  std::string defaultExt;   // appended when the user typed none
  bool save = false;
  bool overwritePrompt = false;
};

class DialogModel;

class Interaction {
 public:
  virtual ~Interaction() = default;
  virtual Answer message(const Message&) = 0;
  virtual std::optional<std::filesystem::path> chooseFile(const FileDialogSpec&) = 0;
  virtual std::optional<gfx::FontSpec> chooseFont(const gfx::FontSpec& initial) = 0;
  virtual bool printSetup() = 0;
  virtual int runModal(DialogModel&) = 0;  // the close code the model gave
  // Shows a text file to the user (the listing of towns, a saved report).
  virtual void showTextFile(const std::filesystem::path&) {}

  // Convenience: an OK box.
  Answer tell(std::string text, std::string caption, Icon icon = Icon::None) {
    return message(Message{std::move(text), std::move(caption), Buttons::Ok, icon, std::nullopt});
  }
};

using ControlId = int;
constexpr ControlId IDOK = 1;
constexpr ControlId IDCANCEL = 2;
constexpr ControlId IDHELP = 665;
constexpr ControlId kLabelOffset = 13000;  // a click on control id + 13000 focuses the box id

enum class ControlKind { Static, Edit, MultiEdit, Number, Check, Radio, List, MultiList, Combo, Group, Button };

struct ControlSpec {
  ControlId id = 0;
  ControlKind kind = ControlKind::Static;
  std::string text;    // label, caption or initial text
  int maxLength = 0;   // edit boxes: characters; 0 no limit
  int group = 0;       // radio buttons of one group share a number
  int row = -1;        // layout hint: row of the form (-1: next row)
  int column = 0;      // layout hint: column within the row
  ControlId buddy = 0; // a label's box (0: id - kLabelOffset when the label id is above it)
  bool fixedPitch = false;
};

struct FormSpec {
  std::string resource, caption;
  std::vector<ControlSpec> controls;
  const ControlSpec* find(ControlId id) const {
    for (const auto& c : controls)
      if (c.id == id) return &c;
    return nullptr;
  }
};

// What the view shows. The model writes it; commands read it. The renderer mirrors it both ways.
class FormState {
 public:
  struct Item {
    std::string text;
    int data = 0;
  };
  std::string text(ControlId id) const;
  void setText(ControlId id, std::string text);
  bool checked(ControlId id) const;
  void setChecked(ControlId id, bool on);
  int selection(ControlId id) const;  // -1: nothing selected
  void setSelection(ControlId id, int index);
  std::vector<int> selections(ControlId id) const;  // multi-selection lists
  void setSelections(ControlId id, std::vector<int> indexes);
  const std::vector<Item>& items(ControlId id) const;
  void setItems(ControlId id, std::vector<Item> items);
  int itemData(ControlId id, int index) const;
  void remove(ControlId id);
  bool removed(ControlId id) const;
  void enable(ControlId id, bool on);
  bool enabled(ControlId id) const;
  void show(ControlId id, bool on);
  bool visible(ControlId id) const;
  void focus(ControlId id) { focus_ = id; }
  ControlId focused() const { return focus_; }
  void setCaption(std::string caption) { caption_ = std::move(caption); }
  const std::string& caption() const { return caption_; }
  void close(int result) {
    closed_ = true;
    result_ = result;
  }
  bool closed() const { return closed_; }
  int result() const { return result_; }
  // Incremented on every change, so a renderer knows when to refresh.
  unsigned revision() const { return revision_; }

 private:
  struct Control {
    std::string text;
    bool checked = false;
    int selection = -1;
    std::vector<int> selections;
    std::vector<Item> items;
    bool removed = false, enabled = true, visible = true;
  };
  Control& at(ControlId id) {
    ++revision_;
    return controls_[id];
  }
  const Control* find(ControlId id) const {
    auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : &it->second;
  }
  std::map<ControlId, Control> controls_;
  std::string caption_;
  ControlId focus_ = 0;
  bool closed_ = false;
  int result_ = 0;
  unsigned revision_ = 0;
};

// One plain class per dialog box. OK is command(IDOK, ...): it validates in order, asks its
// questions through the Interaction, and clears and focuses the offending box.
class DialogModel {
 public:
  virtual ~DialogModel() = default;
  virtual const FormSpec& form() const = 0;
  virtual void open(FormState&) = 0;
  virtual void command(ControlId, FormState&, Interaction&) = 0;
  // A box was left (edit finished); default: nothing.
  virtual void editFinished(ControlId, FormState&, Interaction&) {}
  // A list entry was double-clicked; default: nothing.
  virtual void doubleClicked(ControlId, FormState&, Interaction&) {}
};

// Menus as tables; "&" marks mnemonics, a leading "\b" right-justifies an item.
struct MenuItem {
  int id = 0;  // 0 with an empty popup: a separator
  std::string text;
  std::vector<MenuItem> popup;
  bool enabled = true;
};
struct MenuSpec {
  std::string name;
  std::vector<MenuItem> bar;
  std::vector<std::pair<int, int>> keyToCommand;  // accelerator: key code (e.g. 0x70 = F1) -> command
  // Finds an item anywhere in the tree.
  MenuItem* find(int id);
  const MenuItem* find(int id) const;
  bool remove(int id);
  bool setEnabled(int id, bool on);
  bool setText(int id, std::string text);
  std::vector<int> commandIds() const;
};

class ReportView {
 public:
  virtual ~ReportView() = default;
  virtual void show(std::string_view crlfText) = 0;        // text (CP1252, CR LF) shown and focused
  virtual std::vector<std::string> lines() const = 0;      // the current lines, edits included
};

class ProgressSink {
 public:
  virtual ~ProgressSink() = default;
  virtual void show(std::string_view cp1252) = 0;
  // How far the run is (done of total; total <= 0: unknown), for a progress bar; default: nothing.
  virtual void progress(long /*done*/, long /*total*/) {}
  virtual bool cancelled() const { return false; }
};

}  // namespace talpora::ui
