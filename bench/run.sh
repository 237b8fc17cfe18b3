#!/usr/bin/env bash
# Builds the benchmarks in Release (build-bench), runs every action at 500 and
# at 32,767 employees, times the SQLite floor of each right after it (the
# sqlite3 program doing the same reads and writes on the same file, in one
# transaction where SQLite allows one), and prints one table with the ratio,
# then the peak memory of the program with the largest table and the employee
# window open.
#
#   bench/run.sh               everything (about a quarter of an hour on 2 cores)
#   BENCH_FILTER=Find bench/run.sh   only the actions whose name matches
#   FLOOR_RUNS=9 bench/run.sh  more sqlite3 runs per floor (default 7)
#   BENCH_SERVER=0 bench/run.sh  without the PostgreSQL table (a local server
#                              the script starts in a temporary folder and stops;
#                              its floors are psql sending the program's statements)
#
# Times are medians of repeated runs, wall clock (writes wait for the disk).
# Everything runs under `nice`, as the machine is shared.
set -euo pipefail
shopt -u patsub_replacement 2>/dev/null || true  # '&' in a name stays an '&'

ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="$ROOT/build-bench"
FLOORS="$ROOT/bench/floors"
FILTER="${BENCH_FILTER:-.}"
FLOOR_RUNS="${FLOOR_RUNS:-7}"
NICE=(nice -n 10)
export QT_QPA_PLATFORM=offscreen

