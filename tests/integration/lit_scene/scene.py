"""The lit_scene level, shared by the level writer (run.sh) and the checks.

Camera at (0, 0) on the harness's 1920x1080 screen: the 498 x 280 scene is
scaled by 4 and world (x, y) lands at window (960 + 4x, 540 + 4y).
"""
import json

SCALE = 4
AMBIENT = 0.15

# Light A lights a long grey strip from its left end.
LIGHT_A = (-180, 44)
STRIP_A = (-100, 40, 160, 8)  # centre x, top y, width, height
# Light B shines down past a caster onto a second strip.
LIGHT_B = (100, -40)
CASTER = (100, 0, 12, 6)      # centre x, centre y, width, height
STRIP_B = (100, 40, 120, 8)
# Light C lights the markers.
LIGHT_C = (20, -100)
MARKER_LIT = (60, -80)        # environmental, clamped (8 x 8)
MARKER_FREE = (-20, -80)      # environmental, not clamped
MARKER_UNLIT = (-60, -80)     # drawn over the composed scene
TILES = (40, 24, 16)          # columns, rows, tile size: covers x -320..320, y -192..192
ATTENUATION = {"x": 0.3, "y": 0, "z": 6}


def window(x, y, screen=(1920, 1080)):
    return screen[0] // 2 + SCALE * x, screen[1] // 2 + SCALE * y


def entity(name, x, y, components, z=0):
    return {"name": name, "pos": {"x": x, "y": y, "z": z}, "components": components}


def sprite(texture, environmental=True, clamped=True):
    return {"__component_name": "Sprite", "texture": texture, "environmental": environmental, "clamped": clamped,
            "frame_time": 1, "frames": 1, "rows": 1, "columns": 1}


def light(radius):
    return {"__component_name": "PointLight", "offset": {"x": 0, "y": 0}, "color": {"x": 1, "y": 1, "z": 1},
            "ambient_intensity": 0.2, "diffuse_intensity": 1.0, "max_radius": radius, "attenuation": ATTENUATION}


def level():
    cols, rows, size = TILES
    ents = [
        entity("light a", *LIGHT_A, [light(150)]),
        entity("light b", *LIGHT_B, [light(200)]),
        entity("light c", *LIGHT_C, [light(100)]),
        entity("caster", CASTER[0], CASTER[1],
               [{"__component_name": "ShadowCaster", "offset": {"x": 0, "y": 0}, "width": CASTER[2],
                 "height": CASTER[3]}]),
        entity("strip a", STRIP_A[0], STRIP_A[1], [sprite("strip_a")]),
        entity("strip b", STRIP_B[0], STRIP_B[1], [sprite("strip_b")]),
        entity("marker lit", *MARKER_LIT, [sprite("marker")]),
        entity("marker free", *MARKER_FREE, [sprite("marker", clamped=False)]),
        entity("marker unlit", *MARKER_UNLIT, [sprite("marker", environmental=False)], z=0.5),
    ]
    return {
        "tile_map": {"width": cols, "height": rows, "tile_width": size, "tile_height": size,
                     "tile_textures": ["tile"], "tiles": "1 " * (cols * rows)},
        "entities": ents,
        "graphics": {"moonlight_color": {"x": 1, "y": 1, "z": 1}, "moonlight_fade_dist": 100,
                     "moonlight_fade_exponent": 15, "global_ambient": {"x": 1, "y": 1, "z": 1},
                     "global_ambient_intensity": AMBIENT, "attenuation_zero": 0.001},
    }


if __name__ == "__main__":
    import sys
    with open(sys.argv[1], "w") as f:
        json.dump(level(), f, indent=1)
