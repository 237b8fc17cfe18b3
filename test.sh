#!/usr/bin/env bash
# Installs what is needed, builds Rotawise with its tests and runs the whole
# suite headless (the installed program among it), with a temporary
# PostgreSQL server for the tests of a table kept on a server (stopped and
# removed on every way out). Exits 0 only when every test passed.
source "$(dirname "$0")/tools/setup-common.sh"
source "$ROOT/tools/pg-cluster.sh"
# The Windows cross compiler, for the quick check of the Windows toolchain file.
PACKAGES+=(g++-mingw-w64-x86-64-posix)
install_packages
install_pg_server
build_program -DROTAWISE_TESTS=ON
trap stop_pg_cluster EXIT
start_pg_cluster
# The server tests must run here, never be skipped for want of a server.
export ROTAWISE_TEST_PG_REQUIRED=1
cd "$ROOT/build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" --timeout 300
