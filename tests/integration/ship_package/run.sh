# Shipping: the installed game runs from any folder on the content installed
# beside it (--content still wins), and the packages hold that layout, the
# desktop entry and the icon, with the .deb declaring the libraries it needs.
source "$QM_LIB"
build=$(dirname "$QM_EXE")
prefix="$QM_WORK/prefix"
cmake --install "$build" --prefix "$prefix" >"$QM_WORK/install.log" 2>&1 || fail "install: $(tail -n 5 "$QM_WORK/install.log")"

# run <options...>: the installed game, headless, from an empty folder.
mkdir -p "$QM_WORK/elsewhere"
run() {
    (cd "$QM_WORK/elsewhere" && exec env -u DISPLAY timeout 60 "$prefix/bin/quillmere" --headless "$@" \
        >"$QM_WORK/out" 2>"$QM_WORK/err")
    status=$?
}
run --frames 30
[ "$status" -eq 0 ] || fail "installed run: status $status: $(tail -n 5 "$QM_WORK/err")"
grep -q "Lua Error" "$QM_WORK/out" && fail "installed run: $(grep "Lua Error" "$QM_WORK/out" | head -n 3)"

# A level only the --content folder has: found there, and not in the installed content.
qm_content
echo '{"tile_map": {"width": 1, "height": 1, "tile_width": 16, "tile_height": 16, "tile_textures": [], "tiles": "0 "},
  "entities": [], "graphics": {"global_ambient_intensity": 1}}' > "$QM_GAME/levels/only_here.json"
run --content "$QM_GAME" --level only_here --frames 5
[ "$status" -eq 0 ] || fail "--content: status $status: $(tail -n 5 "$QM_WORK/err")"
run --level only_here --frames 5
[ "$status" -eq 2 ] || fail "the installed content has a level it should not: status $status"
# A working directory holding a game is used before the installed content.
(cd "$QM_GAME" && exec env -u DISPLAY timeout 60 "$prefix/bin/quillmere" --headless --level only_here --frames 5 \
    >"$QM_WORK/out" 2>"$QM_WORK/err") || fail "working directory: $(tail -n 5 "$QM_WORK/err")"

cpack --config "$build/CPackConfig.cmake" -B "$QM_WORK/pkg" >"$QM_WORK/cpack.log" 2>&1 || fail "cpack: $(tail -n 5 "$QM_WORK/cpack.log")"
deb=$(ls "$QM_WORK"/pkg/*.deb) && tgz=$(ls "$QM_WORK"/pkg/*.tar.gz) || fail "packages: $(ls "$QM_WORK/pkg")"
dpkg-deb -c "$deb" | awk '{print $6}' > "$QM_WORK/deb.txt"
tar -tzf "$tgz" | sed 's|^[^/]*/|./|' > "$QM_WORK/tgz.txt"
for f in bin/quillmere share/quillmere/lua/engine/init.lua share/quillmere/levels/veltrane_splash.json \
    share/quillmere/audio/bankFiles.txt share/quillmere/Audio/SoundStorage.json \
    share/applications/quillmere.desktop share/icons/hicolor/64x64/apps/quillmere.png; do
    grep -qxF "./usr/$f" "$QM_WORK/deb.txt" || fail ".deb lacks /usr/$f"
    grep -qxF "./$f" "$QM_WORK/tgz.txt" || fail ".tar.gz lacks $f"
done
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libglfw3 libluajit libopenal1 libjsoncpp libsndfile1 libepoxy0 libc6; do
    [[ "$depends" == *"$lib"* ]] || fail ".deb does not depend on $lib: $depends"
done
echo "installed game runs from elsewhere; packages hold the layout; depends: $depends"
