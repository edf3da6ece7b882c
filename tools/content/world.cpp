// The playable world: three night levels joined by doors, and the ending.
//
//   veltrane_clearing  the camp where the game starts; the gate home is here
//   veltrane_hollow    a wooded hollow with a pool and old stones
//   veltrane_shore     the shore of the lake
//   veltrane_home      beyond the gate: the ending scene
//
// Each playable level is 96 x 60 tiles (1536 x 960 pixels, about ten views of
// 498 x 280) with walls just inside its edges behind a ring of trees. The goal:
// one cold lantern in each level; lighting all three opens the gate. Each
// lantern stands off the paths behind thickets (rows of trees too close to
// pass between) or water, so it is found by looking for the way round, not
// seen from the door. tests/content/routes.py walks the world to check that
// every lantern and door can be reached, and how long the walk takes.
//
// Layout is described as data (ground shapes, paths, props) and the trees that
// fill the rest are scattered from a fixed seed, so the output never changes.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "tools/content/content.h"
#include "tools/content/level_parts.h"
#include "tools/content/pixel_canvas.h"

using namespace lvl;

namespace {
constexpr int kMapW = 96, kMapH = 60;
constexpr double kHalfW = kMapW * kTileSize / 2.0, kHalfH = kMapH * kTileSize / 2.0;  // 768, 480

struct Ellipse {
    double cx, cy, rx, ry;
    double Inside(double x, double y) const {  // < 1 inside
        double dx = (x - cx) / rx, dy = (y - cy) / ry;
        return dx * dx + dy * dy;
    }
};

struct Point {
    double x, y;
};

double SegmentDistance(Point p, Point a, Point b) {
    double vx = b.x - a.x, vy = b.y - a.y;
    double t = std::clamp(((p.x - a.x) * vx + (p.y - a.y) * vy) / (vx * vx + vy * vy), 0.0, 1.0);
    double dx = a.x + t * vx - p.x, dy = a.y + t * vy - p.y;
    return std::sqrt(dx * dx + dy * dy);
}

// A door: a ghost box at a level's edge leading to `target`; a player coming
// from `target` appears at (arriveX, arriveY) from the door's position.
struct DoorDef {
    std::string target;
    double x, y, w, h;
    double arriveX, arriveY;
};

struct LevelDef {
    std::string name, music;
    std::vector<Ellipse> water, stone;
    std::vector<std::vector<Point>> paths;
    std::vector<std::vector<Point>> thickets;  // lines of trees, broken where a path crosses
    std::vector<DoorDef> doors;
    std::vector<Point> keepClear;  // places trees must not take (camp, lanterns)
    uint32_t seed = 1;
    int trees = 30;
    int smallProps = 14;  // bushes and rocks scattered
    double gateX = 1e9;  // x of the gate in the north edge, if the level has one

    bool OnPath(double x, double y, double margin) const {
        for (const auto& line : paths)
            for (size_t i = 0; i + 1 < line.size(); ++i)
                if (SegmentDistance({x, y}, line[i], line[i + 1]) < margin) return true;
        return false;
    }

    Ground GroundAt(float x, float y) const {
        float wobble = (Hash01(int(x), int(y), seed + 7) - 0.5f) * 0.25f;
        for (const Ellipse& e : water)
            if (e.Inside(x, y) + wobble < 1.0) return Ground::Water;
        for (const Ellipse& e : stone)
            if (e.Inside(x, y) < 1.0) return Ground::Stone;
        if (OnPath(x, y, 12.0)) return Ground::Path;
        return Ground::Grass;
    }

    // Somewhere a tree may stand with its trunk at (x, y).
    bool FreeForTree(double x, double y) const {
        for (const Ellipse& e : water)
            if (e.Inside(x, y - 10) < 1.5) return false;
        for (const Ellipse& e : stone)
            if (e.Inside(x, y) < 1.6) return false;
        if (OnPath(x, y, 30.0)) return false;
        for (const Point& p : keepClear)
            if (std::hypot(p.x - x, p.y - y) < 56) return false;
        for (const DoorDef& d : doors)
            if (std::hypot(d.x - x, d.y - y) < 70) return false;
        return true;
    }
};

// Solid things (trees, rocks, water, walls, the gate) carry a RigidBody beside
// their static collider: the physics pushes apart only pairs of bodies, and a
// static body is never moved, so the hero is the one pushed back.
class Builder {
public:
    explicit Builder(const LevelDef& def) : def_(def) {}

