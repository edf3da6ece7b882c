#include "graphics/render_targets.h"

#include <string>

#include <epoxy/gl.h>

#include "core/camera.h"
#include "core/log.h"
#include "graphics/render_limits.h"

namespace {

uint32_t MakeTexture(GLint internalFormat, int width, int height, GLenum format, GLenum type) {
    GLuint id = 0;
    glGenTextures(1, &id);
    glBindTexture(GL_TEXTURE_2D, id);
    glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, width, height, 0, format, type, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glBindTexture(GL_TEXTURE_2D, 0);
    return id;
}

// The depth buffer of the first-fragment rule: float, so every rank depth
// (see SceneRankDepth) is kept exactly.
uint32_t AttachRankDepth(int width, int height) {
    GLuint rb = 0;
    glGenRenderbuffers(1, &rb);
    glBindRenderbuffer(GL_RENDERBUFFER, rb);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT32F, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, rb);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    return rb;
}

// Binds a new framebuffer with the scene's colour and depth textures.
SceneLayer MakeSceneLayer() {
    SceneLayer layer;
    glGenFramebuffers(1, &layer.framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, layer.framebuffer);
    layer.color = MakeTexture(GL_RGBA8, kSceneWidth, kSceneHeight, GL_RGBA, GL_UNSIGNED_BYTE);
    layer.depth = MakeTexture(GL_R32F, kSceneWidth, kSceneHeight, GL_RED, GL_FLOAT);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, layer.color, 0);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT1, GL_TEXTURE_2D, layer.depth, 0);
    const GLenum drawBuffers[2] = {GL_COLOR_ATTACHMENT0, GL_COLOR_ATTACHMENT1};
    glDrawBuffers(2, drawBuffers);
    return layer;
}

void DeleteSceneLayer(const SceneLayer& layer) {
    glDeleteFramebuffers(1, &layer.framebuffer);
    glDeleteTextures(1, &layer.color);
    glDeleteTextures(1, &layer.depth);
}

}  // namespace

void RenderTargets::Create() {
    glGenFramebuffers(1, &gFramebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, gFramebuffer);
    gBase = MakeTexture(GL_RGBA32F, kSceneWidth, kSceneHeight, GL_RGBA, GL_FLOAT);
    gDepth = MakeTexture(GL_R32F, kSceneWidth, kSceneHeight, GL_RED, GL_FLOAT);
    gNormalShine = MakeTexture(GL_RGBA8, kSceneWidth, kSceneHeight, GL_RGBA, GL_UNSIGNED_BYTE);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, gBase, 0);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT1, GL_TEXTURE_2D, gDepth, 0);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT2, GL_TEXTURE_2D, gNormalShine, 0);
    const GLenum drawBuffers[3] = {GL_COLOR_ATTACHMENT0, GL_COLOR_ATTACHMENT1, GL_COLOR_ATTACHMENT2};
    glDrawBuffers(3, drawBuffers);
    gRankDepth = AttachRankDepth(kSceneWidth, kSceneHeight);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) Print("gBuffer not complete!");

    glGenFramebuffers(1, &lightFramebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, lightFramebuffer);
    gColor = MakeTexture(GL_RGBA8, kSceneWidth, kSceneHeight, GL_RGBA, GL_UNSIGNED_BYTE);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, gColor, 0);

    // The mask's framebuffer only clears it: its bits are filled on the CPU
    // and uploaded (see shadow_pass.h).
    glGenFramebuffers(1, &sFramebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, sFramebuffer);
    sMask = MakeTexture(GL_R32UI, kShadowMaskWidth, kShadowMaskHeight, GL_RED_INTEGER, GL_UNSIGNED_INT);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, sMask, 0);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) Print("sBuffer0 not complete!");
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

void RenderTargets::EnsureLayers(size_t count) {
    if (layers.size() >= count) return;
    GLint bound = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &bound);
    while (layers.size() < count) {
        layers.push_back(MakeSceneLayer());
        if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE)
            Print("layer" + std::to_string(layers.size() - 1) + " not complete!");
    }
    glBindFramebuffer(GL_FRAMEBUFFER, GLuint(bound));
}

void RenderTargets::Destroy() {
    glDeleteFramebuffers(1, &gFramebuffer);
    glDeleteTextures(1, &gBase);
    glDeleteTextures(1, &gDepth);
    glDeleteTextures(1, &gNormalShine);
    glDeleteFramebuffers(1, &lightFramebuffer);
    glDeleteTextures(1, &gColor);
    for (const SceneLayer& layer : layers) DeleteSceneLayer(layer);
    glDeleteRenderbuffers(1, &gRankDepth);
    glDeleteFramebuffers(1, &sFramebuffer);
    glDeleteTextures(1, &sMask);
    *this = RenderTargets();
}
