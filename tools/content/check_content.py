#!/usr/bin/env python3
"""Runs make_content into a scratch folder and checks its output.

usage: check_content.py <make_content> <committed game folder> <scratch folder>

Checks that every PNG decodes, that the committed textures are byte for byte
what the generator makes (so the committed pictures can always be regenerated),
that sprite sheets divide into their rows and columns, and that the level names
only textures that exist.
"""
import json
import os
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

    level = json.load(open(os.path.join(scratch, "levels", "veltrane_splash.json")))
    if set(level) != {"tile_map", "entities", "graphics"}:
        errors.append(f"level members: {sorted(level)}")
    tile_map = level["tile_map"]
    for name in tile_map["tile_textures"]:
        if name not in sizes:
            errors.append(f"tile texture {name} missing")
    cells = tile_map["tiles"].split()
    if len(cells) != tile_map["width"] * tile_map["height"]:
        errors.append("tile count does not match width x height")
    for entity in level["entities"]:
        for comp in entity["components"]:
            if comp["__component_name"] != "Sprite":
                continue
            tex = comp["texture"]
            if tex not in sizes:
                errors.append(f"{entity['name']}: texture {tex} missing")
                continue
            w, h = sizes[tex]
            if w % comp["columns"] or h % comp["rows"] or comp["frames"] > comp["columns"] * comp["rows"]:
                errors.append(f"{entity['name']}: {tex} ({w}x{h}) does not split into its frames")
    for e in errors:
        print("error:", e)
    print(f"checked {len(made)} textures and {len(level['entities'])} entities")
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
