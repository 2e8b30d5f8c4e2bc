#pragma once

#include <span>
#include <string>
#include <string_view>

#include "com/object.h"
#include "command/answer.h"
#include "host/command_bar.h"

namespace corvane {

// One item of a menu or toolbar: the ProgID of a command, tool or menu, and whether it begins
// a group (drawn with a separator before it).
struct BarItem {
  std::string_view ProgID;
  bool Group = false;
};

struct BarContents {
  std::string_view Caption;
  std::string_view Name;
  std::span<const BarItem> Items;
};

// Fills the host's item definition for a position 0 .. item count - 1 (tested as an unsigned
// number, so a negative position is outside); any other position sets nothing and succeeds.
// A failing setter ends the call with its code.
com::HRESULT fill_item_info(const BarContents& contents, long position, host::HostItemDef* item);

// The frame of the menu and toolbar definitions: a fixed list of items and two texts.
template <class Definition, class... MoreInterfaces>
class CommandBarBase : public com::ComObject<Definition, MoreInterfaces...> {
public:
  com::HRESULT ItemCount(long* count) final {
    return answer(count, static_cast<long>(contents_.Items.size()));
  }
  com::HRESULT GetItemInfo(long position, host::HostItemDef* item) final {
    return fill_item_info(contents_, position, item);
  }
  com::HRESULT Name(std::string* name) final { return answer(name, contents_.Name); }
  com::HRESULT Caption(std::string* caption) final { return answer(caption, contents_.Caption); }

protected:
  explicit CommandBarBase(const BarContents& contents) : contents_(contents) {}

private:
  const BarContents contents_;
};

// The menus can all stand at the root of the host's menu bar.
using MenuBase = CommandBarBase<host::IMenuDef, host::IRootLevelMenu>;
using ToolBarBase = CommandBarBase<host::IToolBarDef>;

} // namespace corvane
