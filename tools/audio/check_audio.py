#!/usr/bin/env python3
"""Runs make_audio into a scratch folder and checks the game's audio.

usage: check_audio.py <make_audio> <committed game folder> <scratch folder>

- The committed audio is what the generator makes: every file byte for byte.
  Ogg files may differ only where another Vorbis encoder build made other
  bytes from the same sound; then the manifest's fingerprint of the
  synthesised samples must match and the file must decode to the same length.
- Every sound file decodes, has the length and channels the manifest says, and
  never reaches full scale (no clipping).
- bankFiles.txt and stringFiles.txt list existing banks, one per line, the
  last line ended by a line break.
- Every bank is valid JSON with bank:/, bus:/ and event:/ paths; every event
  names an existing sound file; the banks give the buses bus:/, bus:/Music and
  bus:/SFX; ambience (event:/Ambience/...) is mono, so it can be placed.
- Every cue of Audio/SoundStorage.json names an event of a listed bank; cue
  names are unique; the interface cues Button_Hover and Button_Select exist.
"""
import json
import os
import shutil
import subprocess
import sys

SOUND_EXTENSIONS = (".ogg", ".wav")


def sound_files(audio_dir):
    found = []
    for root, _, names in os.walk(audio_dir):
        for name in names:
            if name.endswith(SOUND_EXTENSIONS):
                found.append(os.path.relpath(os.path.join(root, name), audio_dir))
    return sorted(found)


def read_manifest(path):
    """file -> (channels, frames, hash)"""
    entries = {}
    for line in open(path, encoding="utf-8").read().splitlines():
        name, channels, frames, digest = line.split()
        entries[name] = (int(channels), int(frames), digest)
    return entries


def decode(tool, path):
    """(channels, rate, frames, peak, hash) of a sound file, or raises with the decoder's words."""
    result = subprocess.run([tool, "--decode", path], capture_output=True, text=True)
    if result.returncode != 0:
        raise ValueError(result.stderr.strip())
    channels, rate, frames, peak, digest = result.stdout.split()
    return int(channels), int(rate), int(frames), float(peak), digest


def read_list(path, errors):
    """Bank file names of a list file; a last line without a line break is an error (it would not load)."""
    if not os.path.exists(path):
        errors.append(f"{path} missing")
        return []
    text = open(path, encoding="utf-8").read()
    if not text.endswith("\n"):
        errors.append(f"{os.path.basename(path)}: the last line must end with a line break")
    names = text.split("\n")[:-1] if text.endswith("\n") else text.split("\n")
    for name in names:
        if not name or name != name.strip():
            errors.append(f"{os.path.basename(path)}: bad line {name!r}")
    return names


def check_generated(tool, committed, scratch, errors):
    notes = []
    fresh_manifest = read_manifest(os.path.join(scratch, "audio", "manifest.txt"))
    committed_manifest_path = os.path.join(committed, "audio", "manifest.txt")
    committed_manifest = read_manifest(committed_manifest_path) if os.path.exists(committed_manifest_path) else {}
    made = []
    for sub in ("audio", "Audio"):
        for root, _, names in os.walk(os.path.join(scratch, sub)):
            made += [os.path.relpath(os.path.join(root, n), scratch) for n in names]
    for rel in sorted(made):
        mine = open(os.path.join(scratch, rel), "rb").read()
        theirs_path = os.path.join(committed, rel)
        if not os.path.exists(theirs_path):
            errors.append(f"game/{rel} missing (regenerate and commit)")
            continue
        if open(theirs_path, "rb").read() == mine:
            continue
        name = os.path.relpath(rel, "audio")
        if rel.endswith(".ogg") and committed_manifest.get(name) == fresh_manifest.get(name):
            # Same synthesised sound; only the encoder's bytes differ.
            c = decode(tool, theirs_path)
            if (c[0], c[2]) == fresh_manifest[name][:2]:
                notes.append(f"note: game/{rel}: other encoder bytes, same sound")
                continue
        errors.append(f"game/{rel} differs from the generator's output (regenerate and commit)")
    for rel in sound_files(os.path.join(committed, "audio")):
        if rel not in fresh_manifest:
            errors.append(f"game/audio/{rel} is not made by the generator (remove it)")
    for name, (channels, frames, _) in sorted(fresh_manifest.items()):
        path = os.path.join(committed, "audio", name)
        if not os.path.exists(path):
            continue
        try:
            c, rate, f, peak, _ = decode(tool, path)
        except ValueError as e:
            errors.append(f"game/audio/{name} does not decode: {e}")
            continue
        if (c, f) != (channels, frames) or rate != 44100:
            errors.append(f"game/audio/{name}: {c} channels, {f} frames at {rate} Hz; "
                          f"expected {channels}, {frames} at 44100")
        if peak >= 0.999:
            errors.append(f"game/audio/{name} clips (peak {peak})")
    return notes


