#include "graphics/sprite.h"

#include "core/debug_exception.h"
#include "scene_fixture.h"

class SpriteTest : public SceneTest {
protected:
    void SetUp() override {
        WritePng("sheet", 64, 32);
        WritePng("lamp", 14, 5);
        WritePng("lamp_nm", 16, 16);
    }
};

static Json::Value Sheet(unsigned frames, unsigned rows, unsigned columns, float frameTime, bool looping = true) {
    Json::Value j;
    j["texture"] = "sheet";
    j["frame_time"] = frameTime;
    j["frames"] = frames;
    j["rows"] = rows;
    j["columns"] = columns;
    j["looping"] = looping;
    return j;
}

TEST_F(SpriteTest, AnimationAdvancesWrapsAndStops) {
    const struct { const char* what; Json::Value sheet; std::vector<float> dts; unsigned frame; float t; } cases[] = {
        {"looping: 1 -> 2 -> 3, wrapped to 1", Sheet(2, 1, 2, 0.1f), {0.25f}, 1, 0.05f},
        {"looping, on to 2", Sheet(2, 1, 2, 0.1f), {0.25f, 0.06f}, 2, 0.01f},
        {"not looping: stops, clock too", Sheet(2, 1, 2, 0.1f, false), {0.25f, 5.0f}, 2, 0.05f},
        {"one frame", Sheet(1, 1, 2, 0.1f), {1.0f}, 1, 0.0f},
        {"frame time too short: frozen", Sheet(2, 1, 2, 0.0001f), {1.0f}, 1, 1.0f},
        {"a stall of 8e9 frames, counted at once", Sheet(3, 1, 3, 0.125f), {1e9f}, 3, 0.0f},
    };
    for (const auto& c : cases) {
        Sprite s;
        s.Deserialize(c.sheet);
        for (float dt : c.dts) s.Animate(dt);
        EXPECT_EQ(s.GetCurrentFrame(), c.frame) << c.what;
        EXPECT_NEAR(s.GetElapsedTime(), c.t, 1e-5) << c.what;
    }
}

TEST_F(SpriteTest, TheUpperGridRowComesAfterTheBottomOneAndTheTopOfTheQuadShowsItsTop) {
    Sprite s;
    s.Deserialize(Sheet(4, 2, 2, 0.1f));
    s.SetCurrentFrame(3);
    // (u0, u1, v at the quad's top y 0, v at its bottom y 1)
    const auto& v = s.GetFrameVertices();
    EXPECT_EQ(glm::vec4(v[3], v[8], v[4], v[14]), glm::vec4(0, 0.5f, 0, 0.5f));
    EXPECT_EQ(glm::vec2(v[1], v[11]), glm::vec2(0, 1));
}

TEST_F(SpriteTest, ModelMatrixScalesToOneCellSnapsClampedSpritesAndOrdersByY) {
    Sprite s;
    s.Deserialize(Sheet(2, 1, 2, 0.1f));  // cells 32 x 32
    glm::mat4 m = s.ModelMatrix({10.7f, 20.6f, 0.0f});
    EXPECT_EQ(glm::vec4(m[0][0], m[1][1], m[3][0], m[3][1]), glm::vec4(32, 32, 10, 20));
    s.SetClamped(false);
    m = s.ModelMatrix({10.7f, 20.6f, 0.0f});
    EXPECT_EQ(glm::vec2(m[3][0], m[3][1]), glm::vec2(10.7f, 20.6f));
    // An odd cell width (14 / 2) snaps to half a pixel: both edges on whole ones.
    s.SetTexture("lamp");
    s.SetClamped(true);
    m = s.ModelMatrix({10.7f, 3.9f, 0.0f});
    EXPECT_EQ(glm::vec3(m[0][0], m[3][0], m[3][1]), glm::vec3(7, 10.5f, 3));
    // Depth: -z plus y and the y offset relative to the camera.
    GetCamera().SetPosition(0.0f, 100.0f, 0.0f);
    s.SetYOffset(30.0f);
    m = s.ModelMatrix({0.0f, 150.0f, 0.25f});
    EXPECT_NEAR(m[3][2], -0.25f + 80.0f / 100000.0f, 1e-7);
}

TEST_F(SpriteTest, CompanionsThatDoNotExistKeepTheEarlierOnes) {
    Sprite s;
    auto textures = [&] { return glm::uvec3(s.GetTexture(), s.GetNormalTexture(), s.GetSecondTexture()); };
    EXPECT_EQ(textures(), glm::uvec3(Texture("debug"), Texture("debug_nm"), Texture("debug_sm")));
    s.SetTexture("lamp");
    EXPECT_EQ(textures(), glm::uvec3(Texture("lamp"), Texture("lamp_nm"), Texture("debug_sm")));
    s.SetTexture("sheet");
    EXPECT_EQ(textures(), glm::uvec3(Texture("sheet"), Texture("lamp_nm"), Texture("debug_sm")));
}

TEST_F(SpriteTest, JsonKeepsEveryKeyAndTheNameOfAMissingTextureAndCopiesTakeItAll) {
    Json::Value j = Sheet(4, 2, 2, 0.25f, false);
    j["texture"] = "not_drawn_yet";
    j["environmental"] = false;
    j["clamped"] = false;
    j["y_offset"] = 12.5;
    for (const char* key : {"x", "y", "z", "w"}) j["tint"][key] = 0.25;
    Sprite s, copy;
    s.Deserialize(j);
    EXPECT_EQ(s.GetTexture(), Texture("debug"));
    EXPECT_EQ(s.Serialize(), j);
    s.SetTexture("lamp");
    s.SetCurrentFrame(3);
    copy.Copy(&s);
    EXPECT_EQ(copy.Serialize(), s.Serialize());
    EXPECT_EQ(glm::uvec2(copy.GetNormalTexture(), copy.GetCurrentFrame()), glm::uvec2(Texture("lamp_nm"), 3));
    EXPECT_NE(copy.GetFrameQuadArray(), s.GetFrameQuadArray());  // each owns its quad

    // Layout keys read as zero when missing, rows and columns as at least one.
    s.Deserialize(Json::Value(Json::objectValue));
    EXPECT_EQ(glm::vec4(s.GetFrames(), s.GetRows(), s.GetColumns(), s.GetFrameTime()), glm::vec4(0, 1, 1, 0));
    j["frames"] = -3;
    EXPECT_THROW(s.Deserialize(j), debug::exception);
    EXPECT_THROW(s.Deserialize(Json::Value(Json::arrayValue)), debug::exception);
}

TEST_F(SpriteTest, OffsetMarkerFollowsTheEditorSelection) {
    auto* markers = static_cast<events::event_listeners<>*>(events::InternalGetListeners("DebugDraw"));
    engine::entity_handle a = Spawn(0, 0, "Sprite"), b = Spawn(0, 0);
    const std::pair<engine::entity_handle, size_t> steps[] = {{b, 0}, {a, 1}, {a, 1}, {{}, 0}, {a, 1}};
    for (auto [selected, shown] : steps) {
        events::Call("EditorSelectedEntity", selected);
        EXPECT_EQ(markers->Size(), shown);
    }
    events::Call("DebugDraw");  // outside a debug-draw frame: draws nothing, no error
    EXPECT_TRUE(a.RemoveComponent("Sprite"));
    EXPECT_EQ(markers->Size(), 0u);
    EXPECT_FALSE(events::Disconnect("EditorSelectedEntity", "SpriteDrawOffset" + std::to_string(a.GetEntityID())));
}
