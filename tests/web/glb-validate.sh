#!/usr/bin/env bash
# The GLB of each shape, and of a die-cut box and an open one, passes the
# Khronos glTF validator with no error and no warning.
#   tests/web/glb-validate.sh PLENAMAR_RENDER WEB_TOOLS
set -euo pipefail
render=$1 tools=$2
here=$(cd "$(dirname "$0")" && pwd)
sample=$here/../../sample
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
faces=(--front "$sample/cover.jpg" --spine "$sample/spine.jpg" --top "$sample/top.jpg")
for shape in box hardcover paperback dvd bluray jewel; do
  "$render" --shape "$shape" "${faces[@]}" -o "$out/$shape.glb"
done
"$render" --front "$sample/die-cut.png" -o "$out/die-cut.glb"
"$render" "${faces[@]}" --open --plain "$sample/plain.jpg" -o "$out/open.glb"
node "$here/validate-glb.cjs" "$tools/node_modules" "$out"/*.glb
