// The event bridge: what reaches events.Call, with which arguments, and when.
#include "tests/scripting/script_fixture.h"

#include <json/reader.h>

#include "physics/collision_data.h"
#include "scripting/event_bridge.h"
#include "scripting/lb_exports.h"

namespace {

using EventBridgeTest = ScriptFixture;

TEST_F(EventBridgeTest, NothingIsForwardedBeforeTheScriptsConnect) {
    StartRecordingHost();
    events::Call<float>("LogicUpdate", 0.5f);
    events::Call<int>("KeyPressed", 65);
    events::Call("PauseMenuPaused");
    EXPECT_EQ(Calls(), "");
}

TEST_F(EventBridgeTest, ConnectingRegistersTheSixteenEventsInOrderOnce) {
    StartRecordingHost("ffi.C.lb_connect_events()");
    EXPECT_EQ(Calls(),
              "Register PreLogicUpdate|Register LogicUpdate|Register DebugDraw|Register KeyPressed|"
              "Register KeyReleased|Register MouseButtonPressed|Register MouseButtonReleased|"
              "Register OnCollisionStarted|Register OnCollisionPersisted|Register OnCollisionEnded|"
              "Register LevelUnload|Register LevelLoad|Register PauseMenuPaused|Register PauseMenuUnPaused|"
              "Register PauseMenuConfirmClose|Register PostDraw");

    // Connecting twice is the event system's duplicate error.
    try {
        scripting::ConnectEvents(L());
        FAIL() << "second connect accepted";
    } catch (const debug::exception& e) {
        EXPECT_STREQ(e.what(), "Event ID \"LuaBindingPreLogicUpdate\" already existed.");
    }
}

TEST_F(EventBridgeTest, ForwardsEachEventWithItsArgumentsButNeverEscape) {
    StartRecordingHost("ffi.C.lb_connect_events()");
    ClearCalls();
    events::Call<float>("PreLogicUpdate", 0.25f);
    events::Call<float>("LogicUpdate", 0.5f);
    events::Call("DebugDraw");
    events::Call<int>("KeyPressed", 65);
    events::Call<int>("KeyReleased", 66);
    events::Call<int>("MouseButtonPressed", 1);
    events::Call<int>("MouseButtonReleased", 2);
    events::Call("PauseMenuPaused");
    events::Call("PauseMenuUnPaused");
    events::Call("PauseMenuConfirmClose");
    events::Call("PostDraw");
    EXPECT_EQ(Calls(),
              "PreLogicUpdate 0.25|LogicUpdate 0.5|DebugDraw|KeyPressed 65|KeyReleased 66|"
              "MouseButtonPressed 1|MouseButtonReleased 2|PauseMenuPaused|PauseMenuUnPaused|"
              "PauseMenuConfirmClose|PostDraw");

    // Escape is never forwarded as a key, and the events the forwarded ones
    // come from are not forwarded themselves.
    ClearCalls();
    events::Call<int>("KeyPressed", 256);
    events::Call<int>("KeyReleased", 256);
    events::Call<int>("KeyPressed", 255);
    events::Call<int>("KeyReleased", 257);
    events::Call<int>("MouseButtonPressed", 256);  // only keys are filtered
    EXPECT_EQ(Calls(), "KeyPressed 255|KeyReleased 257|MouseButtonPressed 256");
    ClearCalls();
    events::Call<int>("KeyDown", 65);
    events::Call<int>("MouseButtonDown", 1);
    Json::Value record;
    events::Call<Json::Value*>("LevelUnloadFinished", &record);
    EXPECT_EQ(Calls(), "");
}

TEST_F(EventBridgeTest, LevelUnloadLetsScriptsWriteIntoTheSaveRecord) {
    StartRecordingHost(R"lua(
ffi = require("ffi")
ffi.C.lb_connect_events()
hooks = { LevelUnload = function()
  ffi.C.lb_serialize_number("coins", 12)
  ffi.C.lb_serialize_string("door", "north")
end }
)lua");
    ClearCalls();
    Json::Value record;
    events::Call<Json::Value*>("LevelUnload", &record);
    EXPECT_EQ(Calls(), "LevelUnload");
    EXPECT_EQ(record["coins"].asDouble(), 12.0);
    EXPECT_EQ(record["door"].asString(), "north");
    EXPECT_EQ(GetSerializationTarget(), nullptr);  // the record is about to go
}

// The record of "LevelUnload" lives only while it is written; a listener of
// "LevelLoad" writing afterwards gets the script error line, not a write into a
// value that is gone.
TEST_F(EventBridgeTest, SerializingAfterTheUnloadIsAScriptError) {
    StartRecordingHost(R"lua(
ffi = require("ffi")
ffi.C.lb_connect_events()
hooks = { LevelLoad = function()
  ffi.C.lb_serialize_number("late", 1)
  ffi.C.lb_serialize_string("later", "x")
end }
)lua");
    {
        Json::Value record;
        events::Call<Json::Value*>("LevelUnload", &record);
    }
    ClearLog();
    Json::Value loaded;
    events::Call<Json::Value*>("LevelLoad", &loaded);
    EXPECT_EQ(std::vector<std::string>(GetLog().begin(), GetLog().end()), (std::vector<std::string>{
                            "Lua Error: lb_serialize_number called while nothing is being saved",
                            "Lua Error: lb_serialize_string called while nothing is being saved"}));
    EXPECT_TRUE(loaded.isNull());
}

TEST_F(EventBridgeTest, LevelLoadPassesOnlyTopLevelStringsAndNumbers) {
    StartRecordingHost("ffi.C.lb_connect_events()");
    ClearCalls();
    Json::Value record;
    Json::Reader().parse(R"({"a": 1, "b": "x", "c": [1], "d": true, "e": {"f": 2}, "g": null})", record);
    events::Call<Json::Value*>("LevelLoad", &record);
    Json::Value none;  // no save record: an empty table
    events::Call<Json::Value*>("LevelLoad", &none);
    EXPECT_EQ(Calls(), "LevelLoad {a=1,b=x}|LevelLoad {}");
}

TEST_F(EventBridgeTest, CollisionArgumentsComeInTheOrderAThenBContactPenetrationNormal) {
    StartRecordingHost("ffi.C.lb_connect_events()");
    ClearCalls();
    CollisionDetection::CollisionDataObj record;
    record.first = {1, 2};
    record.second = {3, 4};
    record.normal = {-1.0f, 0.0f};
    record.relativeVelocity = {9.0f, 9.0f};  // not passed
    record.contactPoint = {5.0f, 6.0f};
    record.penetration = 0.5f;
    events::Call("OnCollisionStarted", record);
    events::Call("OnCollisionPersisted", record);
    events::Call("OnCollisionEnded", record);
    EXPECT_EQ(Calls(),
              "OnCollisionStarted E1:2 E3:4 V5,6 0.5 V-1,0|OnCollisionPersisted E1:2 E3:4 V5,6 0.5 V-1,0|"
              "OnCollisionEnded E1:2 E3:4 V5,6 0.5 V-1,0");
}

TEST_F(EventBridgeTest, AFailingEntityConstructorLeavesOneArgumentFewer) {
    StartRecordingHost(R"lua(
ffi.C.lb_connect_events()
function lb_CreateEntity(i, g) if g == 2 then error("no entity " .. g, 0) end return { index = i, generation = g } end
)lua");
    ClearCalls();
    scripting::ForwardCollision(L(), "OnCollisionEnded", {1, 2}, {3, 4}, 5.0f, 6.0f, 0.5f, -1.0f, 0.0f);
    EXPECT_EQ(Calls(), "OnCollisionEnded E3:4 V5,6 0.5 V-1,0");
    EXPECT_EQ(LastLogLine(), "no entity 2");
    EXPECT_EQ(lua_gettop(L()), 0);
}

TEST_F(EventBridgeTest, AScriptErrorInTheDispatcherIsPrintedAndTheEngineGoesOn) {
    StartRecordingHost(R"lua(
ffi.C.lb_connect_events()
hooks = { LogicUpdate = function(dt) error("update failed at " .. dt, 0) end }
)lua");
    events::Call<float>("LogicUpdate", 1.0f);
    events::Call<float>("LogicUpdate", 2.0f);
    EXPECT_EQ(LastLogLine(), "update failed at 2");
    EXPECT_EQ(GetLog().size(), 2u);
    EXPECT_EQ(lua_gettop(L()), 0);
}

TEST_F(EventBridgeTest, DestroyingTheHostDisconnectsEveryForwarder) {
    StartRecordingHost("ffi.C.lb_connect_events()");
    host_.reset();
    for (const char* name : scripting::kForwardedEvents)
        EXPECT_FALSE(events::Disconnect(name, std::string("LuaBinding") + name)) << name;
}

}  // namespace
