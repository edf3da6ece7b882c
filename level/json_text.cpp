#include "level/json_text.h"

#include <cstdio>
#include <sstream>

#include <json/reader.h>
#include <json/writer.h>

bool ParseJsonText(const std::string& text, Json::Value& out, std::string& errors) {
    Json::CharReaderBuilder builder;
    std::istringstream in(text);
    Json::Value parsed;
    if (!Json::parseFromStream(builder, in, &parsed, &errors)) return false;
    out = std::move(parsed);
    return true;
}

Json::Value ParseJsonTextOrThrow(const std::string& text) {
    Json::Value value;
    std::string errors;
    if (!ParseJsonText(text, value, errors)) {
        std::fprintf(stderr, "Error from reader: %s", errors.c_str());
        Json::throwRuntimeError(errors);
    }
    return value;
}

std::string WriteStyledJson(const Json::Value& value) {
    Json::StreamWriterBuilder builder;
    return Json::writeString(builder, value);
}
