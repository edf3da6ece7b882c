#include "core/json_text.h"

#include <cstdio>
#include <memory>

#include <json/reader.h>
#include <json/writer.h>

#include "core/json_fast_reader.h"
#include "core/json_styled_writer.h"

bool ParseJsonText(const std::string& text, Json::Value& out, std::string& errors) {
    errors.clear();
    Json::Value parsed;
    if (ParseJsonFast(text.data(), text.data() + text.size(), parsed)) {
        out = std::move(parsed);
        return true;
    }
    // Everything the fast path does not take (comments, trailing commas, errors)
    // goes through the reader parseFromStream builds, handed the text in place: a
    // level is megabytes, and the stream route would copy it twice more.
    Json::CharReaderBuilder builder;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    parsed = Json::Value();
    try {
        if (!reader->parse(text.data(), text.data() + text.size(), &parsed, &errors)) return false;
    } catch (const Json::Exception& e) {  // nesting past the reader's stack limit throws instead
        errors = e.what();
        return false;
    }
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
    std::string text;
    AppendStyledJson(value, text);
    return text;
}
