# Shared by the install and package checks (sourced): starts the programs of an installed tree
# the way a user would, with a profile of their own so that nothing touches the real one.
#   check_installed_tree PREFIX WORK
# PREFIX is the tree's prefix (holding bin/ and share/), WORK an empty folder for the profile
# and the projects. Fails (exit status 1) with a message at the first thing that is wrong.

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

check_installed_tree() {
  local prefix=$1 work=$2
  local id=org.tessaly.Tessaly
  for f in bin/tessaly bin/tessaly-cli bin/tess-rt share/tessaly/TESS_RT.exe.dat share/tessaly/TESS_RT.ldb.dat \
           share/tessaly/RTP/ChipSet share/doc/tessaly/manual/index.html share/applications/$id.desktop \
           share/metainfo/$id.metainfo.xml share/mime/packages/$id.xml; do
    [ -e "$prefix/$f" ] || fail "$f is not installed"
  done
  for size in 16 32 48 64 128 256; do
    local icon=$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png
    [ -f "$icon" ] || fail "no ${size}x${size} icon"
    file "$icon" | grep -q "PNG image data, $size x $size" || fail "$icon is not a $size x $size PNG"
  done
  [ -x "$prefix/share/tessaly/TESS_RT.exe.dat" ] || fail "the runtime template is not executable"

  desktop-file-validate "$prefix/share/applications/$id.desktop" || fail "desktop-file-validate"
  appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" || fail "appstreamcli validate"
  grep -q "^Exec=tessaly " "$prefix/share/applications/$id.desktop" || fail "the desktop entry starts no tessaly"

  # A profile and runtime folder of our own.
  export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_RUNTIME_DIR=$work/run
  export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
  mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" "$work/projects"
  chmod 700 "$XDG_RUNTIME_DIR"

  "$prefix/bin/tessaly-cli" --version | grep -q "^tessaly-cli [0-9]" || fail "tessaly-cli --version"
  # The installed tool makes a project from the installed templates.
  "$prefix/bin/tessaly-cli" new "$work/projects/Game1" --title "Installed" >/dev/null || fail "tessaly-cli new"
  cmp -s "$prefix/share/tessaly/TESS_RT.exe.dat" "$work/projects/Game1/TESS_RT.exe" ||
    fail "the new project's runtime is not the installed template"
  "$prefix/bin/tessaly-cli" check "$work/projects/Game1" >/dev/null || fail "tessaly-cli check of the new project"
  # The stand-in runtime plays it.
  (cd "$work/projects/Game1" && ./TESS_RT.exe TestPlay HideTitle Window >/dev/null) || fail "the runtime"

  # The editor starts on it, finds its runtime package (it stops without one) and saves a picture.
  timeout 60 "$prefix/bin/tessaly" --screenshot "$work/editor.png" "$work/projects/Game1" ||
    fail "the editor did not start"
  file "$work/editor.png" | grep -q "PNG image data" || fail "the editor saved no picture"
  # A screenshot run leaves the user's settings alone, so the folders it used are not on record
  # there; but with a profile of its own it has no registered runtime package, and it stops
  # (exit status 1) unless it finds the one in its data folder, share/tessaly/RTP.
}
