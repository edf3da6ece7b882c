# The level written when leaving the editor: alpha back where it was (its drag
# was undone), beta moved and copied, gamma deleted, the rest untouched, each
# probe still labelled.
import json
import sys

level = json.load(open(sys.argv[1]))
found = []
for e in level["entities"]:
    labels = [c.get("label") for c in e["components"] if c["__component_name"] == "Probe"]
    sprites = [c for c in e["components"] if c["__component_name"] == "Sprite"]
    if len(labels) != 1 or len(sprites) != 1:
        sys.exit(f"components lost on {e['name']}: {e['components']}")
    found.append((e["name"], labels[0], round(e["pos"]["x"]), round(e["pos"]["y"])))
expected = [("alpha", "alpha", 40, 0), ("beta", "beta", 90, -30), ("delta", "delta", 80, 40),
            ("epsilon", "epsilon", 120, 0), ("zeta", "zeta", 120, 40), ("beta", "beta", 90, -30)]
if found != expected:
    sys.exit(f"entities written: {found}\nexpected: {expected}")
print("the level on disk holds the edits")
