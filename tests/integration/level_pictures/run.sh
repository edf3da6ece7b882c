# Every level of the game, held still as it loads (lua/), must come out as its
# picture <level>.png here within 1 per channel: the drawing may change how it
# works, never what the player sees. QM_RECORD_PICTURES=1 records them instead.
source "$QM_LIB"
qm_content game
cp -r "$QM_TEST_DIR/lua/." "$QM_GAME/lua/"
qm_start
qm_window > /dev/null
n=0
for level in veltrane_splash veltrane_home veltrane_hollow veltrane_shore veltrane_clearing; do
    [ "$level" = veltrane_splash ] || { n=$(qm_lines); qm_key F4; }
    qm_wait_line "probe: holding $level" 30 "$n"
    qm_frame
    qm_screenshot "$QM_WORK/$level.png"
    if [ "${QM_RECORD_PICTURES:-0}" = 1 ]; then
        cp "$QM_WORK/$level.png" "$QM_TEST_DIR/$level.png"
    else
        timeout 60 python3 "$QM_DIR/render_pictures/compare.py" "$QM_WORK/$level.png" "$QM_TEST_DIR/$level.png" ||
            fail "$level differs"
    fi
done
