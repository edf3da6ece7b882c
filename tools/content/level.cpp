// The opening level, "veltrane_splash": a moonlit clearing in a night forest
// with a campfire, the hero resting beside it and the game's title above.
//
// The ground is described as a material per tile corner (terrain functions
// below) and turned into corner tiles; the entities are listed in tables. The
// file is written in the engine's own level format, so the editor can open and
// re-save it.
#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>
#include <vector>

#include <json/json.h>

#include "tools/content/content.h"
#include "tools/content/level_parts.h"
#include "tools/content/terrain.h"

using namespace lvl;

namespace {
// 34 x 20 tiles of 16 pixels: a little more than the 498 x 280 view, so a small
// camera shake never shows the edge.
constexpr int kMapW = 34, kMapH = 20;

// ---- ground -------------------------------------------------------------

struct Ellipse {
    float cx, cy, rx, ry;
    float Inside(float x, float y) const {  // < 1 inside
        float dx = (x - cx) / rx, dy = (y - cy) / ry;
        return dx * dx + dy * dy;
    }
};
const Ellipse kPlaza{0, 20, 58, 34};
const Ellipse kPond{184, 58, 74, 46};

float PathDistance(float x, float y) {
    // south path: from the plaza winding down to the bottom edge
    float best = 1e9f;
    if (y > 20) best = std::fabs(x - (14 + 34 * std::sin((y - 30) / 55.0f)));
    // west path: from the plaza to the lantern and on into the woods
    if (x < 0) best = std::min(best, std::fabs(y - (14 + 12 * std::sin(x / 45.0f))) * 1.1f);
    return best;
}

Ground GroundAt(float x, float y) {
    float wobble = (Hash01(int(x), int(y), 7) - 0.5f) * 0.25f;
    if (kPond.Inside(x, y) + wobble < 1.0f) return Ground::Water;
    if (kPlaza.Inside(x, y) < 1.0f) return Ground::Stone;
    if (PathDistance(x, y) < 13.0f) return Ground::Path;
    return Ground::Grass;
}

// ---- entities -----------------------------------------------------------

Json::Value Entities() {
    Json::Value list(Json::arrayValue);
    auto add = [&](Json::Value e) { list.append(std::move(e)); };

    // The forest around the clearing. Trees at the top edge stand behind the
    // title; those at the bottom edge show only their crowns, framing the view.
    struct TreeAt {
        const SpriteDef* def;
        double x, y;
    };
    const TreeAt trees[] = {
        {&kPine, -234, -150}, {&kOak, -196, -128}, {&kPineB, -150, -168}, {&kPine, -112, -156},
        {&kPineB, 112, -164}, {&kOak, 156, -140}, {&kPine, 206, -156}, {&kPineB, 242, -118},
        {&kPine, -240, -52},  {&kOak, -226, 34},  {&kPineB, -244, 104}, {&kOak, -168, 98},
        {&kPine, 128, 110},   {&kPineB, 244, 92}, {&kPine, 246, -30},   {&kPineB, -74, 120},
        {&kPineB, -64, -180}, {&kOak, -16, -190}, {&kPine, 38, -182},   {&kPineB, 74, -170},
        {&kPine, -186, -176}, {&kOak, 214, -186},
    };
    int n = 0;
    for (const TreeAt& t : trees) {
        double trunk = t.def == &kOak ? 24 : 18;
        add(Prop("Tree" + std::to_string(++n), *t.def, t.x, t.y, trunk, 7));
    }
    add(Prop("Bush1", kBush, -178, 58, 22, 5));
    add(Prop("Bush2", kBush, 92, -76, 22, 5));
    add(Prop("Bush3", kBush, -58, -92, 22, 5));
    add(Prop("Rock1", kRock, -92, 44, 22, 6));
    add(Prop("Rock2", kRock, 210, -38, 22, 6));
    add(Prop("Rock3", kRockSmall, 72, 76, 12, 4));
    add(Prop("Rock4", kRockSmall, -132, -64, 12, 4));

    // The camp: fire in the middle of the paving, the hero on its left, a log
    // to sit on at its right.
    SpriteDef fire{"campfire", 24, 24, 6, 6, 0.11};
    add(Entity("Campfire", 0, 6, GroundDepth(6, 24),
               {SpriteComponent(fire), PointLightComponent(12, 1.0, 0.62, 0.32, 180, 1.2, Vec(0.8, 0.5, 2.0)),
                SoundEmitterComponent("Ambience_Campfire", 40, 160)}));
    SpriteDef hero{"hero_idle", 16, 24, 4, 4, 0.45};
    add(Entity("Hero", -34, 4, GroundDepth(4, 24), {SpriteComponent(hero), ShadowCasterComponent(22, 10, 4)}));
    add(Prop("LogSeat", SpriteDef{"log_seat", 30, 12}, 36, 18, 26, 5));

    // A cold lantern where the west path leaves the clearing.
    SpriteDef lantern{"lantern", 12, 32, 4, 4, 0.16};
    add(Entity("Lantern", -132, -12, GroundDepth(-12, 32),
               {SpriteComponent(lantern), PointLightComponent(6, 0.55, 0.75, 1.0, 110, 0.9, Vec(1.0, 0.5, 4.0))}));

    // Sounds of the night: water lapping in the pond to the east, crickets in
    // the trees to the west. Outside their full-strength distance they are
    // placed at their entity, so the pond is heard from the right.
    add(Entity("PondSound", kPond.cx, kPond.cy, 0, {SoundEmitterComponent("Ambience_Lake", 60, 200)}));
    add(Entity("Crickets", -200, -60, 0, {SoundEmitterComponent("Ambience_Insects", 60, 200)}));

    // The level's own theme (the title screen plays the title theme instead),
    // and a sound space so that the player's mutes hold across level loads.
    Json::Value music, space;
    music["__component_name"] = "LevelMusic";
    music["cue"] = "Music_Lakeside";
    space["__component_name"] = "SoundSpace";
    add(Entity("Music", 0, 0, 0, {music, space}));

    // Moonlight over the whole clearing.
    Json::Value moon;
    moon["__component_name"] = "MoonLight";
    moon["offset"] = Vec(0, 0);
    moon["intensity"] = 0.6;
    moon["inner_radius"] = 170.0;
    add(Entity("Moon", 0, 0, 0, {moon}));

    // Fireflies, drawn unlit so they glow; different frame times keep them out of step.
    const double flies[][3] = {{-160, -34, 0.15}, {-72, -58, 0.19}, {58, -52, 0.13},  {146, -4, 0.21},
                               {-112, 72, 0.17},  {94, 96, 0.14},   {204, 30, 0.18},  {-34, 100, 0.2},
                               {176, -88, 0.16},  {-206, 8, 0.12}};
    n = 0;
    for (const auto& f : flies) {
        SpriteDef fly{"firefly", 8, 8, 6, 6, f[2], false};
        add(Entity("Firefly" + std::to_string(++n), f[0], f[1], 0.9, {SpriteComponent(fly)}));
    }

    // Title lettering, unlit and in front of everything; the menu is drawn
    // under it by the game's script.
    add(Entity("TitleBanner", 0, -130, 0.95, {SpriteComponent(SpriteDef{"title_banner", 207, 35, 1, 1, 1.0, false})}));
    return list;
}

}  // namespace

CONTENT_ASSET(level_veltrane_splash) {
    out.Text("levels/veltrane_splash.json",
             LevelText(TileMap(kMapW, kMapH, GroundAt), Entities(), NightGraphics()));
}
