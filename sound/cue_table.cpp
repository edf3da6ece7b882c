#include "sound/cue_table.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

#include <json/json.h>

#include "core/debug_exception.h"
#include "core/file_util.h"
#include "core/json_text.h"
#include "core/json_styled_writer.h"
#include "core/log.h"
#include "sound/audio_system.h"
#include "sound/sound_cue.h"

namespace {

// A hand-edited table can give two cues one name. Only the first is ever played
// (PlayCue); the others stay in the list so that a save writes the table back
// as it was. One line per shared name, naming the entries that hold it.
void ReportSharedNames(const AudioSystem& audio, const std::string& path) {
    std::map<std::string, std::vector<size_t>> entries;
    for (size_t i = 0; i < audio.cues.size(); ++i) entries[audio.cues[i]->name].push_back(i);
    for (size_t i = 0; i < audio.cues.size(); ++i) {
        const std::vector<size_t>& same = entries[audio.cues[i]->name];
        if (same.size() < 2 || same.front() != i) continue;
        std::string keys;
        for (size_t k : same) keys += (keys.empty() ? "Sound" : ", Sound") + std::to_string(k);
        Print(path + ": " + std::to_string(same.size()) + " cues are named \"" + audio.cues[i]->name + "\" (" + keys +
              "); the first is played");
    }
}

}  // namespace

void LoadCueTable(AudioSystem& audio, const std::string& path) {
    Json::Value root;
    std::string errors;
    // A file that cannot be opened reads as empty input, so the reader's own
    // error says what is wrong; the path says where.
    if (!ParseJsonText(ReadWholeFile(path).value_or(""), root, errors)) throw debug::exception(path + ": " + errors);

    try {
        const Json::Value& sounds = root["Sounds"];
        unsigned n = sounds["Cue Number"].asUInt();
        if (n > kMaxCues) {
            Print(path + ": \"Cue Number\" is " + std::to_string(n) + " but a cue table holds at most " +
                  std::to_string(kMaxCues) + " cues; the first " + std::to_string(kMaxCues) + " are loaded");
            n = kMaxCues;
        }
        audio.cues.clear();
        for (unsigned i = 0; i < n && audio.cues.size() < n; ++i) {
            const std::string index = std::to_string(i);
            SoundCue* cue = MakeCue(audio, sounds["Evt" + index].asString(), sounds["Sound" + index].asString());
            if (cue && sounds.isMember("Vol" + index)) cue->volume = sounds["Vol" + index].asFloat();
        }
    } catch (const Json::Exception& e) {
        throw debug::exception(path + ": " + e.what());
    }
    audio.cueCount = unsigned(audio.cues.size());
    audio.cueTableRoot = root;
    ReportSharedNames(audio, path);
}

bool SaveCueTable(AudioSystem& audio, const std::string& path) {
    Json::Value sounds(Json::objectValue);
    unsigned written = 0;
    for (unsigned i = 0; i < audio.cueCount && i < audio.cues.size() && i < kMaxCues; ++i) {
        const SoundCue& cue = *audio.cues[i];
        const std::string index = std::to_string(i);
        sounds["Sound" + index] = cue.name;
        sounds["Evt" + index] = cue.eventPath;
        sounds["Vol" + index] = double(cue.volume);
        written = i + 1;
    }
    const size_t wanted = std::min<size_t>(audio.cueCount, audio.cues.size());
    if (wanted > written)
        Print(path + ": a cue table holds at most " + std::to_string(kMaxCues) + " cues; " +
              std::to_string(wanted - written) + " cues after \"" + audio.cues[written - 1]->name +
              "\" are not saved");
    sounds["Cue Number"] = written;

    Json::Value root = audio.cueTableRoot.isObject() ? audio.cueTableRoot : Json::Value(Json::objectValue);
    root["Sounds"] = sounds;
    // The level writer's styled form: the same bytes as jsoncpp's, except that an
    // infinite volume is written as a number that reads back.
    std::string text;
    AppendStyledJson(root, text);
    if (!WriteFileAtomically(path, text)) {
        Print("couldn't write " + path + "; the cue table on disk is unchanged");
        return false;
    }
    audio.cueTableRoot = root;
    return true;
}

void CreateCueLocationMarker(const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "w");
    if (!file) {
        Print("coldn't open Cue Location for write");
        return;
    }
    std::fclose(file);
}
