#!/usr/bin/env python3
"""Runs make_content into a scratch folder and checks its output.

usage: check_content.py <make_content> <committed game folder> <scratch folder>

Checks that every PNG decodes, that the committed textures are byte for byte
what the generator makes (so the committed pictures can always be regenerated),
that sprite sheets divide into their rows and columns, and for every level
(all generated, and committed exactly as generated): that it names only
textures that exist and only component types the engine or the scripts define,
that each of its doors leads to a level that exists, and that the player casts
a shadow but not from his own light. The scripts' own
texture names and the words they write in the pixel font are checked too.
"""
import glob
import json
import os
import re
import shutil
import struct
import subprocess
import sys
import zlib


def decode_png(path):
    """Returns (width, height) after fully inflating the image data; raises on a bad file."""
    data = open(path, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG")
    pos, idat, header = 8, b"", None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if zlib.crc32(kind + body) != struct.unpack(">I", data[pos + 8 + length:pos + 12 + length])[0]:
            raise ValueError("bad CRC in " + kind.decode())
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    width, height, depth, color = header[:4]
    channels = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}[color]
    row_bytes = (width * channels * depth + 7) // 8
    if len(zlib.decompress(idat)) != height * (1 + row_bytes):
        raise ValueError("image data has the wrong size")
    return width, height


# Component types the engine itself provides.
BUILT_IN_COMPONENTS = {"Sprite", "PointLight", "MoonLight", "ShadowCaster", "BoxCollider", "CircleCollider",
                       "Ray", "RigidBody", "SoundEmitter", "SoundSpace", "TileMap"}


def check_level(name, level, sizes, levels, known_types):
    errors = []
    if set(level) != {"tile_map", "entities", "graphics"}:
        errors.append(f"{name}: level members: {sorted(level)}")
    tile_map = level["tile_map"]
    for tex in tile_map["tile_textures"]:
        if tex not in sizes:
            errors.append(f"{name}: tile texture {tex} missing")
    cells = tile_map["tiles"].split()
    if len(cells) != tile_map["width"] * tile_map["height"]:
        errors.append(f"{name}: tile count does not match width x height")
    if any(not 1 <= int(c) <= len(tile_map["tile_textures"]) for c in cells):
        errors.append(f"{name}: a tile names no texture")
    for entity in level["entities"]:
        where = f"{name}: {entity['name']}"
        for comp in entity["components"]:
            kind = comp["__component_name"]
            if kind not in known_types:
                errors.append(f"{where}: unknown component type {kind}")
            if kind == "Door" and comp.get("target") not in levels:
                errors.append(f"{where}: door to {comp.get('target')!r}, which is not a level")
            if kind != "Sprite":
                continue
            tex = comp["texture"]
            if tex not in sizes:
                errors.append(f"{where}: texture {tex} missing")
                continue
            w, h = sizes[tex]
            if w % comp["columns"] or h % comp["rows"] or comp["frames"] > comp["columns"] * comp["rows"]:
                errors.append(f"{where}: {tex} ({w}x{h}) does not split into its frames")
        errors += check_player_shadow(where, entity)
    return errors


def check_player_shadow(where, entity):
    """The hero casts a shadow, but not from the lantern he carries: a light
    inside a caster's box (twice the footprint) throws no shadow of it, so his
    light must stand there, or it would shadow the whole screen from his feet."""
    comps = {c["__component_name"]: c for c in entity["components"]}
    if "Player" not in comps:
        return []
    caster, light = comps.get("ShadowCaster"), comps.get("PointLight")
    if caster is None:
        return [f"{where}: the player casts no shadow"]
    if light is None:
        return []
    dx = light["offset"]["x"] - caster["offset"]["x"]
    dy = light["offset"]["y"] - caster["offset"]["y"]
    if abs(dx) >= caster["width"] or abs(dy) >= caster["height"]:
        return [f"{where}: the player's own light stands outside his shadow caster's box and shadows the world"]
    return []


def check_script_pictures(game, sizes):
    """Textures the scripts name, and every character they write in the pixel font."""
    errors = []
    literal = re.compile(r'"([^"]*)"')
    for script in sorted(glob.glob(os.path.join(game, "lua", "*", "*.lua"))):
        if os.sep + "engine" + os.sep in script:
            continue
        rel = os.path.relpath(script, game)
        for line in open(script):
            code = line.split("--")[0]
            if "sprite_set_texture" in code or "ui.Image" in code or "ui.Panel" in code:
                for tex in literal.findall(code):
                    if re.fullmatch(r"[a-z0-9_]+", tex) and tex not in sizes:
                        errors.append(f"{rel}: texture {tex} missing")
            if re.search(r"ui\.Text|game\.Say|\bentries\b|list\[#list \+ 1\]|return \{", code):
                for text in literal.findall(code):
                    for ch in set(text.upper()) - {" "}:
                        if f"font_{ord(ch):02x}" not in sizes:
                            errors.append(f"{rel}: the pixel font has no {ch!r} (in {text!r})")
    return errors


def main():
    tool, committed, scratch = sys.argv[1:4]
    shutil.rmtree(scratch, ignore_errors=True)
    subprocess.run([tool, scratch], check=True)
    errors = []
    made = sorted(os.listdir(os.path.join(scratch, "textures")))
    sizes = {}
    for name in made:
        try:
            sizes[name[:-4]] = decode_png(os.path.join(scratch, "textures", name))
        except Exception as e:  # noqa: BLE001 - report every broken file
            errors.append(f"{name}: {e}")
        mine = open(os.path.join(scratch, "textures", name), "rb").read()
        theirs_path = os.path.join(committed, "textures", name)
        if not os.path.exists(theirs_path) or open(theirs_path, "rb").read() != mine:
            errors.append(f"game/textures/{name} differs from the generator's output (regenerate and commit)")
    for required in ("debug", "debug_nm", "debug_sm"):
        if required not in sizes:
            errors.append(f"{required}.png missing")

    levels = sorted(n[:-5] for n in os.listdir(os.path.join(scratch, "levels")))
    if "veltrane_splash" not in levels:
        errors.append("the opening level veltrane_splash is not generated")
    script_types = set()
    for script in glob.glob(os.path.join(committed, "lua", "components", "*.lua")):
        script_types.update(re.findall(r'components\.Define\("(\w+)"', open(script).read()))
    known_types = BUILT_IN_COMPONENTS | script_types
    entity_count = 0
    for name in levels:
        path = os.path.join(scratch, "levels", name + ".json")
        mine = open(path, "rb").read()
        theirs_path = os.path.join(committed, "levels", name + ".json")
        if not os.path.exists(theirs_path) or open(theirs_path, "rb").read() != mine:
            errors.append(f"game/levels/{name}.json differs from the generator's output (regenerate and commit)")
        errors += check_level(name, json.loads(mine), sizes, levels, known_types)
        entity_count += len(json.loads(mine)["entities"])
    errors += check_script_pictures(committed, sizes)
    for e in errors:
        print("error:", e)
    print(f"checked {len(made)} textures, {len(levels)} levels and {entity_count} entities")
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
