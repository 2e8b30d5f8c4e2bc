#pragma once

#include <cstdint>
#include <functional>

namespace tamix {

// Receives the percent done (0..100) of a long operation; may be empty.
using Progress = std::function<void(int percent)>;

// Maps the progress of one phase onto its share [from, to] of the whole operation.
class PhaseProgress {
public:
  PhaseProgress(const Progress& sink, int from, int to) : sink_(sink), from_(from), to_(to) {}
  // Reports `done` of `total` steps; reports only when the percentage changes.
  void step(std::uint64_t done, std::uint64_t total) {
    if (!sink_ || total == 0)
      return;
    int percent = from_ + int((to_ - from_) * double(done) / double(total));
    if (percent != last_) {
      last_ = percent;
      sink_(percent);
    }
  }
  void finish() { step(1, 1); }

private:
  const Progress& sink_;
  int from_;
  int to_;
  int last_ = -1;
};

} // namespace tamix
