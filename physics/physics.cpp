#include "physics/physics.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/camera.h"
#include "core/engine_state.h"
#include "core/events.h"
#include "physics/collision_response.h"
#include "physics/collision_tests.h"
#include "physics/physics_settings.h"

using CollisionDetection::CollisionDataObj;
using engine::entity_handle;

namespace {

const std::string kStarted = "OnCollisionStarted";
const std::string kPersisted = "OnCollisionPersisted";
const std::string kEnded = "OnCollisionEnded";
const char* kDebugListener = "PhysicsDebugDraw";

// The visible size truncated to whole world units; a camera zoomed to nothing
// (infinite or NaN size) must not overflow the integer.
int WholeUnits(float v) {
    if (!(v > 0.0f)) return 0;
    if (v > 1.0e9f) return 1000000000;
    return int(v);
}

bool NoNaN(glm::vec2 v) { return !std::isnan(v.x) && !std::isnan(v.y); }

void Grow(Bounds& b, bool& have, float minX, float minY, float maxX, float maxY) {
    if (!have) {
        b = {minX, minY, maxX, maxY};
        have = true;
        return;
    }
    b.minX = std::min(b.minX, minX), b.minY = std::min(b.minY, minY);
    b.maxX = std::max(b.maxX, maxX), b.maxY = std::max(b.maxY, maxY);
}

// Whether the box tests can only pass when the corner extents overlap: true
// when the box's axes (as the tests read them) include exact x and y. Boxes
// rotated by a setter, degenerate boxes and stale static boxes are not.
bool AxisAligned(const BoxCollider& box) {
    bool x = false, y = false;
    for (int i = 0; i < box.axisCount && i < BoxCollider::kMaxPoints; ++i) {
        const glm::vec2 a = box.axes[i];
        x = x || (a.y == 0.0f && (a.x == 1.0f || a.x == -1.0f));
        y = y || (a.x == 0.0f && (a.y == 1.0f || a.y == -1.0f));
    }
    return x && y;
}

}  // namespace

Physics::~Physics() {
    if (initialized_ && events::IsRegistered("DebugDraw")) events::Disconnect("DebugDraw", kDebugListener);
}

void Physics::Initialize() {
    events::Register<CollisionDataObj>(kPersisted);
    events::Register<CollisionDataObj>(kStarted);
    events::Register<CollisionDataObj>(kEnded);
    events::Connect<>("DebugDraw", kDebugListener, [this] { DebugDraw(); });
    initialized_ = true;
}

void Physics::Update(float dt) {
    results_.clear();
    GatherCandidates();
    if (pairSearch_ == PairSearch::PairLoop) TestAllPairs();
    else TestBroadPhasePairs();
    Resolve();
    results_.clear();
    Integrate(dt);
}

// Candidates: every Ray, and every entity whose box (else circle) overlaps the
// camera's visible area enlarged by 20 % per side. Bounds that only touch the
// area count.
void Physics::GatherCandidates() {
    candidates_.clear();
    const Camera& camera = GetCamera();
    const glm::vec2 visible = camera.VisibleWorldSize();
    const float halfW = float(WholeUnits(visible.x) / 2) * 1.2f;
    const float halfH = float(WholeUnits(visible.y) / 2) * 1.2f;
    const float left = camera.position.x - halfW, right = camera.position.x + halfW;
    const float top = camera.position.y - halfH, bottom = camera.position.y + halfH;
    auto inView = [&](glm::vec2 c, float ex, float ey) {
        return c.x - ex <= right && left <= c.x + ex && c.y - ey <= bottom && top <= c.y + ey;
    };

    candidatesByGeneration_ = true;
    for (const entity_handle& h : engine::GetLiveEntities()) {
        const BodyParts parts = FetchBodyParts(h);
        bool pass = false;
        if (parts.ray) pass = true;
        else if (parts.box) pass = inView(parts.box->GetCenter(), parts.box->width / 2.0f, parts.box->height / 2.0f);
        else if (parts.circle) pass = inView(parts.circle->GetCenter(), parts.circle->radius, parts.circle->radius);
        if (!pass) continue;
        // A probe's hit list describes the current step only.
        if (parts.ray) parts.ray->ClearHits();
        if (!candidates_.empty() && candidates_.back().handle.generation >= h.generation)
            candidatesByGeneration_ = false;
        candidates_.push_back({h, parts.ray != nullptr, parts.box != nullptr, parts.circle != nullptr, parts.IsStatic()});
    }
}

void Physics::TestAllPairs() {
    const size_t n = candidates_.size();
    for (size_t i = 0; i < n; ++i)
        for (size_t j = i + 1; j < n; ++j) TestPair(candidates_[i].handle, candidates_[j].handle);
}

