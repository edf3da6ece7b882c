#include "core/json_styled_writer.h"

#include <charconv>
#include <cmath>
#include <string_view>

#include <json/writer.h>

namespace {

// The layout rules are jsoncpp's BuiltStyledStreamWriter with comment style
// "All": every non-empty array and object spreads over lines, each element on
// its own line one tab deeper; a nested container after a key starts on the next
// line; empty ones are written "[]" and "{}".
class Emitter {
public:
    Emitter(std::string& out, const Json::Value* streamed, Json::ArrayIndex count, const ElementMaker& element)
        : out_(out), streamed_(streamed), streamedCount_(count), element_(element) {}

    void Root(const Json::Value& value) {
        indented_ = true;
        CommentBefore(value);
        if (!indented_) NewLine();
        indented_ = true;
        Write(value);
        CommentsAfter(value);
    }

private:
    std::string& out_;
    const Json::Value* streamed_;
    Json::ArrayIndex streamedCount_;
    const ElementMaker& element_;
    size_t depth_ = 0;
    // True when the current line has just been started for a value, so a
    // container opening there does not start another one.
    bool indented_ = false;

    // Comments exist only on values read from text with comments; they are
    // placed as jsoncpp places them.
    void CommentBefore(const Json::Value& value) {
        if (!value.hasComment(Json::commentBefore)) return;
        if (!indented_) NewLine();
        const std::string comment = value.getComment(Json::commentBefore);
        for (size_t i = 0; i < comment.size(); ++i) {
            out_ += comment[i];
            if (comment[i] == '\n' && i + 1 < comment.size() && comment[i + 1] == '/') out_.append(depth_, '\t');
        }
        indented_ = false;
    }

    void CommentsAfter(const Json::Value& value) {
        if (value.hasComment(Json::commentAfterOnSameLine)) {
            out_ += ' ';
            out_ += value.getComment(Json::commentAfterOnSameLine);
        }
        if (value.hasComment(Json::commentAfter)) {
            NewLine();
            out_ += value.getComment(Json::commentAfter);
        }
    }

    void NewLine() {
        out_ += '\n';
        out_.append(depth_, '\t');
    }

    void WithIndent(std::string_view text) {
        if (!indented_) NewLine();
        out_ += text;
        indented_ = false;
    }

    void Write(const Json::Value& value) {
        switch (value.type()) {
        case Json::nullValue: out_ += "null"; break;
        case Json::intValue: AppendInteger(value.asLargestInt()); break;
        case Json::uintValue: AppendInteger(value.asLargestUInt()); break;
        case Json::realValue: AppendDouble(value.asDouble()); break;
        case Json::stringValue: {
            const char* begin = nullptr;
            const char* end = nullptr;
            if (value.getString(&begin, &end)) AppendQuoted(begin, end);
            break;
        }
        case Json::booleanValue: out_ += value.asBool() ? "true" : "false"; break;
        case Json::arrayValue: WriteArray(value); break;
        case Json::objectValue: WriteObject(value); break;
        }
    }

    void WriteArray(const Json::Value& array) {
        if (&array == streamed_) {
            WriteElements(streamedCount_, [this](Json::ArrayIndex index) {
                const Json::Value child = element_(index);
                WriteElement(child, index + 1 == streamedCount_);
            });
            return;
        }
        // Elements are stored by index and may have gaps (setting [5] of an
        // empty array); a missing element is written as null, as jsoncpp does.
        auto it = array.begin();
        const auto end = array.end();
        const Json::ArrayIndex size = array.size();
        WriteElements(size, [&](Json::ArrayIndex index) {
            const Json::Value* child = &Json::Value::nullSingleton();
            if (it != end && it.index() == index) {
                child = &*it;
                ++it;
            }
            WriteElement(*child, index + 1 == size);
        });
    }

    template <typename WriteOne>
    void WriteElements(Json::ArrayIndex size, WriteOne&& writeOne) {
        if (size == 0) {
            out_ += "[]";
            return;
        }
        WithIndent("[");
        ++depth_;
        for (Json::ArrayIndex index = 0; index < size; ++index) writeOne(index);
        --depth_;
        WithIndent("]");
    }

    void WriteElement(const Json::Value& child, bool last) {
        CommentBefore(child);
        if (!indented_) NewLine();
        indented_ = true;
        Write(child);
        indented_ = false;
        if (!last) out_ += ',';
        CommentsAfter(child);
    }

    void WriteObject(const Json::Value& object) {
        if (object.empty()) {
            out_ += "{}";
            return;
        }
        WithIndent("{");
        ++depth_;
        // Members come in the order of jsoncpp's member map, which is the order
        // its writer gets from getMemberNames.
        for (auto it = object.begin(), end = object.end(); it != end;) {
            const Json::Value& child = *it;
            CommentBefore(child);
            const char* keyEnd = nullptr;
            const char* key = it.memberName(&keyEnd);
            if (!indented_) NewLine();
            AppendQuoted(key, keyEnd);
            indented_ = false;
            out_ += " : ";
            Write(child);
            if (++it != end) out_ += ',';
            CommentsAfter(child);
        }
        --depth_;
        WithIndent("}");
    }

    template <typename Integer>
    void AppendInteger(Integer value) {
        char buffer[24];
        out_.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
    }

    // printf's "%.17g", then ".0" when that shows neither a point nor an
    // exponent, so the number reads back as a double.
    void AppendDouble(double value) {
        if (!std::isfinite(value)) {
            // jsoncpp writes infinity as 1e+9999, which no JSON reader (its own
            // included) reads back: a body flung to infinity would make its
            // level's saved copy unloadable. The largest double reads back,
            // and as a float it is infinity again.
            out_ += std::isnan(value) ? "null" : (value < 0 ? "-1.7976931348623157e+308" : "1.7976931348623157e+308");
            return;
        }
        char buffer[40];
        // Whole numbers below 10^15 are printed by "%.17g" as their plain digits;
        // most numbers in a level (positions on a grid, sizes) are whole.
        if (value == std::trunc(value) && std::fabs(value) < 1e15) {
            if (value == 0.0 && std::signbit(value)) {
                out_ += "-0.0";
                return;
            }
            out_.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, static_cast<long long>(value)).ptr);
            out_ += ".0";
            return;
        }
        char* end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 17).ptr;
        out_.append(buffer, end);
        if (std::string_view(buffer, size_t(end - buffer)).find_first_of(".e") == std::string_view::npos) out_ += ".0";
    }

    void AppendQuoted(const char* begin, const char* end) {
        for (const char* p = begin; p != end; ++p) {
            const unsigned char c = static_cast<unsigned char>(*p);
            if (c < 0x20 || c > 0x7F || c == '"' || c == '\\') {
                // Escapes, control characters and UTF-8 (written as \u escapes,
                // with its own rules for broken sequences) are rare in a level:
                // let jsoncpp quote the string so its exact form is kept.
                out_ += Json::writeString(Json::StreamWriterBuilder(), Json::Value(begin, end));
                return;
            }
        }
        out_ += '"';
        out_.append(begin, end);
        out_ += '"';
    }
};

}  // namespace

void AppendStyledJson(const Json::Value& value, std::string& out) {
    const ElementMaker none;
    Emitter(out, nullptr, 0, none).Root(value);
}

void AppendStyledJson(const Json::Value& value, std::string& out, const Json::Value& streamed,
                      Json::ArrayIndex count, const ElementMaker& element) {
    Emitter(out, &streamed, count, element).Root(value);
}
