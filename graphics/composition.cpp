#include "graphics/composition.h"

#include <cmath>

#include <epoxy/gl.h>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>

#include "core/camera.h"
#include "core/engine_state.h"
#include "graphics/shader_program.h"

glm::vec3 SceneShift(glm::vec3 c) {
    // The scene's view moves the world by floor(-c) = -ceil(c) whole pixels;
    // this puts back the difference ceil(c) - c, so a camera moving through a
    // whole position moves the picture smoothly instead of jumping a pixel,
    // and lit sprites line up with unlit ones drawn at the exact position.
    return glm::vec3(std::ceil(c.x) - c.x, std::ceil(c.y) - c.y, 1.0f - c.z);
}

PixelRect SceneWindowRect(int framebufferWidth, int framebufferHeight) {
    if (GetEngineState().mode == EngineMode::Editor) return {0, 0, framebufferWidth, framebufferHeight};
    const LetterboxRect r = GetCamera().Letterbox();
    return {r.x, r.y, r.width, r.height};
}

PixelRect ComposedSceneInterior(int framebufferWidth, int framebufferHeight, const PixelRect& within) {
    // Scene column X lands at window x w/2 + s (shift.x + X - 249) and row Y
    // at h/2 + s (Y - 140 - shift.y), the shift in [0, 1): whatever it is,
    // x from w/2 - 248 s to w/2 + 249 s and y from h/2 - 140 s to
    // h/2 + 139 s are covered. A pixel more goes on each side for rounding.
    const double s = Camera::PixelScale(framebufferWidth, framebufferHeight);
    const double cx = framebufferWidth / 2.0, cy = framebufferHeight / 2.0;
    const int x0 = int(std::ceil(cx - s * (kSceneWidth / 2.0 - 1.0))) + 1;
    const int x1 = int(std::floor(cx + s * (kSceneWidth / 2.0))) - 1;
    const int y0 = int(std::ceil(cy - s * (kSceneHeight / 2.0))) + 1;
    const int y1 = int(std::floor(cy + s * (kSceneHeight / 2.0 - 1.0))) - 1;
    if (x1 <= x0 || y1 <= y0) return {};
    return Intersect({x0, y0, x1 - x0, y1 - y0}, within);
}

void BeginComposition(const ShaderProgram& forwardDepth, uint32_t color, uint32_t depth, int framebufferWidth,
                      int framebufferHeight) {
    SetCompositionView(forwardDepth, framebufferWidth, framebufferHeight);
    const float tint[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    forwardDepth.SetVec4("tint", tint);
    forwardDepth.SetInt("in_texture", 0);
    forwardDepth.SetInt("in_depth", 1);
    BindComposedScene(color, depth);
}

void SetCompositionView(const ShaderProgram& program, int framebufferWidth, int framebufferHeight) {
    program.Use();
    const float s = float(Camera::PixelScale(framebufferWidth, framebufferHeight));
    const glm::mat4 view =
        glm::scale(glm::mat4(1.0f), glm::vec3(2.0f / framebufferWidth, 2.0f / framebufferHeight, 1.0f)) *
        glm::scale(glm::mat4(1.0f), glm::vec3(s, s, 1.0f));
    program.SetMat4("view", glm::value_ptr(view));
}

void BindComposedScene(uint32_t color, uint32_t depth) {
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, depth);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, color);
}

void DrawComposedScene(const ShaderProgram& forwardDepth, uint32_t centredQuad, glm::vec3 shift) {
    // The negative y scale puts the scene's smallest world y at the top of the
    // window (the forward vertex shader negates clip y).
    const glm::mat4 model = glm::scale(glm::translate(glm::mat4(1.0f), shift),
                                       glm::vec3(float(kSceneWidth), -float(kSceneHeight), 1.0f));
    forwardDepth.SetMat4("model", glm::value_ptr(model));
    glBindVertexArray(centredQuad);
    glDrawArrays(GL_TRIANGLES, 0, 6);
}

void DrawComposedRects(const ShaderProgram& forwardDepth, uint32_t rects, int firstVertex, int vertexCount) {
    const glm::mat4 model(1.0f);
    forwardDepth.SetMat4("model", glm::value_ptr(model));
    glBindVertexArray(rects);
    glDrawArrays(GL_TRIANGLES, firstVertex, vertexCount);
}
