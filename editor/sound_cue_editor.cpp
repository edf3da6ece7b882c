#include "editor/sound_cue_editor.h"

#include <string>

#include <imgui.h>

#include "core/log.h"
#include "sound/audio_check.h"
#include "sound/audio_system.h"
#include "sound/cue_table.h"
#include "sound/sound_cue.h"

using namespace audio_rt;

namespace editor {

namespace {

// What a fresh "Cue Name" field holds (AudioSystem::NamedEvent).
constexpr const char* kCueNamePlaceholder = "Enter Name";

void UnpauseAndStopAll(AudioSystem& audio) {
    audio.SetBusPaused("Music Bus", false);
    audio.SetBusPaused("SFX Bus", false);
    audio.StopBus("Master Bus");
}

// Button labels carry the row index, which also keeps the rows' widgets apart.
std::string Label(const char* text, size_t i) { return std::string(text) + " " + std::to_string(i); }

void DrawEvents(AudioSystem& audio) {
    std::vector<AudioSystem::NamedEvent>& events = audio.Events();
    for (size_t i = 0; i < events.size(); ++i) {
        ImGui::PushID(int(i));
        if (ImGui::CollapsingHeader(events[i].path.c_str())) {
            if (ImGui::Button(Label("Play", i).c_str())) AuditionEvent(audio, i);
            ImGui::SameLine();
            if (ImGui::Button(Label("Stop", i).c_str())) audio.StopBus("Master Bus");
            ImGui::InputText("Cue Name", events[i].cueName, sizeof events[i].cueName);
            if (ImGui::Button("Make Cue")) MakeCueFromEvent(audio, i);
        }
        ImGui::PopID();
    }
}

void DrawCues(AudioSystem& audio) {
    for (size_t i = 0; i < audio.cues.size(); ++i) {
        ImGui::PushID(int(i));
        SoundCue& cue = *audio.cues[i];
        bool deleted = false;
        if (ImGui::CollapsingHeader(cue.name.c_str())) {
            if (ImGui::Button(Label("Play Cue", i).c_str())) AuditionCue(audio, i);
            ImGui::SameLine();
            if (ImGui::Button(Label("Stop Cue", i).c_str())) StopAuditions(audio);
            ImGui::SameLine();
            if (ImGui::Button(Label("Delete Cue", i).c_str())) {
                DeleteCue(audio, i);
                deleted = true;
            }
            if (!deleted) ImGui::InputFloat("Volume", &cue.volume);
        }
        ImGui::PopID();
        if (deleted) break;  // the rows below moved up; they are drawn next frame
    }
}

}  // namespace

void AuditionEvent(AudioSystem& audio, size_t eventIndex) {
    if (eventIndex >= audio.Events().size()) return;
    UnpauseAndStopAll(audio);
    Studio::EventInstance instance;
    audio::Check(audio.Events()[eventIndex].description.createInstance(&instance));
    const _3D_ATTRIBUTES at = audio.RuntimeListener();
    audio::Check(instance.set3DAttributes(&at));
    audio::Check(instance.start());
    // Released now, freed by the runtime once it has played out.
    audio::Check(instance.release());
}

bool MakeCueFromEvent(AudioSystem& audio, size_t eventIndex) {
    if (eventIndex >= audio.Events().size()) return false;
    const AudioSystem::NamedEvent& event = audio.Events()[eventIndex];
    const std::string name = event.cueName;
    // The field starts out holding its placeholder; a cue made from it
    // would be named by the hint rather than by the designer.
    if (name.empty() || name == kCueNamePlaceholder) {
        Print("cue needs a name: type one into \"Cue Name\"");
        return false;
    }
    for (const auto& cue : audio.cues) {
        if (cue->name == name) {
            Print("cue already exists");
            return false;
        }
    }
    if (audio.cues.size() >= kMaxCues) {
        Print("the cue table is full (" + std::to_string(kMaxCues) + " cues); delete a cue first");
        return false;
    }
    if (!MakeCue(audio, event.path, name)) return false;
    ++audio.cueCount;
    SaveCueTable(audio);
    return true;
}

void AuditionCue(AudioSystem& audio, size_t cueIndex) {
    if (cueIndex >= audio.cues.size()) return;
    UnpauseAndStopAll(audio);
    PlayCue(audio, *audio.cues[cueIndex], 1.0f);
}

void StopAuditions(AudioSystem& audio) {
    audio.StopBus("Master Bus");
    audio.StopChannelGroup("Master Group");
}

void DeleteCue(AudioSystem& audio, size_t cueIndex) {
    if (cueIndex >= audio.cues.size()) return;
    audio.StopChannelGroup("Master Group");
    audio.StopBus("Master Bus");
    audio.cues.erase(audio.cues.begin() + std::ptrdiff_t(cueIndex));
    if (audio.cueCount > 0) --audio.cueCount;
    SaveCueTable(audio);
}

void DrawSoundPanel() {
    AudioSystem* audio = GetAudio();
    if (!audio) {
        ImGui::TextUnformatted("No audio system.");
        return;
    }
    const float half = ImGui::GetContentRegionAvail().y * 0.5f;
    if (ImGui::BeginChild("FMOD Sounds", ImVec2(0.0f, half), true)) DrawEvents(*audio);
    ImGui::EndChild();
    if (ImGui::BeginChild("Sound Cues", ImVec2(0.0f, 0.0f), true)) DrawCues(*audio);
    ImGui::EndChild();
}

}  // namespace editor
