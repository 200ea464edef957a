#!/usr/bin/env bash
# Checks that the renderer's rooms include one way only: each room of render/
# may include the rooms after it in this list, never one before it.
#   tools/render-rooms.sh [SOURCE_DIR]
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"
rooms=(render batch options export picture scene artwork framing shapes)
status=0
for i in "${!rooms[@]}"; do
  room=${rooms[$i]}
  dir=render/$room; [ "$room" = render ] && dir=render
  for above in "${rooms[@]:0:$i}"; do
    [ "$above" = render ] && pattern='#include "render/[A-Za-z]*\.h"' || pattern="#include \"render/$above/"
    if hits=$(grep -Hn "$pattern" "$dir"/*.h "$dir"/*.cpp 2>/dev/null); then
      echo "render/$room includes render/$above, which comes before it:" >&2
      echo "$hits" >&2
      status=1
    fi
  done
done
exit $status
