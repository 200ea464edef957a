#!/usr/bin/env bash
# Installs what the web tests take from npm, at the versions pinned in
# tools/web/package-lock.json, into FOLDER/node_modules: the Khronos glTF
# validator, Google's <model-viewer> web component and puppeteer-core, which
# drives Debian's chromium. A folder that has them at those versions already
# is left as it is.
#   tools/web-tools.sh FOLDER
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/web" && pwd)
folder=${1:?usage: tools/web-tools.sh FOLDER}
mkdir -p "$folder"
if cmp -s "$source_dir/package-lock.json" "$folder/package-lock.json" && [ -d "$folder/node_modules" ]; then
  exit 0
fi
cp "$source_dir/package.json" "$source_dir/package-lock.json" "$folder/"
# puppeteer-core never downloads a browser; the tests name Debian's.
npm ci --prefix "$folder" --no-audit --no-fund --ignore-scripts --loglevel=error
