// One entity's JSON (name, position, components) read into a fresh entity:
// any input is read or rejected with an exception; an entity that was read
// writes out the same whether written once or after a round trip.
#include <json/value.h>

#include "core/json_text.h"
#include "fuzz/fuzz_world.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::SetUpWorld();
    fuzz::ResetWorld();
    Json::Value json;
    std::string errors;
    if (!ParseJsonText(std::string(reinterpret_cast<const char*>(data), size), json, errors) || !json.isObject())
        return 0;
    engine::entity_handle e = engine::CreateEntity();
    try {
        e.Deserialize(json);
    } catch (const std::exception&) {
        fuzz::ResetWorld();
        return 0;
    }
    const Json::Value written = e.Serialize();
    engine::entity_handle copy = engine::CreateEntity();
    copy.Deserialize(written);  // a written entity that does not read back ends the run with its message
    if (copy.Serialize() != written) {
        std::fprintf(stderr, "an entity changes when written, read and written again\n");
        std::abort();
    }
    fuzz::ResetWorld();
    return 0;
}