    void Add(Json::Value e) { list_.append(std::move(e)); }
    std::string Name(const std::string& base) { return base + std::to_string(++count_); }

    // A tree whose trunk stands at (x, y); solid at the trunk, shading what is behind.
    void Tree(const SpriteDef& s, double x, double y) {
        const double top = y - s.height + 2;
        const bool oak = &s == &kOak;
        Json::Value e = Prop(Name("Tree"), s, x, top, oak ? 24 : 18, 7);
        e["components"].append(RigidBodyComponent());
        e["components"].append(CircleColliderComponent(0, s.height - 6, oak ? 9 : 7, false, true));
        Add(std::move(e));
    }

    void Rock(const SpriteDef& s, double x, double y) {
        Json::Value e = Prop(Name("Rock"), s, x, y - s.height, s.width - 4, s.height / 3.0);
        e["components"].append(RigidBodyComponent());
        e["components"].append(CircleColliderComponent(0, s.height * 0.6, s.width * 0.42, false, true));
        Add(std::move(e));
    }

    void Bush(double x, double y) {
        Json::Value e = Prop(Name("Bush"), kBush, x, y - kBush.height, 22, 5);
        e["components"].append(RigidBodyComponent());
        e["components"].append(CircleColliderComponent(0, 11, 9, false, true));
        Add(std::move(e));
    }

    // A campfire with its base at (x, y): flickering light, crackling sound.
    void Campfire(double x, double y) {
        SpriteDef fire{"campfire", 24, 24, 6, 6, 0.11};
        const double top = y - 24;
        Add(Entity(Name("Campfire"), x, top, GroundDepth(top, 24),
                   {SpriteComponent(fire), PointLightComponent(12, 1.0, 0.62, 0.32, 180, 1.2, Vec(0.8, 0.5, 2.0)),
                    SoundEmitterComponent("Ambience_Campfire", 30, 150), RigidBodyComponent(),
                    CircleColliderComponent(0, 17, 10, false, true),
                    ScriptComponent("Flicker", Flicker(1.2, 180, 0.18))}));
        Add(Prop(Name("LogSeat"), SpriteDef{"log_seat", 30, 12}, x + 32, y - 10, 26, 5));
    }

    // A lantern that always burns, its light flickering.
    void LitLantern(double x, double y) {
        SpriteDef lantern{"lantern", 12, 32, 4, 4, 0.16};
        const double top = y - 32;
        Add(Entity(Name("Lantern"), x, top, GroundDepth(top, 32),
                   {SpriteComponent(lantern), PointLightComponent(6, 0.55, 0.75, 1.0, 110, 0.9, Vec(1.0, 0.5, 4.0)),
                    ShadowCasterComponent(30, 6, 3), RigidBodyComponent(), CircleColliderComponent(0, 29, 4, false, true),
                    ScriptComponent("Flicker", Flicker(0.9, 110, 0.12))}));
    }

    // One of the valley's three lanterns: cold until the player comes to it.
    void GoalLantern(const std::string& id, double x, double y) {
        SpriteDef lantern{"lantern_cold", 12, 32, 4, 4, 0.16};
        const double top = y - 32;
        Json::Value fields;
        fields["id"] = id;
        fields["lit"] = 0;
        Add(Entity("ValleyLantern_" + id, x, top, GroundDepth(top, 32),
                   {SpriteComponent(lantern), PointLightComponent(6, 1.0, 0.78, 0.45, 140, 0.0, Vec(1.0, 0.5, 3.0)),
                    ShadowCasterComponent(30, 6, 3), RigidBodyComponent(), CircleColliderComponent(0, 29, 4, false, true),
                    ScriptComponent("Lantern", fields)}));
    }

