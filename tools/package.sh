#!/usr/bin/env bash
# Builds the Debian package of Tessaly into build/package/ (or the folder given as the first word
# + /package/): installs what is missing, builds what the package holds, and runs CPack.
# Install the package with: sudo apt install ./build/package/tessaly_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
tools/install-deps.sh
cmake -S . -B "$dir" -G Ninja >/dev/null
ninja -C "$dir" installed_parts
(cd "$dir" && cpack -G DEB -B "$PWD/package")
ls "$dir"/package/tessaly_*.deb
