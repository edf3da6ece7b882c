#include <gtest/gtest.h>

#include <glm/gtc/matrix_transform.hpp>

#include "core/camera.h"

namespace {

Camera MakeCamera(int w, int h) {
    Camera c;
    c.framebufferWidth = w;
    c.framebufferHeight = h;
    return c;
}

glm::vec4 Apply(const glm::mat4& m, float x, float y, float z) { return m * glm::vec4(x, y, z, 1.0f); }

}  // namespace

TEST(Camera, PixelScaleIsTheSmallerWholeFactor) {
    EXPECT_EQ(Camera::PixelScale(1920, 1080), 4);
    EXPECT_EQ(Camera::PixelScale(996, 560), 2);
    EXPECT_EQ(Camera::PixelScale(400, 200), 1);
    EXPECT_EQ(Camera::PixelScale(0, 0), 1);
    EXPECT_EQ(Camera::PixelScale(2000, 300), 2);  // height decides
}

TEST(Camera, ScreenScaleIncludesZoom) {
    Camera c = MakeCamera(996, 560);
    c.SetScale(1.5f);
    EXPECT_FLOAT_EQ(c.ScreenScale(), 3.0f);
    EXPECT_FLOAT_EQ(c.GetScale(), 1.5f);
    EXPECT_FLOAT_EQ(c.zoom.z, 1.0f);
}

TEST(Camera, LetterboxTallWindowBarsTopAndBottom) {
    Camera c = MakeCamera(1920, 1200);
    LetterboxRect r = c.Letterbox();
    EXPECT_EQ(r.x, 0);
    EXPECT_EQ(r.y, 60);
    EXPECT_EQ(r.width, 1920);
    EXPECT_EQ(r.height, 1080);
    EXPECT_EQ(c.GetViewSize(), glm::vec2(1920, 1080));
}

TEST(Camera, LetterboxWideWindowBarsLeftAndRight) {
    Camera c = MakeCamera(2560, 1080);
    LetterboxRect r = c.Letterbox();
    EXPECT_EQ(r.height, 1080);
    EXPECT_EQ(r.width, 1921);  // 1080 / 280 * 498 = 1920.86, rounded
    EXPECT_EQ(r.x, (2560 - 1921) / 2);
    EXPECT_EQ(r.y, 0);
}

TEST(Camera, ScreenToWorldOfTheCentreIsTheCameraPosition) {
    Camera c = MakeCamera(1920, 1080);
    c.SetPosition(123.0f, -45.0f, 0.0f);
    glm::vec3 w = c.ScreenToWorld(960.0f, 540.0f, 0.0f);
    EXPECT_NEAR(w.x, 123.0f, 1e-3);
    EXPECT_NEAR(w.y, -45.0f, 1e-3);
}

TEST(Camera, WorldToScreenGrowsDownWithWorldY) {
    Camera c = MakeCamera(996, 560);  // scale 2
    glm::vec3 s = c.WorldToScreen(10.0f, 20.0f, 0.0f);
    EXPECT_FLOAT_EQ(s.x, 498.0f + 20.0f);
    EXPECT_FLOAT_EQ(s.y, 280.0f + 40.0f);
    glm::vec3 back = c.ScreenToWorld(s.x, s.y, 0.0f);
    EXPECT_NEAR(back.x, 10.0f, 1e-4);
    EXPECT_NEAR(back.y, 20.0f, 1e-4);
    // The top-left corner of the window, used by culling.
    glm::vec3 corner = c.ScreenToWorld(0.0f, 0.0f, 0.0f);
    EXPECT_NEAR(corner.x, -249.0f, 1e-4);
    EXPECT_NEAR(corner.y, -140.0f, 1e-4);
}

TEST(Camera, ViewMatrixForTheWindowKeepsSubPixelPositionAndPixelScale) {
    Camera c = MakeCamera(996, 560);  // pixel scale 2
    c.SetPosition(10.5f, 20.25f, 0.5f);
    const glm::mat4 m = c.ViewMatrix(true, -1.0f, -1.0f);
    glm::vec4 p = Apply(m, 10.5f, 20.25f, 0.5f);  // the camera itself: the centre
    EXPECT_NEAR(p.x, 0.0f, 1e-6);
    EXPECT_NEAR(p.y, 0.0f, 1e-6);
    EXPECT_NEAR(p.z, 0.0f, 1e-6);
    // One world unit right is 2 window pixels = 4 / 996 of clip space.
    p = Apply(m, 11.5f, 21.25f, 0.5f);
    EXPECT_NEAR(p.x, 4.0f / 996.0f, 1e-6);
    EXPECT_NEAR(p.y, 4.0f / 560.0f, 1e-6);
    // Without the pixel flag the scale is left out.
    p = Apply(c.ViewMatrix(false, -1.0f, -1.0f), 11.5f, 20.25f, 0.5f);
    EXPECT_NEAR(p.x, 2.0f / 996.0f, 1e-6);
}

TEST(Camera, ViewMatrixForTheSceneSnapsToWholePixelsAndIgnoresZ) {
    Camera c = MakeCamera(1920, 1080);
    c.SetPosition(10.7f, -3.2f, 5.0f);
    c.SetScale(2.0f);
    const glm::mat4 m = c.ViewMatrix(false, 498.0f, 280.0f);
    // translate(floor(-10.7), floor(3.2), 0) = (-11, 3, 0)
    glm::vec4 p = Apply(m, 11.0f, -3.0f, 0.25f);
    EXPECT_NEAR(p.x, 0.0f, 1e-6);
    EXPECT_NEAR(p.y, 0.0f, 1e-6);
    EXPECT_NEAR(p.z, 0.25f, 1e-6);  // zoom z is 1, no camera z
    p = Apply(m, 12.0f, -3.0f, 0.0f);
    EXPECT_NEAR(p.x, 2.0f * 2.0f / 498.0f, 1e-6);
}
