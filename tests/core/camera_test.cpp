#include "core/camera.h"

#include <gtest/gtest.h>

#include <glm/geometric.hpp>

static Camera MakeCamera(int w, int h) {
    Camera c;
    c.framebufferWidth = w;
    c.framebufferHeight = h;
    return c;
}

static glm::vec4 Apply(const glm::mat4& m, float x, float y, float z) { return m * glm::vec4(x, y, z, 1.0f); }

TEST(Camera, PixelScaleIsTheSmallerWholeFactor) {
    for (glm::ivec3 c : {glm::ivec3(1920, 1080, 4), {996, 560, 2}, {400, 200, 1}, {0, 0, 1}, {2000, 300, 2}})
        EXPECT_EQ(Camera::PixelScale(c.x, c.y), c.z) << c.x << " x " << c.y;
}

TEST(Camera, LetterboxBarsTheLongerSide) {
    Camera tall = MakeCamera(1920, 1200), wide = MakeCamera(2560, 1080);
    const LetterboxRect t = tall.Letterbox(), w = wide.Letterbox();
    EXPECT_EQ(glm::ivec4(t.x, t.y, t.width, t.height), glm::ivec4(0, 60, 1920, 1080));
    EXPECT_EQ(glm::ivec4(w.x, w.y, w.width, w.height), glm::ivec4(319, 0, 1921, 1080));  // 1920.86, rounded
    EXPECT_EQ(tall.GetViewSize(), glm::vec2(1920, 1080));
}

TEST(Camera, ScreenAndWorldMeetAtTheCameraAndScaleWithZoom) {
    Camera c = MakeCamera(996, 560);  // pixel scale 2
    // The window's corner in the world, as culling and the tile map use it.
    EXPECT_NEAR(glm::distance(glm::vec2(c.ScreenToWorld(0, 0, 0)), glm::vec2(-249, -140)), 0.0f, 1e-4);
    c.SetPosition(123.0f, -45.0f, 0.0f);
    c.SetScale(1.5f);
    EXPECT_FLOAT_EQ(c.ScreenScale(), 3.0f);
    EXPECT_NEAR(glm::distance(glm::vec2(c.ScreenToWorld(498, 280, 0)), glm::vec2(123, -45)), 0.0f, 1e-3);
    // No flip: window y grows downward like world y.
    EXPECT_NEAR(glm::distance(glm::vec2(c.WorldToScreen(133, -25, 0)), glm::vec2(498 + 30, 280 + 60)), 0.0f, 1e-3);
}

TEST(Camera, WindowViewKeepsSubPixelPositionSceneViewSnapsToWholePixels) {
    Camera c = MakeCamera(996, 560);  // pixel scale 2
    c.SetPosition(10.5f, 20.25f, 0.5f);
    // The camera is the centre; a world unit is 2 window pixels.
    EXPECT_EQ(Apply(c.ViewMatrix(true, -1, -1), 10.5f, 20.25f, 0.5f), glm::vec4(0, 0, 0, 1));
    const glm::vec4 p = Apply(c.ViewMatrix(true, -1, -1), 11.5f, 21.25f, 0.5f);
    EXPECT_NEAR(glm::length(glm::vec2(p) - glm::vec2(4.0f / 996, 4.0f / 560)), 0.0f, 1e-6);
    // The scene view: translate (floor(-10.7), floor(3.2), 0), zoomed, no camera z.
    c.SetPosition(10.7f, -3.2f, 5.0f);
    c.SetScale(2.0f);
    EXPECT_EQ(Apply(c.ViewMatrix(false, 498, 280), 11.0f, -3.0f, 0.25f), glm::vec4(0, 0, 0.25f, 1));
    EXPECT_NEAR(Apply(c.ViewMatrix(false, 498, 280), 12.0f, -3.0f, 0.0f).x, 2.0f * 2.0f / 498, 1e-6);
}