    void Fireflies(double cx, double cy, int n, double spread, uint32_t seed) {
        Rng rng(seed);
        for (int i = 0; i < n; ++i) {
            double x = cx + rng.Uniform(-spread, spread), y = cy + rng.Uniform(-spread * 0.6, spread * 0.6);
            SpriteDef fly{"firefly", 8, 8, 6, 6, rng.Uniform(0.12f, 0.21f), false};
            Json::Value fields;
            fields["home_x"] = x;
            fields["home_y"] = y;
            Add(Entity(Name("Firefly"), x, y, 0.9,
                       {SpriteComponent(fly), RigidBodyComponent(), CircleColliderComponent(0, 4, 3, true, false),
                        ScriptComponent("Firefly", fields)}));
        }
    }

    void Sound(const std::string& cue, double x, double y, double distance, double fallOff) {
        Add(Entity(Name("Sound"), x, y, 0, {SoundEmitterComponent(cue, distance, fallOff)}));
    }

    void Wall(double x, double y, double w, double h) {
        Add(Entity(Name("Wall"), x, y, 0.1, {RigidBodyComponent(), BoxColliderComponent(0, 0, w, h, false, true)}));
    }

    // Water is solid: a stack of static boxes filling each pond a little inside
    // its painted edge, so the player wades to the shore but no further.
    void WaterColliders() {
        for (const Ellipse& e : def_.water) {
            const double slice = 12, rx = e.rx - 8, ry = e.ry - 8;
            for (double y = -ry; y < ry; y += slice) {
                double mid = y + slice / 2, t = mid / ry;
                double half = rx * std::sqrt(std::max(0.0, 1 - t * t));
                if (half < 4) continue;
                Add(Entity(Name("Water"), e.cx, e.cy + mid, 0.1,
                           {RigidBodyComponent(), BoxColliderComponent(0, 0, 2 * half, slice, false, true)}));
            }
        }
    }

    void Doors() {
        for (const DoorDef& d : def_.doors) {
            Json::Value fields;
            fields["target"] = d.target;
            fields["arrive_x"] = d.arriveX;
            fields["arrive_y"] = d.arriveY;
            Add(Entity("DoorTo_" + d.target, d.x, d.y, 0.2,
                       {BoxColliderComponent(0, 0, d.w, d.h, true, true), ScriptComponent("Door", fields)}));
        }
    }

    // The ring of trees round the edge (crowns over the top, trunks at the
    // sides, only crowns showing at the bottom) and the walls behind it, with
    // gaps where the paths leave through the doors.
    void Border() {
        Rng rng(def_.seed * 31 + 5);
        const SpriteDef* kinds[] = {&kPine, &kPineB, &kOak, &kPine};
        auto nearDoor = [&](double x, double y) {
            for (const DoorDef& d : def_.doors)
                if (std::fabs(d.x - x) < 44 + d.w / 2 && std::fabs(d.y - y) < 44 + d.h / 2) return true;
            return std::fabs(x - def_.gateX) < 52 && y < 0;
        };
        for (double x = -kHalfW + 8; x <= kHalfW; x += 34) {
            double jx = rng.Uniform(-6, 6);
            if (!nearDoor(x + jx, -kHalfH + 30)) Tree(*kinds[rng.Range(0, 3)], x + jx, -kHalfH + 44 + rng.Uniform(-4, 6));
            if (!nearDoor(x + jx, kHalfH - 10)) Tree(*kinds[rng.Range(0, 3)], x + jx, kHalfH + 36 + rng.Uniform(-4, 4));
        }
        for (double y = -kHalfH + 84; y <= kHalfH; y += 40) {
            double jy = rng.Uniform(-6, 6);
            if (!nearDoor(-kHalfW + 10, y + jy)) Tree(*kinds[rng.Range(0, 3)], -kHalfW + 10 + rng.Uniform(0, 8), y + jy);
            if (!nearDoor(kHalfW - 10, y + jy)) Tree(*kinds[rng.Range(0, 3)], kHalfW - 10 - rng.Uniform(0, 8), y + jy);
        }
        // Walls: north (with a gap for the gate), south, west, east.
        const double north = -kHalfH + 36, t = 16;
        if (def_.gateX < kHalfW) {
            const double gap = 42, left = -kHalfW, right = kHalfW;
            const double l1 = left, r1 = def_.gateX - gap / 2, l2 = def_.gateX + gap / 2, r2 = right;
            Wall((l1 + r1) / 2, north, r1 - l1, t);
            Wall((l2 + r2) / 2, north, r2 - l2, t);
            Wall(0, -kHalfH - 4, 2 * kHalfW, t);  // behind the gate
        } else {
            Wall(0, north, 2 * kHalfW, t);
        }
        Wall(0, kHalfH - 8, 2 * kHalfW, t);
        Wall(-kHalfW + 6, 0, t, 2 * kHalfH);
        Wall(kHalfW - 6, 0, t, 2 * kHalfH);
    }

