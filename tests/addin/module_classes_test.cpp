#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>
#include <vector>

#include "addin/command_bar_base.h"
#include "addin/corvane1.h"
#include "addin/corvbar.h"
#include "com/module.h"
#include "host/command.h"
#include "host/command_bar.h"

namespace corvane {
namespace {

std::string lower(std::string_view text) {
  std::string out(text);
  std::ranges::transform(out, out.begin(), [](unsigned char c) { return std::tolower(c); });
  return out;
}

const com::ModuleClass* find_class(std::string_view prog_id) {
  for (const auto& c : com::module_classes())
    if (lower(c.prog_id) == lower(prog_id))
      return &c;
  return nullptr;
}

template <class Bar> std::vector<std::string> items_of(const com::ComPtr<Bar>& bar) {
  class Item final : public com::ComObject<host::HostItemDef> {
  public:
    std::string id;
    com::HRESULT ID(std::string* out) override { return *out = id, com::S_OK; }
    com::HRESULT SetID(const std::string& value) override { return id = value, com::S_OK; }
    com::HRESULT Group(bool* out) override { return *out = false, com::S_OK; }
    com::HRESULT SetGroup(bool) override { return com::S_OK; }
    com::HRESULT SubType(long* out) override { return *out = 0, com::S_OK; }
    com::HRESULT SetSubType(long) override { return com::S_OK; }
  };
  long count = 0;
  bar->ItemCount(&count);
  std::vector<std::string> ids;
  for (long i = 0; i < count; ++i) {
    auto item = com::make<Item>();
    bar->GetItemInfo(i, item.get());
    ids.push_back(item->id);
  }
  return ids;
}

TEST(ModuleClasses, EveryProgIdIsCorvaneAndTheClassNameInItsCategory) {
  const auto& classes = com::module_classes();
  EXPECT_EQ(classes.size(), 6u + 33u) << "six bars and every command and tool of the add-in";
  std::set<std::string> clsids;
  for (const auto& c : classes) {
    EXPECT_EQ(c.prog_id, "Corvane." + std::string(c.class_name));
    clsids.insert(std::string(reinterpret_cast<const char*>(&c.clsid), sizeof c.clsid));
    com::ComPtr<com::IUnknown> object;
    ASSERT_EQ(c.create(com::IUnknown::iid, object.put_void()), com::S_OK) << c.prog_id;
    const bool is_bar = object.as<host::IMenuDef>() || object.as<host::IToolBarDef>();
    EXPECT_EQ(c.category, is_bar ? host::CommandBarsCategory : host::CommandsCategory) << c.prog_id;
    EXPECT_TRUE(is_bar || object.as<host::ICommand>()) << c.prog_id;
  }
  EXPECT_EQ(clsids.size(), classes.size()) << "class ids are unique";
}

TEST(ModuleClasses, EveryItemOfTheMenusAndToolbarReachesAClass) {
  std::vector<std::string> items = items_of(com::make<Corvbar>());
  for (const auto& menu : items_of(com::make<Corvane1>()))
    items.push_back(menu);
  for (const auto& id : items) {
    const auto* c = find_class(id);
    ASSERT_TRUE(c) << id;
    com::ComPtr<com::IUnknown> object;
    ASSERT_EQ(c->create(com::IUnknown::iid, object.put_void()), com::S_OK) << id;
    if (!object.as<host::IMenuDef>())
      continue;
    for (const auto& sub : items_of(object.as<host::IMenuDef>()))
      EXPECT_TRUE(find_class(sub)) << sub << " of " << id;
  }
  EXPECT_EQ(find_class("Corvane.SubNet")->class_name, "Subnet");
}

// The fixed members every command answers the same way, and the tool surface of the map tools.
TEST(ModuleClasses, CommandsShareTheFrameAndEachLoadsItsOwnBitmap) {
  std::set<long> handles;
  int tools = 0;
  for (const auto& c : com::module_classes()) {
    if (c.category != host::CommandsCategory)
      continue;
    com::ComPtr<host::ICommand> command;
    ASSERT_EQ(c.create(host::ICommand::iid, command.put_void()), com::S_OK) << c.prog_id;
    bool checked = true;
    std::string category, help_file = "x";
    long context = -1, bitmap = 0;
    EXPECT_EQ(command->Checked(&checked), com::S_OK);
    command->Category(&category);
    command->HelpFile(&help_file);
    command->HelpContextID(&context);
    command->Bitmap(&bitmap);
    EXPECT_FALSE(checked);
    EXPECT_EQ(category, "Corvane");
    EXPECT_EQ(help_file, "");
    EXPECT_EQ(context, 0);
    EXPECT_NE(bitmap, 0) << c.prog_id;
    handles.insert(bitmap);
    EXPECT_EQ(command->Caption(nullptr), com::E_POINTER);

    const auto tool = command.as<host::ITool>();
    if (!tool)
      continue;
    ++tools;
    long cursor = -1;
    bool deactivated = false, handled = true;
    tool->Cursor(&cursor);
    tool->Deactivate(&deactivated);
    tool->OnContextMenu(1, 1, &handled);
    EXPECT_EQ(cursor, 0);
    EXPECT_TRUE(deactivated);
    EXPECT_FALSE(handled);
  }
  EXPECT_EQ(tools, 11);
  EXPECT_EQ(handles.size(), 33u) << "every object holds a picture of its own";
}

} // namespace
} // namespace corvane
