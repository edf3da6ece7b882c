#pragma once
// The console: a window over the game (and the editor) that shows the engine's
// log (core/log.h), toggled with the grave-accent key, with a button that
// saves a copy of the log into the save folder.
#include <string>

class Console {
public:
    Console();   // connects "OpenConsole" to "KeyPressed"
    ~Console();  // disconnects it
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    // Draws the window when visible; called once per drawn frame, inside the
    // GUI frame, after the editor windows.
    void Draw();
};

constexpr int kConsoleKey = 96;  // GLFW's grave accent

// Process-wide, initially false.
bool IsConsoleVisible();
void SetConsoleVisible(bool visible);

// Writes every log line followed by a newline to
// <save folder>"Console Log"<seconds since 1970>".txt" and returns the path.
// A save-folder failure throws (it ends in the crash dialog); a file that
// cannot be written is not reported. Two saves in one second share the name.
std::string SaveConsoleCopy();
