#include "level/json_text.h"

#include <cstdio>
#include <memory>

#include <json/reader.h>
#include <json/writer.h>

bool ParseJsonText(const std::string& text, Json::Value& out, std::string& errors) {
    // The reader parseFromStream builds, handed the text in place: a level is
    // megabytes, and the stream route would copy it twice more.
    Json::CharReaderBuilder builder;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    Json::Value parsed;
    errors.clear();
    if (!reader->parse(text.data(), text.data() + text.size(), &parsed, &errors)) return false;
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
