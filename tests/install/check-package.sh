#!/usr/bin/env bash
# The Debian package: CPack makes it from the build, its control fields name what the programs
# need, it holds the installed tree under /usr, and its programs start from the unpacked tree.
#   check-package.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(dirname "$0")/run-installed.sh"

(cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/out/tessaly_*.deb)
[ -f "$deb" ] || fail "no package was made"

depends=$(dpkg-deb -f "$deb" Depends)
# The libraries the programs link, found by dpkg-shlibdeps, and what they load at run time.
for want in libqt6widgets6 libqt6gui6 libqt6core6 libsdl2-2.0-0 libfluidsynth3 libmpg123-0 zlib1g libicu \
            qt6-qpa-plugins "timgm6mb-soundfont | fluid-soundfont-gm"; do
  grep -qF -- "$want" <<<"$depends" || fail "Depends lacks $want: $depends"
done
# Nothing that only building or testing needs.
for unwanted in libgtest libbenchmark -dev; do
  ! grep -qF -- "$unwanted" <<<"$depends" || fail "Depends names $unwanted: $depends"
done
[ "$(dpkg-deb -f "$deb" Package)" = tessaly ] || fail "the package is not named tessaly"
[ "$(dpkg-deb -f "$deb" Architecture)" = "$(dpkg --print-architecture)" ] || fail "wrong architecture"

# Each dependency is a package of the distribution (where apt knows the distribution's packages).
if apt-cache show libc6 >/dev/null 2>&1; then
  tr ',' '\n' <<<"$depends" | while read -r group; do
    known=no
    for alternative in $(tr '|' ' ' <<<"$group" | sed 's/([^)]*)//g'); do
      apt-cache show "$alternative" >/dev/null 2>&1 && known=yes
    done
    [ "$known" = yes ] || fail "no package of the distribution provides $group"
  done
fi

dpkg-deb -c "$deb" >"$work/contents"
for f in ./usr/bin/tessaly ./usr/bin/tessaly-cli ./usr/bin/tess-rt ./usr/share/tessaly/TESS_RT.ldb.dat \
         ./usr/share/doc/tessaly/manual/index.html ./usr/share/applications/org.tessaly.Tessaly.desktop; do
  grep -q " $f\$" "$work/contents" || fail "the package lacks $f"
done
# Every file belongs to root, and only programs are executable.
! awk '{print $2}' "$work/contents" | grep -v '^root/root$' | grep -q . || fail "files not owned by root"
# dpkg installs it into an empty root of its own (the libraries it depends on are the host's: the
# root holds only the package).
root=$work/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status"
dpkg --root="$root" --force-not-root --force-depends --log=/dev/null -i "$deb" >"$work/dpkg.log" 2>&1 ||
  { cat "$work/dpkg.log"; fail "dpkg -i"; }
dpkg --root="$root" -s tessaly | grep -q "^Status: install ok installed" || fail "dpkg does not list it as installed"
# The programs went in without their debugging information.
file "$root/usr/bin/tessaly" | grep -q "stripped" && ! file "$root/usr/bin/tessaly" | grep -q "not stripped" ||
  fail "the editor is not stripped"

check_installed_tree "$root/usr" "$work"

# Removing it leaves nothing of it behind.
dpkg --root="$root" --force-not-root --force-depends --log=/dev/null -r tessaly >"$work/dpkg.log" 2>&1 ||
  { cat "$work/dpkg.log"; fail "dpkg -r"; }
left=$( [ ! -d "$root/usr" ] || find "$root/usr" -type f | head -5)
[ -z "$left" ] || fail "removing the package left $left"
echo "package $(basename "$deb"): ok"
