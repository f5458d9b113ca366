// platform: dialog form state and menu tables.
#include "platform/ui.h"

namespace talpora::ui {

std::string FormState::text(ControlId id) const {
  const auto* c = find(id);
  return c ? c->text : std::string();
}
void FormState::setText(ControlId id, std::string text) { at(id).text = std::move(text); }
bool FormState::checked(ControlId id) const {
  const auto* c = find(id);
  return c && c->checked;
}
void FormState::setChecked(ControlId id, bool on) { at(id).checked = on; }
int FormState::selection(ControlId id) const {
  const auto* c = find(id);
  return c ? c->selection : -1;
}
void FormState::setSelection(ControlId id, int index) { at(id).selection = index; }
std::vector<int> FormState::selections(ControlId id) const {
  const auto* c = find(id);
  return c ? c->selections : std::vector<int>{};
}
void FormState::setSelections(ControlId id, std::vector<int> indexes) { at(id).selections = std::move(indexes); }
const std::vector<FormState::Item>& FormState::items(ControlId id) const {
  static const std::vector<Item> kNone;
  const auto* c = find(id);
  return c ? c->items : kNone;
}
void FormState::setItems(ControlId id, std::vector<Item> items) {
  auto& c = at(id);
  c.items = std::move(items);
  if (c.selection >= static_cast<int>(c.items.size())) c.selection = -1;
}
int FormState::itemData(ControlId id, int index) const {
  const auto& list = items(id);
  if (index < 0 || index >= static_cast<int>(list.size())) return -1;
  return list[static_cast<std::size_t>(index)].data;
}
void FormState::remove(ControlId id) { at(id).removed = true; }
bool FormState::removed(ControlId id) const {
  const auto* c = find(id);
  return c && c->removed;
}
void FormState::enable(ControlId id, bool on) { at(id).enabled = on; }
bool FormState::enabled(ControlId id) const {
  const auto* c = find(id);
  return !c || (c->enabled && !c->removed);
}
void FormState::show(ControlId id, bool on) { at(id).visible = on; }
bool FormState::visible(ControlId id) const {
  const auto* c = find(id);
  return !c || (c->visible && !c->removed);
}

namespace {
MenuItem* findMutable(std::vector<MenuItem>& items, int id) {
  for (auto& item : items) {
    if (item.id == id && id != 0) return &item;
    if (auto* p = findMutable(item.popup, id)) return p;
  }
  return nullptr;
}
bool removeIn(std::vector<MenuItem>& items, int id) {
  for (auto it = items.begin(); it != items.end(); ++it) {
    if (it->id == id && id != 0) {
      items.erase(it);
      return true;
    }
    if (removeIn(it->popup, id)) return true;
  }
  return false;
}
void collect(const std::vector<MenuItem>& items, std::vector<int>& out) {
  for (const auto& item : items) {
    if (item.id != 0 && item.popup.empty()) out.push_back(item.id);
    collect(item.popup, out);
  }
}
}  // namespace

MenuItem* MenuSpec::find(int id) { return findMutable(bar, id); }
const MenuItem* MenuSpec::find(int id) const { return findMutable(const_cast<std::vector<MenuItem>&>(bar), id); }
bool MenuSpec::remove(int id) { return removeIn(bar, id); }
bool MenuSpec::setEnabled(int id, bool on) {
  auto* item = find(id);
  if (item) item->enabled = on;
  return item != nullptr;
}
bool MenuSpec::setText(int id, std::string text) {
  auto* item = find(id);
  if (item) item->text = std::move(text);
  return item != nullptr;
}
std::vector<int> MenuSpec::commandIds() const {
  std::vector<int> out;
  collect(bar, out);
  return out;
}

}  // namespace talpora::ui
