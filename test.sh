#!/usr/bin/env bash
# Installs what is needed, builds Rotawise with its tests and runs the whole
# suite headless (the installed program among it). Exits 0 only when every
# test passed.
source "$(dirname "$0")/tools/setup-common.sh"
install_packages
build_program -DROTAWISE_TESTS=ON
cd "$ROOT/build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" --timeout 300
