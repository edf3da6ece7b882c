#!/usr/bin/env python3
"""Checks that every sound cue the game names exists in the cue table.

usage: check_cue_names.py <game folder>

The names come from the levels (each SoundEmitter's "Sound Emitter Cue" and
each LevelMusic's "cue") and from the scripts (lb.sounds_play / lb.sounds_stop
with a literal name). A SoundEmitter's cue must also be a mono sound, since
the emitter places it in the world.
"""
import glob
import json
import os
import re
import sys


def main():
    game = sys.argv[1]
    sounds = json.load(open(os.path.join(game, "Audio", "SoundStorage.json"), encoding="utf-8"))["Sounds"]
    cue_events = {sounds[f"Sound{i}"]: sounds[f"Evt{i}"] for i in range(sounds["Cue Number"])}
    events = {}
    for name in open(os.path.join(game, "audio", "bankFiles.txt"), encoding="utf-8").read().split():
        for event in json.load(open(os.path.join(game, "audio", name), encoding="utf-8")).get("events", []):
            events[event["path"]] = event
    errors, named = [], 0

    for level in sorted(glob.glob(os.path.join(game, "levels", "*.json"))):
        level_name = os.path.basename(level)
        for entity in json.load(open(level, encoding="utf-8"))["entities"]:
            for comp in entity.get("components", []):
                kind = comp.get("__component_name")
                if kind == "SoundEmitter":
                    cue = comp.get("Sound Emitter Cue", "")
                elif kind == "LevelMusic":
                    cue = comp.get("cue", "")
                else:
                    continue
                named += 1
                where = f"{level_name}: {entity.get('name')}: {kind}"
                if cue not in cue_events:
                    errors.append(f"{where} names cue {cue!r}, which is not in the cue table")
                    continue
                event = events.get(cue_events[cue])
                if kind == "SoundEmitter" and event is not None and not event["path"].startswith("event:/Ambience/"):
                    errors.append(f"{where}: cue {cue} is not ambience (only mono ambience can be placed)")

    call = re.compile(r'sounds_(?:play|stop)\(\s*"([^"]*)"\s*\)')
    for script in sorted(glob.glob(os.path.join(game, "lua", "**", "*.lua"), recursive=True)):
        for cue in call.findall(open(script, encoding="utf-8").read()):
            named += 1
            if cue not in cue_events:
                errors.append(f"{os.path.relpath(script, game)} plays cue {cue!r}, which is not in the cue table")

    for e in errors:
        print("error:", e)
    print(f"checked {named} cue names")
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
