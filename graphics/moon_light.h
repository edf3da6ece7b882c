#pragma once
// Placeholder until the component's full implementation lands.
#include "ecs/root_component.h"

class MoonLight : public BaseComponent<MoonLight> {
public:
    void Initialize() override {}
    void Remove() override {}
    void Copy(RootComponent*) override {}
    Json::Value Serialize() override { return Json::Value(); }
    void Deserialize(Json::Value) override {}
    void EditInfoDisplay() override {}
};
