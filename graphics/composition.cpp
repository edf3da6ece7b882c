#include "graphics/composition.h"

#include <cmath>

#include <epoxy/gl.h>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>

#include "core/camera.h"
#include "graphics/shader_program.h"

glm::vec3 SceneShift(glm::vec3 c) {
    // The scene's view moves the world by floor(-c) = -ceil(c) whole pixels;
    // this puts back the difference ceil(c) - c, so a camera moving through a
    // whole position moves the picture smoothly instead of jumping a pixel,
    // and lit sprites line up with unlit ones drawn at the exact position.
    return glm::vec3(std::ceil(c.x) - c.x, std::ceil(c.y) - c.y, 1.0f - c.z);
}

void BeginComposition(const ShaderProgram& forwardDepth, uint32_t color, uint32_t depth, int framebufferWidth,
                      int framebufferHeight) {
    forwardDepth.Use();
    const float tint[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    forwardDepth.SetVec4("tint", tint);
    const float s = float(Camera::PixelScale(framebufferWidth, framebufferHeight));
    const glm::mat4 view =
        glm::scale(glm::mat4(1.0f), glm::vec3(2.0f / framebufferWidth, 2.0f / framebufferHeight, 1.0f)) *
        glm::scale(glm::mat4(1.0f), glm::vec3(s, s, 1.0f));
    forwardDepth.SetMat4("view", glm::value_ptr(view));
    forwardDepth.SetInt("in_texture", 0);
    forwardDepth.SetInt("in_depth", 1);
    BindComposedScene(color, depth);
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
