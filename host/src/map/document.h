#pragma once

#include <string>

#include "com/object.h"
#include "host/application.h"
#include "host/editor.h"
#include "map/map.h"

namespace host {

class Document final : public com::ComObject<HostDocument> {
public:
  Document();
  com::ComPtr<HostMap> FocusMap() override { return map_; }
  com::ComPtr<HostActiveView> ActiveView() override { return map_; }
  double SearchTolerance() override;
  void SetSearchTolerance(double map_units) override { tolerance_ = map_units; }
  void UpdateContents() override { ++contents_updates_; }
  int UpdateContentsCount() override { return contents_updates_; }

  Map& map() { return *map_; }

private:
  com::ComPtr<Map> map_;
  // Negative until set: the tolerance then follows the view's scale.
  double tolerance_ = -1;
  int contents_updates_ = 0;
};

class Editor final : public com::ComObject<HostEditor> {
public:
  int EditState() override { return state_; }
  com::HRESULT StartEditing() override;
  com::HRESULT StopEditing(bool save_edits) override;

private:
  int state_ = StateNotEditing;
};

class StatusBar final : public com::ComObject<HostStatusBar> {
public:
  std::string Message(int pane) override;
  void SetMessage(int pane, const std::string& text) override;

private:
  std::string panes_[4];
};

// The application: one document, its status bar and the editor extension.
class Application final : public com::ComObject<HostApplication> {
public:
  Application();
  com::ComPtr<HostDocument> Document() override { return document_; }
  com::ComPtr<com::IUnknown> FindExtensionByCLSID(HostUid* uid) override;
  com::ComPtr<com::IUnknown> FindExtensionByName(const std::string& name) override;
  com::ComPtr<HostStatusBar> StatusBar() override { return status_bar_; }

  host::Document& document() { return *document_; }
  host::Editor& editor() { return *editor_; }

private:
  com::ComPtr<host::Document> document_;
  com::ComPtr<host::StatusBar> status_bar_;
  com::ComPtr<host::Editor> editor_;
};

} // namespace host
