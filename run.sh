#!/usr/bin/env bash
# Builds Rotawise (first time from nothing, then incrementally), prepares the
# data folder (~/Rotawise, or $ROTAWISE_DATA) and starts the program in it.
source "$(dirname "$0")/tools/setup-common.sh"
install_packages
build_program -DROTAWISE_TESTS=OFF

DATA="${ROTAWISE_DATA:-$HOME/Rotawise}"
mkdir -p "$DATA"
# Supplied files are copied only when the data folder lacks them (in any
# letter case, as a folder copied from Windows may spell them): a user's own
# lists, pictures and employees are never overwritten.
has_file() { [ -n "$(find "$DATA" -maxdepth 1 -iname "$1" -print -quit)" ]; }
for f in DAYS.IGH TIMES.IGH AREATIME.IGH WEEKDAYS.IGH EMPLOYEE.HLP clouds.bmp employee.bmp; do
  has_file "$f" || cp "$ROOT/install/$f" "$DATA/$f"
done
has_file employee.mdb || cp "$ROOT/build/install/employee.mdb" "$DATA/employee.mdb"

cd "$DATA"
exec "$ROOT/build/rotawise" "$@"
