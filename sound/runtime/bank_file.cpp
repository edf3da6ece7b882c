// Bank JSON parsing and checking. Every rejection names the bank file, the
// entry and what is wrong, because a bank is hand-written and the log line is
// all its author gets.
#include "sound/runtime/bank_file.h"

#include <json/json.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>

namespace audio_rt::detail {

namespace {

bool HasCleanSegments(const std::string& rest) {
    // rest is what follows the scheme's "x:/": empty or segments joined by '/'.
    if (rest.empty()) return true;
    if (rest.front() == '/' || rest.back() == '/') return false;
    return rest.find("//") == std::string::npos;
}

std::string FolderOf(const std::string& filename) {
    size_t slash = filename.find_last_of('/');
    return slash == std::string::npos ? std::string() : filename.substr(0, slash + 1);
}

std::string StemOf(const std::string& filename) {
    size_t slash = filename.find_last_of('/');
    std::string name = slash == std::string::npos ? filename : filename.substr(slash + 1);
    size_t dot = name.find_last_of('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

struct Checker {
    const std::string& filename;
    std::string* why;

    RESULT Bad(const std::string& entry, const std::string& what) const {
        *why = filename + ": " + entry + ": " + what;
        return ERR_FILE_BAD;
    }
};

// Reads an optional number member; false (with *why set) when it has the wrong type or range.
bool ReadNumber(const Json::Value& obj, const char* key, float low, float* out, const Checker& c,
                const std::string& entry, RESULT* result) {
    if (!obj.isMember(key)) return true;
    const Json::Value& v = obj[key];
    if (!v.isNumeric() || v.isBool()) {
        *result = c.Bad(entry, std::string("\"") + key + "\" must be a number");
        return false;
    }
    double d = v.asDouble();
    if (!(d >= low) || d > 1e9) {
        std::ostringstream s;
        s << "\"" << key << "\" is " << d << ", must be at least " << low;
        *result = c.Bad(entry, s.str());
        return false;
    }
    *out = static_cast<float>(d);
    return true;
}

bool ReadBool(const Json::Value& obj, const char* key, bool* out, const Checker& c, const std::string& entry,
              RESULT* result) {
    if (!obj.isMember(key)) return true;
    if (!obj[key].isBool()) {
        *result = c.Bad(entry, std::string("\"") + key + "\" must be true or false");
        return false;
    }
    *out = obj[key].asBool();
    return true;
}

}  // namespace

bool IsBusPath(const std::string& path) {
    return path.rfind("bus:/", 0) == 0 && HasCleanSegments(path.substr(5));
}

bool IsEventPath(const std::string& path) {
    return path.size() > 7 && path.rfind("event:/", 0) == 0 && HasCleanSegments(path.substr(7));
}

RESULT ParseBankText(const std::string& text, const std::string& filename,
                     const std::function<bool(const std::string&)>& busKnown, BankDefinition* out,
                     std::string* why) {
    Checker c{filename, why};
    Json::Value root;
    Json::CharReaderBuilder builder;
    builder["collectComments"] = false;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    std::string errors;
    bool parsed = false;
    try {
        parsed = reader->parse(text.data(), text.data() + text.size(), &root, &errors);
    } catch (const Json::Exception& e) {  // nesting past the reader's stack limit throws
        errors = e.what();
    }
    if (!parsed) {
        while (!errors.empty() && (errors.back() == '\n' || errors.back() == ' ')) errors.pop_back();
        return c.Bad("not valid JSON", errors);
    }
    if (!root.isObject()) return c.Bad("top level", "must be a JSON object");

    BankDefinition def;
    def.path = "bank:/" + StemOf(filename);
    if (root.isMember("path")) {
        const Json::Value& p = root["path"];
        if (!p.isString()) return c.Bad("\"path\"", "must be a string");
        def.path = p.asString();
        if (def.path.rfind("bank:/", 0) != 0 || def.path.size() == 6)
            return c.Bad("\"path\"", "\"" + def.path + "\" does not begin with bank:/ followed by a name");
    }

    std::set<std::string> buses;
    if (root.isMember("buses")) {
        const Json::Value& list = root["buses"];
        if (!list.isArray()) return c.Bad("\"buses\"", "must be an array of bus paths");
        for (Json::ArrayIndex i = 0; i < list.size(); ++i) {
            std::string entry = "buses[" + std::to_string(i) + "]";
            if (!list[i].isString()) return c.Bad(entry, "must be a string");
            std::string path = list[i].asString();
            if (!IsBusPath(path)) return c.Bad(entry, "\"" + path + "\" is not a bus path (bus:/Name/...)");
            if (buses.insert(path).second) def.buses.push_back(path);
        }
    }

    std::set<std::string> events;
    if (root.isMember("events")) {
        const Json::Value& list = root["events"];
        if (!list.isArray()) return c.Bad("\"events\"", "must be an array of event objects");
        std::string folder = FolderOf(filename);
        for (Json::ArrayIndex i = 0; i < list.size(); ++i) {
            std::string entry = "events[" + std::to_string(i) + "]";
            const Json::Value& e = list[i];
            if (!e.isObject()) return c.Bad(entry, "must be an object");
            EventDefinition ev;
            if (!e["path"].isString()) return c.Bad(entry, "\"path\" must be a string");
            ev.path = e["path"].asString();
            entry += " (" + ev.path + ")";
            if (!IsEventPath(ev.path)) return c.Bad(entry, "not an event path (event:/Name/...)");
            if (!events.insert(ev.path).second) return c.Bad(entry, "the event is listed twice");
            if (!e["file"].isString() || e["file"].asString().empty())
                return c.Bad(entry, "\"file\" must be a non-empty string");
            std::string file = e["file"].asString();
            ev.file = file.front() == '/' ? file : folder + file;
            if (e.isMember("bus")) {
                if (!e["bus"].isString()) return c.Bad(entry, "\"bus\" must be a string");
                ev.bus = e["bus"].asString();
                if (!IsBusPath(ev.bus)) return c.Bad(entry, "\"" + ev.bus + "\" is not a bus path");
            }
            if (ev.bus != "bus:/" && !buses.count(ev.bus) && !(busKnown && busKnown(ev.bus)))
                return c.Bad(entry, "bus \"" + ev.bus + "\" is not declared in \"buses\"");
            RESULT r = OK;
            if (!ReadBool(e, "loop", &ev.loop, c, entry, &r) || !ReadBool(e, "stream", &ev.stream, c, entry, &r) ||
                !ReadNumber(e, "volume", 0.0f, &ev.volume, c, entry, &r) ||
                !ReadNumber(e, "min_distance", 0.0f, &ev.min_distance, c, entry, &r) ||
                !ReadNumber(e, "max_distance", 0.0f, &ev.max_distance, c, entry, &r) ||
                !ReadNumber(e, "fade_out", 0.0f, &ev.fade_out, c, entry, &r))
                return r;
            if (ev.max_distance < ev.min_distance) {
                std::ostringstream s;
                s << "\"max_distance\" " << ev.max_distance << " is less than \"min_distance\" " << ev.min_distance;
                return c.Bad(entry, s.str());
            }
            def.events.push_back(std::move(ev));
        }
    }
    *out = std::move(def);
    return OK;
}

RESULT ParseBankFile(const std::string& filename, const std::function<bool(const std::string&)>& busKnown,
                     BankDefinition* out, std::string* why) {
    std::ifstream in(filename, std::ios::binary);
    if (!in) {
        *why = filename + ": cannot open: " + std::strerror(errno);
        return ERR_FILE_NOT_FOUND;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return ParseBankText(text.str(), filename, busKnown, out, why);
}

}  // namespace audio_rt::detail
