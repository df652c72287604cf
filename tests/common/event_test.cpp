#include "common/event.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace gryvel {
namespace {

using ::testing::ElementsAre;

TEST(Event, EveryListenerIsCalledInOrderUntilItsSubscriptionEnds) {
  TEvent<int> event;
  std::vector<std::string> calls;
  TSubscription first = event.Subscribe([&](int v) { calls.push_back("a" + std::to_string(v)); });
  TSubscription second = event.Subscribe([&](int v) { calls.push_back("b" + std::to_string(v)); });
  event(1);
  first.Reset();
  event(2);
  { const TSubscription gone = std::move(second); }
  event(3);
  EXPECT_THAT(calls, ElementsAre("a1", "b1", "b2"));
  EXPECT_FALSE(event.HasListeners());
}

// A listener destroyed by an earlier one in the same notification is not called; one that
// destroys itself finishes its call; one added meanwhile waits for the next notification.
TEST(Event, ListenersMayComeAndGoDuringANotification) {
  TEvent<> event;
  std::vector<std::string> calls;
  TSubscription late;
  bool added = false;
  auto victim = std::make_unique<TSubscription>();
  auto self = std::make_unique<TSubscription>();
  TSubscription killer = event.Subscribe([&] {
    calls.push_back("killer");
    victim.reset();
    if (!added) late = event.Subscribe([&] { calls.push_back("late"); });
    added = true;
  });
  *victim = event.Subscribe([&] { calls.push_back("victim"); });
  *self = event.Subscribe([&, text = std::string("self")] {
    self.reset();
    calls.push_back(text);  // the capture is still alive
  });
  event();
  event();
  EXPECT_THAT(calls, ElementsAre("killer", "self", "killer", "late"));
}

TEST(Event, ASubscriptionMayOutliveItsEvent) {
  TSubscription subscription;
  {
    TEvent<> event;
    subscription = event.Subscribe([] {});
  }
  subscription.Reset();  // nothing to end, nothing touched
  TSubscriptions many;
  {
    TEvent<> event;
    many += event.Subscribe([] {});
  }
  many.Reset();
}

}  // namespace
}  // namespace gryvel
