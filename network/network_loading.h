#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "com/unknown.h"
#include "tamix/net_base.h"

namespace corvane {

// The engine network object of the CreateNetwork command (tantest): every opening and building
// loads into it, and its progress events move the bar of the NLoad window. Made once, with the
// command: it creates tantest, makes gNetBase the same object and creates gNetCalc, without
// binding them (the opening binds gNetCalc to tantest before it loads). Destroying it stops the
// events; the shared engine objects are the close command's to release.
class NetworkEngine {
public:
  // Ends the construction (HandlerEnd) when the engine component cannot be created.
  NetworkEngine();
  ~NetworkEngine();
  NetworkEngine(const NetworkEngine&) = delete;
  NetworkEngine& operator=(const NetworkEngine&) = delete;

  const com::ComPtr<tamix::NetBase>& tantest() const { return tantest_; }

private:
  com::ComPtr<tamix::NetBase> tantest_;
  std::uint32_t events_cookie_ = 0;
};

// Sets the bar of the shared NLoad window to a progress percentage and yields once to the
// message loop; the window is made (not shown) when it does not exist yet.
void ShowLoadProgress(std::uint8_t percent);

// Shows NLoad without waiting, with `caption` and the status `status`, the bar running 0..100,
// runs `work` once while the window is visible, then hides and unloads it.
void RunWithProgressWindow(const std::string& caption, const std::string& status,
                           const std::function<void()>& work);

} // namespace corvane
