// The level text paths against jsoncpp itself: the styled writer must give its
// bytes, the fast reader its values (types, doubles bit for bit, text offsets),
// and ParseJsonText its verdict and error text on everything the fast reader
// leaves to it.
#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <memory>
#include <optional>
#include <random>

#include <json/reader.h>
#include <json/writer.h>

#include "core/json_fast_reader.h"
#include "core/json_styled_writer.h"
#include "core/json_text.h"

namespace {

std::string JsoncppWrite(const Json::Value& value) { return Json::writeString(Json::StreamWriterBuilder(), value); }

::testing::AssertionResult Same(const Json::Value& a, const Json::Value& b, const std::string& where = "/") {
    const bool real = a.type() == Json::realValue && b.type() == Json::realValue;
    const double x = real ? a.asDouble() : 0.0, y = real ? b.asDouble() : 0.0;
    if (a.type() != b.type() || a.getOffsetStart() != b.getOffsetStart() || a.getOffsetLimit() != b.getOffsetLimit() ||
        std::memcmp(&x, &y, sizeof x) != 0 || a.size() != b.size() || (!real && a.size() == 0 && a != b))
        return ::testing::AssertionFailure() << "differ at " << where;
    for (auto ia = a.begin(), ib = b.begin(); ia != a.end(); ++ia, ++ib) {
        if (ia.key() != ib.key()) return ::testing::AssertionFailure() << "keys differ at " << where;
        if (auto same = Same(*ia, *ib, where + ia.key().asString() + "/"); !same) return same;
    }
    return ::testing::AssertionSuccess();
}

// `fast`: whether the fast reader must take the text (unset: either way).
void ExpectReadLikeJsoncpp(const std::string& text, std::optional<bool> fast) {
    SCOPED_TRACE(text.substr(0, 80));
    Json::Value expected, viaFast, out(1234);
    std::string expectedErrors, errors = "stale";
    std::unique_ptr<Json::CharReader> reader(Json::CharReaderBuilder().newCharReader());
    const bool ok = reader->parse(text.data(), text.data() + text.size(), &expected, &expectedErrors);
    const bool tookFast = ParseJsonFast(text.data(), text.data() + text.size(), viaFast);
    if (fast) EXPECT_EQ(tookFast, *fast);
    if (tookFast) EXPECT_TRUE(Same(viaFast, expected));
    EXPECT_EQ(ParseJsonText(text, out, errors), ok);
    EXPECT_EQ(errors, expectedErrors);
    EXPECT_TRUE(Same(out, ok ? expected : Json::Value(1234)));  // untouched on failure
}

TEST(FastJsonReader, ReadsStrictJsonAndLeavesEverythingElseToJsoncpp) {
    for (const char* text : {
             "0", "-0", "-7", "1.5", "-0.0", "1E+3", "2.5e-3", "2.2250738585072014e-308", "123456789012345678901234567890",
             "9223372036854775807", "9223372036854775808", "-9223372036854775808", "-9223372036854775809",
             "18446744073709551615", "18446744073709551616", "0.1000000014901161193847656250000000000001",
             " \t\r\n[ true , false,null ] ", "{}", R"( { "a" : 1 , "b" : [ ] } )",
             R"("esc \" \\ \/ \b \f \n \r \t \u0041\u00e9\u20ac\ud83c\udf32 \u0000 \uDBFF\uDFFF")",
             R"("lone low \udc00, odd pair \ud800\u0041")", "\"raw \x01 control \t and \xff bytes\"",
             R"({"a":1,"a":{"b":2},"c":[1,{"a":[]},"x"],"a":[true]})", R"({"\u00e9t\u00e9" : 1, "k\"ey" : 2})"})
        ExpectReadLikeJsoncpp(text, true);
    for (const char* text : {
             "// comment\n{\"a\":1}", "{\"a\":1 /* c */}", "[1,2,]", "{\"a\":1,}", "\xef\xbb\xbf{}", "01", "1.", "-",
             "{\"a\":1} trailing", "1e999", "-1e999", "[1 2]", "", "   ", "{", "[", "{\"a\" 1}", "{\"a\" 11}", "{\"a\":}",
             "{a:1}", "[1,,2]", "{\"a\":tru}", "[nulx]", "\"open", R"("bad \q escape")", R"("\u12")", R"("\ud800")",
             R"("\ud800\n")", R"("\uZZZZ")", "1e", "-x", "{\"a\":[1,2}", "}"})
        ExpectReadLikeJsoncpp(text, false);
    for (const char* text : {"1e-400", "-1e-400", "4.9e-324", "2e-320", "[1e-330, 0.5]"}) ExpectReadLikeJsoncpp(text, {});
    // Nesting up to the fast reader's depth, and deeper; names too long to be
    // pooled, and more distinct names than the pool keeps.
    std::string deepObject = "0";
    for (int i = 0; i < kMaxFastDepth; ++i) deepObject = "{\"k\":" + deepObject + "}";
    const std::string deepArray = std::string(kMaxFastDepth, '[') + "0" + std::string(kMaxFastDepth, ']');
    for (const std::string& deep : {deepObject, deepArray}) {
        ExpectReadLikeJsoncpp(deep, true);
        ExpectReadLikeJsoncpp("[" + deep + "]", false);
    }
    // Past jsoncpp's own nesting limit its reader throws; here it is an error.
    Json::Value out(1234);
    std::string errors;
    EXPECT_FALSE(ParseJsonText(std::string(1001, '[') + std::string(1001, ']'), out, errors));
    EXPECT_EQ(errors, "Exceeded stackLimit in readValue().");
    EXPECT_EQ(out, Json::Value(1234));
    std::string many = "{\"" + std::string(100, 'k') + "\" : 1";
    for (int i = 0; i < 5000; ++i) many += ",\"name " + std::to_string(i) + "\":" + std::to_string(i);
    ExpectReadLikeJsoncpp(many + "}", true);
}

