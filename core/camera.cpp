#include "core/camera.h"

#include <algorithm>
#include <cmath>

#include <glm/gtc/matrix_transform.hpp>
#include <glm/matrix.hpp>

Camera& GetCamera() {
    static Camera camera;
    return camera;
}

int Camera::PixelScale(int width, int height) {
    int sx = std::max(1, int(std::ceil(float(width) / kSceneWidth)));
    int sy = std::max(1, int(std::ceil(float(height) / kSceneHeight)));
    return std::min(sx, sy);
}

float Camera::ScreenScale() const { return zoom.x * float(PixelScale(framebufferWidth, framebufferHeight)); }

glm::mat4 Camera::ViewMatrix(bool pixel, float w, float h) const {
    glm::mat4 V, P;
    if (w < 0 || h < 0) {
        V = glm::translate(glm::mat4(1.0f), -position);
        P = glm::scale(glm::mat4(1.0f), glm::vec3(2.0f / framebufferWidth, 2.0f / framebufferHeight, 1.0f));
    } else {
        V = glm::translate(glm::mat4(1.0f), glm::vec3(std::floor(-position.x), std::floor(-position.y), 0.0f));
        P = glm::scale(glm::mat4(1.0f), glm::vec3(2.0f / w, 2.0f / h, 1.0f));
    }
    glm::mat4 M = glm::scale(glm::mat4(1.0f), zoom) * P * V;
    if (pixel) {
        float s = float(PixelScale(framebufferWidth, framebufferHeight));
        M = glm::scale(glm::mat4(1.0f), glm::vec3(s, s, 1.0f)) * M;
    }
    return M;
}

glm::mat4 Camera::ScreenMatrix() const {
    float s = float(PixelScale(framebufferWidth, framebufferHeight));
    glm::mat4 M = glm::translate(glm::mat4(1.0f),
                                 glm::vec3(float(framebufferWidth / 2), float(framebufferHeight / 2), 0.0f));
    M = glm::scale(M, glm::vec3(s, s, 1.0f));
    M = glm::scale(M, zoom);
    return glm::translate(M, -position);
}

glm::vec3 Camera::WorldToScreen(float x, float y, float z) const {
    return glm::vec3(ScreenMatrix() * glm::vec4(x, y, z, 1.0f));
}

glm::vec3 Camera::ScreenToWorld(float x, float y, float z) const {
    return glm::vec3(glm::inverse(ScreenMatrix()) * glm::vec4(x, y, z, 1.0f));
}

LetterboxRect Camera::Letterbox() {
    const int w = framebufferWidth, h = framebufferHeight;
    const float sx = float(w) / kSceneWidth, sy = float(h) / kSceneHeight;
    LetterboxRect r;
    if (sy > sx) {
        r.width = w;
        r.height = int(sx * kSceneHeight + 0.5f);
        r.x = 0;
        r.y = (h - r.height) / 2;
    } else {
        r.height = h;
        r.width = int(sy * kSceneWidth + 0.5f);
        r.x = (w - r.width) / 2;
        r.y = 0;
    }
    viewSize = {float(r.width), float(r.height)};
    return r;
}
