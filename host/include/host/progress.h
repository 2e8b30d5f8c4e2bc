#pragma once

#include <string>
#include <string_view>

#include "com/unknown.h"

namespace host {

// Polled by long operations: Continue is false once the user has pressed Esc (and stays
// false until Reset). Polling is also the moment the host looks at the user's keys.
struct HostCancelTracker : com::IUnknown {
  COM_INTERFACE(HostCancelTracker, com::IUnknown, "13DE805D-3558-41BD-B236-14593F692B7D")
  virtual bool Continue() = 0;
  virtual void Reset() = 0;
  // Whether Esc cancels; true for a new tracker.
  virtual bool CancelOnKeyPress() = 0;
  virtual void SetCancelOnKeyPress(bool cancel) = 0;
};

// A progress window. A dialog made by the factory is shown at once (as on the platform) and
// goes away with HideDialog.
struct HostProgressDialog : com::IUnknown {
  COM_INTERFACE(HostProgressDialog, com::IUnknown, "18FF990E-C4D1-41ED-A9A1-F60E4C86411F")
  virtual std::string Title() = 0;
  virtual void SetTitle(const std::string& title) = 0;
  virtual bool CancelEnabled() = 0;
  virtual void SetCancelEnabled(bool enabled) = 0;
  // Animation code of the window; kept, not drawn.
  virtual int Animation() = 0;
  virtual void SetAnimation(int code) = 0;
  virtual void ShowDialog() = 0;
  virtual void HideDialog() = 0;
  virtual bool Visible() = 0;
};

// The bar of a progress dialog. Positions stay within MinRange..MaxRange: a Step past the
// maximum keeps the maximum.
struct HostStepProgressor : com::IUnknown {
  COM_INTERFACE(HostStepProgressor, com::IUnknown, "E711E2B6-B098-48FA-8B71-9D253A45C878")
  virtual int MinRange() = 0;
  virtual void SetMinRange(int value) = 0;
  virtual int MaxRange() = 0;
  virtual void SetMaxRange(int value) = 0;
  virtual int StepValue() = 0;
  virtual void SetStepValue(int value) = 0;
  virtual int Position() = 0;
  virtual void SetPosition(int value) = 0;
  virtual std::string Message() = 0;
  virtual void SetMessage(const std::string& text) = 0;
  virtual void Step() = 0;
  virtual void Show() = 0;
  virtual void Hide() = 0;
};

// Makes progress dialogs bound to a cancel tracker. The object handed back is both the
// dialog (HostProgressDialog) and its bar (HostStepProgressor).
struct HostProgressDialogFactory : com::IUnknown {
  COM_INTERFACE(HostProgressDialogFactory, com::IUnknown, "0FA89AB7-1B25-4B21-839B-905BDD9D27AC")
  // A null tracker makes a dialog that cannot be cancelled.
  virtual com::ComPtr<HostStepProgressor> Create(HostCancelTracker* tracker, long window) = 0;
};

inline constexpr std::string_view CancelTrackerClass = "esricore.CancelTracker";
inline constexpr std::string_view ProgressDialogFactoryClass = "esricore.ProgressDialogFactory";

} // namespace host
