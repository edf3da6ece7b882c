// The "stable_contacts" level option: a dense pile of equal circles with
// restitution 1 keeps its kinetic energy, where the default resolution (every
// contact from the velocities before the step) pumps energy into it.
#include <random>

#include "physics/physics_settings.h"
#include "physics_fixture.h"

namespace {

class StableContactsTest : public PhysicsWorld {
protected:
    void TearDown() override {
        GetPhysicsSettings() = PhysicsSettings();
        PhysicsWorld::TearDown();
    }

    // 2000 circles of radius 4 heaped in a 120 x 120 square, random velocities.
    void MakePile() {
        std::mt19937 rng(42);
        std::uniform_real_distribution<float> pos(-60, 60), vel(-20, 20);
        for (int i = 0; i < 2000; ++i) {
            engine::entity_handle e = Circle(pos(rng), pos(rng), 4);
            Body(e, vel(rng), vel(rng), 1.0f);
        }
    }

    static double KineticEnergy() {
        double sum = 0;
        for (engine::entity_handle e : engine::GetLiveEntities()) {
            const glm::vec2 v = e.Get<RigidBody>()->velocity;
            sum += 0.5 * RigidBody::kMass * (double(v.x) * v.x + double(v.y) * v.y);
        }
        return sum;
    }
};

TEST_F(StableContactsTest, APileKeepsItsEnergyOver600Steps) {
    GetPhysicsSettings().stableContacts = true;
    MakePile();
    const double start = KineticEnergy();
    for (int step = 0; step < 600; ++step) {
        physics.Update(1.0f / 60.0f);
        if (step % 100 == 99) ASSERT_NEAR(KineticEnergy() / start, 1.0, 0.01) << "step " << step;
    }
    EXPECT_NEAR(KineticEnergy() / start, 1.0, 0.01);
}

TEST_F(StableContactsTest, TheDefaultStillResolvesFromTheVelocitiesBeforeTheStep) {
    MakePile();
    const double start = KineticEnergy();
    for (int step = 0; step < 20; ++step) physics.Update(1.0f / 60.0f);
    EXPECT_GT(KineticEnergy() / start, 100.0);
}

// Only approaching bodies are pushed: two circles overlapping but moving apart
// keep their velocities and places; moving together, they swap velocities.
TEST_F(StableContactsTest, OnlyApproachingPairsArePushed) {
    GetPhysicsSettings().stableContacts = true;
    engine::entity_handle a = Circle(0, 0, 10), b = Circle(15, 0, 10);
    Body(a, -2, 0);
    Body(b, 3, 0);
    physics.Update(0.0f);
    EXPECT_EQ(a.Get<RigidBody>()->velocity, glm::vec2(-2, 0));
    EXPECT_EQ(b.Get<RigidBody>()->velocity, glm::vec2(3, 0));
    EXPECT_EQ(a.GetPosition(), glm::vec3(0, 0, 0));

    a.Get<RigidBody>()->velocity = {2, 0};
    b.Get<RigidBody>()->velocity = {-3, 0};
    physics.Update(0.0f);
    EXPECT_EQ(a.Get<RigidBody>()->velocity, glm::vec2(-3, 0));
    EXPECT_EQ(b.Get<RigidBody>()->velocity, glm::vec2(2, 0));
    EXPECT_EQ(a.GetPosition(), glm::vec3(-5, 0, 0));  // corrected by the penetration
    EXPECT_EQ(b.GetPosition(), glm::vec3(20, 0, 0));

    // Boxes (normal from B to A, positive penetration) the same way.
    engine::DestroyAllEntities();
    engine::entity_handle p = Box(0, 100, 10, 10), q = Box(8, 100, 10, 10);
    Body(p, 1, 0);
    Body(q, -1, 0);
    physics.Update(0.0f);
    EXPECT_EQ(p.Get<RigidBody>()->velocity, glm::vec2(-1, 0));
    EXPECT_EQ(q.Get<RigidBody>()->velocity, glm::vec2(1, 0));
    physics.Update(0.0f);  // still overlapping, now separating: left alone
    EXPECT_EQ(p.Get<RigidBody>()->velocity, glm::vec2(-1, 0));
}

// A body in two contacts at once: the second contact sees the velocity the
// first one left, so a ball between two resting balls passes its momentum on
// once instead of being pushed twice from the same velocity.
TEST_F(StableContactsTest, ASecondContactSeesTheFirstOnesResult) {
    GetPhysicsSettings().stableContacts = true;
    engine::entity_handle left = Circle(-19, 0, 10), mid = Circle(0, 0, 10), right = Circle(19, 0, 10);
    Body(left, 0, 0);
    Body(mid, 6, 0);
    Body(right, 0, 0);
    physics.Update(0.0f);
    const double energy = KineticEnergy();
    EXPECT_DOUBLE_EQ(energy, 0.5 * RigidBody::kMass * 36.0);
    EXPECT_EQ(right.Get<RigidBody>()->velocity, glm::vec2(6, 0));
    EXPECT_EQ(mid.Get<RigidBody>()->velocity, glm::vec2(0, 0));
    EXPECT_EQ(left.Get<RigidBody>()->velocity, glm::vec2(0, 0));
}

}  // namespace
