#include "com/events.h"
#include "com/object.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

struct IProgressEvents : com::IUnknown {
  COM_INTERFACE(IProgressEvents, com::IUnknown, "33333333-0000-0000-0000-000000000001")
  virtual void OnProgress(int percent) = 0;
};

// Records what it hears in a shared log and runs an optional action on each event.
class Listener final : public com::ComObject<IProgressEvents> {
public:
  Listener(std::string name, std::vector<std::string>& log) : name_(std::move(name)), log_(log) {}
  void OnProgress(int percent) override {
    log_.push_back(name_ + ":" + std::to_string(percent));
    if (on_event)
      on_event();
  }
  std::function<void()> on_event;

private:
  std::string name_;
  std::vector<std::string>& log_;
};

using Source = com::EventSource<IProgressEvents>;

void fire(Source& source, int percent) {
  source.fire([&](IProgressEvents& sink) { sink.OnProgress(percent); });
}

TEST(EventSource, DeliversToEverySubscriberInConnectionOrder) {
  std::vector<std::string> log;
  Source source;
  const auto first = source.connect(com::make<Listener>("a", log));
  const auto second = source.connect(com::make<Listener>("b", log));
  EXPECT_NE(first, second);
  fire(source, 10);
  EXPECT_TRUE(source.disconnect(first));
  EXPECT_FALSE(source.disconnect(first));
  fire(source, 20);
  EXPECT_EQ(log, (std::vector<std::string>{"a:10", "b:10", "b:20"}));
  EXPECT_EQ(source.connect(nullptr), 0u);
}

TEST(EventSource, SinksMayChangeTheSubscriptionsDuringDelivery) {
  std::vector<std::string> log;
  Source source;
  auto a = com::make<Listener>("a", log);
  auto b = com::make<Listener>("b", log);
  Source::Cookie b_cookie = 0;
  // "a" drops "b" (whose turn has not come) and itself, and subscribes "c" for later events.
  a->on_event = [&, a_cookie = source.connect(a)] {
    source.disconnect(a_cookie);
    source.disconnect(b_cookie);
    source.connect(com::make<Listener>("c", log));
  };
  b_cookie = source.connect(b);
  a.reset(); // from here only the source holds "a", also while "a" disconnects itself
  fire(source, 1);
  fire(source, 2);
  EXPECT_EQ(log, (std::vector<std::string>{"a:1", "c:2"}));
  EXPECT_EQ(source.size(), 1u);
}

} // namespace
