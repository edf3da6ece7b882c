#pragma once
// The entity pairs that were touching at their last test. A pair is the same
// whichever way round it was tested, and entities are compared by id (the
// handle's generation), as handles compare. Entries are kept across frames and
// levels; a pair leaves only when a later test finds it apart, so entries may
// name destroyed entities. They are only compared, never dereferenced.
#include <cstdint>
#include <unordered_map>
#include <utility>

#include "ecs/entity_handle.h"

class ContactList {
public:
    bool Contains(engine::entity_handle a, engine::entity_handle b) const { return pairs_.count(Key(a, b)) != 0; }
    void Add(engine::entity_handle a, engine::entity_handle b) { pairs_.emplace(Key(a, b), std::make_pair(a, b)); }
    bool Remove(engine::entity_handle a, engine::entity_handle b) { return pairs_.erase(Key(a, b)) != 0; }
    size_t Size() const { return pairs_.size(); }

    // Visits (A, B) as first added; order is unspecified.
    template <class F>
    void ForEach(F&& f) const {
        for (const auto& [key, pair] : pairs_) f(pair.first, pair.second);
    }

private:
    static uint64_t Key(engine::entity_handle a, engine::entity_handle b) {
        uint32_t x = a.generation, y = b.generation;
        if (x > y) std::swap(x, y);
        return (uint64_t(x) << 32) | y;
    }
    std::unordered_map<uint64_t, std::pair<engine::entity_handle, engine::entity_handle>> pairs_;
};
