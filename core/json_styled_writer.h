#pragma once
// A streaming form of jsoncpp's default styled writer (the one
// Json::StreamWriterBuilder makes with its default settings: tab indentation,
// "key" : value, 17 significant digits, non-ASCII escaped as \uXXXX). It writes
// straight into one string instead of going through an ostream, a member-name
// copy per object and a printf per number, which made saving a large level
// several times slower than building it. The output is byte for byte what
// Json::writeString gives for the same value, comments included, except for
// infinity: jsoncpp's 1e+9999 cannot be read back, so the largest double is
// written instead (it reads back as infinity into a float).
#include <string>

#include <json/value.h>

#include <functional>

// Appends the styled form of `value` to `out`.
void AppendStyledJson(const Json::Value& value, std::string& out);

// The same, except that the array `streamed` (an empty array member somewhere
// inside `value`) is written as if it held `count` elements, each made by
// `element(index)` just before it is written and freed just after. A level's
// entities are built, written and freed one at a time instead of standing as
// one tree of megabytes: far less memory, and what is written is still in cache.
using ElementMaker = std::function<Json::Value(Json::ArrayIndex)>;
void AppendStyledJson(const Json::Value& value, std::string& out, const Json::Value& streamed,
                      Json::ArrayIndex count, const ElementMaker& element);
