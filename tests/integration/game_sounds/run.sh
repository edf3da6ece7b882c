# The game as it is heard: its own content, the mix captured by OpenAL's wave
# writer, and every sound its scripts ask for logged with the game time. The
# title theme; a key plays the select sound and fades the title music out
# before the level (and its theme) loads; footsteps at a walking pace, taking
# turns, none while standing; the pause menu's hover and select sounds; at a
# door its creak and the music's fade before the next level and its theme.
# The audio system reports no error and the mix sounds throughout.
source "$QM_LIB"
qm_content game
# after <first> <second>: the first line holding second comes after the last holding first.
after() {
    local a b
    a=$(grep -nF -- "$1" "$QM_OUT" | tail -n 1 | cut -d: -f1)
    b=$(grep -nF -- "$2" "$QM_OUT" | head -n 1 | cut -d: -f1)
    [ -n "$a" ] && [ -n "$b" ] && [ "$b" -gt "$a" ] || fail "\"$2\" does not follow \"$1\""
}
steps() { grep -E "probe: sounds_play Footstep[123] at" "$QM_OUT" | awk '{print $NF}'; }

qm_audio_capture
qm_ready
qm_wait_line "probe: sounds_play Music_Title" 10
sleep 3
qm_key Return
qm_wait_line "Level entered, visit 1" 20
qm_wait_line "probe: sounds_play Music_Clearing" 10
[ "$(qm_count "probe: sounds_play_select")" -eq 1 ] || fail "the title's key did not play the select sound once"
after "probe: sounds_play_select" "probe: sounds_stop Music_Title"
after "probe: sounds_stop Music_Title" "Level entered, visit 1"

qm_hold Right 1.5
steps | awk 'NR > 1 && $1 - last < 0.3 {bad = 1} {last = $1} END {exit bad || NR < 2}' ||
    fail "footsteps at $(steps | tr '\n' ' ')(game time), not one every 0.36 s"
qm_has "probe: sounds_play Footstep2" || fail "the steps do not take turns"
sleep 0.5
standing=$(steps | wc -l)
sleep 0.5
qm_frame
[ "$(steps | wc -l)" -eq "$standing" ] || fail "footsteps while standing still"

n=$(qm_lines)
qm_escape "probe: paused"
qm_key Down
qm_wait_line "probe: sounds_play_hover" 5 "$n"
qm_key Up
qm_key Return
qm_wait_line "probe: unpaused" 10 "$n"
[ "$(qm_count "probe: sounds_play_select")" -eq 2 ] || fail "resuming from the menu did not play the select sound"

qm_key F9
timeout 10 xdotool keydown --clearmodifiers Right || fail "could not press Right"
qm_wait_line "Door: to veltrane_hollow" 10
timeout 10 xdotool keyup Right
qm_wait_line "Level entered, visit 2" 20
qm_wait_line "probe: sounds_play Music_Hollow" 10
[ "$(qm_count "probe: sounds_play Door")" -eq 1 ] || fail "the door's sound did not play once"
after "Door: to veltrane_hollow" "probe: sounds_stop Music_Clearing"
after "probe: sounds_stop Music_Clearing" "Level entered, visit 2"
sleep 3
qm_stop
grep -E "^error|Doesn't exist|couldn't find|Attempted|Lua Error" "$QM_OUT" && fail "the audio system or a script reported a problem"
qm_check check.py "$QM_WORK/out.wav"
