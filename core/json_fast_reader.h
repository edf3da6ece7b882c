#pragma once
// A fast path for reading JSON documents straight into Json::Value. jsoncpp's
// reader decodes every non-integer number through a string stream and tokenises
// character by character, which made loading a large level mostly parsing.
//
// It accepts only plain JSON (no comments, no trailing commas, no byte order
// mark, no trailing text, nesting up to kMaxFastDepth) and gives up on anything
// else, including every error. For the documents it accepts, the result is what
// jsoncpp's default CharReaderBuilder produces: the same value types (integers
// as int or, above the int64 range, uint; numbers with a point or exponent as
// double, correctly rounded), the same strings (escapes decoded the same way,
// other bytes kept as they are), later duplicate keys replacing earlier ones,
// and the same offsets (Json::Value::getOffsetStart/Limit).
#include <json/value.h>

constexpr int kMaxFastDepth = 256;

// Returns false when the text is not one this path handles; `out` is then
// unspecified and the caller parses the text with jsoncpp, which also produces
// the error text for broken documents.
bool ParseJsonFast(const char* begin, const char* end, Json::Value& out);
