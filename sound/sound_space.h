#pragma once
// SoundSpace: no data of its own. While one exists, every level load re-applies
// the player's audio mutes. It writes no JSON members (its component object
// holds only "__component_name") and ignores what it is given to read.
//
// All sound spaces share the one listener "Load Sound Stuff" on "LevelLoad":
// the first to initialise connects it and the last to be removed disconnects
// it, so a level may hold several without a duplicate-listener error.
#include "ecs/root_component.h"

class SoundSpace : public BaseComponent<SoundSpace> {
public:
    static constexpr const char* kListenerName = "Load Sound Stuff";

    void Initialize() override;
    void Remove() override;
    void Copy(RootComponent*) override {}
    Json::Value Serialize() override { return Json::Value(); }
    void Deserialize(Json::Value) override {}
    void EditInfoDisplay() override {}

    // Run once per "LevelLoad" however many spaces exist; the save record is
    // not used.
    static void OnLevelLoad();
};
