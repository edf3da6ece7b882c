#include "graphics/texture_cache.h"

#include <stdexcept>

#include "scene_fixture.h"

class TextureCacheTest : public SceneTest {
protected:
    uint32_t Load(const std::string& name) { return LoadTexture(name, w, h, &loaded); }
    int w = 0, h = 0;
    bool loaded = false;
};

TEST_F(TextureCacheTest, SameNameTwiceReadsTheDiskOnceAndClearingForgetsIt) {
    WritePng("tree", 16, 8);
    const uint32_t first = Load("tree");
    std::filesystem::remove(PngPath("tree"));  // only the cache can answer now
    w = h = 0;
    EXPECT_EQ(Load("tree"), first);
    EXPECT_TRUE(loaded);
    EXPECT_EQ(glm::ivec2(w, h), glm::ivec2(16, 8));
    EXPECT_EQ(GetTextureName(first), "tree");
    WritePng("tree", 2, 2);
    ClearTextures();
    EXPECT_THROW(GetTextureName(first), std::out_of_range);
    EXPECT_NE(Load("tree"), first);
    EXPECT_EQ(w, 2);
}

TEST_F(TextureCacheTest, MissingOrBrokenFilesFallBackToDebugWithoutBeingCached) {
    const uint32_t debug = Texture("debug");
    std::ofstream(PngPath("broken")) << "\x89PNG\r\n\x1a\n not really";
    for (const char* name : {"rock", "broken"}) {
        EXPECT_EQ(Load(name), debug) << name;
        EXPECT_FALSE(loaded);
        EXPECT_EQ(glm::ivec2(w, h), glm::ivec2(8, 4));
        WritePng(name, 2, 2);  // once a good file is there it is used
        EXPECT_NE(Load(name), debug) << name;
        EXPECT_TRUE(loaded);
    }
    EXPECT_EQ(GetTextureName(debug), "debug");
    // Without "debug" itself: one stand-in, asked for once.
    ClearTextures();
    std::filesystem::remove(PngPath("debug"));
    const uint32_t standIn = Load("nothing");
    EXPECT_FALSE(loaded);
    EXPECT_EQ(glm::ivec2(w, h), glm::ivec2(1, 1));
    EXPECT_EQ(Load("debug"), standIn);
    EXPECT_EQ(GetTextureName(standIn), "debug");
}
