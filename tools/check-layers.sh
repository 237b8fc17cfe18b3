#!/usr/bin/env bash
# Lists every #include in src/ that reaches a layer above the including
# file's own, and fails when there is one. The layers, from the bottom:
#   platform, data, db, then lists / employee / print / export, then app.
set -euo pipefail
cd "$(dirname "$0")/../src"
grep -rHo '#include "[a-z]*/' --include='*.cpp' --include='*.h' . |
  sed 's|^\./||; s|:#include "| |; s|/$||' |
  awk 'BEGIN { r["platform"] = 1; r["data"] = 2; r["db"] = 3; r["lists"] = 4; r["employee"] = 4;
               r["print"] = 4; r["export"] = 4; r["app"] = 5 }
       { split($1, from, "/"); if (r[$2] > r[from[1]]) { print $1 " includes " $2 "/"; bad = 1 } }
       END { exit bad }'
