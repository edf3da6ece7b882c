# The console and the editor's panels, driven as a person would. The grave
# key opens the console; its button writes "Console Log<seconds>.txt" into the
# save folder with every log line. In the editor: the inspector adds a
# RigidBody with a typed restitution and picks a texture whose file went away
# after the list was read (the fallback picture shows, the name is kept); the
# "Tiles" panel paints a stroke and erases one cell; the "Graphics" panel types
# the ambient intensity down to 0 and the lit crate goes dark. Leaving writes
# it all to levels/. Last, loading a broken level from the "load" list keeps
# the editor on its level with one line holding the parser's text, and nothing
# on disk changes.
# Widgets are clicked where they lie in their window with Dear ImGui's default
# style and font (rows 23 pixels apart in the panels).
source "$QM_LIB"
qm_content
qm_png crate 8 8 2040ff
qm_png gone 8 8 00ff00
qm_png tile 16 16 ffff00
level="$QM_GAME/levels/veltrane_splash.json"
qm_ready

before=$(date +%s)
qm_key grave
qm_click_gui Console 40 282    # "Save copy to Documents/Quillmere"
qm_poll 5 eval 'ls "$QM_SAVE"/"Console Log"*.txt' >/dev/null 2>&1 || fail "no console copy: $(ls "$QM_SAVE")"
copy=$(ls "$QM_SAVE"/"Console Log"*.txt | head -n 1)
seconds=$(basename "$copy" .txt)
seconds=${seconds#Console Log}
[ "$seconds" -ge "$before" ] && [ "$seconds" -le $(( $(date +%s) + 1 )) ] || fail "copy named for $seconds, made from $before"
grep -qxF "probe: level loaded" "$copy" || fail "the copy lacks a line: $(cat "$copy")"
grep -F "probe:" "$QM_OUT" | head -n "$(grep -cF "probe:" "$copy")" | cmp -s - <(grep -F "probe:" "$copy") ||
    fail "the copy's lines differ from the game's output"
qm_key grave

qm_editor "probe: probe#2 0 0"
qm_click_gui Editor 25 84     # "crate" in the entity list
qm_click_gui Editor 22 341    # "add"
qm_click_entry 7               # "RigidBody" in "add component", after "Probe" and "Ray"
qm_click_gui Editor 50 368    # the "RigidBody" header (before "Sprite")
qm_click_gui Editor 150 414   # "restitution"
timeout 10 xdotool key ctrl+a type 0.25 || fail "typing"
qm_key Return
qm_click_gui Editor 50 437    # the "Sprite" header
qm_click_gui Editor 60 460    # "select texture": the list of textures/*.png is read now
rm "$QM_GAME/textures/gone.png"
qm_click_entry 5               # "gone"
qm_screenshot "$QM_WORK/crate.png"
qm_check check.py crate "$QM_WORK/crate.png"

qm_click_gui Editor 131 10    # "Tiles" in the menu bar
qm_click_gui Editor 22 398    # brush "tile", below "empty tile"
# A stroke along world y = 5 from x = 60 to x = 135, cells 3 to 8 of row 0, in
# steps shorter than a cell, each seen by a frame.
timeout 10 xdotool mousemove 1200 560 || fail "mousemove"
qm_frame
timeout 10 xdotool mousedown 1 || fail "mousedown"
for x in $(seq 1200 20 1500); do
    timeout 10 xdotool mousemove "$x" 560 || fail "mousemove"
    qm_frame
done
timeout 10 xdotool mouseup 1 || fail "mouseup"
qm_click_gui Editor 30 381    # brush "empty tile"
qm_click 1300 560  # world x = 85: cell 5 is erased
timeout 10 xdotool mousemove 1700 900
qm_frame
qm_screenshot "$QM_WORK/tiles.png"
qm_check check.py tiles "$QM_WORK/tiles.png"

qm_click_gui Editor 193 10    # "Graphics" in the menu bar
qm_screenshot "$QM_WORK/lit.png"
qm_click_gui Editor 170 133   # "global ambient intensity"
timeout 10 xdotool key ctrl+a type 0 || fail "typing"
qm_key Return
timeout 10 xdotool mousemove 1700 900
qm_frame
qm_screenshot "$QM_WORK/dark.png"
qm_check check.py dark "$QM_WORK/lit.png" "$QM_WORK/dark.png"

cp "$level" "$QM_WORK/level.before"
qm_editor
cmp -s "$level" "$QM_WORK/level.before" && fail "leaving the editor did not write the level"
qm_check check.py level "$level"

snapshot() { (cd "$QM_GAME/levels" && sha1sum ./*; cd "$QM_SAVE" && sha1sum ./*) 2>/dev/null; }
qm_editor "probe: probe#2 0 0"
snapshot > "$QM_WORK/before.txt"
qm_click_gui Editor 28 10     # "Level" in the menu bar (the editor keeps the panel last shown)
qm_click_gui Editor 25 59     # "load"
# Its first entry, "a_broken" (the names come sorted).
read -r x y <<< "$QM_CLICKED"
timeout 10 xdotool mousemove $(( x + 30 )) $(( y + 15 )) || fail "mousemove"
qm_frame
timeout 10 xdotool click 1 || fail "click"
qm_wait_line 'Level "a_broken" was not loaded: ' 20
qm_last 'Level "a_broken" was not loaded: ' | grep -qF "Line 4, Column 1" || fail "the line lacks the parser's text"
qm_frame
snapshot | cmp -s - "$QM_WORK/before.txt" || fail "files changed: $(snapshot | diff "$QM_WORK/before.txt" -)"
