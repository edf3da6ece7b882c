#pragma once
// The one palette every picture of the forest clearing is drawn from, so tiles,
// props and characters sit together. Albedo colours are kept mid-bright: the
// night mood comes from the level's lighting (blue moonlight, low ambient), not
// from painting the pictures dark.
#include "tools/content/pixel_canvas.h"

namespace pal {
// grass, dark to light
constexpr rgba grass0 = Rgb(38, 66, 50), grass1 = Rgb(52, 88, 58), grass2 = Rgb(70, 112, 66),
               grass3 = Rgb(98, 138, 76), grass4 = Rgb(132, 164, 92);
// packed earth of the path
constexpr rgba dirt0 = Rgb(84, 64, 50), dirt1 = Rgb(112, 88, 64), dirt2 = Rgb(138, 112, 80),
               dirt3 = Rgb(164, 138, 100);
// stone and rock, cool greys
constexpr rgba stone0 = Rgb(56, 58, 70), stone1 = Rgb(84, 88, 102), stone2 = Rgb(114, 118, 130),
               stone3 = Rgb(150, 154, 162), stone4 = Rgb(186, 188, 192);
// water, deep to foam
constexpr rgba water0 = Rgb(26, 46, 86), water1 = Rgb(36, 70, 116), water2 = Rgb(58, 102, 146),
               water3 = Rgb(104, 150, 186), foam = Rgb(186, 216, 226);
// bark and wood
constexpr rgba bark0 = Rgb(46, 32, 30), bark1 = Rgb(74, 52, 40), bark2 = Rgb(102, 74, 52),
               bark3 = Rgb(134, 100, 68);
// foliage (trees and bushes), dark to light
constexpr rgba leaf0 = Rgb(20, 42, 40), leaf1 = Rgb(30, 64, 50), leaf2 = Rgb(46, 90, 58),
               leaf3 = Rgb(72, 120, 66), leaf4 = Rgb(112, 152, 80);
// the hero
constexpr rgba skin0 = Rgb(186, 124, 98), skin1 = Rgb(232, 178, 142), hair0 = Rgb(70, 42, 34),
               hair1 = Rgb(112, 68, 44), cloak0 = Rgb(92, 34, 48), cloak1 = Rgb(138, 52, 60),
               cloak2 = Rgb(178, 78, 72), tunic0 = Rgb(54, 70, 96), tunic1 = Rgb(78, 100, 128),
               boot = Rgb(50, 36, 34), eye = Rgb(28, 24, 34);
// fire and light
constexpr rgba fire0 = Rgb(170, 48, 30), fire1 = Rgb(232, 104, 40), fire2 = Rgb(255, 170, 64),
               fire3 = Rgb(255, 226, 130), fire4 = Rgb(255, 250, 214), ember = Rgb(255, 120, 60),
               glowBlue = Rgb(190, 226, 255), firefly = Rgb(214, 255, 140);
// title
constexpr rgba gold0 = Rgb(150, 92, 40), gold1 = Rgb(214, 150, 60), gold2 = Rgb(250, 208, 110),
               gold3 = Rgb(255, 244, 196), ink = Rgb(24, 20, 38), inkSoft = Rgb(24, 20, 38, 150),
               moonText = Rgb(200, 214, 240);
// flowers
constexpr rgba petalBlue = Rgb(130, 150, 230), petalWhite = Rgb(226, 226, 240), petalPink = Rgb(222, 130, 170);
}  // namespace pal
