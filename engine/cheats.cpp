#include "engine/cheats.h"

#include "core/events.h"

Cheats::Cheats() {
    events::Connect<int>("KeyPressed", "CheatsKeyPressed", [](int) {});
}

Cheats::~Cheats() { events::Disconnect("KeyPressed", "CheatsKeyPressed"); }
