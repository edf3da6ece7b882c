// Exports: the script bridge, printing, script component types and their
// inspector fields, and writing into save records.
#include <imgui.h>

#include "core/log.h"
#include "scripting/event_bridge.h"
#include "scripting/export_guard.h"
#include "scripting/lb_exports.h"
#include "scripting/lua_component.h"
#include "scripting/lua_calls.h"
#include "scripting/lua_host.h"

namespace {

// Where lb_serialize_* write; a call outside a save has nowhere to write.
Json::Value* SerializationTargetOrReport(const char* function) {
    Json::Value* target = GetSerializationTarget();
    if (!target) Print(std::string("Lua Error: ") + function + " called while nothing is being saved");
    return target;
}

}  // namespace

extern "C" void lb_connect_events(void) {
    scripting::Guarded([&] { scripting::ConnectEvents(GetLuaState()); });
}

extern "C" void lb_print(const char* text) {
    scripting::Guarded([&] { Print(text ? text : ""); });
}

extern "C" void lb_register_component(const char* name) {
    scripting::Guarded([&] { scripting::RegisterScriptComponentType(name); });
}

extern "C" void lb_component_edit_double(const char* label, float value) {
    scripting::Guarded([&] {
        if (!ImGui::GetCurrentContext()) return;  // no inspector is being drawn
        float edited = value;
        if (ImGui::InputFloat(label, &edited, 0.0f, 0.0f)) scripting::SendEditedNumber(label, edited);
    });
}

extern "C" void lb_component_edit_string(const char* label, const char* value) {
    scripting::Guarded([&] {
        scripting::FillEditBuffer(value);
        if (!ImGui::GetCurrentContext()) return;
        char* buffer = scripting::EditStringBuffer();
        if (ImGui::InputText(label, buffer, scripting::kEditStringCapacity))
            scripting::SendEditedString(label, buffer);
    });
}

extern "C" void lb_serialize_number(const char* key, double value) {
    scripting::Guarded([&] {
        if (Json::Value* target = SerializationTargetOrReport("lb_serialize_number")) (*target)[key] = value;
    });
}

extern "C" void lb_serialize_string(const char* key, const char* value) {
    scripting::Guarded([&] {
        if (Json::Value* target = SerializationTargetOrReport("lb_serialize_string"))
            (*target)[key] = std::string(value ? value : "");
    });
}
