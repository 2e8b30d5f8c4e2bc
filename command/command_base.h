#pragma once

#include <string>
#include <string_view>

#include "com/object.h"
#include "command/answer.h"
#include "command/app_path.h"
#include "command/command_bitmap.h"
#include "command/command_properties.h"
#include "command/handler_boundary.h"
#include "host/application.h"
#include "host/command.h"
#include "network/state/network_loaded.h"

namespace corvane {

// What a command keeps of the hook that OnCreate hands it.
enum class KeepOnCreate { ApplicationAndDocument, ApplicationOnly, Nothing };

// The frame every command and tool shares: the ICommand properties from the class's table row,
// the bitmap loaded at construction (a failed load ends the construction), the host objects
// kept by OnCreate, and Enabled and OnClick run inside the handler boundary. A command class
// writes only its own members: enabled() when its rule is not "a network is loaded", click()
// for its work, and created() for what its OnCreate does beyond keeping the host objects.
template <class... MoreInterfaces>
class CommandBase : public com::ComObject<host::ICommand, MoreInterfaces...> {
public:
  com::HRESULT Enabled(bool* enabled) final {
    if (!enabled)
      return com::E_POINTER;
    *enabled = false;
    // Answered from the state in memory: a host that asks every button never waits for
    // another program's turn in the folder.
    return run_handler([&] { *enabled = this->enabled(); }, FolderTurnRule::none);
  }
  com::HRESULT Checked(bool* checked) final { return answer(checked, false); }
  com::HRESULT Name(std::string* name) final { return answer(name, properties_.Name); }
  com::HRESULT Caption(std::string* caption) final { return answer(caption, properties_.Caption); }
  com::HRESULT Tooltip(std::string* tooltip) final { return answer(tooltip, properties_.Tooltip); }
  com::HRESULT Message(std::string* message) final { return answer(message, properties_.Message); }
  com::HRESULT HelpFile(std::string* file) final { return answer(file, std::string_view{}); }
  com::HRESULT HelpContextID(long* id) final { return answer(id, 0L); }
  com::HRESULT Bitmap(long* handle) final { return answer(handle, bitmap_.handle()); }
  com::HRESULT Category(std::string* category) final { return answer(category, CommandCategory); }

  com::HRESULT OnCreate(com::IUnknown* hook) final {
    // Keeps what the host hands over, in memory only.
    return run_handler(
        [&] {
          auto application = com::ComPtr<com::IUnknown>(hook).as<host::HostApplication>();
          if (!application)
            return;
          if (keep_ == KeepOnCreate::Nothing)
            return;
          application_ = application;
          if (keep_ == KeepOnCreate::ApplicationAndDocument)
            document_ = application_->Document();
          created();
        },
        FolderTurnRule::none);
  }
  com::HRESULT OnClick() final {
    return run_handler([&] { click(); }, click_turn());
  }

protected:
  explicit CommandBase(const CommandProperties& properties,
                       KeepOnCreate keep = KeepOnCreate::ApplicationAndDocument)
      : properties_(properties), keep_(keep),
        bitmap_(CommandBitmap::load(AppPath(), properties.BitmapId)) {}

  // The rule of every analysis, maintenance and option command.
  virtual bool enabled() { return network_loaded(); }
  virtual void click() {}
  // After OnCreate kept the host objects of a host application hook.
  virtual void created() {}
  // Whether click() runs in the network folder's turn; a command that chooses the folder it
  // works in takes its turn itself.
  virtual FolderTurnRule click_turn() const { return FolderTurnRule::whole_handler; }

  const com::ComPtr<host::HostApplication>& application() const { return application_; }
  const com::ComPtr<host::HostDocument>& document() const { return document_; }
  // The document's focus map; ends the handler when either is missing.
  com::ComPtr<host::HostMap> focus_map() const {
    return require(require(document_, "Document")->FocusMap(), "Document.FocusMap");
  }

private:
  const CommandProperties properties_;
  const KeepOnCreate keep_;
  const CommandBitmap bitmap_;
  com::ComPtr<host::HostApplication> application_;
  com::ComPtr<host::HostDocument> document_;
};

// A command with the ITool surface of a map tool (and any further interfaces of its own): the
// host's default cursor, always willing to be deactivated, no context menu, and mouse_down()
// for the tool's work.
template <class... MoreInterfaces>
class ToolWith : public CommandBase<host::ITool, MoreInterfaces...> {
public:
  com::HRESULT Cursor(long* cursor) final { return answer(cursor, 0L); }
  com::HRESULT OnMouseDown(long button, long shift, long x, long y) final {
    return run_handler([&] { mouse_down(button, shift, x, y); });
  }
  com::HRESULT OnMouseMove(long, long, long, long) final { return com::S_OK; }
  com::HRESULT OnMouseUp(long, long, long, long) final { return com::S_OK; }
  com::HRESULT OnDblClick() final { return com::S_OK; }
  com::HRESULT OnKeyDown(long, long) final { return com::S_OK; }
  com::HRESULT OnKeyUp(long, long) final { return com::S_OK; }
  com::HRESULT OnContextMenu(long, long, bool* handled) final { return answer(handled, false); }
  com::HRESULT Refresh(long) final { return com::S_OK; }
  com::HRESULT Deactivate(bool* deactivated) final { return answer(deactivated, true); }

protected:
  using CommandBase<host::ITool, MoreInterfaces...>::CommandBase;

  virtual void mouse_down(long /*button*/, long /*shift*/, long /*x*/, long /*y*/) {}
};

using ToolBase = ToolWith<>;

} // namespace corvane
