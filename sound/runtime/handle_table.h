#pragma once
// Slot tables behind the value handles. A handle is (slot, generation); a slot
// is valid while its record is alive and its generation matches. Generations
// come from one process-wide counter, so a handle from a released system never
// matches a record of a later one.
#include <cstdint>
#include <vector>

namespace audio_rt::detail {

uint32_t NextGeneration();

template <class T>
struct HandleTable {
    struct Slot {
        uint32_t generation = 0;  // 0: free
        T value{};
    };
    std::vector<Slot> slots;
    std::vector<uint32_t> free_slots;

    // Adds value; returns its slot and sets *generation.
    uint32_t Add(T value, uint32_t* generation) {
        uint32_t slot;
        if (!free_slots.empty()) {
            slot = free_slots.back();
            free_slots.pop_back();
        } else {
            slot = uint32_t(slots.size());
            slots.emplace_back();
        }
        slots[slot].value = std::move(value);
        slots[slot].generation = NextGeneration();
        *generation = slots[slot].generation;
        return slot;
    }

    T* Get(uint32_t slot, uint32_t generation) {
        if (generation == 0 || slot >= slots.size() || slots[slot].generation != generation) return nullptr;
        return &slots[slot].value;
    }

    void Remove(uint32_t slot) {
        slots[slot].generation = 0;
        slots[slot].value = T{};
        free_slots.push_back(slot);
    }

    bool Alive(uint32_t slot) const { return slot < slots.size() && slots[slot].generation != 0; }
};

}  // namespace audio_rt::detail
