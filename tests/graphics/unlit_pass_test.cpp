#include <gtest/gtest.h>

#include "ecs/entity_store.h"
#include "graphics/unlit_pass.h"
#include "png_folder.h"

namespace {

engine::entity_handle At(float x, float y, float z, bool sprite = true) {
    engine::entity_handle h = engine::CreateEntity();
    h.SetPosition(x, y, z);
    if (sprite) h.AddComponent("Sprite", Json::Value());
    return h;
}

}  // namespace

TEST(UnlitPass, BackToFrontByZThenLowerOnScreenFirst) {
    PngFolder folder;
    engine::entity_handle upper = At(0, 10, 0);
    engine::entity_handle lower = At(0, 20, 0);
    engine::entity_handle front = At(0, 0, 0.5f);
    engine::entity_handle back = At(0, 0, -0.5f);
    engine::entity_handle nearlySame = At(0, 5, 0.000001f);  // within 1e-5 of z 0: y decides
    std::vector<engine::entity_handle> order = {front, upper, nearlySame, back, lower};
    SortBackToFront(order);
    EXPECT_EQ(order, (std::vector<engine::entity_handle>{back, lower, upper, nearlySame, front}));
    engine::DestroyAllEntities();
}

TEST(UnlitPass, CollectsOnlyEntitiesWithASprite) {
    PngFolder folder;
    engine::entity_handle a = At(0, 0, 0);
    At(0, 0, 0, false);
    engine::entity_handle c = At(0, 0, 0);
    EXPECT_EQ(CollectSprites(), (std::vector<engine::entity_handle>{a, c}));
    engine::DestroyAllEntities();
}
