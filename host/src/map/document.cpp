#include "map/document.h"

#include "com/letter_case.h"
#include "map/user_services.h"

namespace host {
namespace {

// A click picks within this many pixels unless the document's tolerance was set.
constexpr double default_tolerance_pixels = 3;
constexpr int status_panes = 4;

bool names_editor(const std::string& name) {
  return com::equal_ignoring_case(name, EditorExtension) ||
         com::equal_ignoring_case(name, "Editor");
}

} // namespace

Document::Document() : map_(com::make<Map>()) {}

double Document::SearchTolerance() {
  return tolerance_ >= 0 ? tolerance_ : default_tolerance_pixels * map_->view().resolution();
}

com::HRESULT Editor::StartEditing() {
  if (state_ != StateNotEditing)
    return com::E_UNEXPECTED;
  state_ = StateEditing;
  return com::S_OK;
}

com::HRESULT Editor::StopEditing(bool) {
  if (state_ == StateNotEditing)
    return com::E_UNEXPECTED;
  state_ = StateNotEditing;
  return com::S_OK;
}

std::string StatusBar::Message(int pane) {
  return pane >= 0 && pane < status_panes ? panes_[pane] : std::string();
}

void StatusBar::SetMessage(int pane, const std::string& text) {
  if (pane < 0 || pane >= status_panes)
    return;
  panes_[pane] = text;
  if (pane == 0 && user_sink())
    user_sink()->status(text);
}

Application::Application()
    : document_(com::make<host::Document>()), status_bar_(com::make<host::StatusBar>()),
      editor_(com::make<host::Editor>()) {}

com::ComPtr<com::IUnknown> Application::FindExtensionByCLSID(HostUid* uid) {
  if (!uid)
    return nullptr;
  return FindExtensionByName(uid->Value());
}

com::ComPtr<com::IUnknown> Application::FindExtensionByName(const std::string& name) {
  if (!names_editor(name))
    return nullptr;
  return editor_.as<com::IUnknown>();
}

} // namespace host
