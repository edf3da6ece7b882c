#pragma once
// Named, typed events. An owner registers a name with its argument types, others
// connect named listeners, the owner raises it.
//
// A raise runs over a snapshot of the listener table: a listener connected during
// a raise first runs at the next raise, one disconnected during a raise still runs
// in it. The snapshot is taken copy-on-write: a raise shares the current table,
// and Connect/Disconnect copy it only while a raise holds it, so a raise costs
// no allocation and connecting outside a raise costs no copy.
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>

#include "core/debug_exception.h"

namespace events {

class event_listeners_base {
public:
    virtual bool Disconnect(std::string listenerName) = 0;
    virtual ~event_listeners_base() = default;
};

template <class... Args>
class event_listeners : public event_listeners_base {
public:
    using Callable = std::function<void(Args...)>;
    using ListenerTable = std::unordered_map<std::string, Callable>;

    bool Disconnect(std::string listenerName) override {
        if (table_->find(listenerName) == table_->end()) return false;
        Writable().erase(listenerName);
        return true;
    }

    // Returns false when the listener name is already taken (the table is unchanged).
    bool Add(std::string listenerName, Callable fn) {
        if (table_->find(listenerName) != table_->end()) return false;
        Writable().emplace(std::move(listenerName), std::move(fn));
        return true;
    }

    std::shared_ptr<const ListenerTable> Snapshot() const { return table_; }
    size_t Size() const { return table_->size(); }

private:
    // The table to change: the current one when no raise holds it, else a copy
    // (the raise keeps iterating its snapshot). Copying only when shared keeps
    // a level load, which connects a listener per component, linear.
    ListenerTable& Writable() {
        if (table_.use_count() > 1) table_ = std::make_shared<ListenerTable>(*table_);
        return *table_;
    }

    std::shared_ptr<ListenerTable> table_ = std::make_shared<ListenerTable>();
};

using EventRegistryMap = std::unordered_map<std::string, std::unique_ptr<event_listeners_base>>;
EventRegistryMap& EventRegistry();

event_listeners_base* InternalGetListeners(const std::string& eventName);

template <class... Args>
void Register(std::string eventName) {
    auto list = std::make_unique<event_listeners<Args...>>();
    auto [it, inserted] = EventRegistry().emplace(eventName, std::move(list));
    if (!inserted)
        throw debug::exception("Event Register: \"" + eventName + "\" already existed.");
}

template <class... Args, class F>
void Connect(std::string eventName, std::string listenerName, F&& fn) {
    auto* list = dynamic_cast<event_listeners<Args...>*>(InternalGetListeners(eventName));
    if (!list)
        throw debug::exception("Connect: Event " + eventName +
                               " does not eixst or the wrong argument types were provided");
    if (!list->Add(listenerName, typename event_listeners<Args...>::Callable(std::forward<F>(fn))))
        throw debug::exception("Event ID \"" + listenerName + "\" already existed.");
}

template <class... Args>
void Call(const std::string& eventName, Args... args) {
    auto* list = dynamic_cast<event_listeners<Args...>*>(InternalGetListeners(eventName));
    if (!list)
        throw debug::exception("Call: Event " + eventName +
                               " does not eixst or the wrong argument types were provided");
    auto snapshot = list->Snapshot();
    // The snapshot keeps every callable alive even if its listener disconnects
    // itself (or others) while it runs.
    for (const auto& [name, fn] : *snapshot) fn(args...);
}

bool Disconnect(std::string eventName, std::string listenerName);

// Whether a name has been registered (no exception).
bool IsRegistered(const std::string& eventName);

// Drops every event. The engine never does this; tests that build several engines
// in one process do.
void ClearRegistryForTesting();

}  // namespace events