// Every kind of value, odd strings and member names among them, written like
// jsoncpp and its text read back like jsoncpp; doubles of every bit pattern.
TEST(StyledJsonWriter, WritesEveryKindOfValueLikeJsoncpp) {
    Json::Value doc = ParseJsonTextOrThrow(R"({"ints": [0, -42, -9223372036854775808, 9223372036854775807, 18446744073709551615],
        "strings": ["", "say \"hi\" \\ /", "\u0001\u001f\t\n\r\b\f\u007f", "caf\u00e9 \u20ac \ud83c\udf32", "nul\u0000in",
                    {"\"q\"": true, "a\u0000b": false, "caf\u00e9": null, "": [[], {}, [{"d": [1.5]}]]}]})");
    doc["strings"].append("broken \xc3 \xe2\x82 \xff\xfe");
    doc["gaps"][3] = 1;  // elements 0 to 2 are missing: written as null
    std::mt19937_64 rng(7);
    for (double d : {0.0, -0.0, 1e15, 1e16, 1e17, 999999999999999.0, 9007199254740993.0, 5e-324, DBL_MIN, DBL_MAX, -DBL_MAX,
                     1e-7, 1e21, double(0.1f), std::nan("")})
        doc["reals"].append(d);
    for (int i = 0; i < 5000; ++i) {
        doc["reals"].append(std::bit_cast<double>(rng()));
        doc["reals"].append(double(float(int64_t(rng() % 2000001) - 1000000) / 64.0f));  // positions on a grid
        doc["reals"].append(std::ldexp(double(rng() % 100000), int(rng() % 120) - 60));     // whole and tiny values
    }
    for (const Json::Value& value : {doc, doc["strings"][5], Json::Value(), Json::Value(Json::arrayValue)}) {
        EXPECT_EQ(WriteStyledJson(value), JsoncppWrite(value));
        ExpectReadLikeJsoncpp(JsoncppWrite(value), true);
    }
}

// Comments reach values only through jsoncpp's reader (a hand-edited level);
// the writer places them as jsoncpp does.
TEST(StyledJsonWriter, PlacesCommentsLikeJsoncpp) {
    const std::string text =
        "// level header\n// second line\n{\n  \"a\" : 1, // after a\n  /* before b */ \"b\" : [ // after [\n"
        "     1, // after 1\n     // one\n     // two\n     2,\n     {\"c\" : null /* after c */}\n  ],\n"
        "  \"d\" : {} // last\n}\n// trailing\n";
    Json::Value parsed;
    std::unique_ptr<Json::CharReader> reader(Json::CharReaderBuilder().newCharReader());
    ASSERT_TRUE(reader->parse(text.data(), text.data() + text.size(), &parsed, nullptr));
    EXPECT_EQ(WriteStyledJson(parsed), JsoncppWrite(parsed));
}

}  // namespace
