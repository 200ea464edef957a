#!/usr/bin/env bash
# The page of --web for each shape, in headless chromium: it loads the model
# with no console error and nothing from beyond its own server on
# 127.0.0.1, and the screenshot shows the front's artwork (its colour
# covers a good share of the picture). The screenshots stay in SHOTS.
#   tests/web/page-browser.sh PLENAMAR_RENDER WEB_TOOLS SHOTS
set -euo pipefail
render=$1 tools=$2 shots=$3
rm -rf "$shots"
mkdir -p "$shots"
front='#c8147f'
convert -size 400x600 "xc:$front" "$shots/front.png"
convert -size 100x600 xc:'#e8d020' "$shots/spine.png"
shapes=(box hardcover paperback dvd bluray jewel)
for shape in "${shapes[@]}"; do
  "$render" --shape "$shape" --front "$shots/front.png" --spine "$shots/spine.png" --size 400x400 \
            --web "$shots/$shape" 2>/dev/null
  cp "$tools/node_modules/@google/model-viewer/dist/model-viewer.min.js" "$shots/$shape/"
done
node "$(dirname "$0")/page-shot.cjs" "$tools/node_modules" "$shots" "${shapes[@]}"
status=0
for shape in "${shapes[@]}"; do
  share=$(convert "$shots/$shape.png" -alpha off -fuzz 25% -fill black +opaque "$front" -fill white -opaque "$front" \
                  -format '%[fx:mean]' info:)
  echo "$shape: the front's colour covers $share of the screenshot"
  awk -v s="$share" 'BEGIN { exit !(s >= 0.08) }' || { echo "$shape: the front's artwork does not show" >&2; status=1; }
done
exit $status
