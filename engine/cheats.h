#pragma once
// Cheats: a system with no cheats yet. It owns the "CheatsKeyPressed" listener
// so that cheat keys have one home when they are added.
class Cheats {
public:
    Cheats();   // connects "CheatsKeyPressed" to "KeyPressed"
    ~Cheats();  // disconnects it
    Cheats(const Cheats&) = delete;
    Cheats& operator=(const Cheats&) = delete;
};
