// The hero: a small traveller in a red hooded cloak, 16 x 24 pixels per frame.
//
// "hero" holds every animation in one sheet of 4 columns; its grid rows, counted
// from the bottom strip of the image as the engine counts them, are:
//   row 0 idle (facing the viewer, breathing and a blink), frames 1-4
//   row 1 walk down, row 2 walk up, row 3 walk left, row 4 walk right
// Each animation is also written as its own one-row strip ("hero_idle",
// "hero_walk_down", ...), so a script can switch textures and let the sprite loop
// frames 1-4. Every picture has an "_nm" companion from its silhouette.
#include <algorithm>

#include "tools/content/content.h"
#include "tools/content/palette.h"
#include "tools/content/shading.h"

namespace {
enum class Facing { Down, Up, Left, Right };

constexpr int kCellW = 16, kCellH = 24;
const rgba kOutline = Rgb(26, 16, 26);

struct Pose {
    Facing facing;
    int leftLegLift = 0, rightLegLift = 0;  // pixels the foot is raised (walking)
    int stride = 0;                         // side view: feet apart by this much
    int bob = 0;                            // whole body raised by this much
    bool blink = false;
    int armSwing = 0;  // -1, 0, 1
};

PixelCanvas DrawHero(const Pose& p) {
    PixelCanvas c(kCellW, kCellH);
    const int top = 1 - p.bob + 1;  // hood's top row
    const bool side = p.facing == Facing::Left || p.facing == Facing::Right;

    // legs and boots (drawn first; the cloak hangs over their tops)
    auto leg = [&](int x, int lift) {
        c.FillRect(x, 18 - p.bob, 2, 4 - lift, pal::tunic0);
        c.FillRect(x, 22 - p.bob - lift, 2, 1, pal::boot);
        if (p.bob == 0 && lift == 0) c.FillRect(x, 22, 2, 1, pal::boot);
    };
    if (side) {
        leg(7 - p.stride, p.rightLegLift);
        leg(7 + p.stride, p.leftLegLift);
    } else {
        leg(5, p.leftLegLift);
        leg(9, p.rightLegLift);
    }

    // cloak: widening toward the hem
    for (int y = top + 8; y <= 18 - p.bob; ++y) {
        int spread = side ? 3 + (y - top - 8) / 4 : 4 + (y - top - 8) / 3;
        c.FillRect(8 - spread, y, spread * 2, 1, pal::cloak1);
        c.Set(8 - spread, y, pal::cloak0);
        c.Set(8 + spread - 1, y, pal::cloak0);
    }
    if (p.facing == Facing::Down) {  // tunic and belt seen through the open front
        c.FillRect(6, top + 9, 4, 8, pal::tunic1);
        c.FillRect(6, top + 13, 4, 1, pal::bark1);
        c.Set(8, top + 13, pal::gold2);
    }
    if (p.facing == Facing::Up) c.FillRect(7, top + 9, 2, 8, pal::cloak0);  // back seam

    // hands
    if (!side) {
        c.Set(3, top + 13 + p.armSwing, pal::skin1);
        c.Set(12, top + 13 - p.armSwing, pal::skin1);
    } else {
        c.Set(p.facing == Facing::Left ? 7 + p.armSwing : 8 - p.armSwing, top + 13, pal::skin1);
    }

    // hood and face
    c.FillEllipse(8, top + 4.5f, 5.2f, 5.0f, pal::cloak1);
    c.FillEllipse(8, top + 3.5f, 4.2f, 3.5f, pal::cloak2);
    if (p.facing == Facing::Down) {
        c.FillRect(5, top + 4, 6, 5, pal::skin1);
        c.FillRect(5, top + 3, 6, 1, pal::hair1);
        c.Set(5, top + 4, pal::hair1);
        c.Set(10, top + 4, pal::hair1);
        c.FillRect(5, top + 8, 6, 1, pal::skin0);
        rgba eye = p.blink ? pal::skin0 : pal::eye;
        c.Set(6, top + 6, eye);
        c.Set(9, top + 6, eye);
    } else if (side) {
        const bool left = p.facing == Facing::Left;
        int fx = left ? 4 : 7;
        c.FillRect(fx, top + 4, 5, 5, pal::skin1);
        c.FillRect(fx, top + 3, 5, 1, pal::hair1);
        c.Set(left ? fx + 4 : fx, top + 4, pal::hair1);
        c.Set(left ? fx + 4 : fx, top + 5, pal::hair0);
        c.Set(left ? fx + 1 : fx + 3, top + 6, p.blink ? pal::skin0 : pal::eye);
        c.FillRect(fx, top + 8, 5, 1, pal::skin0);
    } else {
        c.FillRect(5, top + 4, 6, 4, pal::cloak1);  // back of the hood
        c.Set(8, top + 2, pal::cloak0);
    }
    c.Outline(kOutline);
    return c;
}

// Poses of a 4-frame loop for one animation row.
std::vector<Pose> Animation(int row) {
    if (row == 0)
        return {{Facing::Down}, {Facing::Down, 0, 0, 0, 0}, {Facing::Down, 0, 0, 0, 1},
                {Facing::Down, 0, 0, 0, 1, true}};
    Facing f = row == 1 ? Facing::Down : row == 2 ? Facing::Up : row == 3 ? Facing::Left : Facing::Right;
    if (f == Facing::Left || f == Facing::Right)
        return {{f, 0, 0, 1, 0, false, 0}, {f, 1, 0, 2, 1, false, 1}, {f, 0, 0, 1, 0, false, 0},
                {f, 0, 1, 2, 1, false, -1}};
    return {{f, 0, 0, 0, 0, false, 0}, {f, 1, 0, 0, 1, false, 1}, {f, 0, 0, 0, 0, false, 0},
            {f, 0, 1, 0, 1, false, -1}};
}

void SaveWithNormals(ContentOutput& out, const std::string& name, const PixelCanvas& pic) {
    out.Texture(name, pic);
    out.Texture(name + "_nm", MakeNormalMap(HeightFromSilhouette(pic, 3, 3.0f), pic, 1.0f));
}
}  // namespace

CONTENT_ASSET(hero) {
    const char* stripNames[] = {"hero_idle", "hero_walk_down", "hero_walk_up", "hero_walk_left", "hero_walk_right"};
    const SheetLayout sheet{kCellW, kCellH, 4, 5};
    PixelCanvas full(sheet.Width(), sheet.Height());
    for (int row = 0; row < sheet.rows; ++row) {
        const SheetLayout stripLayout{kCellW, kCellH, 4, 1};
        PixelCanvas strip(stripLayout.Width(), stripLayout.Height());
        std::vector<Pose> poses = Animation(row);
        for (int col = 0; col < 4; ++col) {
            PixelCanvas frame = DrawHero(poses[size_t(col)]);
            full.Paste(frame, sheet.CellX(col), sheet.CellY(row));
            strip.Paste(frame, stripLayout.CellX(col), stripLayout.CellY(0));
        }
        SaveWithNormals(out, stripNames[row], strip);
    }
    SaveWithNormals(out, "hero", full);
}
