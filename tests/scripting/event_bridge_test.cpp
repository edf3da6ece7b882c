// The event bridge: what reaches the scripts' events.Call, with which
// arguments, and when.
#include "tests/scripting/script_fixture.h"

#include <functional>

#include <json/writer.h>

#include "core/debug_exception.h"
#include "core/json_text.h"
#include "scripting/event_bridge.h"

namespace {

using EventBridgeTest = ScriptFixture;

TEST_F(EventBridgeTest, ForwardsEachEventOnceConnectedWithItsArgumentsButNeverEscape) {
    StartRecordingHost();
    events::Call<float>("LogicUpdate", 0.5f);  // not connected yet
    EXPECT_EQ(Calls(), "");
    scripting::ConnectEvents(L());
    EXPECT_EQ(Calls().rfind("Register PreLogicUpdate|Register LogicUpdate|", 0), 0u);
    EXPECT_THROW(scripting::ConnectEvents(L()), debug::exception);  // already connected
    Calls();

    const CollisionDetection::CollisionDataObj hit{{1, 2}, {3, 4}, {-1, 0}, {9, 9}, {5, 6}, 0.5f};
    const std::pair<std::function<void()>, std::string> cases[] = {
        {[] { events::Call<float>("PreLogicUpdate", 0.25f); }, "PreLogicUpdate 0.25"},
        {[] { events::Call<float>("LogicUpdate", 0.5f); }, "LogicUpdate 0.5"},
        {[] { events::Call<int>("KeyPressed", 65); }, "KeyPressed 65"},
        {[] { events::Call<int>("KeyReleased", 257); }, "KeyReleased 257"},
        {[] { events::Call<int>("KeyPressed", 256); }, ""},  // Escape belongs to the pause menu
        {[] { events::Call<int>("KeyReleased", 256); }, ""},
        {[] { events::Call<int>("MouseButtonPressed", 256); }, "MouseButtonPressed 256"},
        {[] { events::Call<int>("MouseButtonReleased", 2); }, "MouseButtonReleased 2"},
        {[] { events::Call<int>("KeyDown", 65); }, ""},
        {[&] { events::Call("OnCollisionStarted", hit); }, "OnCollisionStarted E1:2 E3:4 V5,6 0.5 V-1,0"},
        {[&] { events::Call("OnCollisionPersisted", hit); }, "OnCollisionPersisted E1:2 E3:4 V5,6 0.5 V-1,0"},
        {[&] { events::Call("OnCollisionEnded", hit); }, "OnCollisionEnded E1:2 E3:4 V5,6 0.5 V-1,0"},
    };
    for (const auto& [raise, expected] : cases) {
        raise();
        EXPECT_EQ(Calls(), expected);
    }
    for (std::string name : {"DebugDraw", "PauseMenuPaused", "PauseMenuUnPaused", "PauseMenuConfirmClose", "PostDraw"}) {
        events::Call(name);
        EXPECT_EQ(Calls(), name);
    }
    host_.reset();  // the host takes every forwarder with it
    for (const char* name : scripting::kForwardedEvents)
        EXPECT_FALSE(events::Disconnect(name, std::string("LuaBinding") + name)) << name;
}

// Scripts write their state into the record of "LevelUnload" only while it is
// written, and get its top-level strings and numbers back at "LevelLoad".
TEST_F(EventBridgeTest, TheSaveRecordIsWrittenAtUnloadAndReadBackFlatAtLoad) {
    StartRecordingHost(R"lua(
ffi.C.lb_connect_events()
hooks = {
  LevelUnload = function() ffi.C.lb_serialize_number("coins", 12) ffi.C.lb_serialize_string("door", "north") end,
  LevelLoad = function() ffi.C.lb_serialize_number("late", 1) end,
}
)lua");
    Json::Value record;
    events::Call<Json::Value*>("LevelUnload", &record);
    EXPECT_EQ(record, ParseJsonTextOrThrow(R"({"coins": 12.0, "door": "north"})"));
    EXPECT_TRUE(GetLog().empty());
    Json::Value saved = ParseJsonTextOrThrow(R"({"a": 1, "b": "x", "c": [1], "d": true, "e": {"f": 2}, "g": null})");
    Calls();
    events::Call<Json::Value*>("LevelLoad", &saved);
    events::Call<Json::Value*>("LevelLoad", nullptr);  // no record: an empty table
    EXPECT_EQ(Calls(), "LevelLoad {a=1,b=x}|LevelLoad {}");
    EXPECT_EQ(LastLogLine(), "Lua Error: lb_serialize_number called while nothing is being saved");
    EXPECT_EQ(saved.size(), 6u);
}

}  // namespace
