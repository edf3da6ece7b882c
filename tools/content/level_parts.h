#pragma once
// Building blocks of the generated levels: the JSON of each component the
// levels use, the tile map from a ground function, and the layering rule for
// props. Every level file is written in the engine's own format, so the editor
// can open and re-save it.
#include <functional>
#include <string>
#include <vector>

#include <json/json.h>

#include "tools/content/terrain.h"

namespace lvl {

Json::Value Vec(double x, double y);
Json::Value Vec(double x, double y, double z);

struct SpriteDef {
    std::string texture;
    int width = 0, height = 0;  // size of one frame, for placing shadows and colliders
    int frames = 1, columns = 1;
    double frameTime = 1.0;
    bool environmental = true;  // false: drawn unlit, after the lit scene
};

Json::Value SpriteComponent(const SpriteDef& s);
// A shadow of width x height centred offsetY below the entity's position.
Json::Value ShadowCasterComponent(double offsetY, double width, double height);
// Attenuation is (constant, linear, quadratic) over the distance in hundreds of pixels.
Json::Value PointLightComponent(double offsetY, double r, double g, double b, double radius, double diffuse,
                                Json::Value attenuation);
// A looping sound placed at its entity: full strength within `distance` of the
// listener, fading out over `fallOff` more world units.
Json::Value SoundEmitterComponent(const std::string& cue, double distance, double fallOff);
// Solid (or ghost) box / circle, centred at the offset from the entity's position.
Json::Value BoxColliderComponent(double offsetX, double offsetY, double width, double height, bool ghost,
                                 bool isStatic);
Json::Value CircleColliderComponent(double offsetX, double offsetY, double radius, bool ghost, bool isStatic);
Json::Value RigidBodyComponent();
// A script component: its name and its fields (numbers and strings).
Json::Value ScriptComponent(const std::string& name, Json::Value fields = Json::Value(Json::objectValue));
Json::Value MoonLightComponent(double intensity, double innerRadius);

Json::Value Entity(const std::string& name, double x, double y, double z, std::vector<Json::Value> components);

// Lit sprites that overlap are layered by the entity's z (larger z is nearer),
// taken from where the picture meets the ground, so whatever stands lower on the
// screen is in front.
double GroundDepth(double topY, int height);

// A lit, shadow-casting prop standing on the ground; the sprite is centred on
// the entity's position, so its base is height / 2 below it.
Json::Value Prop(const std::string& name, const SpriteDef& s, double x, double y, double shadowW, double shadowH);

// The map of w x h tiles centred on the origin, each tile chosen from the
// ground at its four corners (see terrain.h). `seed` varies the lawn.
Json::Value TileMap(int w, int h, const std::function<Ground(float, float)>& groundAt, uint32_t seed = 3);

// The night lighting every outdoor level shares.
Json::Value NightGraphics();

// The whole level document, as the engine writes it.
std::string LevelText(Json::Value tileMap, Json::Value entities, Json::Value graphics);

extern const SpriteDef kPine, kPineB, kOak, kBush, kRock, kRockSmall;

}  // namespace lvl
