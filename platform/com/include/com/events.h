#pragma once

#include <algorithm>
#include <cstdint>
#include <mutex>
#include <utility>
#include <vector>

#include "com/unknown.h"

namespace com {

// The subscribers of one event interface of an object. Events are delivered synchronously,
// on the thread that fires them, in connection order. A sink may connect or disconnect
// (itself or another) while an event is being delivered: a sink disconnected before its turn
// is skipped, one connected during delivery first hears the next event.
template <Interface Sink> class EventSource {
public:
  using Cookie = std::uint32_t;

  // The cookie identifies the connection for disconnect; 0 (no connection) for a null sink.
  Cookie connect(ComPtr<Sink> sink) {
    if (!sink)
      return 0;
    const std::lock_guard lock(mutex_);
    const Cookie cookie = next_cookie_++;
    connections_.push_back({cookie, std::move(sink)});
    return cookie;
  }

  // False when the cookie names no live connection.
  bool disconnect(Cookie cookie) {
    const std::lock_guard lock(mutex_);
    return std::erase_if(connections_, [&](const Connection& c) { return c.cookie == cookie; }) > 0;
  }

  // Calls deliver(Sink&) for each connected sink:
  //   progress_.fire([&](IProgressEvents& sink) { sink.OnProgress(percent); });
  template <class Deliver> void fire(Deliver&& deliver) {
    std::vector<Connection> snapshot;
    {
      const std::lock_guard lock(mutex_);
      snapshot = connections_;
    }
    for (const auto& c : snapshot)
      if (is_connected(c.cookie))
        deliver(*c.sink);
  }

  std::size_t size() const {
    const std::lock_guard lock(mutex_);
    return connections_.size();
  }

private:
  struct Connection {
    Cookie cookie;
    ComPtr<Sink> sink; // the snapshot's copy keeps a sink alive through its delivery
  };

  bool is_connected(Cookie cookie) const {
    const std::lock_guard lock(mutex_);
    return std::ranges::any_of(connections_,
                               [&](const Connection& c) { return c.cookie == cookie; });
  }

  mutable std::mutex mutex_;
  std::vector<Connection> connections_;
  Cookie next_cookie_ = 1;
};

} // namespace com
