#include "win/clock.h"

#include <mutex>
#include <optional>

namespace win::clock {
namespace {

struct FixedTime {
  std::mutex mutex;
  std::optional<time_point> time;
};

FixedTime& fixed() {
  static FixedTime instance;
  return instance;
}

} // namespace

time_point now() {
  auto& state = fixed();
  const std::scoped_lock lock(state.mutex);
  return state.time.value_or(std::chrono::system_clock::now());
}

void set(time_point time) {
  auto& state = fixed();
  const std::scoped_lock lock(state.mutex);
  state.time = time;
}

void advance(std::chrono::system_clock::duration step) {
  auto& state = fixed();
  const std::scoped_lock lock(state.mutex);
  state.time = state.time.value_or(std::chrono::system_clock::now()) + step;
}

void use_system_time() {
  auto& state = fixed();
  const std::scoped_lock lock(state.mutex);
  state.time.reset();
}

} // namespace win::clock
