#!/usr/bin/env bash
# Configures and builds Tessaly into build/ (or the folder given as the first word).
set -euo pipefail
cd "$(dirname "$0")/.."
# Compiler caches see paths relative to the checkout, so every checkout of the project (a fresh
# clone, another worktree) shares what was compiled before.
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD} CCACHE_NOHASHDIR=1
dir=${1:-build}
shift || true
cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
ninja -C "$dir"
