# The renderer's output pinned: each scene, shown in turn in one run, must come
# out as its picture <scene>.png here, within 1 per channel (float order may
# differ between drawing paths). The scenes (levels/, camera at the origin,
# world x about -240..240 and y -135..135, +y down):
#   sprites       lit and unlit sprites overlapping at equal and other z, a y
#                 offset, tints, normal and shine maps, animated sheets that
#                 stop on a known frame, a crowd of 400 mixed in depth
#   free          lit sprites that keep their sub-pixel place among clamped and
#                 unlit ones, with the camera between whole pixels
#   free_only     the same without unlit sprites (the window gets none of the
#                 scene's depth), and a clamped sprite at a free one's very
#                 depth (the scene keeps the tie)
#   shadows       three lights whose casters' shadows overlap, one light inside a caster
#   shadow_limit  40 lights each over a caster: only the first 32 throw shadows
#   depth_range   z from -5 to 50, lit, unlit and free: all drawn, larger z in front
#   free_ambient  the free scene without its lights, lit by a brighter, warmer
#                 ambient light alone (made from free.json below)
# QM_RECORD_PICTURES=1 records the pictures instead (only when a change is meant).
source "$QM_LIB"
qm_content
cp "$QM_GAME/levels/sprites.json" "$QM_GAME/levels/veltrane_splash.json"
python3 - "$QM_GAME/levels" <<'END'
import json, sys
level = json.load(open(f"{sys.argv[1]}/free.json"))
level["entities"] = [e for e in level["entities"]
                     if all(c["__component_name"] != "PointLight" for c in e.get("components", []))]
level["graphics"].update(global_ambient={"x": 0.9, "y": 0.8, "z": 0.7}, global_ambient_intensity=0.8)
json.dump(level, open(f"{sys.argv[1]}/free_ambient.json", "w"))
END
qm_ready
n=0
for scene in sprites free free_only shadows shadow_limit depth_range free_ambient; do
    if [ "$scene" != sprites ]; then
        n=$(qm_lines)
        qm_key F4
        qm_wait_line "probe: scene $scene" 5 "$n"
    fi
    qm_wait_line "probe: settled" 20 "$n"
    qm_frame
    qm_screenshot "$QM_WORK/$scene.png"
    if [ "${QM_RECORD_PICTURES:-0}" = 1 ]; then
        cp "$QM_WORK/$scene.png" "$QM_TEST_DIR/$scene.png"
    else
        qm_check compare.py "$QM_WORK/$scene.png" "$QM_TEST_DIR/$scene.png"
    fi
done
