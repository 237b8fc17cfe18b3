#!/usr/bin/env bash
# The program as a user gets it: the build installed into a temporary prefix
# (as the package installs it), or a tree already installed (the package
# unpacked), started from there with an empty home under a virtual display.
# It must answer --help and --version without a display, make ~/Rotawise with
# the supplied files, and open its main window; nothing in it may point at the
# source or build folder.
# Usage: installed-program.sh BUILD_FOLDER SOURCE_FOLDER
#        installed-program.sh --prefix INSTALLED_PREFIX SOURCE_FOLDER
set -euo pipefail
WORK="$(mktemp -d)"
PROGRAM_PID=""
cleanup() {
  [ -n "$PROGRAM_PID" ] && kill "$PROGRAM_PID" 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

if [ "$1" = "--prefix" ]; then
  PREFIX="$2"
  SOURCE="$(cd "$3" && pwd)"
else
  PREFIX="$WORK/prefix"
  SOURCE="$(cd "$2" && pwd)"
  cmake --install "$1" --prefix "$PREFIX" --strip >/dev/null
fi
PROGRAM="$PREFIX/bin/rotawise"
for f in share/rotawise/DAYS.IGH share/rotawise/employee.mdb share/rotawise/EMPLOYEE.HLP \
         share/applications/org.rotawise.Rotawise.desktop share/metainfo/org.rotawise.Rotawise.metainfo.xml \
         share/icons/hicolor/48x48/apps/rotawise.png share/man/man1/rotawise.1.gz; do
  [ -f "$PREFIX/$f" ] || fail "$f was not installed"
done
# The build folders live inside the source folder.
if strings "$PROGRAM" | grep -q -e "$SOURCE"; then
  fail "the installed program names the source or build folder"
fi

mkdir "$WORK/home"
export HOME="$WORK/home"
unset ROTAWISE_DATA ROTAWISE_DRIVE_A DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
"$PROGRAM" --version | grep -q "^rotawise [0-9]" || fail "--version"
"$PROGRAM" --help | grep -q "^Usage: rotawise \[FOLDER\]" || fail "--help"
[ ! -e "$HOME/Rotawise" ] || fail "--help made the data folder"

# The real program on a virtual display, until its main window is up.
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  "$1" > "$2/program.log" 2>&1 &
  echo $! > "$2/program.pid"
  for _ in $(seq 1 300); do
    if xwininfo -root -tree 2>/dev/null | grep -q "\"Employees Rotawise Scheduler  Main Menu\""; then
      touch "$2/main-window-seen"
      break
    fi
    kill -0 "$(cat "$2/program.pid")" 2>/dev/null || break
    sleep 0.1
  done
  kill "$(cat "$2/program.pid")" 2>/dev/null || true
' _ "$PROGRAM" "$WORK"
[ -e "$WORK/main-window-seen" ] || { cat "$WORK/program.log" >&2; fail "no main window"; }

DATA="$HOME/Rotawise"
for f in DAYS.IGH TIMES.IGH AREATIME.IGH WEEKDAYS.IGH EMPLOYEE.HLP clouds.bmp employee.bmp employee.mdb; do
  cmp -s "$DATA/$f" "$PREFIX/share/rotawise/$f" || fail "$f in the new data folder"
done
[ "$(ls "$DATA" | wc -l)" -eq 8 ] || fail "unexpected files in the data folder: $(ls "$DATA")"
echo "The installed program made its data folder and opened its main window."