for tool in sqlite3 jq; do
  if ! command -v "$tool" >/dev/null; then
    echo "Installing $tool" >&2
    sudo=""; [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get install -y -qq "$tool" >/dev/null
  fi
done

echo "Building the benchmarks (Release, $BUILD)..." >&2
"${NICE[@]}" cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DROTAWISE_BENCH=ON >/dev/null
"${NICE[@]}" cmake --build "$BUILD" -j2 \
  --target bench_employee bench_print bench_database bench_data bench_memory >/dev/null

echo "Making the businesses (500 and 32,767 employees)..." >&2
mapfile -t FOLDERS < <("${NICE[@]}" "$BUILD/bench/bench_data" 500 32767)
declare -A FOLDER=([500]="${FOLDERS[0]}" [32767]="${FOLDERS[1]}")

WORK="$(mktemp -d)"
source "$ROOT/tools/pg-cluster.sh"
trap 'stop_pg_cluster; rm -rf "$WORK"' EXIT

# ---- The program ------------------------------------------------------------
# Each action: its benchmark name, the floor's SQL file, the database the
# floor starts from, and the words of the table.
ACTIONS=(
  "OpenEmployeeWindow|open_window|employee.mdb|Open the employee window (lists + first record)"
  "EnterNewEmployee|enter_new|save-base.mdb|Enter New Employee"
  "SaveNewEmployee|save_new|save-base.mdb|Save New Employee (write + renumber)"
  "UpdateEmployee|update|employee.mdb|Update (write + search list)"
  "DeleteEmployee|delete|employee.mdb|Delete (with compaction + renumber)"
  "FindEmployee|find|employee.mdb|Find (pick a name in the search list)"
  "LoadSearchLists|search_lists|employee.mdb|Load/Update search lists"
  "OpenPrintSetup|print_setup|employee.mdb|Open the print setup (names into exclusions)"
  "ScheduleOneAreaToPdf|schedule|employee.mdb|Schedule of one area to PDF"
  "ScheduleAllAreasToPdf|schedule|employee.mdb|Schedule of all 20 areas to PDF"
  "PreviewOneArea|schedule|employee.mdb|Preview of one area"
  "RosterToPdf|roster|employee.mdb|Roster to PDF"
  "CompactFromMenu|compact|employee.mdb|Compact database (menu)"
  "RenumberAfterDelete|renumber|employee.mdb|Renumbering alone, after a delete"
)

# Runs the benchmark programs on the actions matching $3, with the settings
# given after the first three arguments in their environment; the medians go
# into the array named by $1 ("Action/size" -> ms). $2 tells the runs apart in
# messages and file names.
run_benchmarks() {
  local -n medians="$1"
  local where="$2" filter="$3"
  shift 3
  local program out
  for program in bench_employee bench_print bench_database; do
    out="$WORK/$program${where// /_}.json"
    env "$@" "${NICE[@]}" "$BUILD/bench/$program" --benchmark_filter="$filter" \
      --benchmark_out="$out" --benchmark_out_format=json >"${out%.json}.log" 2>&1 || {
      echo "$program failed$where:" >&2; tail -20 "${out%.json}.log" >&2; exit 1; }
    [ -s "$out" ] || continue  # no action of this program matches the filter
    if grep -q '"error_occurred": true' "$out"; then
      echo "$program reported an error$where:" >&2
      jq -r '.benchmarks[] | select(.error_occurred) | "\(.name): \(.error_message)"' "$out" >&2
    fi
    while IFS=$'\t' read -r name ms; do
      medians["$name"]="$ms"
    done < <(jq -r '.benchmarks[] | select(.aggregate_name == "median")
                    | [(.run_name | split("/") | .[0] + "/" + .[1]),
                       (if .time_unit == "ms" then .real_time else .real_time / 1e6 end)] | @tsv' "$out")
  done
}

# ---- The SQLite floors --------------------------------------------------------
now_us() { local t="${EPOCHREALTIME/./}"; echo "$t"; }

median() { sort -n | awk '{ v[NR] = $1 } END { if (NR == 0) print 0; else if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# The SQL of a floor for one business, its values filled in.
floor_sql() {  # file size
  local sql find newcomer rowid employees
  sql="$(<"$FLOORS/$1")"
  local facts="${FOLDER[$2]}/facts.txt"
  employees="$(sed -n 's/^employees=//p' "$facts")"
  find="$(sed -n 's/^find=//p' "$facts")"; find="${find//\'/\'\'}"
  newcomer="$(sed -n 's/^newcomer=//p' "$facts")"; newcomer="${newcomer//\'/\'\'}"
  rowid="$(sed -n 's/^delete_rowid=//p' "$facts")"
  sql="${sql//@FIND@/$find}"
  sql="${sql//@NEWCOMER@/$newcomer}"
  sql="${sql//@DELETE_ROWID@/$rowid}"
  sql="${sql//@NUMBER@/$employees}"
  [[ "$sql" == *@OPEN_TABLE@* ]] && sql="${sql//@OPEN_TABLE@/$(<"$FLOORS/server/open-table.sql")}"
  printf '%s\n' "$sql"
}

# Microseconds of one sqlite3 run of `file` on a fresh copy of `database`.
time_sqlite() {  # file size database
  local dir="$WORK/floor"
  rm -rf "$dir"; mkdir -p "$dir"
  cp "${FOLDER[$2]}/$3" "$dir/employee.mdb"
  local prepare="${1%.sql}.prepare.sql"
  if [ -f "$FLOORS/$prepare" ]; then
    floor_sql "$prepare" "$2" | (cd "$dir" && sqlite3 employee.mdb >/dev/null)
  fi
  floor_sql "$1" "$2" >"$dir/floor.sql"
  sync -f "$dir/employee.mdb" 2>/dev/null || true
  local t0 t1
  t0="$(now_us)"
  (cd "$dir" && "${NICE[@]}" sqlite3 -bail employee.mdb <floor.sql >/dev/null)
  t1="$(now_us)"
  echo $((t1 - t0))
}

# Median ms of FLOOR_RUNS runs of a floor, less the median of as many runs
# of the baseline (the program starting, opening and connecting): `timer` is
# time_sqlite or time_psql, given the file and the rest of the arguments.
floor_by() {  # timer file args...
  local timer="$1" file="$2" runs=() base=() k
  shift 2
  for ((k = 0; k < FLOOR_RUNS; ++k)); do
    base+=("$("$timer" baseline.sql "$@")")
    runs+=("$("$timer" "$file" "$@")")
  done
  local b r
  b="$(printf '%s\n' "${base[@]}" | median)"
  r="$(printf '%s\n' "${runs[@]}" | median)"
  awk -v r="$r" -v b="$b" 'BEGIN { f = (r - b) / 1000; if (f < 0.01) f = 0.01; printf "%.2f", f }'
}

# Each action, then its floor right after it: the machine's speed moves from
# minute to minute, and the ratio is only fair when both see the same.
declare -A PROGRAM FLOOR
for entry in "${ACTIONS[@]}"; do
  IFS='|' read -r action sql database words <<<"$entry"
  [[ "$action" =~ $FILTER ]] || continue
  echo "Running $action and its SQLite floor..." >&2
  run_benchmarks PROGRAM "" "^$action/"
  for size in 500 32767; do
    FLOOR[$action/$size]="$(floor_by time_sqlite "$sql.sql" "$size" "$database")"
  done
done

# ---- The same actions with the table on a PostgreSQL server -----------------
# A server floor is psql sending the program's own statements for the action
# (bench/floors/server) to a copy of the business's table on the server.
time_psql() {  # file size -> microseconds of one psql run
  floor_sql "server/$1" "$2" >"$WORK/server-floor.sql"
  local t0 t1
  t0="$(now_us)"
  "${NICE[@]}" "$PG_CLUSTER_BIN/psql" -X -q -A -t -v ON_ERROR_STOP=1 \
    -d "${ROTAWISE_TEST_PG_URI%/*}/rotawise_floor_$2" -f "$WORK/server-floor.sql" >/dev/null
  t1="$(now_us)"
  echo $((t1 - t0))
}

declare -A SERVER=() SERVER_FLOOR=()
if [ "${BENCH_SERVER:-1}" != 0 ]; then
  echo "Starting a local PostgreSQL server..." >&2
  PG_CLUSTER_DURABLE=1 start_pg_cluster
  "${NICE[@]}" "$BUILD/bench/bench_data" --server "$ROTAWISE_TEST_PG_URI" 500 32767 \
    >/dev/null 2>"$WORK/server-tables.log" || { cat "$WORK/server-tables.log" >&2; exit 1; }
  for entry in "${ACTIONS[@]}"; do
    IFS='|' read -r action sql database words <<<"$entry"
    [[ "$action" =~ $FILTER ]] || continue
    echo "Running $action on the server..." >&2
    run_benchmarks SERVER " on the server" "^$action/" ROTAWISE_BENCH_PG_URI="$ROTAWISE_TEST_PG_URI"
    [ -f "$FLOORS/server/$sql.sql" ] || continue
    for size in 500 32767; do
      SERVER_FLOOR[$action/$size]="$(floor_by time_psql "$sql.sql" "$size")"
    done
  done
  stop_pg_cluster
fi

# ---- The table ----------------------------------------------------------------
verdict() {  # ms floor limit -> "ok" or what it misses
  awk -v t="$1" -v f="$2" -v limit="$3" 'BEGIN {
    if (t == "") { print "-"; exit }
    miss = ""
    if (t > limit) miss = "over " limit " ms"
    if (f > 0 && t / f > 3) miss = miss (miss == "" ? "" : ", ") "over 3x floor"
    print (miss == "" ? "ok" : miss) }'
}

printf '\n%-46s | %9s %9s %7s %-22s | %9s %9s %7s %-22s\n' "Action" \
  "500: ms" "floor" "ratio" "target" "32767: ms" "floor" "ratio" "target"
printf '%s\n' "$(printf '%.0s-' {1..160})"
for entry in "${ACTIONS[@]}"; do
  IFS='|' read -r action sql database words <<<"$entry"
  [[ "$action" =~ $FILTER ]] || continue
  line="$(printf '%-46s' "$words")"
  for size in 500 32767; do
    t="${PROGRAM[$action/$size]:-}"
    f="${FLOOR[$action/$size]:-}"
    limit=100; [ "$size" = 32767 ] && limit=1000
    ratio="$(awk -v t="$t" -v f="$f" 'BEGIN { if (t == "" || f <= 0) print "-"; else printf "%.1fx", t / f }')"
    shown="$(awk -v t="$t" 'BEGIN { if (t == "") print "-"; else printf "%.1f", t }')"
    line+="$(printf ' | %9s %9s %7s %-22s' "$shown" "$f" "$ratio" "$(verdict "$t" "$f" "$limit")")"
  done
  printf '%s\n' "$line"
done

if [ "${#SERVER[@]}" -gt 0 ]; then
  echo
  echo "The same actions with the table on a PostgreSQL server of this machine (ms, median;"
  echo "the floor is psql sending the same statements, where the bench has them):"
  printf '\n%-46s | %9s %9s %7s %-22s | %9s %9s %7s %-22s\n' "Action" \
    "500: ms" "floor" "ratio" "target" "32767: ms" "floor" "ratio" "target"
  printf '%s\n' "$(printf '%.0s-' {1..160})"
  for entry in "${ACTIONS[@]}"; do
    IFS='|' read -r action sql database words <<<"$entry"
    [[ "$action" =~ $FILTER ]] || continue
    line="$(printf '%-46s' "$words")"
    for size in 500 32767; do
      t="${SERVER[$action/$size]:-}"
      f="${SERVER_FLOOR[$action/$size]:-}"
      limit=100; [ "$size" = 32767 ] && limit=1000
      ratio="$(awk -v t="$t" -v f="$f" 'BEGIN { if (t == "" || f <= 0) print "-"; else printf "%.1fx", t / f }')"
      shown="$(awk -v t="$t" 'BEGIN { if (t == "") print "-"; else printf "%.1f", t }')"
      line+="$(printf ' | %9s %9s %7s %-22s' "$shown" "${f:--}" "$ratio" "$(verdict "$t" "${f:-0}" "$limit")")"
    done
    printf '%s\n' "$line"
  done
fi

# ---- Peak memory ----------------------------------------------------------------
echo >&2
echo "Measuring peak memory (32,767 employees)..." >&2
mem="$WORK/memory.txt"
(cd "$WORK" && /usr/bin/time -v "$BUILD/bench/bench_memory" 32767 >"$mem.steps" 2>"$mem") || {
  echo "bench_memory failed:" >&2; cat "$mem" "$mem.steps" >&2; exit 1; }
echo
echo "Peak memory of the program with 32,767 employees (resident set, MiB):"
awk '/^peak_kib_/ { sub("peak_kib_", "", $1); gsub("_", " ", $1); printf "  after %-18s %7.1f\n", $1, $2 / 1024 }' "$mem.steps"
awk -F': ' '/Maximum resident set size/ { printf "  whole run (time -v)     %7.1f\n", $2 / 1024 }' "$mem"
