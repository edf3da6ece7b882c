#pragma once
// JSON vectors: objects with number members "x", "y" and where needed "z", "w"
// (colours r, g, b, a). A missing or null member reads as 0.
#include <glm/vec2.hpp>
#include <glm/vec3.hpp>
#include <glm/vec4.hpp>
#include <json/value.h>

inline glm::vec2 ReadVec2(const Json::Value& v) { return {v["x"].asFloat(), v["y"].asFloat()}; }
inline glm::vec3 ReadVec3(const Json::Value& v) { return {v["x"].asFloat(), v["y"].asFloat(), v["z"].asFloat()}; }
inline glm::vec4 ReadVec4(const Json::Value& v) {
    return {v["x"].asFloat(), v["y"].asFloat(), v["z"].asFloat(), v["w"].asFloat()};
}

inline Json::Value WriteVec(glm::vec2 v) {
    Json::Value j;
    j[Json::StaticString("x")] = double(v.x);
    j[Json::StaticString("y")] = double(v.y);
    return j;
}
inline Json::Value WriteVec(glm::vec3 v) {
    Json::Value j = WriteVec(glm::vec2(v));
    j[Json::StaticString("z")] = double(v.z);
    return j;
}
inline Json::Value WriteVec(glm::vec4 v) {
    Json::Value j = WriteVec(glm::vec3(v));
    j[Json::StaticString("w")] = double(v.w);
    return j;
}
