#pragma once

#include <string_view>

#include "com/unknown.h"

namespace host {

struct HostApplication;
struct HostFeatureLayer;
struct HostStandaloneTable;

// A window that lists the rows of a layer or a standalone table. Showing it tells the user
// (the transcript's "table NAME" line, NAME being the layer's or table's name).
struct HostTableWindow : com::IUnknown {
  COM_INTERFACE(HostTableWindow, com::IUnknown, "7A9342E9-AFC0-4E64-AD78-2D1DC2D102EE")
  virtual void SetLayer(HostFeatureLayer* layer) = 0;
  virtual void SetStandaloneTable(HostStandaloneTable* table) = 0;
  // How the window follows the selection and which rows it lists; kept as given.
  virtual void SetDisplaySettings(int selection_action, int rows_shown, bool show_aliases) = 0;
  virtual void SetApplication(HostApplication* application) = 0;
  virtual bool IsVisible() = 0;
  // Fails with E_UNEXPECTED when the window has neither a layer nor a table.
  virtual com::HRESULT Show(bool visible) = 0;
};

inline constexpr std::string_view TableWindowClass = "esricore.TableWindow";

} // namespace host
