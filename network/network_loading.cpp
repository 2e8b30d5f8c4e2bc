#include "network/network_loading.h"

#include "com/object.h"
#include "dialogs/network/n_load.h"
#include "forms/user.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"
#include "tamix/net_base_events.h"
#include "tamix/net_calc.h"

namespace corvane {

namespace {

// The three engine events are alike: each moves the bar.
class LoadProgressReceiver final : public com::ComObject<tamix::NetBaseEvents> {
public:
  void OnNWCreateProgress(std::uint8_t percent) override { forward(percent); }
  void OnNWLoadProgress(std::uint8_t percent) override { forward(percent); }
  void OnAttributeCreateProgress(std::uint8_t percent) override { forward(percent); }

private:
  // An event has no way to report a failure to the engine; a bar that refuses the value (its
  // maximum was changed meanwhile) simply stays where it is.
  static void forward(std::uint8_t percent) {
    try {
      ShowLoadProgress(percent);
    } catch (...) {
    }
  }
};

} // namespace

NetworkEngine::NetworkEngine() {
  tantest_ = create<tamix::NetBase>(tamix::NetBaseProgId);
  events_cookie_ = tantest_->Advise(com::make<LoadProgressReceiver>().get());
  auto& state = shared_state();
  state.gNetBase = tantest_;
  state.gNetCalc = create<tamix::NetCalc>(tamix::NetCalcProgId);
}

NetworkEngine::~NetworkEngine() {
  if (events_cookie_ != 0)
    tantest_->Unadvise(events_cookie_);
}

void ShowLoadProgress(std::uint8_t percent) {
  gNLoadForm().ProgressBar1.SetValue(static_cast<float>(percent));
  forms::DoEvents();
}

void RunWithProgressWindow(const std::string& caption, const std::string& status,
                           const std::function<void()>& work) {
  auto& window = gNLoadForm();
  window.Label2.SetCaption(status);
  window.SetCaption(caption);
  window.Show(forms::ShowMode::Modeless);
  window.ProgressBar1.SetMax(100);
  if (window.Visible()) {
    forms::DoEvents();
    try {
      work();
    } catch (...) {
      // A failure that ends the handler must not leave the window standing.
      window.Unload();
      throw;
    }
    window.Hide();
  }
  window.Unload();
}

} // namespace corvane
