#pragma once

#include <string>
#include <string_view>

#include "com/unknown.h"

namespace host {

// One item of a menu or toolbar as the host keeps it while it asks a definition class for its
// items: the ProgID of the command (or of a menu, shown as a submenu), whether the item begins
// a group (drawn with a separator before it) and its sub-type.
struct HostItemDef : com::IUnknown {
  COM_INTERFACE(HostItemDef, com::IUnknown, "D4973730-1CBC-4CAD-9E4D-F50C1A61F651")
  virtual com::HRESULT ID(std::string* id) = 0;
  virtual com::HRESULT SetID(const std::string& id) = 0;
  virtual com::HRESULT Group(bool* group) = 0;
  virtual com::HRESULT SetGroup(bool group) = 0;
  virtual com::HRESULT SubType(long* sub_type) = 0;
  virtual com::HRESULT SetSubType(long sub_type) = 0;
};

// A menu of an add-in. GetItemInfo fills the item definition for a position 0..ItemCount-1.
struct IMenuDef : com::IUnknown {
  COM_INTERFACE(IMenuDef, com::IUnknown, "D998D800-2D14-4F2F-9658-24F5972CC616")
  static constexpr std::string_view interface_members =
      "ItemCount: long; GetItemInfo(position, itemDef); Name: string; Caption: string";

  virtual com::HRESULT ItemCount(long* count) = 0;
  virtual com::HRESULT GetItemInfo(long position, HostItemDef* item) = 0;
  virtual com::HRESULT Name(std::string* name) = 0;
  virtual com::HRESULT Caption(std::string* caption) = 0;
};

// A menu that may stand at the root of the host's menu bar; it has no members.
struct IRootLevelMenu : com::IUnknown {
  COM_INTERFACE(IRootLevelMenu, com::IUnknown, "CB53935B-4DA7-4909-9477-8319CE927AD7")
};

// A toolbar of an add-in, asked for its items as a menu is.
struct IToolBarDef : com::IUnknown {
  COM_INTERFACE(IToolBarDef, com::IUnknown, "016CCC73-8BD8-497E-A667-AABB047A4E5B")
  static constexpr std::string_view interface_members =
      "ItemCount: long; GetItemInfo(position, itemDef); Name: string; Caption: string";

  virtual com::HRESULT ItemCount(long* count) = 0;
  virtual com::HRESULT GetItemInfo(long position, HostItemDef* item) = 0;
  virtual com::HRESULT Name(std::string* name) = 0;
  virtual com::HRESULT Caption(std::string* caption) = 0;
};

// The component category under which add-ins register their menu and toolbar definitions;
// the host builds its menus and toolbars from the classes of this category.
inline constexpr std::string_view CommandBarsCategory = "Host Command Bars";

} // namespace host
