#include <gtest/gtest.h>

#include <array>

#include "core/events.h"
#include "ecs/entity_store.h"
#include <imgui.h>

#include "core/camera.h"
#include "core/engine_state.h"
#include "graphics/sprite.h"
#include "png_folder.h"

namespace {

class SpriteTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder.Write("debug", 8, 4, 1);
        folder.Write("debug_nm", 8, 4, 2);
        folder.Write("debug_sm", 8, 4, 3);
        folder.Write("sheet", 64, 32);
        GetCamera() = Camera();
    }
    void TearDown() override { engine::DestroyAllEntities(); }

    // u0, u1, v_low, v_high of a frame quad.
    static std::array<float, 4> UV(const Sprite& s) {
        const auto& v = s.GetFrameVertices();
        return {v[3], v[8], v[4], v[14]};
    }

    static int Texture(const std::string& name) {
        int w = 0, h = 0;
        return int(LoadTexture(name, w, h));
    }

    PngFolder folder;
};

Json::Value SheetJson(unsigned frames, unsigned rows, unsigned columns, float frameTime) {
    Json::Value j;
    j["texture"] = "sheet";
    j["frame_time"] = frameTime;
    j["frames"] = frames;
    j["rows"] = rows;
    j["columns"] = columns;
    return j;
}

}  // namespace

TEST_F(SpriteTest, DefaultsShowTheDebugTexturesWholeSheet) {
    Sprite s;
    EXPECT_EQ(int(s.GetTexture()), Texture("debug"));
    EXPECT_EQ(int(s.GetNormalTexture()), Texture("debug_nm"));
    EXPECT_EQ(int(s.GetSecondTexture()), Texture("debug_sm"));
    EXPECT_EQ(s.GetWidth(), 8u);
    EXPECT_EQ(s.GetHeight(), 4u);
    EXPECT_EQ(s.GetTint(), glm::vec4(1.0f));
    EXPECT_TRUE(s.GetClamped());
    EXPECT_TRUE(s.GetEnvironmental());
    EXPECT_TRUE(s.GetLooping());
    EXPECT_FLOAT_EQ(s.GetFrameTime(), 1.0f);
    EXPECT_FLOAT_EQ(s.GetElapsedTime(), 0.0f);
    EXPECT_FLOAT_EQ(s.GetYOffset(), 0.0f);
    EXPECT_EQ(s.GetFrames(), 1u);
    EXPECT_EQ(s.GetCurrentFrame(), 1u);
    EXPECT_EQ(s.GetRows(), 1u);
    EXPECT_EQ(s.GetColumns(), 1u);
    EXPECT_FALSE(s.UsesFrameQuad());
    EXPECT_NE(s.GetFrameQuadArray(), 0u);
    const std::array<float, 30> whole = {-0.5f, 0, 0, 0, 0, 0.5f,  0, 0, 1, 0, 0.5f,  1, 0, 1, 1,
                                         0.5f,  1, 0, 1, 1, -0.5f, 1, 0, 0, 1, -0.5f, 0, 0, 0, 0};
    EXPECT_EQ(s.GetFrameVertices(), whole);
}

TEST_F(SpriteTest, LoopingSheetWrapsAfterTheLastFrame) {
    Sprite s;
    s.Deserialize(SheetJson(2, 1, 2, 0.1f));
    EXPECT_TRUE(s.UsesFrameQuad());
    EXPECT_EQ(UV(s), (std::array<float, 4>{0.0f, 0.5f, 0.0f, 1.0f}));
    s.Animate(0.25f);  // 1 -> 2 -> 3, wrapped to 1
    EXPECT_EQ(s.GetCurrentFrame(), 1u);
    EXPECT_NEAR(s.GetElapsedTime(), 0.05f, 1e-5);
    EXPECT_EQ(UV(s), (std::array<float, 4>{0.0f, 0.5f, 0.0f, 1.0f}));
    s.Animate(0.06f);
    EXPECT_EQ(s.GetCurrentFrame(), 2u);
    EXPECT_EQ(UV(s), (std::array<float, 4>{0.5f, 1.0f, 0.0f, 1.0f}));
}

TEST_F(SpriteTest, NonLoopingSheetStopsOnItsLastFrame) {
    Json::Value j = SheetJson(2, 1, 2, 0.1f);
    j["looping"] = false;
    Sprite s;
    s.Deserialize(j);
    s.Animate(0.25f);
    EXPECT_EQ(s.GetCurrentFrame(), 2u);
    const float elapsed = s.GetElapsedTime();
    s.Animate(5.0f);  // stopped: not even the clock moves
    EXPECT_EQ(s.GetCurrentFrame(), 2u);
    EXPECT_FLOAT_EQ(s.GetElapsedTime(), elapsed);
    s.SetCurrentFrame(1);  // rewinding starts it again
    s.Animate(0.1f);
    EXPECT_EQ(s.GetCurrentFrame(), 2u);
}

