"""Levels of the render_* picture tests.

  python3 scenes.py NAME LEVEL.json TEXTURES_DIR

writes the level NAME as LEVEL.json and the textures it uses into
TEXTURES_DIR. The camera starts at (0, 0); on the harness's 1920 x 1080 screen
the 498 x 280 scene is scaled by 4, so world x runs about -240..240 and world y
-135..135 (+y down). Animated sheets do not loop and end on a known frame well
before the screenshot, so every picture is the same from run to run.
"""
import json
import os
import struct
import sys
import zlib

PALETTE = ["e04040", "40c040", "4060e0", "e0c040", "c040c0", "40c0c0", "f08020", "a0a0a0"]


def rgba(hex_text):
    """RRGGBB (opaque) or RRGGBBAA."""
    return tuple(int(hex_text[i:i + 2], 16) for i in range(0, len(hex_text), 2)) + ((255,) if len(hex_text) == 6 else ())


def png(folder, name, width, height, fill, *rects):
    rows = [[rgba(fill)] * width for _ in range(height)]
    for x0, y0, x1, y1, c in rects:
        for y in range(y0, y1):
            for x in range(x0, x1):
                rows[y][x] = rgba(c)
    raw = b"".join(b"\x00" + b"".join(bytes(p) for p in row) for row in rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    with open(os.path.join(folder, name + ".png"), "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw)) +
                chunk(b"IEND", b""))


def entity(name, x, y, components, z=0.0):
    return {"name": name, "pos": {"x": x, "y": y, "z": z}, "components": components}


def sprite(texture, environmental=True, clamped=True, tint=None, y_offset=0.0, frames=1, rows=1, columns=1,
           frame_time=1.0, looping=True):
    s = {"__component_name": "Sprite", "texture": texture, "environmental": environmental, "clamped": clamped,
         "y_offset": y_offset, "looping": looping, "frame_time": frame_time, "frames": frames, "rows": rows,
         "columns": columns}
    if tint:
        s["tint"] = {"x": tint[0], "y": tint[1], "z": tint[2], "w": tint[3]}
    return s


def sheet(texture, frames, rows, columns, **kw):
    # Runs once through quickly and stops on its last frame.
    return sprite(texture, frames=frames, rows=rows, columns=columns, frame_time=0.05, looping=False, **kw)


def point_light(radius, color=(1, 1, 1), ambient=0.2, diffuse=1.0, attenuation=(0.3, 0, 6)):
    return {"__component_name": "PointLight", "offset": {"x": 0, "y": 0},
            "color": {"x": color[0], "y": color[1], "z": color[2]}, "ambient_intensity": ambient,
            "diffuse_intensity": diffuse, "max_radius": radius,
            "attenuation": {"x": attenuation[0], "y": attenuation[1], "z": attenuation[2]}}


def moon_light(intensity, inner):
    return {"__component_name": "MoonLight", "offset": {"x": 0, "y": 0}, "intensity": intensity,
            "inner_radius": inner}


def caster(width, height):
    return {"__component_name": "ShadowCaster", "offset": {"x": 0, "y": 0}, "width": width, "height": height}


def tile_map(columns, rows, size, textures, pattern):
    tiles = " ".join(str(pattern(x, y)) for x in range(columns) for y in range(rows)) + " "
    return {"width": columns, "height": rows, "tile_width": size, "tile_height": size, "tile_textures": textures,
            "tiles": tiles}


def graphics(ambient=0.25):
    return {"moonlight_color": {"x": 0.6, "y": 0.7, "z": 1}, "moonlight_fade_dist": 100,
            "moonlight_fade_exponent": 15, "global_ambient": {"x": 1, "y": 1, "z": 1},
            "global_ambient_intensity": ambient, "attenuation_zero": 0.001}


class Rng:
    """A small fixed generator, so a scene never depends on Python's."""

    def __init__(self, seed):
        self.state = seed

    def next(self):
        self.state = (self.state * 1103515245 + 12345) % (1 << 31)
        return self.state / float(1 << 31)

    def between(self, lo, hi):
        return lo + (hi - lo) * self.next()


def common_textures(folder):
    # Eight plain 16 x 16 pictures with a dark corner (so mirroring shows), two
    # with clear parts, a normal-mapped one, and animated sheets.
    for i, c in enumerate(PALETTE):
        png(folder, f"t{i}", 16, 16, c, (0, 0, 4, 4, "202020"))
    png(folder, "ring", 16, 16, "ffffff", (4, 4, 12, 12, "00000000"))
    png(folder, "odd", 9, 7, "80e0ff", (0, 0, 3, 3, "ff2060"))
    png(folder, "bump", 16, 16, "c0a080")
    png(folder, "bump_nm", 16, 16, "8080ff", (0, 0, 8, 16, "ff80c0"), (8, 0, 16, 16, "0080c0"))
    png(folder, "bump_sm", 16, 16, "000000", (6, 6, 10, 10, "ffffff"))
    # 4 frames in a row of 8 x 8 cells, each its own colour.
    png(folder, "strip4", 32, 8, PALETTE[0], (8, 0, 16, 8, PALETTE[1]), (16, 0, 24, 8, PALETTE[2]),
        (24, 0, 32, 8, PALETTE[3]))
    # 2 x 2 grid of 8 x 8 cells; grid row 0 is the bottom strip of the image.
    png(folder, "grid4", 16, 16, PALETTE[4], (8, 0, 16, 8, PALETTE[5]), (0, 8, 8, 16, PALETTE[6]),
        (8, 8, 16, 16, PALETTE[7]))
    png(folder, "tile_a", 16, 16, "607040", (0, 0, 8, 8, "506030"))
    png(folder, "tile_b", 16, 16, "706050")


def scene_sprites(folder):
    """Lit and unlit sprites overlapping at equal and different z, tints,
    animated sheets, unlit over and behind lit, and a crowd of eight textures
    and sheets interleaved in depth."""
    common_textures(folder)
    ents = [
        entity("light a", -120, -60, [point_light(220)]),
        entity("light b", 110, 50, [point_light(200, color=(1, 0.8, 0.6))]),
        entity("moon", 0, 0, [moon_light(0.3, 60)]),
    ]
    # Equal z: the one higher on the screen wins the shared pixels (lit), and
    # a y offset changes that.
    ents += [entity("eq a", -200, -100, [sprite("t0")]), entity("eq b", -196, -96, [sprite("t1")]),
             entity("eq c", -170, -100, [sprite("t2")]),
             entity("eq d", -166, -96, [sprite("t3", y_offset=-10)])]
    # Different z: the larger z is in front whatever y says.
    ents += [entity("z back", -130, -90, [sprite("t4")], z=-0.3), entity("z front", -126, -100, [sprite("t5")], z=0.4)]
    # Tints, lit.
    ents += [entity("tint lit", -90, -100, [sprite("t7", tint=(1, 0.4, 0.4, 1))]),
             entity("tint half", -70, -100, [sprite("t7", tint=(0.4, 1, 0.4, 0.6))])]
    # Normal and shine maps.
    ents += [entity("bump", -40, -100, [sprite("bump")]), entity("bump 2", -22, -100, [sprite("bump")])]
    # Animated sheets, lit and unlit, row and grid.
    ents += [entity("sheet row", 10, -100, [sheet("strip4", 4, 1, 4)]),
             entity("sheet grid", 30, -100, [sheet("grid4", 3, 2, 2)]),
             entity("sheet unlit", 50, -100, [sheet("strip4", 3, 1, 4, environmental=False)], z=0.2),
             entity("sheet still", 70, -100, [sprite("grid4", frames=4, rows=2, columns=2, frame_time=0.0)])]
    # Unlit over lit, unlit behind lit, unlit over unlit at equal z, unlit tints.
    ents += [entity("lit under", 100, -100, [sprite("t6")]),
             entity("unlit over", 104, -96, [sprite("t1", environmental=False)], z=0.5),
             entity("unlit behind", 130, -96, [sprite("t2", environmental=False)], z=-0.5),
             entity("lit over", 126, -100, [sprite("t3")]),
             entity("unlit eq a", 160, -100, [sprite("t4", environmental=False)]),
             entity("unlit eq b", 164, -96, [sprite("t5", environmental=False)]),
             entity("unlit tint", 190, -100, [sprite("ring", environmental=False, tint=(1, 1, 0.3, 0.5))], z=0.1),
             entity("lit ring", 192, -98, [sprite("ring")]),
             entity("odd", 215.7, -99.2, [sprite("odd")])]
    # The crowd: eight textures and two sheets, mixed in z and y.
    rng = Rng(5)
    for i in range(400):
        x, y = rng.between(-230, 230), rng.between(-70, 120)
        z = [0.0, 0.1, -0.1, 0.0][i % 4]
        k = i % 10
        if k < 8:
            comp = sprite(f"t{k}", environmental=(i % 7 != 0))
        elif k == 8:
            comp = sheet("strip4", 2 + i % 3, 1, 4)
        else:
            comp = sheet("grid4", 2 + i % 3, 2, 2, environmental=(i % 3 != 0))
        ents.append(entity(f"crowd {i}", round(x, 2), round(y, 2), [comp], z=z))
    return {"tile_map": tile_map(34, 20, 16, ["tile_a", "tile_b"], lambda x, y: 1 + (x + y) % 2),
            "entities": ents, "graphics": graphics()}


def scene_free(folder):
    """Lit sprites that keep their sub-pixel position (not clamped) at
    fractional places, overlapping each other, clamped sprites and unlit ones;
    the camera itself sits between whole pixels (see free_camera.lua)."""
    common_textures(folder)
    ents = [entity("light", -40, -30, [point_light(260)]),
            entity("light 2", 120, 60, [point_light(180, color=(0.7, 0.8, 1))]),
            entity("caster", 0, 0, [caster(14, 6)])]
    xs = [-180.25, -171.5, -160.75, -150.1, -140.9]
    for i, x in enumerate(xs):
        ents.append(entity(f"free {i}", x, -60.3 + 1.7 * i, [sprite(f"t{i}", clamped=False)]))
    ents += [entity("free tint", -100.33, -40.66, [sprite("t6", clamped=False, tint=(1, 0.5, 0.2, 1))]),
             entity("free sheet", -70.5, -40.25, [sheet("grid4", 3, 2, 2, clamped=False)]),
             entity("free over clamped", -40.4, -40.4, [sprite("t1", clamped=False)], z=0.2),
             entity("clamped under", -36, -36, [sprite("t2")]),
             entity("free behind clamped", -10.6, -36.6, [sprite("t3", clamped=False)], z=-0.2),
             entity("clamped over", -14, -40, [sprite("t4")]),
             entity("unlit over free", 20.2, -40.2, [sprite("ring", environmental=False)], z=0.5),
             entity("free under unlit", 22.5, -38.5, [sprite("t5", clamped=False)]),
             entity("free odd", 60.37, -40.61, [sprite("odd", clamped=False)]),
             entity("free bump", 90.5, -40.5, [sprite("bump", clamped=False)])]
    rng = Rng(9)
    for i in range(30):
        ents.append(entity(f"free crowd {i}", round(rng.between(-200, 200), 3), round(rng.between(0, 100), 3),
                           [sprite(f"t{i % 8}", clamped=(i % 3 == 0))], z=[0.0, 0.1][i % 2]))
    return {"tile_map": tile_map(34, 20, 16, ["tile_a", "tile_b"], lambda x, y: 1 + (x * 3 + y) % 2),
            "entities": ents, "graphics": graphics(0.3)}


def scene_shadows(folder):
    """Three lights whose shadows from several casters overlap on the tile map
    and on sprites; one light stands inside a caster's box."""
    common_textures(folder)
    ents = [entity("light a", -60, -40, [point_light(240)]),
            entity("light b", 60, -40, [point_light(240, color=(1, 0.6, 0.4))]),
            entity("light c", 0, 60, [point_light(200, color=(0.5, 0.7, 1))]),
            entity("light in box", 150, 0, [point_light(120, color=(0.8, 1, 0.6))]),
            entity("box", 152, 1, [caster(20, 10)])]
    for i, (x, y, w, h) in enumerate([(0, -20, 16, 8), (-20, 10, 10, 10), (25, 15, 24, 6), (-90, 20, 12, 12),
                                      (90, 25, 8, 16), (0, 100, 30, 8)]):
        ents.append(entity(f"caster {i}", x, y, [caster(w, h)]))
    for i, x in enumerate(range(-200, 201, 40)):
        ents.append(entity(f"post {i}", x, 80, [sprite(f"t{i % 8}")]))
    return {"tile_map": tile_map(34, 20, 16, ["tile_b"], lambda x, y: 1), "entities": ents,
            "graphics": graphics(0.1)}


def scene_shadow_limit(folder):
    """Forty point lights in view, each with a caster just below it: only the
    first 32 in the level's order throw shadows."""
    common_textures(folder)
    ents = []
    for i in range(40):
        x, y = -210 + (i % 10) * 46, -110 + (i // 10) * 62
        ents.append(entity(f"light {i}", x, y, [point_light(40, attenuation=(1, 0, 40))]))
        ents.append(entity(f"caster {i}", x, y + 12, [caster(8, 4)]))
    return {"tile_map": tile_map(34, 20, 16, ["tile_b"], lambda x, y: 1), "entities": ents,
            "graphics": graphics(0.05)}


def scene_depth_range(folder):
    """Sprites at z -5, 0.5, 1, 3 and 50, lit and unlit, above, at and below
    the camera's y: all drawn, the larger z in front."""
    common_textures(folder)
    ents = [entity("light", 230, 120, [point_light(300, ambient=0.6)])]
    zs = [-5, 0.5, 1, 3, 50]
    for row, y in enumerate([-110, -8, 90]):
        for i, z in enumerate(zs):
            # Lit, overlapping each other diagonally, larger z drawn on top.
            ents.append(entity(f"lit {row} {i}", -200 + 8 * i, y + 4 * i, [sprite(f"t{i}")], z=z))
            # Unlit, the same.
            ents.append(entity(f"unlit {row} {i}", -100 + 8 * i, y + 4 * i, [sprite(f"t{i}", environmental=False)],
                               z=z))
            # Free, the same.
            ents.append(entity(f"free {row} {i}", 0.5 + 8 * i, y + 0.5 + 4 * i, [sprite(f"t{i}", clamped=False)],
                               z=z))
        # Unlit and lit interleaved: each unlit sprite between two lit ones in z.
        for i, z in enumerate(zs):
            ents.append(entity(f"mix lit {row} {i}", 100 + 10 * i, y, [sprite("t7")], z=z))
            ents.append(entity(f"mix unlit {row} {i}", 104 + 10 * i, y + 4, [sprite(f"t{i}", environmental=False)],
                               z=z + 0.25))
    # No tile map: it lies at the depth of z -0.999 and would hide the unlit
    # sprites behind it.
    return {"tile_map": tile_map(1, 1, 16, [], lambda x, y: 0), "entities": ents, "graphics": graphics(0.5)}


def scene_free_only(folder):
    """The free scene without its unlit sprites: the window gets the scene's
    depth only around the free sprites."""
    level = scene_free(folder)
    level["entities"] = [e for e in level["entities"]
                         if all(c.get("environmental", True) for c in e["components"])]
    return level


SCENES = {"sprites": scene_sprites, "free": scene_free, "free_only": scene_free_only, "shadows": scene_shadows,
          "shadow_limit": scene_shadow_limit, "depth_range": scene_depth_range}

if __name__ == "__main__":
    name, level_path, textures = sys.argv[1:4]
    os.makedirs(textures, exist_ok=True)
    with open(level_path, "w") as f:
        json.dump(SCENES[name](textures), f, indent=1)
