#!/usr/bin/env bash
# Runs every fuzz target one after the other, each for the given seconds (600
# by default), at the lowest priority, on one core. Corpora and findings go
# into <build>/fuzz-work/<target>/; the run's output (libFuzzer's fuzz-0.log
# under -jobs) is copied to <build>/fuzz-work/<target>.log.
#   fuzz/run-fuzzers.sh <build folder> [seconds] [target ...]
set -uo pipefail
HERE="$(cd "$(dirname "$0")" && pwd)"
BUILD="$(cd "$1" && pwd)"
SECONDS_EACH="${2:-600}"
shift $(( $# >= 2 ? 2 : $# ))
TARGETS=("$@")
[ ${#TARGETS[@]} -eq 0 ] && TARGETS=(fuzz_text_codec fuzz_list_file fuzz_extras fuzz_area_settings
                                     fuzz_print_file fuzz_exempt_file fuzz_daycopy)
for t in "${TARGETS[@]}"; do
  work="$BUILD/fuzz-work/$t"
  mkdir -p "$work/corpus" "$work/findings"
  cp -n "$HERE"/seeds/* "$HERE"/../install/*.IGH "$work/corpus/" 2>/dev/null
  echo "== $t: ${SECONDS_EACH}s"
  rm -f "$work/fuzz-0.log"
  (cd "$work" && nice -n 19 "$BUILD/fuzz/$t" "$work/corpus" -max_total_time="$SECONDS_EACH" -jobs=1 \
      -print_final_stats=1 -artifact_prefix="$work/findings/" -max_len=4096 >/dev/null 2>&1)
  cp "$work/fuzz-0.log" "$work.log"
  echo "   $(grep -E 'stat::number_of_executed_units|^Done' "$work.log" | tr '\n' ' ')"
  ls "$work/findings"
done
