#pragma once

#include <functional>
#include <memory>
#include <utility>
#include <vector>

// Engine notifications with any number of listeners. A listener holds the TSubscription that
// Subscribe returns; destroying it (with the listener) ends the subscription, so nobody unhooks
// by hand. A listener may be destroyed while a notification is being delivered, by itself or
// by another listener: from then on it is not called, and the call running stays valid.
//
// Thread safety: the UI thread only, like the objects that own the events.

namespace gryvel {

// Ends its subscription when destroyed or reset. Move-only; an empty one does nothing.
class [[nodiscard]] TSubscription {
 public:
  TSubscription() = default;
  explicit TSubscription(std::function<void()> cancel) : FCancel(std::move(cancel)) {}
  ~TSubscription() { Reset(); }
  TSubscription(TSubscription&& other) noexcept : FCancel(std::exchange(other.FCancel, {})) {}
  TSubscription& operator=(TSubscription&& other) noexcept {
    if (this != &other) {
      Reset();
      FCancel = std::exchange(other.FCancel, {});
    }
    return *this;
  }
  TSubscription(const TSubscription&) = delete;
  TSubscription& operator=(const TSubscription&) = delete;

  // Ends the subscription now.
  void Reset() {
    if (auto cancel = std::exchange(FCancel, {})) cancel();
  }

 private:
  std::function<void()> FCancel;
};

// Several subscriptions held as one, for a listener of many events.
class TSubscriptions {
 public:
  void Add(TSubscription subscription) { FItems.push_back(std::move(subscription)); }
  TSubscriptions& operator+=(TSubscription subscription) {
    Add(std::move(subscription));
    return *this;
  }
  void Reset() { FItems.clear(); }

 private:
  std::vector<TSubscription> FItems;
};

template <typename... Args>
class TEvent {
 public:
  using TListener = std::function<void(Args...)>;

  TEvent() = default;
  // Subscriptions that outlive the event become empty.
  ~TEvent() = default;
  TEvent(const TEvent&) = delete;
  TEvent& operator=(const TEvent&) = delete;

  // Adds `listener`, called after those added before it, until the result is destroyed.
  TSubscription Subscribe(TListener listener) {
    auto slot = std::make_shared<TSlot>(TSlot{std::move(listener), true});
    FSlots->push_back(slot);
    std::weak_ptr<TSlots> slots = FSlots;
    std::weak_ptr<TSlot> weak_slot = slot;
    return TSubscription([slots, weak_slot] {
      const std::shared_ptr<TSlot> gone = weak_slot.lock();
      if (gone == nullptr) return;
      gone->Alive = false;
      if (const std::shared_ptr<TSlots> list = slots.lock()) std::erase(*list, gone);
    });
  }

  bool HasListeners() const { return !FSlots->empty(); }

  // Calls every listener subscribed now; one that unsubscribes before its turn is skipped,
  // and one subscribed during the call waits for the next notification.
  void operator()(Args... args) const {
    if (FSlots->empty()) return;
    // The slots are kept alive for the call: a listener may end any subscription meanwhile.
    const TSlots snapshot = *FSlots;
    for (const std::shared_ptr<TSlot>& slot : snapshot)
      if (slot->Alive) slot->Listener(args...);
  }

 private:
  struct TSlot {
    TListener Listener;
    bool Alive;
  };
  using TSlots = std::vector<std::shared_ptr<TSlot>>;

  std::shared_ptr<TSlots> FSlots = std::make_shared<TSlots>();
};

}  // namespace gryvel
