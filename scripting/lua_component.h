#pragma once
// LuaComponent: one class for every component type that a script declares with
// lb_register_component. Each instance carries its type name and forwards the
// component operations to the scripts' global functions lb_AddComponent,
// lb_InitializeComponent, lb_RemoveComponent, lb_CopyComponent,
// lb_SerializeComponent, lb_DeserializeComponent and lb_ComponentEditInfoDisplay,
// passing (entity, type name, ...). Script errors are printed and the operation
// returns normally.
#include <cstdint>
#include <string>

#include "ecs/root_component.h"

class LuaComponent : public RootComponent {
public:
    LuaComponent(uint32_t typeId, std::string typeName) : typeId_(typeId), typeName_(std::move(typeName)) {}

    // lb_AddComponent runs once per instance: here when the component was added
    // without data, in Deserialize when it came with data.
    void Initialize() override;
    void Remove() override;
    void Copy(RootComponent* source) override;
    // What the script wrote through lb_serialize_* (null when it wrote nothing).
    Json::Value Serialize() override;
    void Deserialize(Json::Value json) override;
    void EditInfoDisplay() override;
    uint32_t GetTypeID() override { return typeId_; }

    const std::string& TypeName() const { return typeName_; }
    bool Added() const { return added_; }

private:
    uint32_t typeId_;
    std::string typeName_;
    bool added_ = false;
};

namespace scripting {

// Capacity of the text field buffer of lb_component_edit_string, terminator included.
constexpr size_t kEditStringCapacity = 512;

// Registers a script type (a taken name is left alone) and makes sure the
// registry builds LuaComponents for script types.
void RegisterScriptComponentType(const std::string& name);

// The component whose fields the inspector is drawing (set by EditInfoDisplay,
// never cleared).
struct EditedComponent {
    engine::entity_handle owner;
    std::string typeName;
};
const EditedComponent& GetEditedComponent();
void SetEditedComponent(engine::entity_handle owner, const std::string& typeName);

// Calls lb_ComponentEditInfoSet(entity, name, label, value) for the edited component.
void SendEditedNumber(const char* label, double value);
void SendEditedString(const char* label, const char* value);

// The 512-byte buffer the string field edits; FillEditBuffer copies at most
// 511 characters and always terminates.
char* EditStringBuffer();
void FillEditBuffer(const char* text);

}  // namespace scripting
