#pragma once

#include <vector>

#include "forms/control.h"

namespace forms {

// The item list and single selection that list boxes and combo boxes share. ListIndex is -1
// when nothing is selected; Click fires when the selection changes, by a person or by code.
class ListControl : public Control, public KeyEvents {
public:
  int ListCount() const;
  // Error for a position outside the list.
  std::string List(int index) const;
  void SetList(int index, std::string item);
  // Appends, or inserts at a position 0..ListCount (Error otherwise). A selection after the
  // insertion point moves with its item.
  void AddItem(std::string item, int index = -1);
  // Error for a position outside the list. Removing the selected item clears the selection.
  void RemoveItem(int index);
  void Clear();
  int ListIndex() const;
  // -1 clears the selection; Error for a position outside -1..ListCount-1.
  void SetListIndex(int index);

  Event Click;
  Event DblClick;

protected:
  ListControl(Container& parent, Id id, std::vector<std::string> items, Look look);

  // The selection changed: the subclass updates what follows from it, then Click fires.
  virtual void selection_changed() {}
  // A person picks an item by its text or by "#position" (an item whose text that is wins).
  std::string select_item(const std::string& item);
  std::string perform(const UserAction& action) override;
  void restore_state() override;
  // The items, and the chosen one as the text.
  void appear(Appearance& out) const override;
  const std::vector<std::string>& items() const { return items_; }
  // A selection that follows from the text, without a Click.
  void select_silently(int index) { list_index_ = index; }

private:
  std::vector<std::string> items_;
  int list_index_ = -1;
  const std::vector<std::string> design_items_;
};

class ListBox : public ListControl {
public:
  ListBox(Container& parent, Id id, std::vector<std::string> items = {}, Look look = {});

  // The selected item, or the empty text.
  std::string Text() const;

protected:
  void appear(Appearance& out) const override;
};

enum class ComboStyle {
  DropdownCombo = 0, // the person may type any text
  SimpleCombo = 1,
  DropdownList = 2, // the text is always one of the items
};

// Selecting an item puts it into the text. A text set by code or typed by a person fires
// Change; it selects the item it equals, if any, without a Click. A drop-down list takes only
// the text of one of its items (Error otherwise, as the platform's read-only text).
class ComboBox : public ListControl {
public:
  ComboBox(Container& parent, Id id, ComboStyle style, std::vector<std::string> items = {},
           std::string text = "", Look look = {});

  ComboStyle Style() const { return style_; }
  std::string Text() const;
  void SetText(std::string text);

  Event Change;

protected:
  void selection_changed() override;
  std::string perform(const UserAction& action) override;
  void restore_state() override;
  void appear(Appearance& out) const override;

private:
  int find_item(const std::string& text) const;

  const ComboStyle style_;
  std::string text_;
  const std::string design_text_;
};

} // namespace forms
