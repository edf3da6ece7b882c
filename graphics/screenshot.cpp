#include "graphics/screenshot.h"

#include <chrono>
#include <cstring>
#include <filesystem>
#include <future>
#include <list>
#include <set>

#include <epoxy/gl.h>
#include <lodepng.h>

#include "core/events.h"
#include "core/file_util.h"
#include "core/log.h"
#include "core/save_folder.h"
#include "graphics/gpu.h"

namespace screenshot {
namespace {

constexpr const char* kListener = "ScreenshotKey";

struct State {
    bool requested = false;
    std::string requestedPath;
    // A read issued into the pixel buffer, not yet copied out.
    bool reading = false;
    std::string readingPath;
    int width = 0;
    int height = 0;
    GLuint buffer = 0;
    size_t bufferSize = 0;
    GLsync fence = nullptr;
    std::list<std::future<std::string>> writes;  // each yields its log line
    std::set<std::string> inFlight;              // paths of reads and writes not yet on disk
};

State& S() {
    static State state;
    return state;
}

std::string WritePicture(std::vector<unsigned char> bottomUp, int width, int height, std::string path) {
    const std::vector<unsigned char> rgba = FlipRows(bottomUp, width, height);
    std::vector<unsigned char> png;
    if (unsigned error = lodepng::encode(png, rgba, unsigned(width), unsigned(height)))
        return std::string("Screenshot not saved: ") + lodepng_error_text(error);
    if (!WriteFileAtomically(path, std::string(png.begin(), png.end())))
        return "Screenshot not saved: could not write \"" + path + "\"";
    return "Screenshot saved: " + path;
}

// The picture's path, chosen when the key is pressed. Pictures still being
// written are not on disk yet, so their names count as taken too.
std::string NewPath() {
    const std::string folder = GetSaveFolder() + "screenshots/";
    std::filesystem::create_directories(folder);
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::set<std::string> inFlight = S().inFlight;
    inFlight.insert(S().readingPath);
    return FreePath(folder, FileName(local), inFlight);
}

void PrintFinishedWrites(bool wait) {
    auto& writes = S().writes;
    for (auto it = writes.begin(); it != writes.end();) {
        if (wait || it->wait_for(std::chrono::seconds(0)) == std::future_status::ready) {
            Print(it->get());
            it = writes.erase(it);
            if (writes.empty()) S().inFlight.clear();
        } else {
            ++it;
        }
    }
}

// Copies the finished read out of the pixel buffer and hands it to a writer.
// With wait false, returns at once when the GPU is not done yet.
void CollectRead(bool wait) {
    State& s = S();
    if (!s.reading) return;
    const GLenum status = glClientWaitSync(s.fence, GL_SYNC_FLUSH_COMMANDS_BIT, wait ? GLuint64(1000000000) : 0);
    if (status == GL_TIMEOUT_EXPIRED && !wait) return;
    glDeleteSync(s.fence);
    s.fence = nullptr;
    s.reading = false;
    std::vector<unsigned char> pixels(size_t(s.width) * size_t(s.height) * 4);
    glBindBuffer(GL_PIXEL_PACK_BUFFER, s.buffer);
    if (const void* mapped = glMapBufferRange(GL_PIXEL_PACK_BUFFER, 0, GLsizeiptr(pixels.size()), GL_MAP_READ_BIT)) {
        std::memcpy(pixels.data(), mapped, pixels.size());
        glUnmapBuffer(GL_PIXEL_PACK_BUFFER);
        s.inFlight.insert(s.readingPath);
        s.writes.push_back(std::async(std::launch::async, WritePicture, std::move(pixels), s.width, s.height,
                                      std::move(s.readingPath)));
    } else {
        Print("Screenshot not saved: the picture could not be read back");
    }
    glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
    s.readingPath.clear();
}

}  // namespace

void ConnectKey() {
    events::Connect<int>("KeyPressed", kListener, [](int key) {
        if (key == kKey) Request();
    });
}

void Request() {
    State& s = S();
    if (s.requested) return;
    try {
        s.requestedPath = NewPath();
        s.requested = true;
    } catch (const std::exception& e) {
        Print(std::string("Screenshot not saved: ") + e.what());
    }
}

void OnFrameRendered(int width, int height) {
    if (!gpu::Active()) return;
    State& s = S();
    PrintFinishedWrites(false);
    CollectRead(false);
    if (!s.requested || s.reading || width < 1 || height < 1) return;
    s.requested = false;
    const size_t size = size_t(width) * size_t(height) * 4;
    if (!s.buffer) glGenBuffers(1, &s.buffer);
    glBindBuffer(GL_PIXEL_PACK_BUFFER, s.buffer);
    if (size != s.bufferSize) {
        glBufferData(GL_PIXEL_PACK_BUFFER, GLsizeiptr(size), nullptr, GL_STREAM_READ);
        s.bufferSize = size;
    }
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
    s.fence = glFenceSync(GL_SYNC_GPU_COMMANDS_COMPLETE, 0);
    s.reading = true;
    s.readingPath = std::move(s.requestedPath);
    s.requestedPath.clear();
    s.width = width;
    s.height = height;
}

void Shutdown() {
    events::Disconnect("KeyPressed", kListener);
    State& s = S();
    if (gpu::Active()) {
        CollectRead(true);
        if (s.buffer) glDeleteBuffers(1, &s.buffer);
    }
    s.buffer = 0;
    s.bufferSize = 0;
    s.requested = false;
    s.requestedPath.clear();
    PrintFinishedWrites(true);
}

std::string FileName(const std::tm& local) {
    char text[64];
    std::strftime(text, sizeof(text), "Screenshot %Y-%m-%d %H-%M-%S.png", &local);
    return text;
}

std::string FreePath(const std::string& folder, const std::string& name, const std::set<std::string>& taken) {
    std::error_code ec;
    std::string path = folder + name;
    const std::string stem = name.size() > 4 ? name.substr(0, name.size() - 4) : name;
    for (int n = 2; taken.count(path) || std::filesystem::exists(path, ec); ++n) path = folder + stem + " " + std::to_string(n) + ".png";
    return path;
}

std::vector<unsigned char> FlipRows(const std::vector<unsigned char>& rgba, int width, int height) {
    std::vector<unsigned char> out(rgba.size());
    const size_t row = size_t(width) * 4;
    for (int y = 0; y < height; ++y)
        std::memcpy(out.data() + size_t(y) * row, rgba.data() + size_t(height - 1 - y) * row, row);
    return out;
}

}  // namespace screenshot
