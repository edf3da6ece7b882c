#include "graphics/graphics.h"

#include <cstdlib>
#include <memory>
#include <vector>

#include <epoxy/gl.h>
#include <GLFW/glfw3.h>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>

#include "core/camera.h"
#include "core/debug_exception.h"
#include "core/engine_state.h"
#include "core/events.h"
#include "core/frame_profiler.h"
#include "core/log.h"
#include "graphics/gpu.h"
#include "graphics/monitor_choice.h"
#include "graphics/renderer.h"
#include "graphics/screenshot.h"
#include "graphics/shader_program.h"
#include "graphics/texture_cache.h"

namespace {

Graphics* g_graphics = nullptr;

// (x, y, z, u, v) per vertex, two triangles.
constexpr float kAnchoredQuad[gpu::kQuadFloats] = {
    -0.5f, 0.0f, 0.0f, 0.0f, 0.0f,  //
    0.5f,  0.0f, 0.0f, 1.0f, 0.0f,  //
    0.5f,  1.0f, 0.0f, 1.0f, 1.0f,  //
    0.5f,  1.0f, 0.0f, 1.0f, 1.0f,  //
    -0.5f, 1.0f, 0.0f, 0.0f, 1.0f,  //
    -0.5f, 0.0f, 0.0f, 0.0f, 0.0f,
};
constexpr float kCentredQuad[gpu::kQuadFloats] = {
    -0.5f, -0.5f, 0.0f, 0.0f, 0.0f,  //
    0.5f,  -0.5f, 0.0f, 1.0f, 0.0f,  //
    0.5f,  0.5f,  0.0f, 1.0f, 1.0f,  //
    0.5f,  0.5f,  0.0f, 1.0f, 1.0f,  //
    -0.5f, 0.5f,  0.0f, 0.0f, 1.0f,  //
    -0.5f, -0.5f, 0.0f, 0.0f, 0.0f,
};

void OnGlfwError(int code, const char* description) {
    Print("Error " + std::to_string(code) + ": " + (description ? description : ""));
}

}  // namespace

struct Graphics::Impl {
    GLFWwindow* window = nullptr;
    int framebufferWidth = 0;
    int framebufferHeight = 0;
    bool fullscreen = true;
    gpu::QuadArray anchoredQuad;
    gpu::QuadArray centredQuad;
    std::unique_ptr<ShaderProgram> forward;
    std::unique_ptr<ShaderProgram> forwardDepth;
    std::unique_ptr<Renderer> renderer;
    // The game's textures live exactly as long as the window and its context.
    TextureCache textures;
    WindowGui gui;
    bool guiReady = false;

    // Undoes whatever start-up got through, in reverse; also the destructor's body.
    void Release() {
        textures.Clear();
        if (&ActiveTextureCache() == &textures) SetActiveTextureCache(nullptr);
        gpu::DeleteQuadArray(anchoredQuad);
        gpu::DeleteQuadArray(centredQuad);
        renderer.reset();
        forward.reset();
        forwardDepth.reset();
        if (guiReady && gui.shutdown) gui.shutdown();
        guiReady = false;
        gpu::SetActive(false);
        GetEngineState().skipDrawing = true;
        if (window) glfwDestroyWindow(window);
        window = nullptr;
        glfwTerminate();
    }
};

void CheckOpenGLVersion(int version) {
    if (version < 30)
        throw debug::exception("Failed to initialize OpenGL. Ensure that OpenGL 3.3 is supported on your computer.");
    if (version < 33) throw debug::exception("This game requies OpenGL 3.3 support.");
}

Graphics::Graphics(const WindowGui& gui) : impl_(new Impl) {
    impl_->gui = gui;
    SetActiveTextureCache(&impl_->textures);
    glfwSetErrorCallback(OnGlfwError);
    if (!glfwInit()) std::exit(1);

    try {
        GLFWmonitor* monitor = glfwGetPrimaryMonitor();
        const GLFWvidmode* mode = monitor ? glfwGetVideoMode(monitor) : nullptr;
        if (!mode) throw debug::exception("No monitor was found to open the game window on.");
        glfwWindowHint(GLFW_RED_BITS, mode->redBits);
        glfwWindowHint(GLFW_GREEN_BITS, mode->greenBits);
        glfwWindowHint(GLFW_BLUE_BITS, mode->blueBits);
        glfwWindowHint(GLFW_REFRESH_RATE, mode->refreshRate);
        glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
        glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
        glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);

        impl_->window = glfwCreateWindow(mode->width, mode->height, "Quillmere", monitor, nullptr);
        // A driver without a 3.3 core context refuses the window itself.
        if (!impl_->window) CheckOpenGLVersion(0);
        glfwMakeContextCurrent(impl_->window);
        CheckOpenGLVersion(epoxy_gl_version());
        gpu::SetActive(true);
        GetEngineState().skipDrawing = false;

        if (impl_->gui.init) impl_->gui.init(impl_->window);
        impl_->guiReady = true;
        glfwSwapInterval(1);

        impl_->forward = std::make_unique<ShaderProgram>("shaders/forward.vs", "shaders/forward.frag");
        impl_->forwardDepth = std::make_unique<ShaderProgram>("shaders/forward.vs", "shaders/forward_depth.frag");
        impl_->anchoredQuad = gpu::CreateQuadArray(kAnchoredQuad);
        impl_->centredQuad = gpu::CreateQuadArray(kCentredQuad);
        glBindVertexArray(0);

        impl_->renderer = std::make_unique<Renderer>(
            RendererShared{impl_->forward.get(), impl_->forwardDepth.get(), impl_->anchoredQuad.vao,
                           impl_->centredQuad.vao, impl_->anchoredQuad.vbo,
                           impl_->centredQuad.vbo});

        events::Register<>("PostDraw");
    } catch (...) {
        impl_->Release();
        delete impl_;
        throw;
    }
    g_graphics = this;
}