TEST_F(SpriteTest, SingleFrameAndFrozenClockDoNotAnimate) {
    Sprite single;
    single.Deserialize(SheetJson(1, 1, 2, 0.1f));
    single.Animate(1.0f);
    EXPECT_EQ(single.GetCurrentFrame(), 1u);
    EXPECT_FLOAT_EQ(single.GetElapsedTime(), 0.0f);
    EXPECT_FALSE(single.UsesFrameQuad());

    Sprite frozen;
    frozen.Deserialize(SheetJson(2, 1, 2, 0.0001f));
    frozen.Animate(1.0f);
    EXPECT_EQ(frozen.GetCurrentFrame(), 1u);
    EXPECT_FLOAT_EQ(frozen.GetElapsedTime(), 1.0f);
}

TEST_F(SpriteTest, LongStallWrapsWithoutStepping) {
    Sprite s;
    s.Deserialize(SheetJson(3, 1, 3, 0.001f));
    s.Animate(3600.0005f);  // an hour: 3.6 million frames, 3600000 % 3 = 0
    EXPECT_GE(s.GetCurrentFrame(), 1u);
    EXPECT_LE(s.GetCurrentFrame(), 3u);
    EXPECT_LT(s.GetElapsedTime(), 0.001f);
    EXPECT_GE(s.GetElapsedTime(), 0.0f);
}

TEST_F(SpriteTest, GridRowZeroIsTheBottomStripAndFramesRunAlongRows) {
    Sprite s;
    s.Deserialize(SheetJson(4, 2, 2, 0.1f));  // 32 x 16 cells
    EXPECT_EQ(UV(s), (std::array<float, 4>{0.0f, 0.5f, 0.5f, 1.0f}));
    s.SetCurrentFrame(2);
    EXPECT_EQ(UV(s), (std::array<float, 4>{0.5f, 1.0f, 0.5f, 1.0f}));
    s.SetCurrentFrame(3);  // next grid row, above the first
    EXPECT_EQ(UV(s), (std::array<float, 4>{0.0f, 0.5f, 0.0f, 0.5f}));
    // Top of the quad (y = 0, at the entity) shows the cell's upper pixel rows.
    const auto& v = s.GetFrameVertices();
    EXPECT_FLOAT_EQ(v[1], 0.0f);
    EXPECT_FLOAT_EQ(v[4], 0.0f);  // v_low at y 0
    EXPECT_FLOAT_EQ(v[11], 1.0f);
    EXPECT_FLOAT_EQ(v[14], 0.5f);  // v_high at y 1
}

TEST_F(SpriteTest, ZeroRowsAndColumnsAreStoredAsOne) {
    Sprite s;
    s.Deserialize(SheetJson(2, 0, 0, 0.1f));
    EXPECT_EQ(s.GetRows(), 1u);
    EXPECT_EQ(s.GetColumns(), 1u);
    s.SetRows(0);
    s.SetColumns(0);
    EXPECT_EQ(s.GetRows(), 1u);
    EXPECT_EQ(s.GetColumns(), 1u);
}

TEST_F(SpriteTest, MissingLayoutKeysReadAsZero) {
    Json::Value j;
    j["texture"] = "sheet";
    Sprite s;
    s.Deserialize(j);
    EXPECT_FLOAT_EQ(s.GetFrameTime(), 0.0f);
    EXPECT_EQ(s.GetFrames(), 0u);
    EXPECT_EQ(s.GetRows(), 1u);
    EXPECT_TRUE(s.GetEnvironmental());  // optional keys keep their defaults
}

TEST_F(SpriteTest, BadComponentDataIsAClearError) {
    Sprite s;
    Json::Value j = SheetJson(2, 1, 1, 0.1f);
    j["frames"] = -3;
    EXPECT_THROW(s.Deserialize(j), debug::exception);
    j = SheetJson(2, 1, 1, 0.1f);
    j["texture"] = 5;
    EXPECT_THROW(s.Deserialize(j), debug::exception);
    EXPECT_THROW(s.Deserialize(Json::Value(Json::arrayValue)), debug::exception);
}