    // The thickets: trees every 20 pixels along each line, their trunks too
    // close for the hero to pass between, with a gap wherever a path crosses.
    void Thickets() {
        Rng rng(def_.seed * 53 + 3);
        const SpriteDef* kinds[] = {&kPine, &kPineB, &kOak, &kPine};
        for (const auto& line : def_.thickets)
            for (size_t i = 0; i + 1 < line.size(); ++i) {
                const Point a = line[i], b = line[i + 1];
                const double len = std::hypot(b.x - a.x, b.y - a.y);
                const int n = std::max(1, int(len / 20));
                for (int k = (i == 0 ? 0 : 1); k <= n; ++k) {
                    double x = a.x + (b.x - a.x) * k / n + rng.Uniform(-2, 2);
                    double y = a.y + (b.y - a.y) * k / n + rng.Uniform(-2, 2);
                    if (def_.OnPath(x, y, 24)) continue;
                    placed_.push_back({x, y});
                    Tree(*kinds[rng.Range(0, 3)], x, y);
                }
            }
    }

    // Trees, bushes and rocks scattered over the free ground.
    void Scatter() {
        Rng rng(def_.seed * 97 + 11);
        const SpriteDef* kinds[] = {&kPine, &kPineB, &kOak};
        std::vector<Point>& placed = placed_;
        int trees = 0, tries = 0;
        while (trees < def_.trees && tries++ < 40 * def_.trees + 4000) {
            double x = rng.Uniform(-kHalfW + 50, kHalfW - 50), y = rng.Uniform(-kHalfH + 90, kHalfH - 30);
            if (!def_.FreeForTree(x, y)) continue;
            bool crowded = false;
            for (const Point& p : placed)
                if (std::fabs(p.x - x) < 34 && std::fabs(p.y - y) < 26) crowded = true;
            if (crowded) continue;
            placed.push_back({x, y});
            Tree(*kinds[rng.Range(0, 2)], x, y);
            ++trees;
        }
        for (int i = 0, made = 0; made < def_.smallProps && i < 200 * def_.smallProps; ++i) {
            double x = rng.Uniform(-kHalfW + 40, kHalfW - 40), y = rng.Uniform(-kHalfH + 70, kHalfH - 20);
            if (!def_.FreeForTree(x, y)) continue;
            bool crowded = false;
            for (const Point& p : placed)
                if (std::fabs(p.x - x) < 26 && std::fabs(p.y - y) < 18) crowded = true;
            if (crowded) continue;
            placed.push_back({x, y});
            switch (made++ % 3) {
                case 0: Bush(x, y); break;
                case 1: Rock(kRock, x, y); break;
                default: Rock(kRockSmall, x, y); break;
            }
        }
    }

    void Hero(double x, double y) {
        SpriteDef hero{"hero_idle", 16, 24, 4, 4, 0.25};
        // The lantern the hero carries: a warm light low at his side. He casts a
        // shadow from other lights (the footprint at his feet), but not from his
        // own: a light inside a caster's box, twice the footprint's size, throws
        // no shadow of it, so the light stands within 8 pixels of the feet.
        Json::Value player;
        player["speed"] = 72;
        Add(Entity("Hero", x, y - 24, 0.5,
                   {SpriteComponent(hero), PointLightComponent(17, 1.0, 0.8, 0.55, 96, 0.75, Vec(1.0, 0.5, 3.0)),
                    ShadowCasterComponent(21, 12, 8), RigidBodyComponent(), CircleColliderComponent(0, 18, 6, false, false),
                    ScriptComponent("Player", player), ScriptComponent("Flicker", Flicker(0.75, 96, 0.08))}));
    }

