#include "core/json_fast_reader.h"

#include <charconv>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <unordered_map>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Member names repeat tens of thousands of times in a level ("x", "texture",
// "__component_name"). Each distinct name is kept once for the life of the
// process and members refer to it (jsoncpp's StaticString keys, compared by
// content like any other) instead of holding a copy each: one allocation and
// one free fewer per member. Only short names without NUL bytes, and only so
// many, so an odd document cannot make the pool grow without bound.
const char* InternedKey(std::string_view key) {
    constexpr size_t kMaxKeyLength = 64;
    constexpr size_t kMaxKeys = 4096;
    // Never destroyed: values keyed by these names may outlive static destruction.
    static auto& pool = *new std::unordered_map<std::string_view, const char*>();
    auto it = pool.find(key);
    if (it != pool.end()) return it->second;
    if (key.size() > kMaxKeyLength || pool.size() >= kMaxKeys || key.find('\0') != std::string_view::npos)
        return nullptr;
    char* copy = new char[key.size() + 1];
    std::memcpy(copy, key.data(), key.size());
    copy[key.size()] = '\0';
    pool.emplace(std::string_view(copy, key.size()), copy);
    return copy;
}

Json::Value& Member(Json::Value& object, const char* key, const char* keyEnd) {
    if (const char* interned = InternedKey(std::string_view(key, size_t(keyEnd - key))))
        return object[Json::StaticString(interned)];
    return *object.demand(key, keyEnd);
}

class FastReader {
public:
    FastReader(const char* begin, const char* end) : begin_(begin), p_(begin), end_(end) {}

    bool Document(Json::Value& out) {
        SkipSpace();
        if (!ReadValue(out, 0)) return false;
        SkipSpace();
        return p_ == end_;
    }

private:
    const char* begin_;
    const char* p_;
    const char* end_;
    std::string scratch_;  // decoded text of strings that hold escapes

    void SkipSpace() {
        while (p_ != end_ && (*p_ == ' ' || *p_ == '\t' || *p_ == '\n' || *p_ == '\r')) ++p_;
    }

    // jsoncpp fills each value in place and records where its text starts and
    // ends; the same is done here so both paths give identical values.
    void Place(Json::Value& into, Json::Value&& value, const char* start) {
        into.swapPayload(value);
        into.setOffsetStart(start - begin_);
        into.setOffsetLimit(p_ - begin_);
    }

    bool ReadValue(Json::Value& into, int depth) {
        if (p_ == end_) return false;
        const char* start = p_;
        switch (*p_) {
        case '{': return ReadObject(into, depth);
        case '[': return ReadArray(into, depth);
        case '"': {
            const char* begin = nullptr;
            const char* end = nullptr;
            if (!ReadString(begin, end)) return false;
            Place(into, Json::Value(begin, end), start);
            return true;
        }
        case 't': return ReadLiteral(into, "true", Json::Value(true));
        case 'f': return ReadLiteral(into, "false", Json::Value(false));
        case 'n': return ReadLiteral(into, "null", Json::Value());
        default: return ReadNumber(into);
        }
    }

    bool ReadLiteral(Json::Value& into, const char* word, Json::Value&& value) {
        const size_t length = std::strlen(word);
        if (size_t(end_ - p_) < length || std::memcmp(p_, word, length) != 0) return false;
        const char* start = p_;
        p_ += length;
        Place(into, std::move(value), start);
        return true;
    }

    bool ReadObject(Json::Value& into, int depth) {
        if (depth >= kMaxFastDepth) return false;
        const char* start = p_++;
        Json::Value object(Json::objectValue);
        into.swapPayload(object);
        SkipSpace();
        if (p_ != end_ && *p_ == '}') {
            ++p_;
        } else {
            for (;;) {
                if (p_ == end_ || *p_ != '"') return false;
                const char* key = nullptr;
                const char* keyEnd = nullptr;
                if (!ReadString(key, keyEnd)) return false;
                SkipSpace();
                if (p_ == end_ || *p_ != ':') return false;
                ++p_;
                SkipSpace();
                // A repeated key lands on the same member, so the later value wins.
                if (!ReadValue(Member(into, key, keyEnd), depth + 1)) return false;
                bool closed = false;
                if (!AfterItem('}', closed)) return false;
                if (closed) break;
            }
        }
        into.setOffsetStart(start - begin_);
        into.setOffsetLimit(p_ - begin_);
        return true;
    }

    // After an item of an object or array: at `close`, steps past it and sets
    // `closed`; at a comma, steps past it and the space after it; false at
    // anything else.
    bool AfterItem(char close, bool& closed) {
        SkipSpace();
        if (p_ == end_) return false;
        closed = *p_ == close;
        if (!closed && *p_ != ',') return false;
        ++p_;
        if (!closed) SkipSpace();
        return true;
    }

    bool ReadArray(Json::Value& into, int depth) {
        if (depth >= kMaxFastDepth) return false;
        const char* start = p_++;
        Json::Value array(Json::arrayValue);
        into.swapPayload(array);
        SkipSpace();
        if (p_ != end_ && *p_ == ']') {
            ++p_;
        } else {
            for (Json::ArrayIndex index = 0;; ++index) {
                if (!ReadValue(into[index], depth + 1)) return false;
                bool closed = false;
                if (!AfterItem(']', closed)) return false;
                if (closed) break;
            }
        }
        into.setOffsetStart(start - begin_);
        into.setOffsetLimit(p_ - begin_);
        return true;
    }

    bool ReadHex4(unsigned& value) {
        if (end_ - p_ < 4) return false;
        value = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = *p_++;
            value *= 16;
            if (c >= '0' && c <= '9')
                value += unsigned(c - '0');
            else if (c >= 'a' && c <= 'f')
                value += unsigned(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                value += unsigned(c - 'A' + 10);
            else
                return false;
        }
        return true;
    }

