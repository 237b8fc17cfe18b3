#!/usr/bin/env bash
# Builds Rotawise (first time from nothing, then incrementally) and starts it.
# The program prepares its data folder itself: FOLDER when one is given
# ("./run.sh FOLDER"), else $ROTAWISE_DATA, else ~/Rotawise.
source "$(dirname "$0")/tools/setup-common.sh"
install_packages
build_program -DROTAWISE_TESTS=OFF
exec "$ROOT/build/rotawise" "$@"
