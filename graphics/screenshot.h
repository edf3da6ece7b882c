#pragma once
// The screenshot key: F12 writes the window's picture, GUI included, as a PNG
// to "<save folder>screenshots/Screenshot YYYY-MM-DD HH-MM-SS.png" and prints
// "Screenshot saved: <path>" once the file is complete.
//
// The frame is never held up: the pixels are read into a pixel buffer object
// right after the frame is drawn, copied out a frame or more later once the
// GPU has finished with them, and encoded and written on a thread of its own.
#include <ctime>
#include <set>
#include <string>
#include <vector>

namespace screenshot {

constexpr int kKey = 301;  // F12 (GLFW key code)

// Connects the listener "ScreenshotKey" to "KeyPressed".
void ConnectKey();
// Takes a picture of the next drawn frame.
void Request();
// Called by Graphics::EndFrame after the GUI is drawn and before the swap,
// with the framebuffer's size in pixels.
void OnFrameRendered(int width, int height);
// Waits for the writes in flight, prints their lines and releases the pixel
// buffer (the GL context must still exist); disconnects the key.
void Shutdown();

// "Screenshot 2026-12-06 01-02-03.png" for that local time.
std::string FileName(const std::tm& local);
// `folder` + name, with " 2", " 3", ... before ".png" when the path exists on
// disk or is in `taken`, so no earlier picture is ever replaced.
std::string FreePath(const std::string& folder, const std::string& name, const std::set<std::string>& taken = {});
// GL rows run bottom to top; PNG rows top to bottom. rgba: width x height x 4.
std::vector<unsigned char> FlipRows(const std::vector<unsigned char>& rgba, int width, int height);

}  // namespace screenshot
