#!/usr/bin/env bash
# Configures and builds Tessaly into build/ (or the folder given as the first word).
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
shift || true
cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
ninja -C "$dir"
