#pragma once
// A linked OpenGL program built from a vertex and a fragment source file, with
// uniform setters by name. Compile and link errors are written to the console
// and the program is kept (it simply draws nothing useful), so a typo in a
// shader never stops the game; an unreadable file does, with
// "Shader file unable to be loaded.".
//
// Without a GL context (tests) the files are still read, so a missing file is
// reported the same way, but nothing is compiled and every call does nothing.
#include <cstdint>
#include <string>

class ShaderProgram {
public:
    // defines: lines put right after each source's first (#version) line, e.g.
    // "#define SOLID_SPRITES\n", so one file builds several variants.
    ShaderProgram(const std::string& vertexPath, const std::string& fragmentPath, const std::string& defines = "");
    ~ShaderProgram();
    ShaderProgram(const ShaderProgram&) = delete;
    ShaderProgram& operator=(const ShaderProgram&) = delete;

    // Reads and compiles both files again. Only a program that compiles and
    // links replaces the current one; otherwise the errors are printed as at
    // construction, followed by "Keeping the previous program of <vertex> and
    // <fragment>.", and the current one stays. An unreadable file is printed
    // the same way. Returns whether the program was replaced.
    bool Reload();
    // Reloads every live program built from the file (a path exactly as given
    // to the constructor, e.g. "shaders/forward.vs"); returns how many were
    // replaced.
    static int ReloadProgramsUsing(const std::string& path);
    const std::string& VertexPath() const { return vertexPath_; }
    const std::string& FragmentPath() const { return fragmentPath_; }

    void Use() const;
    uint32_t GetID() const { return id_; }

    // -1 when the program has no such (active) uniform; setters then do nothing,
    // as OpenGL defines.
    int32_t GetUniformLocation(const std::string& name) const;
    void SetMat4(int32_t location, const float* matrix) const;  // column-major, not transposed
    void SetVec4(int32_t location, const float* value) const;

    // By name: the location is looked up on every call (no caching).
    void SetInt(const std::string& name, int value) const;
    void SetUInt(const std::string& name, unsigned value) const;
    void SetFloat(const std::string& name, float value) const;
    void SetVec2(const std::string& name, const float* value) const;
    void SetVec3(const std::string& name, const float* value) const;
    void SetVec4(const std::string& name, const float* value) const;
    void SetMat4(const std::string& name, const float* matrix) const;

private:
    uint32_t id_ = 0;
    std::string vertexPath_;
    std::string fragmentPath_;
    std::string defines_;
};

// The console reports of a failed compile ("VERTEX", "FRAGMENT") or link
// ("PROGRAM"), exactly as printed; exposed so the format is tested headless.
std::string ShaderErrorReport(const std::string& type, const std::string& log);
