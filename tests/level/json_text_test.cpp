// The level text paths must be indistinguishable from jsoncpp's default reader
// and writer: same bytes out, same values (types and offsets) in, same error
// texts for broken documents. Every case is checked against jsoncpp itself.
#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <json/reader.h>
#include <json/writer.h>

#include "core/json_fast_reader.h"
#include "core/json_styled_writer.h"
#include "core/json_text.h"

namespace {

std::string JsoncppWrite(const Json::Value& value) { return Json::writeString(Json::StreamWriterBuilder(), value); }

struct JsoncppParse {
    bool ok = false;
    Json::Value value;
    std::string errors;
};

JsoncppParse JsoncppRead(const std::string& text) {
    JsoncppParse result;
    std::unique_ptr<Json::CharReader> reader(Json::CharReaderBuilder().newCharReader());
    result.ok = reader->parse(text.data(), text.data() + text.size(), &result.value, &result.errors);
    return result;
}

// Type-strict equality (int 1 is not uint 1 nor 1.0), doubles bit for bit, and
// the recorded text offsets of every value.
::testing::AssertionResult SameValue(const Json::Value& a, const Json::Value& b, const std::string& where = "root") {
    if (a.type() != b.type()) return ::testing::AssertionFailure() << where << ": types differ";
    if (a.getOffsetStart() != b.getOffsetStart() || a.getOffsetLimit() != b.getOffsetLimit())
        return ::testing::AssertionFailure() << where << ": offsets differ";
    if (a.type() == Json::realValue) {
        const double x = a.asDouble(), y = b.asDouble();
        if (std::memcmp(&x, &y, sizeof x) != 0) return ::testing::AssertionFailure() << where << ": " << x << " vs " << y;
        return ::testing::AssertionSuccess();
    }
    if (a.isArray() || a.isObject()) {
        if (a.size() != b.size()) return ::testing::AssertionFailure() << where << ": sizes differ";
        for (auto ia = a.begin(), ib = b.begin(); ia != a.end(); ++ia, ++ib) {
            if (ia.key() != ib.key()) return ::testing::AssertionFailure() << where << ": keys differ";
            auto r = SameValue(*ia, *ib, where + "/" + ia.key().asString());
            if (!r) return r;
        }
        return ::testing::AssertionSuccess();
    }
    if (a != b) return ::testing::AssertionFailure() << where << ": values differ";
    return ::testing::AssertionSuccess();
}

void ExpectWrittenLikeJsoncpp(const Json::Value& value) {
    std::string ours;
    AppendStyledJson(value, ours);
    EXPECT_EQ(ours, JsoncppWrite(value));
    EXPECT_EQ(WriteStyledJson(value), JsoncppWrite(value));
}

// Strict JSON: the fast path must take it and give jsoncpp's value.
void ExpectFastParseLikeJsoncpp(const std::string& text) {
    SCOPED_TRACE(text);
    JsoncppParse expected = JsoncppRead(text);
    ASSERT_TRUE(expected.ok) << expected.errors;
    Json::Value fast;
    ASSERT_TRUE(ParseJsonFast(text.data(), text.data() + text.size(), fast));
    EXPECT_TRUE(SameValue(fast, expected.value));
    Json::Value viaText;
    std::string errors = "stale";
    ASSERT_TRUE(ParseJsonText(text, viaText, errors));
    EXPECT_EQ(errors, "");
    EXPECT_TRUE(SameValue(viaText, expected.value));
}

// Text the fast path must leave to jsoncpp; ParseJsonText must still give
// jsoncpp's verdict, value or error text.
void ExpectFallbackLikeJsoncpp(const std::string& text) {
    SCOPED_TRACE(text);
    Json::Value fast;
    EXPECT_FALSE(ParseJsonFast(text.data(), text.data() + text.size(), fast));
    JsoncppParse expected = JsoncppRead(text);
    Json::Value out(1234);
    std::string errors;
    EXPECT_EQ(ParseJsonText(text, out, errors), expected.ok);
    EXPECT_EQ(errors, expected.errors);
    if (expected.ok)
        EXPECT_TRUE(SameValue(out, expected.value));
    else
        EXPECT_EQ(out, Json::Value(1234));  // untouched on failure
}

Json::Value VariedDocument() {
    Json::Value doc;
    doc["null"] = Json::Value();
    doc["yes"] = true;
    doc["no"] = false;
    doc["int"] = -42;
    doc["int_min"] = Json::Int64(INT64_MIN);
    doc["int_max"] = Json::Int64(INT64_MAX);
    doc["uint"] = Json::UInt(7);
    doc["uint_max"] = Json::UInt64(UINT64_MAX);
    Json::Value& reals = doc["reals"];
    for (double d : {0.0, -0.0, 1.0, -1.0, double(0.1f), 0.1, 1e30, -1e30, 1e15, 1e16, 1e17, 123456789012345.0,
                     9007199254740993.0, 0.5, 1.0 / 3.0, 5e-324, DBL_MIN, DBL_MAX, -DBL_MAX, 1e-7, 1e21, 2.5e-5})
        reals.append(d);
    Json::Value& strings = doc["strings"];
    strings.append("");
    strings.append("plain text");
    strings.append("say \"hi\"");
    strings.append("C:\\levels\\a.json");
    strings.append("tab\there\nnew line\r\b\f\x01\x1f end");
    strings.append("caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x8c\xb2");          // 2-, 3- and 4-byte UTF-8
    strings.append("broken \xc3 and \xe2\x82 and \xff\xfe, \xed\xa0\x80");  // invalid sequences, a surrogate
    strings.append("del \x7f slash /");
    strings.append(Json::Value(std::string("nul\0inside", 10)));
    doc["weird keys"]["\"quoted\""] = 1;
    doc["weird keys"]["back\\slash"] = 2;
    doc["weird keys"]["caf\xc3\xa9"] = 3;
    doc["weird keys"][""] = 4;
    doc["weird keys"][std::string("a\0b", 3)] = 5;
    doc["empty array"] = Json::Value(Json::arrayValue);
    doc["empty object"] = Json::Value(Json::objectValue);
    Json::Value& nested = doc["nested"];
    nested["a"]["b"]["c"].append(Json::Value(Json::arrayValue));
    nested["a"]["b"]["c"].append(Json::Value(Json::objectValue));
    nested["a"]["b"]["c"].append(Json::Value());
    nested["a"]["b"]["c"][3]["d"] = "deep";
    nested["list"].append(1);
    nested["list"][2] = 3;  // a gap: element 1 is written as null
    Json::Value inner;
    inner.append(Json::Value(Json::arrayValue));
    inner[0].append(1.5);
    inner[0].append("x");
    nested["list"].append(inner);
    return doc;
}

TEST(StyledJsonWriter, WritesVariedDocumentsByteForByteLikeJsoncpp) {
    ExpectWrittenLikeJsoncpp(VariedDocument());
    Json::Value nan(Json::arrayValue);
    nan.append(std::numeric_limits<double>::quiet_NaN());
    ExpectWrittenLikeJsoncpp(nan);  // null
    // Roots of every kind, empty containers at the root included.
    for (const Json::Value& root :
         {Json::Value(), Json::Value(true), Json::Value(3), Json::Value(2.5), Json::Value("text \"q\""),
          Json::Value(Json::arrayValue), Json::Value(Json::objectValue), VariedDocument()["nested"]["list"]})
        ExpectWrittenLikeJsoncpp(root);
}

// jsoncpp writes infinity as 1e+9999, which nothing reads back; a level whose
// body flew to infinity must still load from its saved copy, with the float
// infinite again.
TEST(StyledJsonWriter, InfinityIsWrittenSoThatItReadsBack) {
    Json::Value special(Json::arrayValue);
    special.append(std::numeric_limits<double>::infinity());
    special.append(-std::numeric_limits<double>::infinity());
    std::string text;
    AppendStyledJson(special, text);
    EXPECT_EQ(text, "[\n\t1.7976931348623157e+308,\n\t-1.7976931348623157e+308\n]");
    Json::Value back;
    std::string errors;
    ASSERT_TRUE(ParseJsonText(text, back, errors)) << errors;
    EXPECT_EQ(back[0].asFloat(), std::numeric_limits<float>::infinity());
    EXPECT_EQ(back[1].asFloat(), -std::numeric_limits<float>::infinity());
}

TEST(StyledJsonWriter, FormatsDoublesLikePrintfWith17SignificantDigits) {
    std::mt19937_64 rng(12345);
    Json::Value numbers(Json::arrayValue);
    for (int i = 0; i < 20000; ++i) {
        uint64_t bits = rng();
        double d;
        std::memcpy(&d, &bits, sizeof d);
        numbers.append(d);                                                             // any bit pattern
        numbers.append(double(float(int64_t(rng() % 2000001) - 1000000) / 64.0f));  // level-like floats
        numbers.append(std::ldexp(double(rng() % 100000), int(rng() % 120) - 60));     // whole and tiny values
    }
    ExpectWrittenLikeJsoncpp(numbers);
}

TEST(StyledJsonWriter, PlacesCommentsLikeJsoncpp) {
    // Comments reach values only through jsoncpp's reader (a hand-edited level).
    const std::string text =
        "// level header\n// second line\n{\n"
        "  \"a\" : 1, // after a\n"
        "  /* before b */ \"b\" : [ // after [\n"
        "     1, // after 1\n"
        "     /* before 2 */ 2,\n"
        "     {\"c\" : null /* after c */}\n"
        "  ],\n"
        "  \"d\" : {} // last\n"
        "}\n// trailing\n";
    JsoncppParse parsed = JsoncppRead(text);
    ASSERT_TRUE(parsed.ok) << parsed.errors;
    ASSERT_TRUE(parsed.value.hasComment(Json::commentBefore));
    ExpectWrittenLikeJsoncpp(parsed.value);
    Json::Value doc;
    doc["x"]["y"] = 2;
    doc["x"]["y"].setComment(std::string("// the answer"), Json::commentAfterOnSameLine);
    doc["x"].setComment(std::string("// one\n// two"), Json::commentBefore);
    doc["list"].append(1);
    doc["list"][0].setComment(std::string("/* after */"), Json::commentAfter);
    ExpectWrittenLikeJsoncpp(doc);
}

TEST(StyledJsonWriter, StreamedArrayIsWrittenAsIfItWereInTheDocument) {
    Json::Value full = VariedDocument();
    std::vector<Json::Value> elements;
    for (const Json::Value& e : full["strings"]) elements.push_back(e);
    elements.push_back(full["nested"]);
    Json::Value whole = full;
    whole["strings"] = Json::Value(Json::arrayValue);
    for (const Json::Value& e : elements) whole["strings"].append(e);

    Json::Value shell = full;
    shell["strings"] = Json::Value(Json::arrayValue);
    std::vector<Json::ArrayIndex> asked;
    std::string out;
    AppendStyledJson(shell, out, shell["strings"], Json::ArrayIndex(elements.size()), [&](Json::ArrayIndex i) {
        asked.push_back(i);
        return elements[i];
    });
    EXPECT_EQ(out, JsoncppWrite(whole));
    EXPECT_EQ(asked.size(), elements.size());
    for (size_t i = 0; i < asked.size(); ++i) EXPECT_EQ(asked[i], i);  // each once, in order

    std::string empty;
    AppendStyledJson(shell, empty, shell["strings"], 0, [](Json::ArrayIndex) -> Json::Value {
        ADD_FAILURE() << "no element to make";
        return {};
    });
    EXPECT_EQ(empty, JsoncppWrite(shell));
}

TEST(FastJsonReader, ReadsStrictJsonLikeJsoncpp) {
    for (const char* text : {
             "0", "-0", "7", "-7", "1.5", "-0.0", "1e3", "1E+3", "2.5e-3", "2.2250738585072014e-308",
             "9223372036854775807",    // int64 max: int
             "9223372036854775808",    // above: uint
             "-9223372036854775808",   // int64 min: int
             "-9223372036854775809",   // below: double
             "18446744073709551615",   // uint64 max: uint
             "18446744073709551616",   // above: double
             "123456789012345678901234567890", "0.1000000014901161193847656250000000000001",
             "true", "false", "null", "\"\"", "[]", "{}", " \t\r\n[ ] ",
             R"("esc \" \\ \/ \b \f \n \r \t")",
             R"("\u0041\u00e9\u20ac\ud83c\udf32 \u0000 \uDBFF\uDFFF")",
             R"("lone low \udc00, odd pair \ud800\u0041")",
             "\"raw \x01 control \t and \xff bytes\"",
             R"({"a":1,"a":{"b":2},"c":[1,{"a":[]},"x"],"a":[true]})",
             R"({"\u00e9t\u00e9" : 1, "k\"ey" : 2})",
         })
        ExpectFastParseLikeJsoncpp(text);
    // Member names too long to be pooled, and more distinct names than the pool
    // keeps, are stored like any other.
    ExpectFastParseLikeJsoncpp("{\"" + std::string(100, 'k') + "\" : 1, \"short\" : 2}");
    std::string many = "{";
    for (int i = 0; i < 5000; ++i) many += (i ? ",\"name " : "\"name ") + std::to_string(i) + "\":" + std::to_string(i);
    ExpectFastParseLikeJsoncpp(many + "}");
    // Round trip of a written document, offsets included.
    ExpectFastParseLikeJsoncpp(JsoncppWrite(VariedDocument()));
}

