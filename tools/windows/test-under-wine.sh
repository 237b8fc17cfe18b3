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
# A fresh report: a picture left by an older run would tell of that run.
rm -rf "${REPORT:?}"
mkdir -p "$REPORT"
WORK="$(mktemp -d /tmp/rotawise-wine.XXXXXX)"
XVFB_PID=""
cleanup() {
  for prefix in "$WORK"/prefix-*; do
    [ -d "$prefix" ] && WINEPREFIX="$prefix" wineserver -k 2>/dev/null
  done
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  declare -F stop_pg_cluster >/dev/null && stop_pg_cluster
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
  # A program that crashes ends with its backtrace, with no crash window
  # waiting for a click.
  WINEPREFIX="$prefix" wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog \
    /t REG_DWORD /d 0 /f >/dev/null 2>&1
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
    # Read whole first: under pipefail, grep -q stopping early would fail the pipe.
    grep -qF "\"$1\"" <<<"$(xwininfo -root -tree 2>/dev/null)" && return 0
    sleep 1
  done
  return 1
}

screenshot() { import -window root "$REPORT/$1.png" 2>/dev/null; }

installer_and_program() {
  local prefix user docs program
  prefix="$(new_prefix install)"
  export WINEPREFIX="$prefix"
  # The installed program finds its DLLs beside it, as on a PC: no WINEPATH.
  local WINEPATH=""
  if ! wine "$SETUP" /S >/dev/null 2>&1; then fail "setup.exe /S"; return; fi
  wineserver -w
  program="$prefix/drive_c/Program Files/Rotawise/rotawise.exe"
  [ -f "$program" ] || { fail "setup.exe /S put no rotawise.exe into C:\\Program Files\\Rotawise"; return; }
  pass "setup.exe /S installed into C:\\Program Files\\Rotawise"
  (cd "$prefix/drive_c/Program Files/Rotawise" && find . -type f | sort) >"$REPORT/installed-files.txt"
  find "$prefix/drive_c" -path "*/Start Menu/Programs/Rotawise/Rotawise.lnk" | grep -c . >/dev/null &&
    pass "Start menu entry Rotawise" || fail "no Start menu entry for Rotawise"

  (cd "$prefix/drive_c/users" && wine "C:\\Program Files\\Rotawise\\rotawise.exe" >"$WORK/program.log" 2>&1) &
  local started=$!
  if wait_for_window "Employees Rotawise Scheduler  Main Menu" 240; then
    pass "the installed program shows its main window"
    sleep 2
    screenshot main-window
    # The employee window, through the menu: a click on "Schedule/Employee
    # Data Changes", then its first item's key; an empty database's hint is
    # answered with Enter.
    xdotool search --name "Employees Rotawise Scheduler  Main Menu" windowactivate --sync >/dev/null 2>&1
    xdotool mousemove 183 28 click 1 && sleep 1 && xdotool key e
    if wait_for_window "Employee Data" 30; then
      pass "the employee window opens from the menu"
      sleep 2
      xdotool key Return
      sleep 2
      screenshot employee-window
    else
      fail "the employee window did not open from the menu"
    fi
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
       grep -q "O&apos;Brien\|O'Brien" <<<"$(unzip -p "$out/week.xlsx" 'xl/worksheets/*.xml' 2>/dev/null)" &&
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
  # The tests of a table on a server reach a temporary server of this
  # machine through the Windows libpq (its TLS through the Windows OpenSSL).
  source "$ROOT/tools/pg-cluster.sh"
  if install_pg_server >/dev/null && start_pg_cluster >/dev/null; then
    export ROTAWISE_TEST_PG_REQUIRED=1
    export ROTAWISE_TEST_PG_TLS_ROOT="Z:$ROTAWISE_TEST_PG_TLS_ROOT"  # a path for Windows
  else
    echo "no PostgreSQL server for the tests: the server tests are skipped"
  fi
  # The tests keep their pictures and the printed week in the report. Tests
  # that read what was printed or exported with a Linux program (pdftotext,
  # pdfinfo, unzip, mdb-export) are left out: Wine hands a Linux program it
  # starts none of the Windows program's pipes, so they would read nothing.
  # The PDFs the other tests keep are read back here instead.
  local readers="^(PdfPaper\.|SchedulePdf\.|PrinterPdf\.|ExportFilesTest\.(EveryEvent|AHuge)|BadInputPrint\.(Schedule|Roster)|LegacyImport\.BringsOver|JetReader\.ReadsAnAccess97|ConvertedDatabase\.TheRecordSetBrowses|AllAreasTest\.APdfFile|PrintWindowTest\.AnAllAreasPrint|PrinterDialog\.TheSeam|RosterTest\.ARealPdf)"
  (cd "$BUILD" && ctest -N -R "$readers" | grep "Test *#" | sed 's/.*: /  /') >"$REPORT/tests-not-run.txt"
  (cd "$BUILD" && ROTAWISE_SCREENSHOTS="Z:$REPORT" ctest --timeout 600 -j"$(nproc)" -E "$readers" \
     >"$REPORT/tests.txt" 2>&1)
  echo "not run under Wine (they read their output with Linux programs): $(wc -l <"$REPORT/tests-not-run.txt")"
  # Two of those print a week and a roster for the report; what they print is
  # read here, their own verdict is not taken.
  (cd "$BUILD" && ROTAWISE_SCREENSHOTS="Z:$REPORT" ctest --timeout 600 \
     -R "^(SchedulePdf\.AllAreas|PdfPaper\.TheWriterPrints)" >/dev/null 2>&1)
  if grep -q "Kitchen Schedule for week of" <<<"$(pdftotext -layout "$REPORT/schedule-week.pdf" - 2>/dev/null)" &&
     grep -q "Kitchen .*Maria Gonzalez .*Chef" <<<"$(pdftotext -layout "$REPORT/small-roster-writer.pdf" - 2>/dev/null)"; then
    pass "a schedule and a roster printed under Wine read back with pdftotext"
    pdftoppm -png -r 60 -f 1 -l 1 "$REPORT/schedule-week.pdf" "$REPORT/printed-page"
  else
    fail "the schedule or the roster printed under Wine does not read back"
  fi
  grep -E "tests passed|tests failed" "$REPORT/tests.txt" || tail -5 "$REPORT/tests.txt"
  grep -E "^\s+[0-9]+ - .*\((Failed|Timeout|Subprocess|SEGFAULT|Not Run|Exception)" "$REPORT/tests.txt" \
    >"$REPORT/tests-failed.txt" || true
  stop_pg_cluster
  unset ROTAWISE_TEST_PG_REQUIRED
  unset WINEPREFIX
}

start_display || exit 1
installer_and_program
export_command
[ "${ROTAWISE_WINE_TESTS:-1}" = 1 ] && test_suite
echo "Report, screenshots and the test log: $REPORT"
[ "$failures" -eq 0 ]
