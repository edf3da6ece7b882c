#include <gtest/gtest.h>

#include <vector>

#include "core/events.h"

namespace {

class EventsTest : public ::testing::Test {
protected:
    void SetUp() override { events::ClearRegistryForTesting(); }
    void TearDown() override { events::ClearRegistryForTesting(); }
};

std::string MessageOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const debug::exception& e) {
        return e.what();
    }
    return "<no exception>";
}

TEST_F(EventsTest, MisuseThrowsTheExactMessages) {
    events::Register<float>("LogicUpdate");
    events::Register<int>("KeyPressed");
    int calls = 0;
    events::Connect<float>("LogicUpdate", "first", [&](float) { ++calls; });

    EXPECT_EQ(MessageOf([] { events::Register<float>("LogicUpdate"); }),
              "Event Register: \"LogicUpdate\" already existed.");
    events::Call<float>("LogicUpdate", 0.5f);  // the first registration and its listener survive
    EXPECT_EQ(calls, 1);

    EXPECT_EQ(MessageOf([] { events::Connect<float>("KeyPressed", "x", [](float) {}); }),
              "Connect: Event KeyPressed does not eixst or the wrong argument types were provided");
    EXPECT_EQ(MessageOf([] { events::Connect<float>("Nope", "x", [](float) {}); }),
              "Event InternalGetListeners: failed to map event string \"Nope\"");
    EXPECT_EQ(MessageOf([] { events::Call<float>("KeyPressed", 1.0f); }),
              "Call: Event KeyPressed does not eixst or the wrong argument types were provided");

    events::Connect<int>("KeyPressed", "OpenConsole", [](int) {});
    EXPECT_EQ(MessageOf([] { events::Connect<int>("KeyPressed", "OpenConsole", [](int) {}); }),
              "Event ID \"OpenConsole\" already existed.");

    EXPECT_FALSE(events::Disconnect("LogicUpdate", "missing"));
    EXPECT_TRUE(events::Disconnect("LogicUpdate", "first"));
    EXPECT_EQ(MessageOf([] { events::Disconnect("Never", "x"); }),
              "Event Disconnect failed to map event \"Never\" or ID \"x\"!");
}

TEST_F(EventsTest, RaisesRunOverASnapshotSoDisconnectedListenersRunAndNewOnesWait) {
    events::Register<>("LevelUnloadFinished");
    std::vector<std::string> order;
    events::Connect<>("LevelUnloadFinished", "self", [&] {
        order.push_back("self");
        events::Disconnect("LevelUnloadFinished", "self");
    });
    events::Connect<>("LevelUnloadFinished", "adder", [&] {
        order.push_back("adder");
        if (!events::Disconnect("LevelUnloadFinished", "late")) {
            events::Connect<>("LevelUnloadFinished", "late", [&] { order.push_back("late"); });
        }
    });
    events::Call("LevelUnloadFinished");
    // Self-disconnect ran once; the listener connected during the raise did not run.
    EXPECT_EQ(std::count(order.begin(), order.end(), "self"), 1);
    EXPECT_EQ(std::count(order.begin(), order.end(), "late"), 0);
    order.clear();
    events::Call("LevelUnloadFinished");
    EXPECT_EQ(std::count(order.begin(), order.end(), "self"), 0);

    // A listener disconnected by another still runs in that raise.
    events::Register<int>("E");
    int aRuns = 0, bRuns = 0;
    events::Connect<int>("E", "a", [&](int) { ++aRuns; events::Disconnect("E", "b"); });
    events::Connect<int>("E", "b", [&](int) { ++bRuns; events::Disconnect("E", "a"); });
    events::Call<int>("E", 1);
    EXPECT_EQ(aRuns, 1);
    EXPECT_EQ(bRuns, 1);
    events::Call<int>("E", 1);
    EXPECT_EQ(aRuns + bRuns, 2);
}

TEST_F(EventsTest, NestedRaisesAndExceptionsStopTheRaise) {
    events::Register<int>("Depth");
    std::vector<int> seen;
    events::Connect<int>("Depth", "recurse", [&](int d) {
        seen.push_back(d);
        if (d < 3) events::Call<int>("Depth", d + 1);
    });
    events::Call<int>("Depth", 0);
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 3}));

    events::Register<>("Throws");
    int ran = 0;
    events::Connect<>("Throws", "a", [&] { ++ran; throw debug::exception("boom"); });
    events::Connect<>("Throws", "b", [&] { ++ran; throw debug::exception("boom"); });
    EXPECT_THROW(events::Call("Throws"), debug::exception);
    EXPECT_EQ(ran, 1);  // the remaining listener of that raise did not run
}

}  // namespace
