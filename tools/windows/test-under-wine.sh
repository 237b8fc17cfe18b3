#!/usr/bin/env bash
# Tests the Windows build on this Linux machine under Wine, each part in a
# fresh Wine prefix of its own (a PC that has never seen Rotawise):
#   1. setup.exe /S installs silently; the installed program starts with an
#      empty profile, makes its data folder with the supplied files and shows
#      its main window (screenshots in the report folder); the uninstaller
#      takes everything away;
#   2. rotawise.exe --export on a data folder with employees writes the
#      calendars and the spreadsheet, read back with Linux tools;
#   3. the test suite, through CTest with Wine as the emulator, on Qt's
#      offscreen platform (the tests print real PDFs and read them back).
#
#   tools/windows/test-under-wine.sh BUILD_DIR SETUP_EXE REPORT_DIR
# Exits 0 when the installer, the program and the export passed; the test
# suite's results are written to REPORT_DIR/tests.txt and summarised.
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
BUILD="$1"
SETUP="$2"
REPORT="$3"
mkdir -p "$REPORT"
WORK="$(mktemp -d /tmp/rotawise-wine.XXXXXX)"
XVFB_PID=""
cleanup() {
  for prefix in "$WORK"/prefix-*; do
    [ -d "$prefix" ] && WINEPREFIX="$prefix" wineserver -k 2>/dev/null
  done
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  rm -rf "$WORK"
}
trap cleanup EXIT
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
pass() { echo "passed: $*"; }

# A display with a window manager, for the real Windows platform plugin.
start_display() {
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    sleep 1
    if kill -0 "$XVFB_PID" 2>/dev/null; then
      export DISPLAY=":$n"
      openbox >/dev/null 2>&1 &
      return 0
    fi
  done
  echo "no free display for Xvfb" >&2
  return 1
}

# A fresh prefix. Wine has none of Windows' fonts: the program's Arial,
# Microsoft Sans Serif, Times New Roman and Courier New are drawn with the
# Liberation faces of the same metrics, as on Linux.
new_prefix() {
  local prefix="$WORK/prefix-$1" family face
  WINEPREFIX="$prefix" wineboot -i >/dev/null 2>&1
  for family in "Arial=Liberation Sans" "Microsoft Sans Serif=Liberation Sans" \
                "MS Sans Serif=Liberation Sans" "Times New Roman=Liberation Serif" \
                "Courier New=Liberation Mono"; do
    face="${family#*=}"
    WINEPREFIX="$prefix" wine reg add 'HKCU\Software\Wine\Fonts\Replacements' \
      /v "${family%%=*}" /d "$face" /f >/dev/null 2>&1
  done
  echo "$prefix"
}

# Waits up to $2 seconds for a window whose title is $1.
wait_for_window() {
  local i
  for i in $(seq 1 "$2"); do
    xwininfo -root -tree 2>/dev/null | grep -qF "\"$1\"" && return 0
    sleep 1
  done
  return 1
}

screenshot() { import -window root "$REPORT/$1.png" 2>/dev/null; }

installer_and_program() {
  local prefix user docs program
  prefix="$(new_prefix install)"
  export WINEPREFIX="$prefix"
  if ! wine "$SETUP" /S >/dev/null 2>&1; then fail "setup.exe /S"; return; fi
  wineserver -w
  program="$prefix/drive_c/Program Files/Rotawise/rotawise.exe"
  [ -f "$program" ] || { fail "setup.exe /S put no rotawise.exe into C:\\Program Files\\Rotawise"; return; }
  pass "setup.exe /S installed into C:\\Program Files\\Rotawise"
  (cd "$prefix/drive_c/Program Files/Rotawise" && find . -type f | sort) >"$REPORT/installed-files.txt"
  ls "$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Rotawise/"*.lnk \
     "$prefix/drive_c/users/"*/"AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Rotawise/"*.lnk \
     >/dev/null 2>&1 && pass "Start menu entry" || fail "no Start menu entry for Rotawise"

  (cd "$prefix/drive_c/users" && wine "C:\\Program Files\\Rotawise\\rotawise.exe" >"$WORK/program.log" 2>&1) &
  local started=$!
  if wait_for_window "Employees Rotawise Scheduler  Main Menu" 90; then
    pass "the installed program shows its main window"
    sleep 2
    screenshot main-window
  else
    fail "the installed program showed no main window"
    screenshot no-main-window
  fi
  user="$(ls "$prefix/drive_c/users" | grep -v -e Public -e '^root$' | head -1)"
  [ -d "$prefix/drive_c/users/root" ] && user=root
  docs="$prefix/drive_c/users/$user/Documents/Rotawise"
  local missing=""
  for f in employee.mdb DAYS.IGH TIMES.IGH AREATIME.IGH WEEKDAYS.IGH EMPLOYEE.HLP employee.bmp clouds.bmp; do
    [ -f "$docs/$f" ] || missing="$missing $f"
  done
  [ -z "$missing" ] && pass "data folder Documents\\Rotawise made with the supplied files" ||
    fail "the data folder Documents\\Rotawise lacks:$missing"
  wineserver -k 2>/dev/null
  wait "$started" 2>/dev/null

  local uninstaller="$prefix/drive_c/Program Files/Rotawise/Uninstall.exe"
  if [ -f "$uninstaller" ] && wine "$uninstaller" /S >/dev/null 2>&1; then
    wineserver -w
    sleep 2
    [ ! -e "$program" ] && pass "the uninstaller removed the program" || fail "rotawise.exe is still there after the uninstaller"
  else
    fail "no uninstaller, or it failed"
  fi
  unset WINEPREFIX
}

export_command() {
  local prefix data out
  prefix="$(new_prefix export)"
  export WINEPREFIX="$prefix"
  data="$WORK/export-data"
  out="$WORK/export-out"
  mkdir -p "$data" "$out"
  "$ROOT/tools/windows/sample-business.sh" "$data"
  if wine "$BUILD/rotawise.exe" --export "Z:$out" "Z:$data" >"$WORK/export.log" 2>&1; then
    local calendars
    calendars=$(ls "$out"/*.ics 2>/dev/null | wc -l)
    if [ "$calendars" -ge 3 ] && [ -s "$out/week.xlsx" ] && [ -s "$out/week.csv" ] &&
       unzip -p "$out/week.xlsx" xl/sharedStrings.xml | grep -q "O&apos;Brien\|O'Brien" &&
       grep -q "BEGIN:VEVENT" "$out"/*.ics; then
      pass "rotawise.exe --export wrote $calendars calendars, week.xlsx and week.csv"
    else
      fail "rotawise.exe --export wrote incomplete files: $(ls "$out")"
    fi
  else
    fail "rotawise.exe --export: $(tail -3 "$WORK/export.log")"
  fi
  unset WINEPREFIX
}

test_suite() {
  local prefix
  prefix="$(new_prefix tests)"
  export WINEPREFIX="$prefix"
  (cd "$BUILD" && ctest --timeout 600 -j1 >"$REPORT/tests.txt" 2>&1)
  grep -E "tests passed|tests failed" "$REPORT/tests.txt" || tail -5 "$REPORT/tests.txt"
  grep -E "^\s+[0-9]+ - .*\((Failed|Timeout|Subprocess|SEGFAULT|Not Run|Exception)" "$REPORT/tests.txt" \
    >"$REPORT/tests-failed.txt" || true
  unset WINEPREFIX
}

start_display || exit 1
installer_and_program
export_command
[ "${ROTAWISE_WINE_TESTS:-1}" = 1 ] && test_suite
echo "Report, screenshots and the test log: $REPORT"
[ "$failures" -eq 0 ]
