// The ten built-in component types at their fixed ids 1..10.
#include "ecs/component_registry.h"
#include "graphics/moon_light.h"
#include "graphics/point_light.h"
#include "graphics/shadow_caster.h"
#include "graphics/sprite.h"
#include "physics/box_collider.h"
#include "physics/circle_collider.h"
#include "physics/ray.h"
#include "physics/rigid_body.h"
#include "sound/sound_emitter.h"
#include "sound/sound_space.h"

namespace components {

void RegisterBuiltinComponents() {
    if (Sprite::typeID != 0) return;  // once per process
    RegisterComponentType<Sprite>("Sprite");
    RegisterComponentType<MoonLight>("MoonLight");
    RegisterComponentType<PointLight>("PointLight");
    RegisterComponentType<ShadowCaster>("ShadowCaster");
    RegisterComponentType<RigidBody>("RigidBody");
    RegisterComponentType<CircleCollider>("CircleCollider");
    RegisterComponentType<BoxCollider>("BoxCollider");
    RegisterComponentType<SoundEmitter>("SoundEmitter");
    RegisterComponentType<SoundSpace>("SoundSpace");
    RegisterComponentType<Ray>("Ray");
}

}  // namespace components
