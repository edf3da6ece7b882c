#include "tools/content/level_parts.h"

#include <map>
#include <sstream>

#include "tools/content/pixel_canvas.h"

namespace lvl {

const SpriteDef kPine{"tree_pine", 40, 64}, kPineB{"tree_pine_b", 40, 64}, kOak{"tree_oak", 56, 64},
    kBush{"bush", 26, 16}, kRock{"rock", 26, 18}, kRockSmall{"rock_small", 14, 10};

Json::Value Vec(double x, double y) {
    Json::Value v;
    v["x"] = x;
    v["y"] = y;
    return v;
}

Json::Value Vec(double x, double y, double z) {
    Json::Value v = Vec(x, y);
    v["z"] = z;
    return v;
}

Json::Value SpriteComponent(const SpriteDef& s) {
    Json::Value c;
    c["__component_name"] = "Sprite";
    c["texture"] = s.texture;
    c["environmental"] = s.environmental;
    c["clamped"] = true;
    c["y_offset"] = 0.0;
    c["looping"] = true;
    Json::Value tint;
    tint["x"] = 1.0;
    tint["y"] = 1.0;
    tint["z"] = 1.0;
    tint["w"] = 1.0;
    c["tint"] = tint;
    c["frame_time"] = s.frameTime;
    c["frames"] = s.frames;
    c["rows"] = 1;
    c["columns"] = s.columns;
    return c;
}

Json::Value ShadowCasterComponent(double offsetY, double width, double height) {
    Json::Value c;
    c["__component_name"] = "ShadowCaster";
    c["offset"] = Vec(0, offsetY);
    c["width"] = width;
    c["height"] = height;
    return c;
}

Json::Value PointLightComponent(double offsetY, double r, double g, double b, double radius, double diffuse,
                                Json::Value attenuation) {
    Json::Value c;
    c["__component_name"] = "PointLight";
    c["offset"] = Vec(0, offsetY);
    c["color"] = Vec(r, g, b);
    c["ambient_intensity"] = 0.1;
    c["diffuse_intensity"] = diffuse;
    c["max_radius"] = radius;
    c["attenuation"] = std::move(attenuation);
    return c;
}

Json::Value SoundEmitterComponent(const std::string& cue, double distance, double fallOff) {
    Json::Value c;
    c["__component_name"] = "SoundEmitter";
    c["Sound Emitter Cue"] = cue;
    c["Sound Emitter Distance"] = distance;
    c["Sound Emitter Fall Off Rate"] = fallOff;
    return c;
}

Json::Value BoxColliderComponent(double offsetX, double offsetY, double width, double height, bool ghost,
                                 bool isStatic) {
    Json::Value c;
    c["__component_name"] = "BoxCollider";
    c["Box Angle"] = -90.0;
    c["Box Center OffsetX"] = offsetX;
    c["Box Center OffsetY"] = offsetY;
    c["Box Width"] = width;
    c["Box Height"] = height;
    c["Box Static"] = isStatic;
    c["Box ghost"] = ghost;
    return c;
}

Json::Value CircleColliderComponent(double offsetX, double offsetY, double radius, bool ghost, bool isStatic) {
    Json::Value c;
    c["__component_name"] = "CircleCollider";
    c["Circle Center OffsetX"] = offsetX;
    c["Circle Center OffsetY"] = offsetY;
    c["Circle Radius"] = radius;
    c["Circle Ghost"] = ghost;
    c["Circle Static"] = isStatic;
    return c;
}

Json::Value RigidBodyComponent() {
    Json::Value c;
    c["__component_name"] = "RigidBody";
    c["restitution"] = 0.0;
    c["vel_x"] = 0.0;
    c["vel_y"] = 0.0;
    return c;
}

Json::Value ScriptComponent(const std::string& name, Json::Value fields) {
    Json::Value c = std::move(fields);
    c["__component_name"] = name;
    return c;
}

Json::Value MoonLightComponent(double intensity, double innerRadius) {
    Json::Value c;
    c["__component_name"] = "MoonLight";
    c["offset"] = Vec(0, 0);
    c["intensity"] = intensity;
    c["inner_radius"] = innerRadius;
    return c;
}

Json::Value Entity(const std::string& name, double x, double y, double z, std::vector<Json::Value> components) {
    Json::Value e;
    e["name"] = name;
    e["pos"] = Vec(x, y, z);
    Json::Value list(Json::arrayValue);
    for (Json::Value& c : components) list.append(std::move(c));
    e["components"] = list;
    return e;
}

double GroundDepth(double topY, int height) { return 0.3 + (topY + height) / 1000.0; }

Json::Value Prop(const std::string& name, const SpriteDef& s, double x, double y, double shadowW, double shadowH) {
    return Entity(name, x, y, GroundDepth(y, s.height),
                  {SpriteComponent(s), ShadowCasterComponent(s.height - shadowH / 2 - 1, shadowW, shadowH)});
}

// Picks each cell's tile from its corners. When a cell's corners hold two
// different non-grass materials, the stronger one (water, then stone, then
// path) takes all of them: paving simply meets the path at the tile border.
Json::Value TileMap(int w, int h, const std::function<Ground(float, float)>& groundAt, uint32_t seed) {
    std::vector<std::vector<Ground>> corner(w + 1, std::vector<Ground>(h + 1));
    for (int i = 0; i <= w; ++i)
        for (int j = 0; j <= h; ++j)
            corner[i][j] = groundAt(float(kTileSize * (i - w / 2)), float(kTileSize * (j - h / 2)));

    std::vector<std::string> names;
    std::map<std::string, int> index;
    auto tileIndex = [&](const std::string& name) {
        auto it = index.find(name);
        if (it != index.end()) return it->second;
        names.push_back(name);
        return index[name] = int(names.size());
    };
    std::ostringstream tiles;
    for (int x = 0; x < w; ++x)
        for (int y = 0; y < h; ++y) {
            const Ground c[4] = {corner[x][y], corner[x + 1][y], corner[x][y + 1], corner[x + 1][y + 1]};
            Ground strongest = Ground::Grass;
            for (Ground g : c)
                if (int(g) > int(strongest)) strongest = g;
            int mask = 0;
            for (int k = 0; k < 4; ++k)
                if (c[k] != Ground::Grass) mask |= 1 << k;
            std::string name;
            if (strongest == Ground::Grass) {
                // plain grass in variants so the lawn does not show its repeat
                float r = Hash01(x, y, seed);
                name = r < 0.07f ? "grass_flowers" : r < 0.27f ? "grass_tuft" : r < 0.6f ? "grass_b" : "grass";
            } else {
                name = GroundTileName(strongest, mask);
            }
            tiles << tileIndex(name) << ' ';
        }
    Json::Value map;
    map["tile_width"] = kTileSize;
    map["tile_height"] = kTileSize;
    map["width"] = w;
    map["height"] = h;
    map["tile_textures"] = Json::Value(Json::arrayValue);
    for (const std::string& n : names) map["tile_textures"].append(n);
    map["tiles"] = tiles.str();
    return map;
}

Json::Value NightGraphics() {
    Json::Value g;
    g["moonlight_color"] = Vec(0.42, 0.52, 0.85);
    g["moonlight_fade_dist"] = 120.0;
    g["moonlight_fade_exponent"] = 2.0;
    g["global_ambient"] = Vec(0.32, 0.36, 0.58);
    g["global_ambient_intensity"] = 0.3;
    g["attenuation_zero"] = 0.001;
    return g;
}

std::string LevelText(Json::Value tileMap, Json::Value entities, Json::Value graphics) {
    Json::Value level;
    level["tile_map"] = std::move(tileMap);
    level["entities"] = std::move(entities);
    level["graphics"] = std::move(graphics);
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "   ";
    builder["precision"] = 6;
    return Json::writeString(builder, level) + "\n";
}

}  // namespace lvl