TEST(FastJsonReader, RandomDocumentsReadBackLikeJsoncpp) {
    std::mt19937 rng(7);
    std::function<Json::Value(int)> make = [&](int depth) -> Json::Value {
        switch (depth > 4 ? rng() % 6 : rng() % 8) {
        case 0: return Json::Value();
        case 1: return Json::Value(rng() % 2 == 0);
        case 2: {  // any 64-bit integer, built without signed overflow
            const uint64_t high = rng(), low = rng();
            return Json::Value(Json::Int64(std::bit_cast<int64_t>(high << 32 | low)));
        }
        case 3: return Json::Value(double(int(rng() % 20001) - 10000) / double(rng() % 1000 + 1));
        case 4: return Json::Value(double(float(rng()) / 7.0f));
        case 5: {
            std::string s;
            for (unsigned n = rng() % 12; n > 0; --n) s += char(rng() % 256);
            return Json::Value(s);
        }
        case 6: {
            Json::Value a(Json::arrayValue);
            for (unsigned n = rng() % 5; n > 0; --n) a.append(make(depth + 1));
            return a;
        }
        default: {
            Json::Value o(Json::objectValue);
            for (unsigned n = rng() % 5; n > 0; --n) o["k" + std::to_string(rng() % 10)] = make(depth + 1);
            return o;
        }
        }
    };
    for (int i = 0; i < 300; ++i) {
        Json::Value doc = make(0);
        ExpectWrittenLikeJsoncpp(doc);
        ExpectFastParseLikeJsoncpp(JsoncppWrite(doc));
    }
}

