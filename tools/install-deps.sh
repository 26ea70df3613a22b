#!/usr/bin/env bash
# Installs the Debian packages Tessaly needs that are not installed yet.
#   tools/install-deps.sh          what building and running the editor needs
#   tools/install-deps.sh --test   also what the tests and checks need
set -euo pipefail

build=(cmake ninja-build g++ clang ccache qt6-base-dev libgl-dev zlib1g-dev libsdl2-dev nlohmann-json3-dev
       libfluidsynth-dev timgm6mb-soundfont libmpg123-dev libicu-dev dpkg-dev)
test=(libgtest-dev libbenchmark-dev libclang-rt-14-dev clang-format-14 libpng-dev pngcheck python3-pil
      imagemagick sox lhasa midicsv lame xvfb xauth desktop-file-utils appstream file)

want=("${build[@]}")
[ "${1:-}" = "--test" ] && want+=("${test[@]}")

missing=()
for p in "${want[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "Please run as root or install sudo." >&2; exit 1; }
  sudo=sudo
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
