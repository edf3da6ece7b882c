#pragma once
// UniformSink onto a real ShaderProgram (names looked up on every set, which
// OpenGL makes cheap enough for the few hundred light uniforms of a frame).
#include <glm/gtc/type_ptr.hpp>

#include "graphics/shader_program.h"
#include "graphics/uniform_sink.h"

class ProgramUniforms : public UniformSink {
public:
    explicit ProgramUniforms(const ShaderProgram& program) : program_(program) {}
    void SetInt(const std::string& n, int v) override { program_.SetInt(n, v); }
    void SetUInt(const std::string& n, unsigned v) override { program_.SetUInt(n, v); }
    void SetFloat(const std::string& n, float v) override { program_.SetFloat(n, v); }
    void SetVec2(const std::string& n, glm::vec2 v) override { program_.SetVec2(n, glm::value_ptr(v)); }
    void SetVec3(const std::string& n, glm::vec3 v) override { program_.SetVec3(n, glm::value_ptr(v)); }
    void SetMat4(const std::string& n, const glm::mat4& v) override { program_.SetMat4(n, glm::value_ptr(v)); }

private:
    const ShaderProgram& program_;
};