def check_banks(tool, game, errors):
    audio = os.path.join(game, "audio")
    banks = read_list(os.path.join(audio, "bankFiles.txt"), errors)
    strings = read_list(os.path.join(audio, "stringFiles.txt"), errors)
    events, buses = {}, set()
    for name in banks + strings:
        path = os.path.join(audio, name)
        try:
            bank = json.load(open(path, encoding="utf-8"))
        except (OSError, ValueError) as e:
            errors.append(f"bank {name}: {e}")
            continue
        if not str(bank.get("path", "")).startswith("bank:/"):
            errors.append(f"bank {name}: path must begin bank:/")
        for bus in bank.get("buses", []):
            if not bus.startswith("bus:/"):
                errors.append(f"bank {name}: bus {bus!r} must begin bus:/")
            if name in banks:
                buses.add(bus)
        for event in bank.get("events", []):
            path_ = event.get("path", "")
            if not path_.startswith("event:/") or len(path_) < 8:
                errors.append(f"bank {name}: bad event path {path_!r}")
            if path_ in events:
                errors.append(f"bank {name}: event {path_} defined twice")
            if name in strings:
                errors.append(f"strings bank {name} holds event {path_}")
            sound = os.path.join(audio, event.get("file", ""))
            if not os.path.isfile(sound):
                errors.append(f"bank {name}: {path_} names missing file {event.get('file')!r}")
            elif path_.startswith("event:/Ambience/") and decode(tool, sound)[0] != 1:
                errors.append(f"bank {name}: {path_} is placed in the world but {event['file']} is not mono")
            events[path_] = event
    for bus in ("bus:/", "bus:/Music", "bus:/SFX"):
        if bus not in buses:
            errors.append(f"no listed bank gives the bus {bus}")
    for event in events.values():
        if event.get("bus") not in buses:
            errors.append(f"{event.get('path')}: bus {event.get('bus')!r} is not in a listed bank")
    return events


def check_cues(game, events, errors):
    sounds = json.load(open(os.path.join(game, "Audio", "SoundStorage.json"), encoding="utf-8"))["Sounds"]
    count = sounds["Cue Number"]
    names = []
    for i in range(count):
        name, event, volume = sounds.get(f"Sound{i}"), sounds.get(f"Evt{i}"), sounds.get(f"Vol{i}")
        if not isinstance(name, str) or not isinstance(event, str) or not isinstance(volume, (int, float)):
            errors.append(f"cue {i}: Sound{i}, Evt{i} and Vol{i} must be a name, a path and a number")
            continue
        if event not in events:
            errors.append(f"cue {name}: event {event} is in no listed bank")
        if not 0.0 <= volume <= 1.0:
            errors.append(f"cue {name}: volume {volume} outside 0..1")
        names.append(name)
    if len(set(names)) != len(names):
        errors.append("cue names repeat")
    for required in ("Button_Hover", "Button_Select"):
        if required not in names:
            errors.append(f"cue {required} missing (the engine plays it by name)")
    return len(names)


def main():
    tool, committed, scratch = sys.argv[1:4]
    shutil.rmtree(scratch, ignore_errors=True)
    subprocess.run([tool, scratch], check=True, stdout=subprocess.DEVNULL)
    errors = []
    notes = check_generated(tool, committed, scratch, errors)
    events = check_banks(tool, committed, errors)
    cues = check_cues(committed, events, errors)
    for n in notes:
        print(n)
    for e in errors:
        print("error:", e)
    print(f"checked {len(sound_files(os.path.join(committed, 'audio')))} sound files, {len(events)} events, {cues} cues")
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
