#!/usr/bin/env bash
# Installs what is missing, builds, and starts the editor on the bundled sample project. Without a
# display it says so, starts the editor on Qt's offscreen platform long enough to save a picture of
# its window, and prints where that picture is.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
tools/build.sh build
editor=build/app/tessaly
project=()
[ -d build/demo/DemoGame ] && project=(build/demo/DemoGame)
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  shot=$PWD/build/screenshot.png
  echo "No display is available: starting the editor offscreen to take a screenshot instead."
  QT_QPA_PLATFORM=offscreen "$editor" --screenshot "$shot" "${project[@]}"
  echo "Screenshot of the editor's window: $shot"
else
  exec "$editor" "${project[@]}"
fi
