#include "tools/audio/banks.h"

#include <sstream>

#include <json/json.h>

#include "tools/audio/sound_table.h"

namespace synth {

namespace {
std::string Styled(const Json::Value& v) {
    // The engine writes the cue table back with jsoncpp's styled stream writer
    // when it shuts down; writing it the same way keeps that rewrite a no-op.
    std::ostringstream out;
    Json::StyledStreamWriter writer;
    writer.write(out, v);
    return out.str();
}

Json::Value Bank(const std::string& name) {
    Json::Value bank;
    bank["path"] = "bank:/" + name;
    bank["buses"] = Json::Value(Json::arrayValue);
    bank["events"] = Json::Value(Json::arrayValue);
    return bank;
}

Json::Value Event(const SoundDef& d) {
    Json::Value e;
    e["path"] = d.event;
    e["file"] = d.file;
    e["bus"] = d.bus;
    e["loop"] = d.kind != SoundKind::Effect;
    e["stream"] = d.kind != SoundKind::Effect;
    e["volume"] = d.volume;
    e["min_distance"] = d.minDistance;
    e["max_distance"] = d.maxDistance;
    e["fade_out"] = d.fadeOut;
    return e;
}
}  // namespace

std::map<std::string, std::string> BankFiles() {
    Json::Value master = Bank("Master");
    for (const char* bus : {"bus:/", "bus:/Music", "bus:/SFX", "bus:/UI"}) master["buses"].append(bus);
    std::map<std::string, Json::Value> banks = {{"Music", Bank("Music")}, {"SFX", Bank("SFX")}};

    Json::Value sounds;
    Json::ArrayIndex i = 0;
    for (const SoundDef& d : SoundTable()) {
        banks[BankOf(d)]["events"].append(Event(d));
        const std::string n = std::to_string(i++);
        sounds["Sound" + n] = d.cue;
        sounds["Evt" + n] = d.event;
        sounds["Vol" + n] = d.cueVolume;
    }
    sounds["Cue Number"] = i;
    Json::Value cueTable;
    cueTable["Sounds"] = sounds;

    std::map<std::string, std::string> files;
    files["audio/Master.bank"] = Styled(master);
    for (const auto& [name, bank] : banks) files["audio/" + name + ".bank"] = Styled(bank);
    files["audio/Master.strings.bank"] = Styled(Bank("Master.strings"));
    files["audio/bankFiles.txt"] = "Master.bank\nMusic.bank\nSFX.bank\n";
    files["audio/stringFiles.txt"] = "Master.strings.bank\n";
    files["Audio/SoundStorage.json"] = Styled(cueTable);
    return files;
}

}  // namespace synth
