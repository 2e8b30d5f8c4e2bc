#include "session/command_bars.h"

#include <algorithm>

#include "com/create.h"
#include "com/letter_case.h"
#include "com/object.h"
#include "com/registry.h"
#include "data/letter_case.h"
#include "session/session_error.h"
#include "session/transcript.h"

namespace host::session {

namespace {

// The host's side of one item while a bar fills it in.
class ItemDef final : public com::ComObject<HostItemDef> {
public:
  com::HRESULT ID(std::string* id) override { return id ? (*id = id_, com::S_OK) : com::E_POINTER; }
  com::HRESULT SetID(const std::string& id) override {
    id_ = id;
    return com::S_OK;
  }
  com::HRESULT Group(bool* group) override {
    return group ? (*group = group_, com::S_OK) : com::E_POINTER;
  }
  com::HRESULT SetGroup(bool group) override {
    group_ = group;
    return com::S_OK;
  }
  com::HRESULT SubType(long* sub_type) override {
    return sub_type ? (*sub_type = sub_type_, com::S_OK) : com::E_POINTER;
  }
  com::HRESULT SetSubType(long sub_type) override {
    sub_type_ = sub_type;
    return com::S_OK;
  }

private:
  std::string id_;
  bool group_ = false;
  long sub_type_ = 0;
};

template <class Definition>
bool read_items(com::IUnknown* bar, std::vector<std::pair<std::string, bool>>& items) {
  auto definition = com::ComPtr<com::IUnknown>(bar).as<Definition>();
  if (!definition)
    return false;
  long count = 0;
  if (com::FAILED(definition->ItemCount(&count)))
    return true;
  for (long position = 0; position < count; ++position) {
    auto item = com::make<ItemDef>();
    if (com::FAILED(definition->GetItemInfo(position, item.get())))
      continue;
    std::string id;
    bool group = false;
    item->ID(&id);
    item->Group(&group);
    if (!id.empty())
      items.emplace_back(id, group);
  }
  return true;
}

// What follows "is not registered": the registered ProgIDs the user may have meant, or where to
// find them all.
std::string registered_near(std::string_view prog_id) {
  std::vector<std::string> registered;
  for (const auto& info : com::registered_classes())
    registered.push_back(info.prog_id);
  const auto nearest = nearest_names(prog_id, registered);
  if (nearest.empty())
    return " (gishost --classes lists the registered classes)";
  return " (the nearest registered: " + comma_separated(nearest) + ")";
}

} // namespace

bool bar_texts(com::IUnknown* bar, std::string& caption, bool& is_toolbar) {
  const com::ComPtr<com::IUnknown> object(bar);
  if (auto menu = object.as<IMenuDef>()) {
    is_toolbar = false;
    return com::SUCCEEDED(menu->Caption(&caption));
  }
  if (auto toolbar = object.as<IToolBarDef>()) {
    is_toolbar = true;
    return com::SUCCEEDED(toolbar->Caption(&caption));
  }
  return false;
}

std::vector<std::string> CommandBars::load() {
  std::vector<std::string> problems;
  for (const auto& info : com::registered_classes_in_category(CommandBarsCategory)) {
    com::ComPtr<com::IUnknown> object;
    if (const auto hr = com::CreateObject(info.prog_id, object); com::FAILED(hr)) {
      problems.push_back("the command bar " + info.prog_id + " cannot be created (" +
                         code_text(hr) + ")");
      continue;
    }
    bars_.push_back({info.prog_id, object});
  }
  for (const auto& bar : bars_) {
    for (const auto& item : items_of(bar.object.get())) {
      if (this->bar(item.prog_id))
        continue;
      try {
        command(item.prog_id);
      } catch (const SessionError& error) {
        problems.push_back(error.what());
      }
    }
  }
  return problems;
}

com::ComPtr<com::IUnknown> CommandBars::bar(std::string_view prog_id) {
  for (const auto& bar : bars_)
    if (com::equal_ignoring_case(bar.prog_id, prog_id))
      return bar.object;
  return nullptr;
}

std::vector<CommandBars::Item> CommandBars::items_of(com::IUnknown* bar) {
  std::vector<std::pair<std::string, bool>> read;
  if (!read_items<IMenuDef>(bar, read))
    read_items<IToolBarDef>(bar, read);
  std::vector<Item> items;
  for (auto& [id, group] : read)
    items.push_back({std::move(id), group});
  return items;
}

com::ComPtr<ICommand> CommandBars::command(std::string_view prog_id) {
  const auto key = lower_case(prog_id);
  if (const auto found = commands_.find(key); found != commands_.end())
    return found->second;
  com::ComPtr<com::IUnknown> object;
  if (const auto hr = com::CreateObject(prog_id, object); com::FAILED(hr)) {
    if (hr == com::REGDB_E_CLASSNOTREG)
      throw SessionError(std::string(prog_id) + " is not registered" + registered_near(prog_id));
    throw SessionError(std::string(prog_id) + " cannot be created (" + code_text(hr) + ")");
  }
  auto command = object.as<ICommand>();
  if (!command)
    throw SessionError(std::string(prog_id) + " is not a command");
  if (const auto hr = command->OnCreate(application_.get()); com::FAILED(hr))
    throw SessionError(std::string(prog_id) + " OnCreate failed (" + code_text(hr) + ")");
  commands_.emplace(key, command);
  return command;
}

void CommandBars::idle() {
  for (const auto& bar : bars_) {
    if (!bar.object.as<IToolBarDef>())
      continue;
    for (const auto& item : items_of(bar.object.get())) {
      const auto found = commands_.find(lower_case(item.prog_id));
      if (found == commands_.end())
        continue;
      bool enabled = false;
      found->second->Enabled(&enabled);
    }
  }
}

std::vector<std::string> CommandBars::describe() {
  std::vector<std::string> lines;
  // A menu that another menu lists is shown inside it, not again at the top.
  std::vector<std::string> nested;
  for (const auto& bar : bars_) {
    if (!bar.object.as<IMenuDef>())
      continue;
    for (const auto& item : items_of(bar.object.get()))
      nested.push_back(lower_case(item.prog_id));
  }
  for (const auto& bar : bars_) {
    std::string caption;
    bool is_toolbar = false;
    if (!bar_texts(bar.object.get(), caption, is_toolbar))
      continue;
    if (!is_toolbar && std::ranges::find(nested, lower_case(bar.prog_id)) != nested.end())
      continue;
    lines.push_back((is_toolbar ? "toolbar " : "menu ") + quote(caption));
    std::vector<std::string> open{lower_case(bar.prog_id)};
    describe_items(bar.prog_id, 1, lines, open);
  }
  return lines;
}

void CommandBars::describe_items(const std::string& prog_id, int depth,
                                 std::vector<std::string>& lines, std::vector<std::string>& open) {
  const std::string indent(static_cast<std::size_t>(depth) * 2, ' ');
  const auto owner = bar(prog_id);
  const bool owner_is_menu = owner && owner.as<IMenuDef>();
  bool first = true;
  for (const auto& item : items_of(owner.get())) {
    if (item.group && !first)
      lines.push_back(indent + "---");
    first = false;
    if (const auto sub = bar(item.prog_id)) {
      std::string caption;
      bool is_toolbar = false;
      bar_texts(sub.get(), caption, is_toolbar);
      lines.push_back(indent + "menu " + item.prog_id + " " + quote(caption));
      // Menus open inside menus; a toolbar shows a menu as one button.
      if (owner_is_menu && std::ranges::find(open, lower_case(item.prog_id)) == open.end()) {
        open.push_back(lower_case(item.prog_id));
        describe_items(item.prog_id, depth + 1, lines, open);
        open.pop_back();
      }
      continue;
    }
    const auto found = commands_.find(lower_case(item.prog_id));
    if (found == commands_.end()) {
      lines.push_back(indent + item.prog_id + " (not available)");
      continue;
    }
    std::string caption;
    found->second->Caption(&caption);
    const bool tool = static_cast<bool>(found->second.as<ITool>());
    lines.push_back(indent + (tool ? "tool " : "command ") + item.prog_id + " " + quote(caption));
  }
}

} // namespace host::session
