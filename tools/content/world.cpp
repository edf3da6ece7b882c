// The playable world: three night levels joined by doors, and the ending.
//
//   veltrane_clearing  the camp where the game starts; the gate home is here
//   veltrane_hollow    a wooded hollow with a pool and old stones
//   veltrane_shore     the shore of the lake
//   veltrane_home      beyond the gate: the ending scene
//
// Each playable level is 48 x 30 tiles (768 x 480 pixels, larger than the
// 498 x 280 view) with walls just inside its edges behind a ring of trees. The
// goal: one cold lantern in each level; lighting all three opens the gate.
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
constexpr int kMapW = 48, kMapH = 30;
constexpr double kHalfW = kMapW * kTileSize / 2.0, kHalfH = kMapH * kTileSize / 2.0;  // 384, 240

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
    std::vector<DoorDef> doors;
    std::vector<Point> keepClear;  // places trees must not take (camp, lanterns)
    uint32_t seed = 1;
    int trees = 30;
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
        e["components"].append(CircleColliderComponent(0, s.height - 6, oak ? 9 : 7, false, true));
        Add(std::move(e));
    }

    void Rock(const SpriteDef& s, double x, double y) {
        Json::Value e = Prop(Name("Rock"), s, x, y - s.height, s.width - 4, s.height / 3.0);
        e["components"].append(CircleColliderComponent(0, s.height * 0.6, s.width * 0.42, false, true));
        Add(std::move(e));
    }

    void Bush(double x, double y) {
        Json::Value e = Prop(Name("Bush"), kBush, x, y - kBush.height, 22, 5);
        e["components"].append(CircleColliderComponent(0, 11, 9, false, true));
        Add(std::move(e));
    }

    // A campfire with its base at (x, y): flickering light, crackling sound.
    void Campfire(double x, double y) {
        SpriteDef fire{"campfire", 24, 24, 6, 6, 0.11};
        const double top = y - 24;
        Add(Entity(Name("Campfire"), x, top, GroundDepth(top, 24),
                   {SpriteComponent(fire), PointLightComponent(12, 1.0, 0.62, 0.32, 180, 1.2, Vec(0.8, 0.5, 2.0)),
                    SoundEmitterComponent("Ambience_Campfire", 30, 150), CircleColliderComponent(0, 17, 10, false, true),
                    ScriptComponent("Flicker", Flicker(1.2, 180, 0.18))}));
        Add(Prop(Name("LogSeat"), SpriteDef{"log_seat", 30, 12}, x + 32, y - 10, 26, 5));
    }

    // A lantern that always burns, its light flickering.
    void LitLantern(double x, double y) {
        SpriteDef lantern{"lantern", 12, 32, 4, 4, 0.16};
        const double top = y - 32;
        Add(Entity(Name("Lantern"), x, top, GroundDepth(top, 32),
                   {SpriteComponent(lantern), PointLightComponent(6, 0.55, 0.75, 1.0, 110, 0.9, Vec(1.0, 0.5, 4.0)),
                    ShadowCasterComponent(30, 6, 3), CircleColliderComponent(0, 29, 4, false, true),
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
                    ShadowCasterComponent(30, 6, 3), CircleColliderComponent(0, 29, 4, false, true),
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
        Add(Entity(Name("Wall"), x, y, 0.1, {BoxColliderComponent(0, 0, w, h, false, true)}));
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
                Add(Entity(Name("Water"), e.cx, e.cy + mid, 0.1, {BoxColliderComponent(0, 0, 2 * half, slice, false, true)}));
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

    // Trees, bushes and rocks scattered over the free ground.
    void Scatter() {
        Rng rng(def_.seed * 97 + 11);
        const SpriteDef* kinds[] = {&kPine, &kPineB, &kOak};
        std::vector<Point> placed;
        int trees = 0, tries = 0;
        while (trees < def_.trees && tries++ < 4000) {
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
        for (int i = 0, made = 0; made < 14 && i < 2000; ++i) {
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
        // The lantern the hero carries: a warm light at his middle. He casts no
        // shadow of his own, or his own lantern would throw it across the screen.
        Json::Value player;
        player["speed"] = 72;
        Add(Entity("Hero", x, y - 24, 0.5,
                   {SpriteComponent(hero), PointLightComponent(10, 1.0, 0.8, 0.55, 96, 0.75, Vec(1.0, 0.5, 3.0)),
                    RigidBodyComponent(), CircleColliderComponent(0, 18, 6, false, false),
                    ScriptComponent("Player", player), ScriptComponent("Flicker", Flicker(0.75, 96, 0.08))}));
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
    Json::Value list_{Json::arrayValue};
    int count_ = 0;
};

// Doors: east of the clearing to the hollow; south of the hollow to the shore.
const DoorDef kClearingEast{"veltrane_hollow", kHalfW - 26, 40, 20, 70, -50, -10};
const DoorDef kHollowWest{"veltrane_clearing", -kHalfW + 26, 40, 20, 70, 50, -10};
const DoorDef kHollowSouth{"veltrane_shore", 0, kHalfH - 22, 70, 20, 0, -60};
const DoorDef kShoreNorth{"veltrane_hollow", 0, -kHalfH + 52, 70, 20, 0, 40};
}  // namespace

CONTENT_ASSET(level_veltrane_clearing) {
    LevelDef def;
    def.name = "veltrane_clearing";
    def.music = "Music_Clearing";
    def.seed = 21;
    def.trees = 26;
    def.gateX = 0;
    def.stone = {{-40, 20, 70, 40}};
    def.water = {{210, 150, 110, 56}};
    def.paths = {{{-40, 20}, {120, 40}, {260, 36}, {400, 40}},
                 {{-40, 20}, {-14, -80}, {0, -170}, {0, -260}},
                 {{-40, 20}, {-180, -10}, {-270, -100}}};
    def.doors = {kClearingEast};
    def.keepClear = {{-40, 14}, {-100, 30}, {-270, -108}, {0, -190}, {100, 10}};
    Builder b(def);
    b.Border();
    b.Scatter();
    b.WaterColliders();
    b.Doors();
    b.Level(0.6);
    b.Campfire(-40, 14);
    b.LitLantern(100, 10);
    b.GoalLantern("clearing", -270, -108);
    // The gate home in the north edge, and the way through it.
    Json::Value gate;
    gate["target"] = "veltrane_home";
    const double gateTop = -kHalfH + 36 + 6 - 44;
    b.Add(Entity("Gate", 0, gateTop, GroundDepth(gateTop, 44),
                 {SpriteComponent(SpriteDef{"gate_closed", 64, 44}), ShadowCasterComponent(40, 44, 4),
                  BoxColliderComponent(0, 38, 46, 12, false, true), ScriptComponent("Gate", gate)}));
    b.Add(Entity("DoorTo_veltrane_home", 0, -kHalfH + 14, 0.2,
                 {BoxColliderComponent(0, 0, 40, 12, true, true),
                  ScriptComponent("Door", [] {
                      Json::Value f;
                      f["target"] = "veltrane_home";
                      f["arrive_x"] = 0;
                      f["arrive_y"] = 0;
                      return f;
                  }())}));
    b.Sound("Ambience_Lake", 210, 150, 70, 220);
    b.Sound("Ambience_Insects", -250, 120, 60, 200);
    b.Sound("Ambience_Wind", 260, -150, 60, 220);
    b.Fireflies(200, 80, 8, 90, 41);
    b.Fireflies(-260, -60, 4, 40, 42);
    b.Rock(kRock, -110, 60);
    b.Rock(kRockSmall, 30, 70);
    b.Hero(-100, 30);
    out.Text("levels/veltrane_clearing.json", b.Text());
}

CONTENT_ASSET(level_veltrane_hollow) {
    LevelDef def;
    def.name = "veltrane_hollow";
    def.music = "Music_Hollow";
    def.seed = 33;
    def.trees = 30;
    def.stone = {{0, 30, 62, 36}};
    def.water = {{140, -70, 90, 48}, {-210, -120, 52, 30}};
    def.paths = {{{-400, 40}, {-200, 50}, {0, 30}, {20, 150}, {0, 260}},
                 {{0, 30}, {150, 40}, {290, -20}, {290, -130}},
                 {{-200, 50}, {-130, 110}}};
    def.doors = {kHollowWest, kHollowSouth};
    def.keepClear = {{290, -140}, {-130, 110}, {-40, 30}, {40, 30}};
    Builder b(def);
    b.Border();
    b.Scatter();
    b.WaterColliders();
    b.Doors();
    b.Level(0.55);
    b.GoalLantern("hollow", 290, -140);
    b.LitLantern(-44, 24);
    b.LitLantern(44, 24);
    b.Campfire(-130, 116);
    b.Rock(kRock, -20, 70);
    b.Rock(kRockSmall, 60, 60);
    b.Sound("Ambience_Lake", 140, -70, 50, 200);
    b.Sound("Ambience_Wind", -250, -160, 60, 220);
    b.Sound("Ambience_Wind", 250, 160, 60, 220);
    b.Fireflies(140, 0, 7, 80, 43);
    b.Fireflies(-200, -60, 5, 60, 44);
    b.Hero(-320, 44);
    out.Text("levels/veltrane_hollow.json", b.Text());
}

CONTENT_ASSET(level_veltrane_shore) {
    LevelDef def;
    def.name = "veltrane_shore";
    def.music = "Music_Lakeside";
    def.seed = 47;
    def.trees = 22;
    def.stone = {{-300, 70, 44, 26}};
    def.water = {{70, 160, 270, 92}};
    def.paths = {{{0, -260}, {-10, -120}, {-120, -40}, {-250, 30}, {-300, 70}},
                 {{-10, -120}, {160, -60}, {300, -20}}};
    def.doors = {kShoreNorth};
    def.keepClear = {{-300, 62}, {-120, -40}, {300, -20}};
    Builder b(def);
    b.Border();
    b.Scatter();
    b.WaterColliders();
    b.Doors();
    b.Level(0.65);
    b.GoalLantern("shore", -300, 62);
    b.Campfire(-120, -34);
    b.LitLantern(300, -14);
    b.Rock(kRock, 180, 30);
    b.Rock(kRock, -200, 100);
    b.Rock(kRockSmall, 240, 50);
    b.Sound("Ambience_Lake", 70, 150, 120, 240);
    b.Sound("Ambience_Insects", 250, -150, 60, 200);
    b.Fireflies(40, 40, 10, 140, 45);
    b.Hero(0, -150);
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
