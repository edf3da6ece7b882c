#pragma once
// A streaming form of jsoncpp's default styled writer (the one
// Json::StreamWriterBuilder makes with its default settings: tab indentation,
// "key" : value, 17 significant digits, non-ASCII escaped as \uXXXX). It writes
// straight into one string instead of going through an ostream, a member-name
// copy per object and a printf per number, which made saving a large level
// several times slower than building it. The output is byte for byte what
// Json::writeString gives for the same value.
#include <string>

#include <json/value.h>

// Appends the styled form of `value` to `out`. Returns false, leaving `out` as it
// was, when the value carries comments (only a parse with comments can attach
// them): the caller then uses jsoncpp's own writer, which knows where they go.
bool AppendStyledJson(const Json::Value& value, std::string& out);
