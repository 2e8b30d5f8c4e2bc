#pragma once

#include "com/unknown.h"

namespace host {

// Edit states of the editor.
enum HostEditState : int { StateNotEditing = 0, StateEditing = 1, StateEditingUnfocused = 2 };

// The editor extension ("esricore.Editor"). The user opens and closes edit sessions.
struct HostEditor : com::IUnknown {
  COM_INTERFACE(HostEditor, com::IUnknown, "1CF47705-B782-4A2E-90FA-C8B5A281FB93")
  virtual int EditState() = 0;
  // Starting while editing, or stopping while not editing, fails with E_UNEXPECTED.
  virtual com::HRESULT StartEditing() = 0;
  virtual com::HRESULT StopEditing(bool save_edits) = 0;
};

} // namespace host