TEST_F(SpriteTest, ModelMatrixScalesToOneCellAndSnapsClampedPositions) {
    Sprite s;
    s.Deserialize(SheetJson(2, 1, 2, 0.1f));  // cells 32 x 32
    glm::mat4 m = s.ModelMatrix(glm::vec3(10.7f, 20.6f, 0.0f));
    EXPECT_FLOAT_EQ(m[0][0], 32.0f);
    EXPECT_FLOAT_EQ(m[1][1], 32.0f);
    EXPECT_FLOAT_EQ(m[3][0], 10.0f);  // even width: floor
    EXPECT_FLOAT_EQ(m[3][1], 20.0f);

    s.SetClamped(false);
    m = s.ModelMatrix(glm::vec3(10.7f, 20.6f, 0.0f));
    EXPECT_FLOAT_EQ(m[3][0], 10.7f);
    EXPECT_FLOAT_EQ(m[3][1], 20.6f);

    folder.Write("odd", 7, 5);
    Sprite odd;
    odd.SetTexture("odd");
    m = odd.ModelMatrix(glm::vec3(10.7f, 3.9f, 0.0f));
    EXPECT_FLOAT_EQ(m[3][0], 10.5f);
    EXPECT_FLOAT_EQ(m[3][1], 3.0f);
    EXPECT_FLOAT_EQ(m[0][0], 7.0f);
}

TEST_F(SpriteTest, ModelMatrixDepthGrowsWithYAndYOffsetRelativeToTheCamera) {
    Sprite s;
    s.SetClamped(false);
    GetCamera().SetPosition(0.0f, 100.0f, 0.0f);
    glm::mat4 m = s.ModelMatrix(glm::vec3(0.0f, 150.0f, 0.25f));
    EXPECT_NEAR(m[3][2], -0.25f + 50.0f / 100000.0f, 1e-7);
    s.SetYOffset(30.0f);
    m = s.ModelMatrix(glm::vec3(0.0f, 150.0f, 0.25f));
    EXPECT_NEAR(m[3][2], -0.25f + 80.0f / 100000.0f, 1e-7);
    EXPECT_FLOAT_EQ(m[3][1], 150.0f);  // the offset orders, it does not move
}

TEST_F(SpriteTest, SetTextureKeepsCompanionsThatDoNotExist) {
    folder.Write("lamp", 16, 16);
    folder.Write("lamp_nm", 16, 16);
    Sprite s;
    s.SetTexture("lamp");
    EXPECT_EQ(int(s.GetTexture()), Texture("lamp"));
    EXPECT_EQ(int(s.GetNormalTexture()), Texture("lamp_nm"));
    EXPECT_EQ(int(s.GetSecondTexture()), Texture("debug_sm"));

    s.SetTexture("sheet");  // no companions at all
    EXPECT_EQ(int(s.GetTexture()), Texture("sheet"));
    EXPECT_EQ(int(s.GetNormalTexture()), Texture("lamp_nm"));
    EXPECT_EQ(int(s.GetSecondTexture()), Texture("debug_sm"));
    EXPECT_EQ(s.GetWidth(), 64u);
    EXPECT_EQ(s.GetHeight(), 32u);
}

TEST_F(SpriteTest, JsonRoundTripKeepsEveryKey) {
    Json::Value j = SheetJson(4, 2, 2, 0.25f);
    j["environmental"] = false;
    j["clamped"] = false;
    j["looping"] = false;
    j["y_offset"] = 12.5;
    j["tint"]["x"] = 0.5;
    j["tint"]["y"] = 0.25;
    j["tint"]["z"] = 1.0;
    j["tint"]["w"] = 0.75;
    Sprite a;
    a.Deserialize(j);
    Json::Value out = a.Serialize();
    EXPECT_EQ(out.getMemberNames().size(), 10u);
    EXPECT_EQ(out, j);
    EXPECT_TRUE(out["environmental"].isBool());
    EXPECT_TRUE(out["frames"].isUInt());

    Sprite b;
    b.Deserialize(out);
    EXPECT_EQ(b.Serialize(), j);
}

TEST_F(SpriteTest, MissingTextureKeepsItsNameWhenSaved) {
    Json::Value j = SheetJson(1, 1, 1, 1.0f);
    j["texture"] = "not_drawn_yet";
    Sprite s;
    s.Deserialize(j);
    EXPECT_EQ(int(s.GetTexture()), Texture("debug"));
    EXPECT_EQ(s.Serialize()["texture"], "not_drawn_yet");
}