int Physics::FindCandidate(uint32_t generation) const {
    if (candidatesByGeneration_) {
        auto it = std::lower_bound(candidates_.begin(), candidates_.end(), generation,
                                   [](const Candidate& c, uint32_t g) { return c.handle.generation < g; });
        if (it != candidates_.end() && it->handle.generation == generation) return int(it - candidates_.begin());
        return -1;
    }
    for (size_t i = 0; i < candidates_.size(); ++i)
        if (candidates_[i].handle.generation == generation) return int(i);
    return -1;
}

// Bounds of what each candidate can touch with. A non-static box is read (its
// corners and axes recomputed and stored) exactly when the pair loop would read
// it in some pair this step, so the stored geometry, which a box keeps when it
// is made static later, matches the loop's.
void Physics::BuildBounds() {
    const size_t n = candidates_.size();
    bounds_.assign(n, Bounds{0, 0, 0, 0});
    usable_.assign(n, 0);
    everywhere_.clear();

    int solid[2] = {0, 0};     // no Ray, box or circle; by static
    int probes[2] = {0, 0};    // Ray and box
    int boxes[2] = {0, 0};     // no Ray, box
    for (const Candidate& c : candidates_) {
        const int s = c.isStatic ? 1 : 0;
        if (!c.ray && (c.box || c.circle)) ++solid[s];
        if (c.ray && c.box) ++probes[s];
        if (!c.ray && c.box) ++boxes[s];
    }

    for (size_t i = 0; i < n; ++i) {
        const Candidate& c = candidates_[i];
        const BodyParts parts = FetchBodyParts(c.handle);
        Bounds b{0, 0, 0, 0};
        bool have = false;
        if (parts.box) {
            bool read;
            if (!c.ray) {
                // Tested against every solid collider and every probe box; a
                // static entity only against non-static ones.
                read = c.isStatic ? solid[0] + probes[0] > 0 : solid[0] + solid[1] + probes[0] + probes[1] - 1 > 0;
            } else {
                read = c.isStatic ? boxes[0] > 0 : boxes[0] + boxes[1] > 0;
            }
            if (read) parts.box->ReadGeometry();
            if (read || parts.box->isStatic) {
                const glm::vec2* k = parts.box->corners;
                if (NoNaN(k[0]) && NoNaN(k[1]) && NoNaN(k[2]) && NoNaN(k[3])) {
                    Grow(b, have, std::min(std::min(k[0].x, k[1].x), std::min(k[2].x, k[3].x)),
                         std::min(std::min(k[0].y, k[1].y), std::min(k[2].y, k[3].y)),
                         std::max(std::max(k[0].x, k[1].x), std::max(k[2].x, k[3].x)),
                         std::max(std::max(k[0].y, k[1].y), std::max(k[2].y, k[3].y)));
                }
                if (!c.ray && !AxisAligned(*parts.box)) everywhere_.push_back(uint32_t(i));
            }
        }
        if (parts.circle) {
            const glm::vec2 centre = parts.circle->GetCenter();
            const float r = std::fabs(parts.circle->radius);
            if (NoNaN(centre) && !std::isnan(r)) Grow(b, have, centre.x - r, centre.y - r, centre.x + r, centre.y + r);
        }
        if (!have) continue;
        // Rounding in the circle test (a square root) may call a pair touching
        // whose float bounds only just miss; a relative margin covers it.
        float extent = std::max(std::max(std::fabs(b.minX), std::fabs(b.maxX)),
                                std::max(std::fabs(b.minY), std::fabs(b.maxY)));
        if (!std::isfinite(extent)) extent = 0.0f;
        const float pad = 1e-4f * (1.0f + extent);
        bounds_[i] = {b.minX - pad, b.minY - pad, b.maxX + pad, b.maxY + pad};
        usable_[i] = 1;
    }
}

void Physics::TestBroadPhasePairs() {
    BuildBounds();
    pairs_.clear();
    broadPhase_.FindPairs(bounds_, usable_, pairs_);
    const uint32_t n = uint32_t(candidates_.size());
    for (uint32_t k : everywhere_)
        for (uint32_t m = 0; m < n; ++m)
            if (m != k) pairs_.push_back(PairCode(k, m));
    // Tracked contacts whose entities are both candidates are tested even when
    // apart, so that their end is reported in the same place as the full loop.
    contacts_.ForEach([&](entity_handle a, entity_handle b) {
        const int i = FindCandidate(a.generation), j = FindCandidate(b.generation);
        if (i >= 0 && j >= 0 && i != j) pairs_.push_back(PairCode(uint32_t(i), uint32_t(j)));
    });
    std::sort(pairs_.begin(), pairs_.end());
    pairs_.erase(std::unique(pairs_.begin(), pairs_.end()), pairs_.end());
    for (uint64_t code : pairs_)
        TestPair(candidates_[code >> 32].handle, candidates_[code & 0xffffffffu].handle);
}

