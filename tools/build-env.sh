# Shared by the test scripts: the compiler cache when there is one, and a
# stage line with the seconds since the script started ($started).
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
    # Paths relative to the checkout, so another clone of the same code hits.
    export CCACHE_BASEDIR="$(pwd)" CCACHE_NOHASHDIR=1
    # Precompiled headers are cached only with these.
    export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
fi
stage() { echo "=== $1 ($(( $(date +%s) - started )) s so far)"; }
