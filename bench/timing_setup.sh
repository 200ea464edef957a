# Sourced by the timing scripts with their arguments: goes to the checkout,
# takes the number of runs (the first argument, default 5) and the build
# (BUILD, default build), builds plenamar-render there as $render, and makes
# a scratch folder $work that is removed on exit.
cd "$(dirname "${BASH_SOURCE[0]}")/.."
runs=${1:-5}
build=${BUILD:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target plenamar-render >/dev/null
render="$PWD/$build/render/plenamar-render"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
