#include "core/events.h"

namespace events {

EventRegistryMap& EventRegistry() {
    static EventRegistryMap registry;
    return registry;
}

event_listeners_base* InternalGetListeners(const std::string& eventName) {
    auto& registry = EventRegistry();
    auto it = registry.find(eventName);
    if (it == registry.end())
        throw debug::exception("Event InternalGetListeners: failed to map event string \"" + eventName + "\"");
    return it->second.get();
}

bool Disconnect(std::string eventName, std::string listenerName) {
    auto& registry = EventRegistry();
    auto it = registry.find(eventName);
    if (it == registry.end())
        throw debug::exception("Event Disconnect failed to map event \"" + eventName + "\" or ID \"" +
                               listenerName + "\"!");
    return it->second->Disconnect(std::move(listenerName));
}

bool IsRegistered(const std::string& eventName) { return EventRegistry().count(eventName) != 0; }

void ClearRegistryForTesting() { EventRegistry().clear(); }

}  // namespace events