TEST(FastJsonReader, LeavesNonStrictTextToJsoncpp) {
    for (const char* text : {
             "// comment\n{\"a\":1}", "{\"a\":1 /* c */}", "[1,2,]", "{\"a\":1,}", "\xef\xbb\xbf{}",
             "01", "1.", "-", "{\"a\":1} trailing", "1e999", "-1e999", "[1 2]",
         })
        ExpectFallbackLikeJsoncpp(text);
}

TEST(FastJsonReader, BrokenTextGivesJsoncppsErrorText) {
    for (const char* text : {
             "", "   ", "{", "[", "{\"a\" 1}", "{\"a\":}", "{a:1}", "[1,,2]", "{\"a\":tru}", "nul", "\"open",
             R"("bad \q escape")", R"("\u12")", R"("\ud800")", R"("\ud800\n")", R"("\uZZZZ")", "1e", "-x",
             "{\"a\":[1,2}", "}",
         })
        ExpectFallbackLikeJsoncpp(text);
    std::string deep(300, '[');
    ExpectFallbackLikeJsoncpp(deep);
    ExpectFallbackLikeJsoncpp(deep + std::string(300, ']'));  // valid, but deeper than the fast path goes
}

TEST(FastJsonReader, UnderflowingNumbersReadLikeJsoncppWhicheverPathTakesThem) {
    for (const std::string text : {"1e-400", "-1e-400", "4.9e-324", "2e-320", "[1e-330, 0.5]"}) {
        SCOPED_TRACE(text);
        JsoncppParse expected = JsoncppRead(text);
        Json::Value out;
        std::string errors;
        ASSERT_EQ(ParseJsonText(text, out, errors), expected.ok);
        EXPECT_EQ(errors, expected.errors);
        EXPECT_TRUE(SameValue(out, expected.value));
    }
}

TEST(FastJsonReader, ParseJsonTextOrThrowCarriesJsoncppsText) {
    const std::string text = "{\"entities\": [1, 2";
    JsoncppParse expected = JsoncppRead(text);
    ASSERT_FALSE(expected.ok);
    try {
        ParseJsonTextOrThrow(text);
        FAIL() << "no exception";
    } catch (const Json::RuntimeError& e) {
        EXPECT_EQ(std::string(e.what()), expected.errors);
    }
}

}  // namespace