Graphics::~Graphics() {
    if (g_graphics == this) g_graphics = nullptr;
    impl_->Release();
    delete impl_;
}

Graphics* GetGraphics() { return g_graphics; }

bool Graphics::BeginFrame() {
    ProfileScope scope(ProfileSection::GuiEditor);
    if (impl_->gui.newFrame) impl_->gui.newFrame();
    glfwGetFramebufferSize(impl_->window, &impl_->framebufferWidth, &impl_->framebufferHeight);
    if (impl_->framebufferWidth < 1 || impl_->framebufferHeight < 1) {
        // Keep the camera's last real size: scripts and the editor still
        // convert coordinates while the window is minimised.
        if (impl_->gui.discardFrame) impl_->gui.discardFrame();
        return false;
    }
    Camera& camera = GetCamera();
    camera.framebufferWidth = impl_->framebufferWidth;
    camera.framebufferHeight = impl_->framebufferHeight;
    // The window is cleared by the renderer, around the part the scene is
    // composed over.
    glViewport(0, 0, impl_->framebufferWidth, impl_->framebufferHeight);
    return true;
}

void Graphics::Draw(float dt) {
    if (GetEngineState().skipDrawing) return;
    impl_->renderer->Draw(dt, impl_->framebufferWidth, impl_->framebufferHeight);
}

void Graphics::EndFrame() {
    {
        ProfileScope scope(ProfileSection::GuiEditor);
        if (impl_->gui.render) impl_->gui.render();
    }
    ProfileScope scope(ProfileSection::Swap);
    screenshot::OnFrameRendered(impl_->framebufferWidth, impl_->framebufferHeight);
    glfwSwapBuffers(impl_->window);
}

void Graphics::DrawTexture(uint32_t texture, unsigned width, unsigned height, float x, float y, float z,
                           glm::vec4 tint) {
    if (GetEngineState().skipDrawing) return;
    const ShaderProgram& forward = *impl_->forward;
    forward.Use();
    const glm::mat4 view = GetCamera().ViewMatrix(true, -1.0f, -1.0f);
    const glm::mat4 model =
        glm::scale(glm::translate(glm::mat4(1.0f), glm::vec3(x, y, z)), glm::vec3(float(width), float(height), 1.0f));
    forward.SetMat4("view", glm::value_ptr(view));
    forward.SetMat4("model", glm::value_ptr(model));
    forward.SetVec4("tint", glm::value_ptr(tint));
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture);
    forward.SetInt("in_texture", 0);
    glBindVertexArray(impl_->centredQuad.vao);
    glDrawArrays(GL_TRIANGLES, 0, 6);
    glBindVertexArray(0);
}

void Graphics::SetFullscreen(bool on) {
    if (on == impl_->fullscreen) return;
    int wx = 0, wy = 0;
    glfwGetWindowPos(impl_->window, &wx, &wy);
    int count = 0;
    GLFWmonitor** monitors = glfwGetMonitors(&count);
    std::vector<glm::ivec2> origins;
    for (int i = 0; i < count; ++i) {
        glm::ivec2 o;
        glfwGetMonitorPos(monitors[i], &o.x, &o.y);
        origins.push_back(o);
    }
    const int index = ChooseMonitor(glm::ivec2(wx, wy), origins);
    GLFWmonitor* monitor = index < 0 ? glfwGetPrimaryMonitor() : monitors[index];
    const glm::ivec2 origin = index < 0 ? glm::ivec2(0, 0) : origins[index];
    const GLFWvidmode* mode = glfwGetVideoMode(monitor);
    if (!mode) return;  // the monitor went away; GLFW has reported why
    if (on) {
        glfwSetWindowMonitor(impl_->window, monitor, 0, 0, mode->width, mode->height, mode->refreshRate);
    } else {
        const glm::ivec2 p = WindowedPosition(glm::ivec2(mode->width, mode->height), origin);
        glfwSetWindowMonitor(impl_->window, nullptr, p.x, p.y, kWindowedWidth, kWindowedHeight, 0);
    }
    impl_->fullscreen = on;
}

bool Graphics::GetFullscreen() const { return impl_->fullscreen; }
glm::ivec2 Graphics::GetFramebufferSize() const { return {impl_->framebufferWidth, impl_->framebufferHeight}; }
GLFWwindow* Graphics::GetWindow() const { return impl_->window; }
uint32_t Graphics::GetAnchoredQuad() const { return impl_->anchoredQuad.vao; }
uint32_t Graphics::GetCentredQuad() const { return impl_->centredQuad.vao; }
ShaderProgram& Graphics::GetForwardProgram() const { return *impl_->forward; }
ShaderProgram& Graphics::GetForwardDepthProgram() const { return *impl_->forwardDepth; }
