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

}  // namespace

void RenderTargets::Create() {
    glGenFramebuffers(1, &gFramebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, gFramebuffer);
    gColor = MakeTexture(GL_RGBA8, kSceneWidth, kSceneHeight, GL_RGBA, GL_UNSIGNED_BYTE);
    gDepth = MakeTexture(GL_R32F, kSceneWidth, kSceneHeight, GL_RED, GL_FLOAT);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, gColor, 0);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT1, GL_TEXTURE_2D, gDepth, 0);
    const GLenum drawBuffers[2] = {GL_COLOR_ATTACHMENT0, GL_COLOR_ATTACHMENT1};
    glDrawBuffers(2, drawBuffers);
    gRankDepth = AttachRankDepth(kSceneWidth, kSceneHeight);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) Print("gBuffer not complete!");

    // The mask needs no stencil: its lights' bits are ORed in (see shadow_pass.h).
    glGenFramebuffers(1, &sFramebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, sFramebuffer);
    sMask = MakeTexture(GL_R32UI, kShadowMaskWidth, kShadowMaskHeight, GL_RED_INTEGER, GL_UNSIGNED_INT);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, sMask, 0);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) Print("sBuffer0 not complete!");
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

void RenderTargets::Destroy() {
    glDeleteFramebuffers(1, &gFramebuffer);
    glDeleteTextures(1, &gColor);
    glDeleteTextures(1, &gDepth);
    glDeleteRenderbuffers(1, &gRankDepth);
    glDeleteFramebuffers(1, &sFramebuffer);
    glDeleteTextures(1, &sMask);
    *this = RenderTargets();
}
