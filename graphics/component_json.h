#pragma once
// Shared guard for the light and caster components: their data must be a JSON
// object (null reads as "every key missing", so every field becomes 0). Anything
// else is a broken level file and is reported by name rather than half-read.
#include <string>

#include <json/value.h>

#include "core/debug_exception.h"

inline void RequireComponentObject(const Json::Value& json, const char* typeName) {
    if (!json.isNull() && !json.isObject())
        throw debug::exception(std::string(typeName) + ": component data is not a JSON object");
}
