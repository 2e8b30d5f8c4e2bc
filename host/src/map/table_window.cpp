#include "map/table_window.h"

#include "host/application.h"
#include "map/user_services.h"

namespace host {

void TableWindow::SetLayer(HostFeatureLayer* layer) {
  layer_ = com::ComPtr<HostFeatureLayer>(layer);
  table_ = nullptr;
}

void TableWindow::SetStandaloneTable(HostStandaloneTable* table) {
  table_ = com::ComPtr<HostStandaloneTable>(table);
  layer_ = nullptr;
}

void TableWindow::SetDisplaySettings(int selection_action, int rows_shown, bool show_aliases) {
  selection_action_ = selection_action;
  rows_shown_ = rows_shown;
  show_aliases_ = show_aliases;
}

void TableWindow::SetApplication(HostApplication* application) {
  application_ = com::ComPtr<HostApplication>(application);
}

com::HRESULT TableWindow::Show(bool visible) {
  if (!layer_ && !table_)
    return com::E_UNEXPECTED;
  const bool opens = visible && !visible_;
  visible_ = visible;
  if (opens && user_sink())
    user_sink()->table_window(layer_ ? layer_->Name() : table_->Name());
  return com::S_OK;
}

} // namespace host
