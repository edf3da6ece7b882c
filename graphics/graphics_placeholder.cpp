// Stand-in for the Graphics implementation so the game links before it lands:
// no window, nothing drawn (the engine then runs no frames). The definitions are
// weak, so the real graphics.cpp replaces them without a clash; delete this file
// when it lands.
#include "graphics/graphics.h"

#define QM_WEAK __attribute__((weak))

namespace {
Graphics* g_graphics = nullptr;
}

QM_WEAK Graphics::Graphics() : impl_(nullptr) { g_graphics = this; }
QM_WEAK Graphics::~Graphics() { g_graphics = nullptr; }
QM_WEAK bool Graphics::BeginFrame() { return false; }
QM_WEAK void Graphics::Draw(float) {}
QM_WEAK void Graphics::EndFrame() {}
QM_WEAK void Graphics::SetFullscreen(bool) {}
QM_WEAK bool Graphics::GetFullscreen() const { return true; }
QM_WEAK glm::ivec2 Graphics::GetFramebufferSize() const { return glm::ivec2(0, 0); }
QM_WEAK GLFWwindow* Graphics::GetWindow() const { return nullptr; }
QM_WEAK Graphics* GetGraphics() { return g_graphics; }
