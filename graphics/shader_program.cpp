#include "graphics/shader_program.h"

#include <fstream>
#include <sstream>

#include <epoxy/gl.h>

#include "engine/debug_exception.h"
#include "engine/log.h"
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

void CheckErrors(GLuint object, const std::string& type) {
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
}

GLuint CompileShader(GLenum kind, const std::string& source, const std::string& type) {
    GLuint shader = glCreateShader(kind);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    CheckErrors(shader, type);
    return shader;
}

}  // namespace

std::string ShaderErrorReport(const std::string& type, const std::string& log) {
    const char* head = type == "PROGRAM" ? "Program linking error of type: " : "Shader compilation error of type: ";
    return head + type + "|\n" + log + "\n| -- --------------------------------------------------- -- |";
}

ShaderProgram::ShaderProgram(const std::string& vertexPath, const std::string& fragmentPath) {
    const std::string vertexSource = ReadShaderFile(vertexPath);
    const std::string fragmentSource = ReadShaderFile(fragmentPath);
    if (!gpu::Active()) return;

    GLuint vertex = CompileShader(GL_VERTEX_SHADER, vertexSource, "VERTEX");
    GLuint fragment = CompileShader(GL_FRAGMENT_SHADER, fragmentSource, "FRAGMENT");
    id_ = glCreateProgram();
    glAttachShader(id_, vertex);
    glAttachShader(id_, fragment);
    glLinkProgram(id_);
    CheckErrors(id_, "PROGRAM");
    glDeleteShader(vertex);
    glDeleteShader(fragment);
}

ShaderProgram::~ShaderProgram() {
    if (gpu::Active() && id_) glDeleteProgram(id_);
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