TEST_F(SpriteTest, CopyTakesOverLookAndAnimation) {
    folder.Write("lamp", 16, 16);
    folder.Write("lamp_nm", 16, 16);
    Json::Value j = SheetJson(4, 2, 2, 0.25f);
    j["texture"] = "lamp";
    j["environmental"] = false;
    j["looping"] = false;
    j["y_offset"] = 3.0;
    j["tint"]["x"] = 0.5;
    Sprite source;
    source.Deserialize(j);
    source.SetCurrentFrame(3);
    source.SetElapsedTime(0.1f);

    Sprite copy;
    copy.Copy(&source);
    EXPECT_EQ(copy.Serialize(), source.Serialize());
    EXPECT_EQ(copy.GetNormalTexture(), source.GetNormalTexture());
    EXPECT_EQ(copy.GetCurrentFrame(), 3u);
    EXPECT_FLOAT_EQ(copy.GetElapsedTime(), 0.1f);
    EXPECT_EQ(copy.GetFrameVertices(), source.GetFrameVertices());
    EXPECT_NE(copy.GetFrameQuadArray(), source.GetFrameQuadArray());  // each owns its quad
}

TEST_F(SpriteTest, OffsetMarkerFollowsTheEditorSelection) {
    events::ClearRegistryForTesting();
    events::Register<engine::entity_handle>("EditorSelectedEntity");
    events::Register<>("DebugDraw");
    auto listeners = [](const char* event) {
        return static_cast<events::event_listeners<>*>(events::InternalGetListeners(event))->Size();
    };

    engine::entity_handle a = engine::CreateEntity();
    engine::entity_handle b = engine::CreateEntity();
    a.AddComponent("Sprite", SheetJson(1, 1, 1, 1.0f));
    Sprite* sprite = a.Get<Sprite>();

    events::Call("EditorSelectedEntity", b);
    EXPECT_FALSE(sprite->IsOffsetMarkerShown());
    events::Call("EditorSelectedEntity", a);
    EXPECT_TRUE(sprite->IsOffsetMarkerShown());
    EXPECT_EQ(listeners("DebugDraw"), 1u);
    events::Call("EditorSelectedEntity", a);  // again: still one listener
    EXPECT_EQ(listeners("DebugDraw"), 1u);
    events::Call("DebugDraw");  // headless debug drawing is a no-op, but must not throw
    events::Call("EditorSelectedEntity", engine::entity_handle{});
    EXPECT_FALSE(sprite->IsOffsetMarkerShown());
    EXPECT_EQ(listeners("DebugDraw"), 0u);

    events::Call("EditorSelectedEntity", a);
    EXPECT_TRUE(a.RemoveComponent("Sprite"));
    EXPECT_EQ(listeners("DebugDraw"), 0u);
    EXPECT_FALSE(events::Disconnect("EditorSelectedEntity", "SpriteDrawOffset" + std::to_string(a.GetEntityID())));
    events::ClearRegistryForTesting();
}

TEST_F(SpriteTest, EntityCopyDuplicatesTheSprite) {
    engine::entity_handle a = engine::CreateEntity();
    a.AddComponent("Sprite", SheetJson(2, 1, 2, 0.1f));
    a.Get<Sprite>()->SetCurrentFrame(2);
    engine::entity_handle b = engine::CreateEntity();
    b.CopyFrom(a);
    ASSERT_TRUE(b.Has<Sprite>());
    EXPECT_EQ(b.Get<Sprite>()->GetCurrentFrame(), 2u);
    EXPECT_EQ(b.Get<Sprite>()->Serialize(), a.Get<Sprite>()->Serialize());
}

TEST_F(SpriteTest, InspectorWidgetsPreviewTheAnimation) {
    ImGui::CreateContext();
    ImGuiIO& io = ImGui::GetIO();
    io.DisplaySize = ImVec2(800, 600);
    io.IniFilename = nullptr;
    unsigned char* pixels = nullptr;
    int w = 0, h = 0;
    io.Fonts->GetTexDataAsRGBA32(&pixels, &w, &h);

    Sprite s;
    s.Deserialize(SheetJson(2, 1, 2, 0.1f));
    GetEngineState().frameTime = 0.15f;
    ImGui::NewFrame();
    ImGui::Begin("inspector");
    s.EditInfoDisplay();
    ImGui::End();
    ImGui::EndFrame();
    EXPECT_EQ(s.GetCurrentFrame(), 2u);
    EXPECT_NEAR(s.GetElapsedTime(), 0.05f, 1e-5);
    GetEngineState().frameTime = 0.0f;
    ImGui::DestroyContext();
}
