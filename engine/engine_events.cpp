#include "engine/engine_events.h"

#include <json/value.h>

#include "core/events.h"
#include "ecs/entity_handle.h"

void RegisterEngineEvents() {
    events::Register<float>("PreLogicUpdate");
    events::Register<float>("LogicUpdate");
    events::Register<engine::entity_handle>("EditorSelectedEntity");
    events::Register<Json::Value*>("LevelLoad");
    events::Register<Json::Value*>("LevelUnload");
    events::Register<Json::Value*>("LevelUnloadFinished");
    events::Register<>("PauseMenuPaused");
    events::Register<>("PauseMenuUnPaused");
    events::Register<>("PauseMenuConfirmClose");
}
