# check.py picture <screenshot>: the crate (8x8 at world (60, 20), camera at
# the origin, scale 4) shows the fallback "debug" picture, magenta.
# check.py level <file>: the written level holds the crate with its sprite
# naming the chosen texture and the added rigid body with the typed restitution.
import json
import os
import sys

sys.path.insert(0, os.environ["QM_TOOLS"].rsplit("/", 1)[0])
import qm_image  # noqa: E402


def picture(path):
    image = qm_image.load(path)
    box = image.box_of(qm_image.near((255, 0, 255)))
    expected = (1184, 620, 1215, 651)
    if box is None or any(abs(a - b) > 8 for a, b in zip(box, expected)):
        sys.exit(f"magenta fallback picture at {box}, expected {expected}")
    if image.box_of(qm_image.near((32, 64, 255))) is not None:
        sys.exit("the crate's own picture is still shown")


def level(path):
    entities = json.load(open(path))["entities"]
    if [e["name"] for e in entities] != ["crate"]:
        sys.exit(f"entities: {entities}")
    components = entities[0]["components"]
    names = [c["__component_name"] for c in components]
    if names != ["Sprite", "RigidBody"]:
        sys.exit(f"components in the order {names}, expected Sprite then RigidBody")
    sprite, body = components
    if sprite["texture"] != "gone":
        sys.exit(f"sprite texture {sprite['texture']!r}, expected the name chosen, 'gone'")
    if (body["vel_x"], body["vel_y"], body["restitution"]) != (0, 0, 0.25):
        sys.exit(f"rigid body {body}")


{"picture": picture, "level": level}[sys.argv[1]](sys.argv[2])
print(sys.argv[1], "as expected")
