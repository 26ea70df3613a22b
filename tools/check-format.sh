#!/usr/bin/env bash
# Fails when a C++ file of the tree is not formatted as .clang-format says, naming each place.
#   tools/check-format.sh          every tracked .cpp and .h file
#   tools/check-format.sh FILES    only these
set -euo pipefail
cd "$(dirname "$0")/.."
format=$(command -v clang-format-14 || command -v clang-format || true)
if [ -z "$format" ]; then
  echo "clang-format is not installed (tools/install-deps.sh --test installs it)." >&2
  exit 1
fi
if [ $# -gt 0 ]; then
  files=("$@")
elif git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t files < <(git ls-files '*.cpp' '*.h')
else
  mapfile -t files < <(find . -path ./build -prune -o \( -name '*.cpp' -o -name '*.h' \) -print | grep -v '/build')
fi
"$format" --dry-run -Werror "${files[@]}"
echo "Formatting: ${#files[@]} files as .clang-format says."
