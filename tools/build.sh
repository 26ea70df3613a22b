#!/usr/bin/env bash
# Configures and builds Tessaly into build/ (or the folder given as the first word).
set -euo pipefail
cd "$(dirname "$0")/.."
# Compiler caches see paths relative to the checkout, so every checkout of the project (a fresh
# clone, another worktree) shares what was compiled before.
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD} CCACHE_NOHASHDIR=1
# The editor's libraries use precompiled headers; without this sloppiness the compiler cache
# refuses every file compiled with one.
export CCACHE_SLOPPINESS=${CCACHE_SLOPPINESS:-pch_defines,time_macros}
dir=${1:-build}
shift || true
cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
ninja -C "$dir"
