#!/usr/bin/env bash
# Takes the README's picture of the game: runs the game in game/ under a
# private X server, starts a new game, walks the hero a few steps along the path
# and captures the screen, scaled to half size.
#
#   tools/content/screenshot.sh <quillmere executable> <output.png>
#
# Needs Xvfb, xdotool, xwd and ImageMagick's convert. The game's save folder is
# a scratch $HOME, so the player's own saves are never touched.
set -u
exe=$(realpath "$1")
output=$(realpath -m "$2")
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$(mktemp -d /tmp/qm_screenshot_XXXXXX)
xvfb_pid="" game_pid=""
cleanup() {
    [ -n "$game_pid" ] && kill -9 "$game_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

cp -r "$repo/game" "$work/game"
mkdir -p "$work/home"
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 1 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "screenshot: no X server" >&2; exit 1; }
export DISPLAY=":$(tr -d '[:space:]' < "$work/display")" HOME="$work/home" ALSOFT_DRIVERS=null

(cd "$work/game" && exec "$exe" >"$work/stdout" 2>&1) &
game_pid=$!
wid=$(timeout 60 xdotool search --sync --name '^Quillmere$' | head -n 1)
[ -n "$wid" ] || { echo "screenshot: the game window did not appear" >&2; exit 1; }
for _ in $(seq 1 50); do timeout 5 xdotool windowfocus --sync "$wid" 2>/dev/null && break; sleep 0.2; done
# wait for the title, give the start-up focus check its time, close a pause it opened
for _ in $(seq 1 400); do grep -q "Music_Title\|bank:/SFX" "$work/stdout" && break; sleep 0.1; done
sleep 4
key() { timeout 10 xdotool key --clearmodifiers "$1"; sleep 0.5; }
key Escape; key Escape  # whichever state the pause menu was in, it ends closed
key Return
for _ in $(seq 1 300); do grep -q "Level entered" "$work/stdout" && break; sleep 0.1; done
grep -q "Level entered" "$work/stdout" || { echo "screenshot: the game did not start" >&2; exit 1; }
sleep 1
timeout 10 xdotool keydown Right; sleep 1.2; timeout 10 xdotool keyup Right
sleep 1
xwd -root -silent | convert xwd:- -resize 50% png:"$output" || exit 1
echo "screenshot: wrote $output"
