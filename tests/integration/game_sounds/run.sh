# The game asks for its sounds at the right moments: the title theme on the
# title, the select sound and the title music's fade-out on a key, the level's
# theme once it has loaded, footsteps at a walking pace (not every frame), the
# menu's hover and select sounds, and at a door its creak and the music's
# fade-out before the next level (and its theme) loads. The test runs without
# the audio content (empty bank lists): it is about when the scripts ask, not
# what is heard (game_mix listens).
source "$QM_LIB"
qm_content
cp -r "$QM_REPO/game/levels/." "$QM_GAME/levels/"
cp -r "$QM_REPO/game/textures/." "$QM_GAME/textures/"
cp -r "$QM_REPO/game/lua/." "$QM_GAME/lua/"
cp -r "$QM_REPO/tests/integration/game_common/lua/." "$QM_GAME/lua/"
cp -r "$QM_TEST_DIR/lua/." "$QM_GAME/lua/"
out="$QM_WORK/stdout"

# count <text>: lines of the game's output holding text.
count() { grep -cF -- "$1" "$out"; }
# after <first> <second>: the first line holding <second> comes after the last one holding <first>.
after() {
    local a b
    a=$(grep -nF -- "$1" "$out" | tail -n 1 | cut -d: -f1)
    b=$(grep -nF -- "$2" "$out" | head -n 1 | cut -d: -f1)
    [ -n "$a" ] && [ -n "$b" ] && [ "$b" -gt "$a" ]
}

qm_start
qm_focus
qm_resume_startup_pause
qm_wait_line "probe: sounds_play Music_Title" 10

qm_key Return
qm_wait_line "Level entered, visit 1" 20
qm_wait_line "probe: sounds_play Music_Clearing" 10
[ "$(count "probe: sounds_play_select")" -eq 1 ] || fail "the title's key did not play the select sound once"
after "probe: sounds_play_select" "probe: sounds_stop Music_Title" || fail "the title music did not fade out on the key"
after "probe: sounds_stop Music_Title" "Level entered, visit 1" || fail "the level loaded before the title music faded"

# Walking for about 1.5 s: a step every 0.36 s, so four or five, never one a frame.
timeout 10 xdotool keydown --clearmodifiers Right || fail "could not press Right"
sleep 1.5
timeout 10 xdotool keyup Right || fail "could not release Right"
sleep 0.5
steps=$(grep -cE "probe: sounds_play Footstep[123]$" "$out")
[ "$steps" -ge 3 ] && [ "$steps" -le 7 ] || fail "$steps footsteps in 1.5 s of walking"
grep -qF "probe: sounds_play Footstep2" "$out" || fail "the steps do not take turns"
standing=$steps
sleep 1
[ "$(grep -cE "probe: sounds_play Footstep[123]$" "$out")" -eq "$standing" ] || fail "footsteps while standing still"

# The pause menu: moving the choice hovers, choosing selects.
qm_key Escape
qm_wait_line "probe: paused" 10
qm_key Down
qm_wait_line "probe: sounds_play_hover" 5
qm_key Up
qm_key Return
qm_wait_line "probe: unpaused" 10
[ "$(count "probe: sounds_play_select")" -eq 2 ] || fail "resuming from the menu did not play the select sound"

# Through the door: creak, music fades, then the hollow loads with its theme.
qm_key F9
qm_wait_line "probe: by the door" 5
timeout 10 xdotool keydown --clearmodifiers Right || fail "could not press Right"
sleep 1
timeout 10 xdotool keyup Right
qm_wait_line "Door: to veltrane_hollow" 10
qm_wait_line "Level entered, visit 2" 20
qm_wait_line "probe: sounds_play Music_Hollow" 10
[ "$(count "probe: sounds_play Door")" -eq 1 ] || fail "the door's sound did not play once"
after "Door: to veltrane_hollow" "probe: sounds_stop Music_Clearing" || fail "the level's music did not fade at the door"
after "probe: sounds_stop Music_Clearing" "Level entered, visit 2" || fail "the level changed before the music faded"
grep -q "Lua Error" "$out" && fail "a script failed: $(grep "Lua Error" "$out" | head -n 3)"
qm_stop
exit 0