// One pair in the loop's order (A = earlier candidate). Components are fetched
// again after every event, since a listener may have changed them.
void Physics::TestPair(entity_handle a, entity_handle b) {
    BodyParts pa = FetchBodyParts(a), pb = FetchBodyParts(b);
    if (pa.IsStatic() && pb.IsStatic()) return;
    if (pa.ray && pb.ray) return;
    if (pa.ray && pa.box && pb.box) {
        if (CollisionDetection::TestRayBox(*pa.box, *pb.box)) pa.ray->AddHit(b);
        return;
    }
    if (pb.ray && pb.box && pa.box) {
        if (CollisionDetection::TestRayBox(*pb.box, *pa.box)) pb.ray->AddHit(a);
        return;
    }
    // A probe with a circle against a circle has no box to probe with, and no
    // other pair with a Ray has a test: skipped.
    if (pa.ray || pb.ray) return;

    if (pa.box && pb.box) {
        CollisionDataObj record;
        bool touching = CollisionDetection::TestBoxBox(*pa.box, *pb.box, &record);
        Record(touching, record, a, b, pa, pb);
        pa = FetchBodyParts(a), pb = FetchBodyParts(b);
    }
    if (pa.circle && pb.circle) {
        CollisionDataObj record;
        bool touching = CollisionDetection::TestCircleCircle(pa.circle->GetCenter(), pa.circle->radius,
                                                             pb.circle->GetCenter(), pb.circle->radius, &record);
        Record(touching, record, a, b, pa, pb);
        pa = FetchBodyParts(a), pb = FetchBodyParts(b);
    }
    if (pa.box && pb.circle) {
        CollisionDataObj record;
        bool touching = CollisionDetection::TestBoxCircle(*pa.box, pb.circle->GetCenter(), pb.circle->radius,
                                                          false, &record);
        Record(touching, record, a, b, pa, pb);
        pa = FetchBodyParts(a), pb = FetchBodyParts(b);
    }
    if (pa.circle && pb.box) {
        CollisionDataObj record;
        bool touching = CollisionDetection::TestBoxCircle(*pb.box, pa.circle->GetCenter(), pa.circle->radius,
                                                          true, &record);
        Record(touching, record, a, b, pa, pb);
    }
}

void Physics::Record(bool touching, CollisionDataObj record, entity_handle a, entity_handle b, const BodyParts& pa,
                     const BodyParts& pb) {
    if (touching) {
        record.first = a;
        record.second = b;
        if (pa.body && pb.body) record.relativeVelocity = pb.body->velocity - pa.body->velocity;
        results_.push_back(record);
        if (contacts_.Contains(a, b)) {
            events::Call<CollisionDataObj>(kPersisted, record);
        } else {
            contacts_.Add(a, b);
            events::Call<CollisionDataObj>(kStarted, record);
        }
    } else if (contacts_.Remove(a, b)) {
        CollisionDataObj ended;
        ended.first = a;
        ended.second = b;
        events::Call<CollisionDataObj>(kEnded, ended);
    }
}

void Physics::Resolve() {
    const bool stable = GetPhysicsSettings().stableContacts;
    // By index: the list is not touched while resolving, but a record is
    // copied so that nothing refers into it.
    for (size_t k = 0; k < results_.size(); ++k) {
        const CollisionDataObj record = results_[k];
        const BodyParts pa = FetchBodyParts(record.first), pb = FetchBodyParts(record.second);
        if (pa.AnyGhost() || pb.AnyGhost()) continue;
        if (stable)
            CollisionDetection::ApplyStableResponse(record, pa, pb);
        else
            CollisionDetection::ApplyResponse(record, pa, pb);
    }
}

// Every live body moves, candidate or not; static ones never do; z is kept.
void Physics::Integrate(float dt) {
    const auto& live = engine::GetLiveEntities();
    for (size_t k = 0; k < live.size(); ++k) {
        const BodyParts parts = FetchBodyParts(live[k]);
        if (!parts.body || parts.IsStatic()) continue;
        glm::vec3& p = live[k].GetPosition();
        p.x += parts.body->velocity.x * dt;
        p.y += parts.body->velocity.y * dt;
    }
}

void Physics::DebugDraw() {
    if (GetEngineState().mode != EngineMode::Editor) return;
    const auto& live = engine::GetLiveEntities();
    for (size_t k = 0; k < live.size(); ++k) {
        const BodyParts parts = FetchBodyParts(live[k]);
        if (parts.box) parts.box->DebugDraw();
        if (parts.circle) parts.circle->DebugDraw();
    }
}
