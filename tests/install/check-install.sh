#!/usr/bin/env bash
# cmake --install of the build into an empty folder gives a tree whose programs start and find
# their templates, runtime package and manual.
#   check-install.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(dirname "$0")/run-installed.sh"

cmake --install "$build" --prefix "$work/prefix" >/dev/null || fail "cmake --install"
check_installed_tree "$work/prefix" "$work"
echo "installed tree: ok"
