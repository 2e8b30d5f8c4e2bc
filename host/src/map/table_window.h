#pragma once

#include "com/object.h"
#include "host/layer.h"
#include "host/table_window.h"

namespace host {

class TableWindow final : public com::ComObject<HostTableWindow> {
public:
  void SetLayer(HostFeatureLayer* layer) override;
  void SetStandaloneTable(HostStandaloneTable* table) override;
  void SetDisplaySettings(int selection_action, int rows_shown, bool show_aliases) override;
  void SetApplication(HostApplication* application) override;
  bool IsVisible() override { return visible_; }
  com::HRESULT Show(bool visible) override;

private:
  com::ComPtr<HostFeatureLayer> layer_;
  com::ComPtr<HostStandaloneTable> table_;
  com::ComPtr<HostApplication> application_;
  int selection_action_ = 0;
  int rows_shown_ = 0;
  bool show_aliases_ = false;
  bool visible_ = false;
};

} // namespace host
