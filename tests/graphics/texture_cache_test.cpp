#include <gtest/gtest.h>

#include <stdexcept>

#include "graphics/texture_cache.h"
#include "png_folder.h"

TEST(TextureCache, SameNameTwiceReadsTheDiskOnceAndGivesTheSameId) {
    PngFolder folder;
    folder.Write("tree", 16, 8);
    int w = 0, h = 0;
    bool loaded = false;
    uint32_t first = LoadTexture("tree", w, h, &loaded);
    EXPECT_TRUE(loaded);
    EXPECT_EQ(w, 16);
    EXPECT_EQ(h, 8);
    // Gone from disk: only the cache can answer now.
    folder.Remove("tree");
    w = h = 0;
    loaded = false;
    EXPECT_EQ(LoadTexture("tree", w, h, &loaded), first);
    EXPECT_TRUE(loaded);
    EXPECT_EQ(w, 16);
    EXPECT_EQ(h, 8);
    EXPECT_EQ(GetTextureName(first), "tree");
}

TEST(TextureCache, MissingNameFallsBackToDebugWithoutBeingCached) {
    PngFolder folder;
    folder.Write("debug", 4, 2);
    int w = 0, h = 0;
    const uint32_t debug = LoadTexture("debug", w, h);

    bool loaded = true;
    EXPECT_EQ(LoadTexture("rock", w, h, &loaded), debug);
    EXPECT_FALSE(loaded);
    EXPECT_EQ(w, 4);
    EXPECT_EQ(h, 2);
    EXPECT_EQ(GetTextureName(debug), "debug");

    // Not cached under the failed name: once the file appears it is used.
    folder.Write("rock", 8, 8);
    loaded = false;
    const uint32_t rock = LoadTexture("rock", w, h, &loaded);
    EXPECT_TRUE(loaded);
    EXPECT_NE(rock, debug);
    EXPECT_EQ(w, 8);
}

TEST(TextureCache, CorruptPngFallsBackToDebug) {
    PngFolder folder;
    folder.Write("debug", 4, 2);
    folder.WriteBytes("broken", "\x89PNG\r\n\x1a\n not really");
    int w = 0, h = 0;
    bool loaded = true;
    const uint32_t id = LoadTexture("broken", w, h, &loaded);
    EXPECT_FALSE(loaded);
    EXPECT_EQ(GetTextureName(id), "debug");
}

TEST(TextureCache, MissingDebugItselfGivesOneStandInWithoutRecursing) {
    PngFolder folder;  // empty
    int w = 0, h = 0;
    bool loaded = true;
    const uint32_t a = LoadTexture("nothing", w, h, &loaded);
    EXPECT_FALSE(loaded);
    EXPECT_EQ(w, 1);
    EXPECT_EQ(h, 1);
    EXPECT_EQ(LoadTexture("debug", w, h, &loaded), a);
    EXPECT_FALSE(loaded);
    EXPECT_EQ(GetTextureName(a), "debug");
}

TEST(TextureCache, UnknownIdHasNoName) {
    PngFolder folder;
    EXPECT_THROW(GetTextureName(987654), std::out_of_range);
}

TEST(TextureCache, ClearTexturesMakesNamesLoadAgain) {
    PngFolder folder;
    folder.Write("tree", 2, 2);
    int w = 0, h = 0;
    const uint32_t before = LoadTexture("tree", w, h);
    ClearTextures();
    EXPECT_THROW(GetTextureName(before), std::out_of_range);
    const uint32_t after = LoadTexture("tree", w, h);
    EXPECT_NE(after, before);
    EXPECT_EQ(GetTextureName(after), "tree");
}

TEST(TextureCache, AnOwnedCacheServesWhileActiveAndKeepsItsTexturesToItself) {
    PngFolder folder;  // the stand-by cache, pointed at the folder
    folder.Write("tree", 4, 4);
    int w = 0, h = 0;
    const uint32_t standBy = LoadTexture("tree", w, h);
    {
        TextureCache owned;
        owned.SetFolder(folder.Path() + "/");
        SetActiveTextureCache(&owned);
        EXPECT_EQ(&ActiveTextureCache(), &owned);
        const uint32_t mine = LoadTexture("tree", w, h);
        EXPECT_NE(mine, standBy);
        EXPECT_EQ(owned.GetName(mine), "tree");
        EXPECT_THROW(GetTextureName(standBy), std::out_of_range);
        SetActiveTextureCache(nullptr);
        // Back on the stand-by cache, which never saw the owned one's ids.
        EXPECT_EQ(GetTextureName(standBy), "tree");
        EXPECT_THROW(GetTextureName(mine), std::out_of_range);
    }
    // The owned cache is gone with its textures; the stand-by one is untouched.
    EXPECT_EQ(LoadTexture("tree", w, h), standBy);
}
