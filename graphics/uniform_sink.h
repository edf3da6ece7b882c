#pragma once
// Where the light and scene uniforms go. The real sink forwards to a shader
// program; tests use a sink that records every call. Setting a name the program
// does not have is harmless (OpenGL ignores location -1).
#include <string>

#include <glm/mat4x4.hpp>
#include <glm/vec2.hpp>
#include <glm/vec3.hpp>

class UniformSink {
public:
    virtual ~UniformSink() = default;
    virtual void SetInt(const std::string& name, int value) = 0;
    virtual void SetUInt(const std::string& name, unsigned value) = 0;
    virtual void SetFloat(const std::string& name, float value) = 0;
    virtual void SetVec2(const std::string& name, glm::vec2 value) = 0;
    virtual void SetVec3(const std::string& name, glm::vec3 value) = 0;
    virtual void SetMat4(const std::string& name, const glm::mat4& value) = 0;
};