    void AppendUtf8(unsigned cp) {
        if (cp <= 0x7F) {
            scratch_ += char(cp);
        } else if (cp <= 0x7FF) {
            scratch_ += char(0xC0 | (cp >> 6));
            scratch_ += char(0x80 | (cp & 0x3F));
        } else if (cp <= 0xFFFF) {
            scratch_ += char(0xE0 | (cp >> 12));
            scratch_ += char(0x80 | ((cp >> 6) & 0x3F));
            scratch_ += char(0x80 | (cp & 0x3F));
        } else {
            scratch_ += char(0xF0 | (cp >> 18));
            scratch_ += char(0x80 | ((cp >> 12) & 0x3F));
            scratch_ += char(0x80 | ((cp >> 6) & 0x3F));
            scratch_ += char(0x80 | (cp & 0x3F));
        }
    }

    // At an opening quote. The decoded text is handed back as a range: inside
    // the document when the string has no escapes, else in scratch_. Bytes other
    // than quote and backslash are kept as they are, control characters and
    // broken UTF-8 included, as jsoncpp keeps them.
    bool ReadString(const char*& begin, const char*& end) {
        const char* q = ++p_;
        while (q != end_ && *q != '"' && *q != '\\') ++q;
        if (q == end_) return false;
        if (*q == '"') {
            begin = p_;
            end = q;
            p_ = q + 1;
            return true;
        }
        scratch_.assign(p_, q);
        p_ = q;
        for (;;) {
            if (p_ == end_) return false;
            const char c = *p_++;
            if (c == '"') break;
            if (c != '\\') {
                scratch_ += c;
                continue;
            }
            if (p_ == end_) return false;
            switch (*p_++) {
            case '"': scratch_ += '"'; break;
            case '/': scratch_ += '/'; break;
            case '\\': scratch_ += '\\'; break;
            case 'b': scratch_ += '\b'; break;
            case 'f': scratch_ += '\f'; break;
            case 'n': scratch_ += '\n'; break;
            case 'r': scratch_ += '\r'; break;
            case 't': scratch_ += '\t'; break;
            case 'u': {
                unsigned cp = 0;
                if (!ReadHex4(cp)) return false;
                if (cp >= 0xD800 && cp <= 0xDBFF) {
                    // jsoncpp takes the next \u escape as the low half without
                    // checking its range; the same arithmetic keeps the bytes equal.
                    if (end_ - p_ < 6 || p_[0] != '\\' || p_[1] != 'u') return false;
                    p_ += 2;
                    unsigned low = 0;
                    if (!ReadHex4(low)) return false;
                    cp = 0x10000 + ((cp & 0x3FF) << 10) + (low & 0x3FF);
                }
                AppendUtf8(cp);
                break;
            }
            default: return false;
            }
        }
        begin = scratch_.data();
        end = begin + scratch_.size();
        return true;
    }

    bool ReadDigits() {
        if (p_ == end_ || !IsDigit(*p_)) return false;
        while (p_ != end_ && IsDigit(*p_)) ++p_;
        return true;
    }

    // JSON's number grammar only; jsoncpp's looser forms ("01", "1.", "-")
    // end here in a character the caller does not accept and so go back to it.
    bool ReadNumber(Json::Value& into) {
        const char* start = p_;
        if (*p_ == '-') ++p_;
        if (p_ == end_) return false;
        if (*p_ == '0')
            ++p_;
        else if (!ReadDigits())
            return false;
        bool integral = true;
        if (p_ != end_ && *p_ == '.') {
            integral = false;
            ++p_;
            if (!ReadDigits()) return false;
        }
        if (p_ != end_ && (*p_ == 'e' || *p_ == 'E')) {
            integral = false;
            ++p_;
            if (p_ != end_ && (*p_ == '+' || *p_ == '-')) ++p_;
            if (!ReadDigits()) return false;
        }
        if (integral && ReadInteger(into, start)) return true;
        double value = 0.0;
        // Correctly rounded like the strtod behind jsoncpp's stream; values
        // out of range (1e999) are left to jsoncpp and its own rules for them.
        const auto result = std::from_chars(start, p_, value);
        if (result.ec != std::errc() || result.ptr != p_) return false;
        Place(into, Json::Value(value), start);
        return true;
    }

    // jsoncpp's integer rule: int64 when it fits (and for every negative that
    // fits), uint64 for larger positives, a double beyond that.
    bool ReadInteger(Json::Value& into, const char* start) {
        const bool negative = *start == '-';
        const uint64_t threshold = negative ? uint64_t(-(INT64_MIN / 10)) : UINT64_MAX / 10;
        const unsigned maxLastDigit = negative ? unsigned(-(INT64_MIN % 10)) : unsigned(UINT64_MAX % 10);
        uint64_t value = 0;
        for (const char* d = start + (negative ? 1 : 0); d != p_; ++d) {
            const unsigned digit = unsigned(*d - '0');
            if (value >= threshold && (value > threshold || d + 1 != p_ || digit > maxLastDigit)) return false;
            value = value * 10 + digit;
        }
        if (negative)
            Place(into, Json::Value(-Json::LargestInt(value / 10) * 10 - Json::LargestInt(value % 10)), start);
        else if (value <= uint64_t(INT64_MAX))
            Place(into, Json::Value(Json::LargestInt(value)), start);
        else
            Place(into, Json::Value(Json::LargestUInt(value)), start);
        return true;
    }
};

}  // namespace

bool ParseJsonFast(const char* begin, const char* end, Json::Value& out) {
    return FastReader(begin, end).Document(out);
}
