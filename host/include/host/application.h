#pragma once

#include <string>
#include <string_view>

#include "com/unknown.h"
#include "host/document.h"

namespace host {

// An identifier by ProgID or class id text, as extensions are looked up.
struct HostUid : com::IUnknown {
  COM_INTERFACE(HostUid, com::IUnknown, "7708D97A-3AE4-417A-A66B-3C71448A4421")
  virtual std::string Value() = 0;
  virtual void SetValue(const std::string& value) = 0;
};

// The application's status bar; pane 0 is the message pane.
struct HostStatusBar : com::IUnknown {
  COM_INTERFACE(HostStatusBar, com::IUnknown, "03457416-0618-49FD-BFE0-3E6A4139BEB7")
  virtual std::string Message(int pane) = 0;
  // Shows the text to the user (the transcript's status line); panes other than 0 are kept
  // but not shown.
  virtual void SetMessage(int pane, const std::string& text) = 0;
};

// The host application handed to every command's OnCreate.
struct HostApplication : com::IUnknown {
  COM_INTERFACE(HostApplication, com::IUnknown, "3A2AA08B-A2C5-4546-8B39-622F3FC3C5B9")
  virtual com::ComPtr<HostDocument> Document() = 0;
  // The extension named by the uid ("esricore.Editor"); null when the host has none.
  virtual com::ComPtr<com::IUnknown> FindExtensionByCLSID(HostUid* uid) = 0;
  virtual com::ComPtr<com::IUnknown> FindExtensionByName(const std::string& name) = 0;
  virtual com::ComPtr<HostStatusBar> StatusBar() = 0;
};

inline constexpr std::string_view UidClass = "esricore.UID";
inline constexpr std::string_view EditorExtension = "esricore.Editor";

} // namespace host
