#include "forms/lists.h"

#include <algorithm>

#include "com/letter_case.h"
#include "whole_number.h"

namespace forms {

namespace {
void check_position(int index, int count) {
  if (index < 0 || index >= count)
    throw Error("Invalid property array index");
}

} // namespace

ListControl::ListControl(Container& parent, Id id, std::vector<std::string> items, Look look)
    : Control(parent, std::move(id), look), items_(items), design_items_(std::move(items)) {}

int ListControl::ListCount() const {
  touch();
  return static_cast<int>(items_.size());
}
std::string ListControl::List(int index) const {
  touch();
  check_position(index, ListCount());
  return items_[static_cast<std::size_t>(index)];
}
void ListControl::SetList(int index, std::string item) {
  touch();
  check_position(index, ListCount());
  items_[static_cast<std::size_t>(index)] = std::move(item);
}
void ListControl::AddItem(std::string item, int index) {
  touch();
  if (index == -1)
    index = ListCount();
  check_position(index, ListCount() + 1);
  items_.insert(items_.begin() + index, std::move(item));
  if (list_index_ >= index)
    ++list_index_;
}
void ListControl::RemoveItem(int index) {
  touch();
  check_position(index, ListCount());
  items_.erase(items_.begin() + index);
  if (list_index_ == index) {
    list_index_ = -1;
    selection_changed();
  } else if (list_index_ > index) {
    --list_index_;
  }
}
void ListControl::Clear() {
  touch();
  items_.clear();
  list_index_ = -1;
  selection_changed();
}
int ListControl::ListIndex() const {
  touch();
  return list_index_;
}
void ListControl::SetListIndex(int index) {
  touch();
  if (index != -1)
    check_position(index, ListCount());
  if (index == list_index_)
    return;
  list_index_ = index;
  selection_changed();
  raise(Click);
}

std::string ListControl::select_item(const std::string& item) {
  int index = -1;
  if (const auto found = std::ranges::find(items_, item); found != items_.end()) {
    index = static_cast<int>(found - items_.begin());
  } else if (item.size() > 1 && item.front() == '#') {
    const auto number = whole_number(std::string_view(item).substr(1));
    if (!number || *number < 0 || *number >= ListCount())
      return "has no item " + item + " (" + std::to_string(ListCount()) + " items)";
    index = *number;
  } else {
    std::string known;
    for (const auto& text : items_)
      known += (known.empty() ? "\"" : ", \"") + text + "\"";
    return "has no item \"" + item + "\" (items: " + known + ")";
  }
  SetListIndex(index);
  return {};
}

std::string ListControl::perform(const UserAction& action) {
  switch (action.gesture) {
  case Gesture::Select:
    return select_item(action.value);
  case Gesture::DoubleClick: {
    if (!action.value.empty())
      if (auto problem = select_item(action.value); !problem.empty())
        return problem;
    raise(DblClick);
    return {};
  }
  case Gesture::Key:
    return press_key(action.value);
  default:
    return refusal(action);
  }
}

void ListControl::appear(Appearance& out) const {
  out.items = items_;
  if (list_index_ >= 0 && list_index_ < static_cast<int>(items_.size()))
    out.text = items_[static_cast<std::size_t>(list_index_)];
}

void ListBox::appear(Appearance& out) const {
  ListControl::appear(out);
  out.kind = "list";
}

void ComboBox::appear(Appearance& out) const {
  ListControl::appear(out);
  out.kind = "combo";
  out.text = text_;
}

void ListControl::restore_state() {
  items_ = design_items_;
  list_index_ = -1;
}

ListBox::ListBox(Container& parent, Id id, std::vector<std::string> items, Look look)
    : ListControl(parent, std::move(id), std::move(items), look) {}

std::string ListBox::Text() const {
  const int index = ListIndex();
  return index < 0 ? std::string() : items()[static_cast<std::size_t>(index)];
}

ComboBox::ComboBox(Container& parent, Id id, ComboStyle style, std::vector<std::string> items,
                   std::string text, Look look)
    : ListControl(parent, std::move(id), std::move(items), look), style_(style), text_(text),
      design_text_(std::move(text)) {}

std::string ComboBox::Text() const {
  touch();
  return text_;
}

void ComboBox::SetText(std::string text) {
  touch();
  const int match = find_item(text);
  if (style_ == ComboStyle::DropdownList) {
    if (match < 0)
      throw Error("'Text' property is read-only");
    SetListIndex(match);
    return;
  }
  if (text == text_)
    return;
  text_ = std::move(text);
  select_silently(match);
  raise(Change);
}

int ComboBox::find_item(const std::string& text) const {
  const auto& list = items();
  for (std::size_t i = 0; i < list.size(); ++i)
    if (list[i] == text)
      return static_cast<int>(i);
  // The platform matches a drop-down list's text without regard to letter case.
  if (style_ == ComboStyle::DropdownList)
    for (std::size_t i = 0; i < list.size(); ++i)
      if (com::equal_ignoring_case(list[i], text))
        return static_cast<int>(i);
  return -1;
}

void ComboBox::selection_changed() {
  const int index = ListIndex();
  text_ = index < 0 ? std::string() : items()[static_cast<std::size_t>(index)];
}

std::string ComboBox::perform(const UserAction& action) {
  if (action.gesture != Gesture::Set)
    return ListControl::perform(action);
  if (style_ == ComboStyle::DropdownList)
    return "is a drop-down list: select one of its items";
  SetText(action.value);
  return {};
}

void ComboBox::restore_state() {
  ListControl::restore_state();
  text_ = design_text_;
}

} // namespace forms
