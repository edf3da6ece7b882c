#pragma once
// Level documents and the save record are read and written exactly as jsoncpp's
// default CharReaderBuilder and StreamWriterBuilder would, so files written here
// read back anywhere jsoncpp is used and parse errors carry the library's own
// text. Plain documents take faster paths of our own (json_fast_reader.h,
// json_styled_writer.h) that give the same values and bytes; anything else the
// reader meets, and every broken document, goes through jsoncpp itself.
#include <string>

#include <json/value.h>

// Parses a whole document. On failure returns false, leaves `out` untouched and
// puts the parser's error text into `errors`.
bool ParseJsonText(const std::string& text, Json::Value& out, std::string& errors);

// Parses a whole document or, like jsoncpp's stream operator, writes
// "Error from reader: <errors>" to standard error and throws the library's
// runtime error carrying the parser's text.
Json::Value ParseJsonTextOrThrow(const std::string& text);

// The default styled (tab-indented) form.
std::string WriteStyledJson(const Json::Value& value);
