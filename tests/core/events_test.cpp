// Named events: listeners connected by name get the arguments of every raise
// until disconnected, changes made during a raise wait for the next one, and
// misuse throws its own message.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>

#include "core/events.h"

namespace {

using Seen = std::multiset<std::string>;  // listeners run in no promised order
Seen seen;

// A listener that records "<its name> <arguments>" at every raise of "Hit".
void Listen(const std::string& name) {
    events::Connect<int, std::string>("Hit", name, [name](int n, std::string s) { seen.insert(name + " " + std::to_string(n) + s); });
}

Seen Raise(int n) {
    seen.clear();
    events::Call<int, std::string>("Hit", n, "!");
    return seen;
}

class EventsTest : public ::testing::Test {
protected:
    void SetUp() override {
        events::ClearRegistryForTesting();
        events::Register<int, std::string>("Hit");
    }
    void TearDown() override { events::ClearRegistryForTesting(); }
};

TEST_F(EventsTest, ListenersGetTheArgumentsOfEveryRaiseUntilDisconnected) {
    EXPECT_TRUE(events::IsRegistered("Hit"));
    EXPECT_FALSE(events::IsRegistered("Miss"));
    for (const char* name : {"a", "b", "c"}) Listen(name);
    EXPECT_EQ(Raise(2), (Seen{"a 2!", "b 2!", "c 2!"}));
    EXPECT_TRUE(events::Disconnect("Hit", "b"));
    EXPECT_FALSE(events::Disconnect("Hit", "b"));
    EXPECT_EQ(Raise(3), (Seen{"a 3!", "c 3!"}));
    Listen("b");  // the name is free again
    EXPECT_EQ(Raise(4), (Seen{"a 4!", "b 4!", "c 4!"}));
}

// A raise runs the listeners of the moment it began: one disconnected during
// it, by itself or another, still runs in it; one connected during it waits.
TEST_F(EventsTest, ChangesDuringARaiseTakeEffectAtTheNextRaise) {
    for (const char* name : {"a", "b", "c", "d", "e"}) Listen(name);
    events::Connect<int, std::string>("Hit", "changer", [](int, std::string) {
        for (const char* name : {"changer", "a", "c", "e"}) events::Disconnect("Hit", name);
        Listen("late");
    });
    EXPECT_EQ(Raise(1), (Seen{"a 1!", "b 1!", "c 1!", "d 1!", "e 1!"}));
    EXPECT_EQ(Raise(2), (Seen{"b 2!", "d 2!", "late 2!"}));
}

TEST_F(EventsTest, MisuseThrowsItsMessageAndChangesNothing) {
    Listen("first");
    const std::pair<std::function<void()>, std::string> cases[] = {
        {[] { events::Register<int>("Hit"); }, "Event Register: \"Hit\" already existed."},
        {[] { Listen("first"); }, "Event ID \"first\" already existed."},
        {[] { events::Connect<int>("Hit", "x", [](int) {}); },
         "Connect: Event Hit does not eixst or the wrong argument types were provided"},
        {[] { events::Call<int>("Hit", 1); }, "Call: Event Hit does not eixst or the wrong argument types were provided"},
        {[] { events::Call<int>("Nope", 1); }, "Event InternalGetListeners: failed to map event string \"Nope\""},
        {[] { events::Disconnect("Nope", "x"); }, "Event Disconnect failed to map event \"Nope\" or ID \"x\"!"},
    };
    for (const auto& [misuse, message] : cases) {
        try {
            misuse();
            ADD_FAILURE() << "no exception, expected: " << message;
        } catch (const debug::exception& e) {
            EXPECT_EQ(e.what(), message);
        }
    }
    EXPECT_EQ(Raise(5), (Seen{"first 5!"}));
}

}  // namespace
