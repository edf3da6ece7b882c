#include "graphics/shader_program.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <vector>

#include <epoxy/gl.h>

#include "core/debug_exception.h"
#include "core/log.h"
#include "graphics/gpu.h"

namespace {

std::string ReadShaderFile(const std::string& path) {
    std::ifstream file;
    file.exceptions(std::ifstream::failbit | std::ifstream::badbit);
    try {
        file.open(path);
        std::stringstream text;
        text << file.rdbuf();
        file.close();
        return text.str();
    } catch (const std::ios_base::failure&) {
        throw debug::exception("Shader file unable to be loaded.");
    }
}

// Every program alive, for reloading by file.
std::vector<ShaderProgram*>& LivePrograms() {
    static std::vector<ShaderProgram*> programs;
    return programs;
}

// Whether the object compiled (or linked); a failure is printed.
bool CheckErrors(GLuint object, const std::string& type) {
    GLint success = 0;
    char log[1024] = {};
    if (type != "PROGRAM") {
        glGetShaderiv(object, GL_COMPILE_STATUS, &success);
        if (!success) {
            glGetShaderInfoLog(object, sizeof(log), nullptr, log);
            Print(ShaderErrorReport(type, log));
        }
    } else {
        glGetProgramiv(object, GL_LINK_STATUS, &success);
        if (!success) {
            glGetProgramInfoLog(object, sizeof(log), nullptr, log);
            Print(ShaderErrorReport(type, log));
        }
    }
    return success != 0;
}

GLuint CompileShader(GLenum kind, const std::string& source, const std::string& type, bool* ok = nullptr) {
    GLuint shader = glCreateShader(kind);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    const bool compiled = CheckErrors(shader, type);
    if (ok) *ok = compiled;
    return shader;
}

// Compiles and links a program; ok tells whether all three steps succeeded.
GLuint BuildProgram(const std::string& vertexSource, const std::string& fragmentSource, bool& ok) {
    bool vertexOk = false, fragmentOk = false;
    GLuint vertex = CompileShader(GL_VERTEX_SHADER, vertexSource, "VERTEX", &vertexOk);
    GLuint fragment = CompileShader(GL_FRAGMENT_SHADER, fragmentSource, "FRAGMENT", &fragmentOk);
    GLuint program = glCreateProgram();
    glAttachShader(program, vertex);
    glAttachShader(program, fragment);
    glLinkProgram(program);
    const bool linked = CheckErrors(program, "PROGRAM");
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    ok = vertexOk && fragmentOk && linked;
    return program;
}

// The defines go after the first line, which must stay the #version line.
std::string WithDefines(const std::string& source, const std::string& defines) {
    if (defines.empty()) return source;
    const size_t eol = source.find('\n');
    if (eol == std::string::npos) return source + "\n" + defines;
    return source.substr(0, eol + 1) + defines + source.substr(eol + 1);
}

}  // namespace

std::string ShaderErrorReport(const std::string& type, const std::string& log) {
    const char* head = type == "PROGRAM" ? "Program linking error of type: " : "Shader compilation error of type: ";
    return head + type + "|\n" + log + "\n| -- --------------------------------------------------- -- |";
}

ShaderProgram::ShaderProgram(const std::string& vertexPath, const std::string& fragmentPath,
                             const std::string& defines)
    : vertexPath_(vertexPath), fragmentPath_(fragmentPath), defines_(defines) {
    const std::string vertexSource = WithDefines(ReadShaderFile(vertexPath), defines_);
    const std::string fragmentSource = WithDefines(ReadShaderFile(fragmentPath), defines_);
    LivePrograms().push_back(this);
    if (!gpu::Active()) return;
    bool ok = false;
    id_ = BuildProgram(vertexSource, fragmentSource, ok);
}

ShaderProgram::~ShaderProgram() {
    auto& live = LivePrograms();
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
    if (gpu::Active() && id_) glDeleteProgram(id_);
}

bool ShaderProgram::Reload() {
    std::string vertexSource, fragmentSource;
    try {
        vertexSource = WithDefines(ReadShaderFile(vertexPath_), defines_);
        fragmentSource = WithDefines(ReadShaderFile(fragmentPath_), defines_);
    } catch (const std::exception& e) {
        Print(std::string(e.what()) + " Keeping the program of " + vertexPath_ + " and " + fragmentPath_ + ".");
        return false;
    }
    if (!gpu::Active()) return true;
    bool ok = false;
    const GLuint program = BuildProgram(vertexSource, fragmentSource, ok);
    if (!ok) {
        glDeleteProgram(program);
        Print("Keeping the previous program of " + vertexPath_ + " and " + fragmentPath_ + ".");
        return false;
    }
    if (id_) glDeleteProgram(id_);
    id_ = program;
    return true;
}

int ShaderProgram::ReloadProgramsUsing(const std::string& path) {
    int rebuilt = 0;
    // A copy: nothing here creates programs, but the list must not be walked
    // while something could change it.
    const std::vector<ShaderProgram*> live = LivePrograms();
    for (ShaderProgram* program : live) {
        if (program->vertexPath_ != path && program->fragmentPath_ != path) continue;
        if (program->Reload()) ++rebuilt;
    }
    return rebuilt;
}

void ShaderProgram::Use() const {
    if (gpu::Active()) glUseProgram(id_);
}

int32_t ShaderProgram::GetUniformLocation(const std::string& name) const {
    if (!gpu::Active() || !id_) return -1;
    return glGetUniformLocation(id_, name.c_str());
}

void ShaderProgram::SetMat4(int32_t location, const float* matrix) const {
    if (gpu::Active()) glUniformMatrix4fv(location, 1, GL_FALSE, matrix);
}

void ShaderProgram::SetVec4(int32_t location, const float* value) const {
    if (gpu::Active()) glUniform4fv(location, 1, value);
}

void ShaderProgram::SetInt(const std::string& name, int value) const {
    if (gpu::Active()) glUniform1i(GetUniformLocation(name), value);
}

void ShaderProgram::SetUInt(const std::string& name, unsigned value) const {
    if (gpu::Active()) glUniform1ui(GetUniformLocation(name), value);
}

void ShaderProgram::SetFloat(const std::string& name, float value) const {
    if (gpu::Active()) glUniform1f(GetUniformLocation(name), value);
}

void ShaderProgram::SetVec2(const std::string& name, const float* value) const {
    if (gpu::Active()) glUniform2fv(GetUniformLocation(name), 1, value);
}

void ShaderProgram::SetVec3(const std::string& name, const float* value) const {
    if (gpu::Active()) glUniform3fv(GetUniformLocation(name), 1, value);
}

void ShaderProgram::SetVec4(const std::string& name, const float* value) const {
    if (gpu::Active()) glUniform4fv(GetUniformLocation(name), 1, value);
}

void ShaderProgram::SetMat4(const std::string& name, const float* matrix) const {
    if (gpu::Active()) glUniformMatrix4fv(GetUniformLocation(name), 1, GL_FALSE, matrix);
}
