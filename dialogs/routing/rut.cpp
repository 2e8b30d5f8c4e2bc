#include "dialogs/routing/rut.h"

#include "forms/user.h"

namespace corvane {

Rut::Rut() : Form("Rut", {.Caption = "Route", .Width = 3735, .Height = 1155}) {}

Rut& gRutForm() {
  thread_local Rut form;
  return form;
}

WaitWindow::WaitWindow() {
  gRutForm().Show(forms::ShowMode::Modeless);
  forms::DoEvents();
}

WaitWindow::~WaitWindow() {
  gRutForm().Hide();
  gRutForm().Unload();
}

namespace {
// For listings of every dialog (gishost --forms).
const forms::RegisteredForm<Rut> registered_rut;
} // namespace

} // namespace corvane