    // What every outdoor level is made of, in this order: the border, the
    // thickets, the scattered trees and props, the water's colliders, the
    // doors, then the level's music, size and moon.
    void Landscape(double moonIntensity) {
        Border();
        Thickets();
        Scatter();
        WaterColliders();
        Doors();
        Level(moonIntensity);
    }

    // The level's music, its size for the camera, the moon over it.
    void Level(double moonIntensity) {
        Json::Value music, info;
        music["cue"] = def_.music;
        info["name"] = def_.name;
        info["half_width"] = kHalfW;
        info["half_height"] = kHalfH;
        Json::Value space;
        space["__component_name"] = "SoundSpace";
        Add(Entity("Level", 0, 0, 0, {ScriptComponent("LevelMusic", music), space, ScriptComponent("LevelInfo", info)}));
        Add(Entity("Moon", 0, 0, 0, {MoonLightComponent(moonIntensity, 420)}));
    }

    std::string Text() {
        return LevelText(TileMap(kMapW, kMapH, [this](float x, float y) { return def_.GroundAt(x, y); }, def_.seed),
                         list_, NightGraphics());
    }

    const Json::Value& Entities() const { return list_; }

    static Json::Value Flicker(double diffuse, double radius, double amount) {
        Json::Value f;
        f["diffuse"] = diffuse;
        f["radius"] = radius;
        f["amount"] = amount;
        return f;
    }

private:
    const LevelDef& def_;
    std::vector<Point> placed_;  // trees so far, which scattered ones keep clear of
    Json::Value list_{Json::arrayValue};
    int count_ = 0;
};

// Doors: east of the clearing to the hollow; south of the hollow to the shore.
const DoorDef kClearingEast{"veltrane_hollow", kHalfW - 26, 28, 20, 70, -50, -10};
const DoorDef kHollowWest{"veltrane_clearing", -kHalfW + 26, 40, 20, 70, 50, -10};
const DoorDef kHollowSouth{"veltrane_shore", 480, kHalfH - 22, 70, 20, 0, -60};
const DoorDef kShoreNorth{"veltrane_hollow", 480, -kHalfH + 52, 70, 20, 0, 40};
}  // namespace

