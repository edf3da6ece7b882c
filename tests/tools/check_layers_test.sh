#!/usr/bin/env bash
# The layering check on a scratch copy of the source folders: it passes as the
# copy is, and fails once physics/ includes the editor, naming file and line.
src=$(cd "$(dirname "$0")/../.." && pwd)
check="$src/tools/check-layers.sh"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
for folder in core ecs graphics physics sound level scripting editor engine; do cp -r "$src/$folder" "$scratch/"; done

bash "$check" "$scratch" >/dev/null || { echo "FAIL: the unchanged copy does not pass"; exit 1; }

sed -i '1a #include "editor/editor.h"' "$scratch/physics/rigid_body.cpp"
if out=$(bash "$check" "$scratch"); then
    echo "FAIL: physics/ including editor/ passed"
    exit 1
fi
if ! grep -qx 'physics/rigid_body.cpp:2:#include "editor/editor.h"' <<<"$out"; then
    echo "FAIL: the report does not name physics/rigid_body.cpp:2:"
    echo "$out"
    exit 1
fi
echo "planted upward include: caught"
