#pragma once
// Physics: once per frame, moves every rigid body by its velocity, finds the
// collider pairs near the camera that touch, tells gameplay code through
// "OnCollisionStarted", "OnCollisionPersisted" and "OnCollisionEnded" (one
// CollisionDetection::CollisionDataObj each), and pushes touching bodies apart
// with a restitution impulse. All bodies weigh the same; no gravity, no
// rotation. Ray entities only record what their probe box overlaps.
//
// Pair search: the reference behaviour is a plain loop over every candidate
// pair (i, j > i). The default search finds the pairs that can touch with a
// uniform-grid broad phase and then runs exactly the same per-pair code on
// them, in the same (i, j) order, plus every tracked contact whose two entities
// are candidates (so ended contacts are reported exactly as the loop would).
// Events, positions and velocities are identical between the two as long as
// collision listeners do not move bodies or change colliders during the step
// (the broad phase looks at the positions once, before the first pair).
#include <cstdint>
#include <vector>

#include "physics/body_parts.h"
#include "physics/broad_phase.h"
#include "physics/collision_data.h"
#include "physics/contact_list.h"

class Physics {
public:
    enum class PairSearch { BroadPhase, PairLoop };

    Physics() = default;
    ~Physics();
    Physics(const Physics&) = delete;
    Physics& operator=(const Physics&) = delete;

    // Registers "OnCollisionPersisted", "OnCollisionStarted", "OnCollisionEnded"
    // (in that order) and connects "PhysicsDebugDraw" to "DebugDraw", which must
    // already be registered.
    void Initialize();
    // dt: the (scaled) frame time in seconds.
    void Update(float dt);

    void SetPairSearch(PairSearch search) { pairSearch_ = search; }
    PairSearch GetPairSearch() const { return pairSearch_; }

    // Pairs currently tracked as touching (process lifetime; never cleared).
    const ContactList& Contacts() const { return contacts_; }
    // The candidates of the last step, in live-list order.
    size_t CandidateCount() const { return candidates_.size(); }

    // Editor-mode outlines of every box and circle (the "DebugDraw" listener).
    void DebugDraw();

private:
    struct Candidate {
        engine::entity_handle handle;
        bool ray, box, circle, isStatic;
    };

    void GatherCandidates();
    void TestAllPairs();
    void TestBroadPhasePairs();
    void BuildBounds();
    int FindCandidate(uint32_t generation) const;
    void TestPair(engine::entity_handle a, engine::entity_handle b);
    // Contact bookkeeping after one test of (a, b): results, the contact list and
    // the started / persisted / ended events.
    void Record(bool touching, CollisionDetection::CollisionDataObj record, engine::entity_handle a,
                engine::entity_handle b, const BodyParts& pa, const BodyParts& pb);
    void Resolve();
    void Integrate(float dt);

    PairSearch pairSearch_ = PairSearch::BroadPhase;
    bool initialized_ = false;
    std::vector<CollisionDetection::CollisionDataObj> results_;
    ContactList contacts_;
    std::vector<Candidate> candidates_;
    bool candidatesByGeneration_ = true;  // live-list order is creation order
    // Broad-phase scratch, reused every step.
    BroadPhase broadPhase_;
    std::vector<Bounds> bounds_;
    std::vector<uint8_t> usable_;
    std::vector<uint32_t> everywhere_;  // candidates paired with all others
    std::vector<uint64_t> pairs_;
};