// The camp where the game starts. The path east leads straight to the hollow;
// the gate stands at the end of the path north. The lantern is in the
// south-west corner, in a pocket of forest whose way in is from the south,
// past the reed pond.
CONTENT_ASSET(level_veltrane_clearing) {
    LevelDef def;
    def.name = "veltrane_clearing";
    def.music = "Music_Clearing";
    def.seed = 21;
    def.trees = 150;
    def.smallProps = 40;
    def.gateX = 0;
    def.stone = {{-40, 20, 70, 40}, {0, -400, 50, 26}};
    def.water = {{300, 230, 170, 80}, {-330, 330, 80, 46}};
    def.paths = {{{-40, 20}, {120, 28}, {400, 28}, {kHalfW, 28}},
                 {{-40, 20}, {-14, -80}, {30, -200}, {-20, -320}, {0, -400}, {0, -kHalfH}},
                 {{-40, 20}, {-180, -10}, {-330, -90}, {-500, -70}, {-560, 60}, {-520, 150}},
                 {{-40, 20}, {-120, 160}, {-200, 260}, {-230, 420}, {-420, 440}, {-560, 420}},
                 {{400, 28}, {480, 120}, {520, 140}}};
    def.thickets = {{{-kHalfW + 30, 200}, {-600, 210}, {-450, 215}, {-430, 300}, {-440, 395}},
                    {{-300, -200}, {-200, -250}, {-90, -260}},
                    {{150, -120}, {300, -160}, {420, -140}, {560, -220}},
                    {{100, 380}, {180, 350}}};
    def.doors = {kClearingEast};
    def.keepClear = {{-40, 14}, {-100, 30}, {-640, 340}, {-560, 420}, {0, -190}, {100, 10}, {30, -380}, {520, 140}};
    Builder b(def);
    b.Landscape(0.6);
    b.Campfire(-40, 14);
    b.LitLantern(100, 10);
    b.LitLantern(40, -380);
    b.LitLantern(520, 140);
    b.GoalLantern("clearing", -640, 340);
    // The gate home in the north edge, and the way through it.
    Json::Value gate;
    gate["target"] = "veltrane_home";
    const double gateTop = -kHalfH + 36 + 6 - 44;
    b.Add(Entity("Gate", 0, gateTop, GroundDepth(gateTop, 44),
                 {SpriteComponent(SpriteDef{"gate_closed", 64, 44}), ShadowCasterComponent(40, 44, 4),
                  RigidBodyComponent(), BoxColliderComponent(0, 38, 46, 12, false, true),
                  ScriptComponent("Gate", gate)}));
    b.Add(Entity("DoorTo_veltrane_home", 0, -kHalfH + 14, 0.2,
                 {BoxColliderComponent(0, 0, 40, 12, true, true),
                  ScriptComponent("Door", [] {
                      Json::Value f;
                      f["target"] = "veltrane_home";
                      f["arrive_x"] = 0;
                      f["arrive_y"] = 0;
                      return f;
                  }())}));
    b.Sound("Ambience_Lake", 300, 230, 90, 260);
    b.Sound("Ambience_Lake", -330, 330, 50, 180);
    b.Sound("Ambience_Insects", -250, 120, 60, 200);
    b.Sound("Ambience_Wind", 260, -250, 80, 260);
    b.Sound("Ambience_Wind", -500, -300, 80, 260);
    b.Fireflies(300, 150, 10, 120, 41);
    b.Fireflies(-600, 330, 6, 50, 42);
    b.Fireflies(-200, -150, 5, 60, 47);
    b.Rock(kRock, -110, 60);
    b.Rock(kRockSmall, 30, 70);
    b.Hero(-100, 30);
    out.Text("levels/veltrane_clearing.json", b.Text());
}

// A wooded hollow with old stones in the middle, two pools and a tarn in the
// north-east. The lantern stands on old paving beyond the tarn, inside a
// thicket that opens to the east, where the path round the tarn gives out.
CONTENT_ASSET(level_veltrane_hollow) {
    LevelDef def;
    def.name = "veltrane_hollow";
    def.music = "Music_Hollow";
    def.seed = 33;
    def.trees = 160;
    def.smallProps = 40;
    def.stone = {{0, 30, 62, 36}, {560, -330, 40, 24}};
    def.water = {{380, -160, 150, 70}, {-300, -230, 80, 44}, {-260, 260, 110, 60}};
    def.paths = {{{-kHalfW, 40}, {-400, 50}, {-200, 50}, {0, 30}, {100, 180}, {250, 300}, {400, 380}, {480, kHalfH}},
                 {{0, 30}, {150, 40}, {300, -40}, {560, -60}, {660, -200}},
                 {{0, 30}, {-60, -150}, {100, -330}, {200, -400}},
                 {{-200, 50}, {-130, 130}}};
    def.thickets = {{{420, -440}, {430, -330}, {480, -270}, {600, -250}},
                    {{300, -440}, {290, -300}},
                    {{-520, -400}, {-420, -300}, {-450, -100}},
                    {{300, 120}, {420, 180}, {520, 300}}};
    def.doors = {kHollowWest, kHollowSouth};
    def.keepClear = {{520, -380}, {-130, 110}, {-40, 30}, {40, 30}, {200, -400}};
    Builder b(def);
    b.Landscape(0.55);
    b.GoalLantern("hollow", 520, -380);
    b.LitLantern(-44, 24);
    b.LitLantern(44, 24);
    b.LitLantern(200, -400);
    b.Campfire(-130, 116);
    b.Rock(kRock, -20, 70);
    b.Rock(kRockSmall, 60, 60);
    b.Sound("Ambience_Lake", 380, -160, 70, 220);
    b.Sound("Ambience_Lake", -260, 260, 60, 200);
    b.Sound("Ambience_Wind", -450, -300, 80, 260);
    b.Sound("Ambience_Wind", 450, 300, 80, 260);
    b.Fireflies(380, -60, 9, 110, 43);
    b.Fireflies(-300, -120, 6, 70, 44);
    b.Fireflies(-200, 330, 5, 60, 48);
    b.Hero(-690, 44);
    out.Text("levels/veltrane_hollow.json", b.Text());
}

