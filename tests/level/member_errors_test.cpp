// A component member of the wrong type in a level file: the library's text is
// kept and the place is put in front of it, for any component and member.
#include <gtest/gtest.h>

#include "level/level_file.h"
#include "level_test_env.h"

namespace {

using MemberErrorsTest = GameFolderTest;

TEST_F(MemberErrorsTest, AWronglyTypedMemberIsNamedWithItsFileEntityAndComponent) {
    struct Case {
        const char* component;
        const char* members;  // the component's members: one of the wrong type among good ones
        const char* member;
        const char* text;  // what the reader says of it
    };
    const Case cases[] = {
        {"PointLight", R"("ambient_intensity": 0.5, "max_radius": "far", "offset": {"x": 1})", "max_radius",
         "Value is not convertible to float."},
        {"PointLight", R"("attenuation": {"x": 1}, "color": 5, "max_radius": 3)", "color",
         "in Json::Value::find(begin, end): requires objectValue or nullValue"},
        {"ShadowCaster", R"("height": [1, 2], "width": 3)", "height", "Value is not convertible to float."},
        {"MoonLight", R"("inner_radius": 2, "offset": [1, 2])", "offset",
         "in Json::Value::find(begin, end): requires objectValue or nullValue"},
        {"Sprite", R"("columns": 2, "frames": "three", "rows": 1)", "frames",
         "Sprite: bad value in component data: Value is not convertible to UInt."},
        {"SoundEmitter", R"("Sound Emitter Cue": ["wind"], "Sound Emitter Distance": 4)", "Sound Emitter Cue",
         "Type is not convertible to string"},
    };
    for (const Case& c : cases) {
        // A good component before the bad one: the failing one is not the first.
        WriteLevel("bad", std::string(R"({"entities": [{"name": "Other"}, {"name": "Lamp", "components": [
            {"__component_name": "RigidBody", "vel_x": 1}, {"__component_name": ")") +
                              c.component + "\", " + c.members + "}]}]}");
        try {
            LoadLevel("bad");
            ADD_FAILURE() << "loaded: " << c.members;
        } catch (const std::exception& e) {
            const std::string message = e.what();
            const std::string tail = std::string(": ") + c.text;
            EXPECT_EQ(message.rfind(tail), message.size() - tail.size()) << message;
            for (const std::string name : {"levels/bad.json", "Lamp", c.component, c.member})
                EXPECT_NE(message.find('"' + name + '"'), std::string::npos) << name << " in " << message;
        }
    }
}

}  // namespace
