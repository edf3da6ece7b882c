#pragma once
// Reading collider and body numbers from level JSON. A missing key reads as 0;
// a value that does not fit a finite float (1e999, a huge double) would poison
// every later step with inf/NaN, so it is reported and read as 0 instead.
#include <cmath>
#include <string>

#include <json/value.h>

#include "core/log.h"

inline float ReadFiniteFloat(const Json::Value& json, const char* key, const char* component) {
    const Json::Value& v = json[key];
    if (!v.isNumeric()) return 0.0f;
    float f = v.asFloat();
    if (!std::isfinite(f)) {
        Print(std::string(component) + ": \"" + key + "\" is not a finite number, using 0");
        return 0.0f;
    }
    return f;
}

inline bool ReadBool(const Json::Value& json, const char* key) {
    const Json::Value& v = json[key];
    return v.isBool() ? v.asBool() : (v.isNumeric() ? v.asDouble() != 0.0 : false);
}