// The lake shore. The path from the door runs down to the water and forks:
// east to a lantern by the water, west along the shore to where it gives out.
// The valley lantern stands on old paving in the far north-west, behind a
// thicket, found by leaving the path where it ends.
CONTENT_ASSET(level_veltrane_shore) {
    LevelDef def;
    def.name = "veltrane_shore";
    def.music = "Music_Lakeside";
    def.seed = 47;
    def.trees = 140;
    def.smallProps = 36;
    def.stone = {{-640, -300, 44, 26}};
    def.water = {{80, 250, 420, 150}, {-520, 380, 120, 60}};
    def.paths = {{{480, -kHalfH}, {470, -330}, {300, -200}, {0, -120}, {-200, -40}, {-380, 60}, {-520, 120}, {-620, 60}},
                 {{0, -120}, {250, -60}, {520, 40}, {600, 120}}};
    def.thickets = {{{-460, -440}, {-470, -250}, {-480, -80}, {-560, 20}},
                    {{-300, -440}, {-320, -220}},
                    {{300, -300}, {450, -250}, {620, -300}}};
    def.doors = {kShoreNorth};
    def.keepClear = {{-640, -308}, {-200, -40}, {600, 120}};
    Builder b(def);
    b.Landscape(0.65);
    b.GoalLantern("shore", -640, -308);
    b.Campfire(-200, -34);
    b.LitLantern(600, 126);
    b.Rock(kRock, 180, 30);
    b.Rock(kRock, -300, 100);
    b.Rock(kRockSmall, 240, 50);
    b.Sound("Ambience_Lake", 80, 250, 200, 300);
    b.Sound("Ambience_Lake", -520, 380, 60, 200);
    b.Sound("Ambience_Insects", 450, -300, 80, 240);
    b.Sound("Ambience_Wind", -600, -300, 80, 240);
    b.Fireflies(40, 60, 12, 200, 45);
    b.Fireflies(-600, -200, 5, 60, 49);
    b.Hero(480, -330);
    out.Text("levels/veltrane_shore.json", b.Text());
}

// The ending: a small camp beyond the gate, all three lanterns burning; the
// script writes the words over it.
CONTENT_ASSET(level_veltrane_home) {
    LevelDef def;
    def.name = "veltrane_home";
    def.music = "Music_Title";
    def.seed = 59;
    def.trees = 0;
    def.stone = {{0, 30, 70, 34}};
    def.paths = {{{0, 30}, {0, 200}}};
    Builder b(def);
    const SpriteDef* ring[] = {&kPine, &kOak, &kPineB, &kPine, &kOak, &kPineB, &kPine, &kPineB};
    for (int i = 0; i < 8; ++i) {
        double a = 3.14159265 * (1.05 + 0.9 * i / 7.0);
        b.Tree(*ring[i], 200 * std::cos(a), -40 + 95 * std::sin(a) + 20);
    }
    b.Tree(kOak, -220, 150);
    b.Tree(kPine, 220, 140);
    b.Campfire(0, 40);
    b.LitLantern(-90, 30);
    b.LitLantern(90, 30);
    b.LitLantern(0, -30);
    b.Add(Entity("Hero", -30, 18, GroundDepth(18, 24),
                 {SpriteComponent(SpriteDef{"hero_idle", 16, 24, 4, 4, 0.45}), ShadowCasterComponent(22, 10, 4)}));
    b.Fireflies(0, 0, 8, 150, 46);
    Json::Value music;
    music["cue"] = def.music;
    b.Add(Entity("Level", 0, 0, 0, {ScriptComponent("LevelMusic", music), ScriptComponent("Ending")}));
    b.Add(Entity("Moon", 0, 0, 0, {MoonLightComponent(0.6, 260)}));
    out.Text("levels/veltrane_home.json",
             LevelText(TileMap(34, 20, [&def](float x, float y) { return def.GroundAt(x, y); }, def.seed), b.Entities(),
                       NightGraphics()));
}
