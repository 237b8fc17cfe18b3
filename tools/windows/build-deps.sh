#!/usr/bin/env bash
# Builds, once, everything Rotawise needs for 64-bit Windows into a cache
# folder outside the repository: SQLite, OpenSSL, libpq, Qt (Core, Gui,
# Widgets, PrintSupport, Sql with the SQLite and PostgreSQL drivers, Test),
# libical, libxlsxwriter, mdbtools and GoogleTest. Sources come from Debian's
# archive through apt. Each library is built in a step that leaves a stamp
# when it finished, so a run after an interruption goes on where it stopped
# and a run with a full cache does nothing.
#
#   tools/windows/build-deps.sh [CACHE]   (default $ROTAWISE_WIN64_CACHE,
#                                          else ~/.cache/rotawise-win64)
# The prefix the libraries land in is CACHE/prefix.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
CACHE="${1:-${ROTAWISE_WIN64_CACHE:-$HOME/.cache/rotawise-win64}}"
PREFIX="$CACHE/prefix"
SRC="$CACHE/src"
WORK="$CACHE/build"
STAMPS="$CACHE/stamps"
HOST=x86_64-w64-mingw32
# Where the libraries believe they live on the PC. Some of them keep their
# install folder in the DLL (OpenSSL's configuration, libpq's service file,
# Qt's prefix); they are built for a Windows folder and installed into the
# cache instead, so nothing shipped names a folder of this machine.
WINPREFIX="C:/Program Files/Rotawise"
STAGE="$CACHE/stage"
JOBS="$(nproc)"
# Source file names end up in the libraries' messages (assertions, warnings):
# they are written relative to the cache, so no DLL names a folder here.
NEUTRAL_PATHS="-ffile-prefix-map=$CACHE=."
TOOLCHAIN="$ROOT/cmake/mingw-w64-x86_64.cmake"
export ROTAWISE_WIN64_PREFIX="$PREFIX"
mkdir -p "$PREFIX"/{bin,lib,include} "$SRC" "$WORK" "$STAMPS"

log() { echo "== $(date +%H:%M:%S) $*"; }

# Runs step NAME (a function) unless its stamp is there; the log of each step
# is kept beside its stamp, and shown when the step fails. A step whose recipe
# changed gets a new REVISION, so a cache made by the old recipe rebuilds it.
step() {
  local name="$1" revision="${2:-}"
  local stamp="$name${revision:+.r$revision}"
  [ -e "$STAMPS/$stamp" ] && return 0
  log "building $name"
  local started=$SECONDS status
  # In a subshell of its own, so that the first failing command ends it.
  set +e
  (set -e; "$name") >"$STAMPS/$name.log" 2>&1
  status=$?
  set -e
  if [ "$status" -ne 0 ]; then
    tail -40 "$STAMPS/$name.log" >&2
    echo "build-deps: $name failed; the whole log is $STAMPS/$name.log" >&2
    exit 1
  fi
  echo "$((SECONDS - started)) s" >"$STAMPS/$stamp"
  log "$name done in $((SECONDS - started)) s"
}

# The deb-src entries beside the deb ones, so apt can fetch Debian's sources.
enable_sources() {
  local list=/etc/apt/sources.list.d/rotawise-src.sources sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  if ! apt-get source --print-uris -qq sqlite3 >/dev/null 2>&1; then
    local from
    from="$(ls /etc/apt/sources.list.d/*.sources 2>/dev/null | grep -v rotawise-src | head -1)"
    [ -n "$from" ] || { echo "no deb822 sources file to copy the deb-src entries from" >&2; return 1; }
    sed -n '/^Types:/{s/.*/Types: deb-src/;p;d};p' "$from" | $sudo tee "$list" >/dev/null
    $sudo apt-get update -qq
  fi
}

# Fetches the upstream tarball of a Debian source package (Debian's own
# patches are not needed), trying the newest version first: a few files of
# the newest versions are sometimes missing from the archive. Prints its path.
fetch_orig() {
  local pkg="$1" version uri file size sum
  for version in $(apt-cache showsrc "$pkg" | sed -n 's/^Version: //p' | sort -rV | uniq); do
    while read -r uri file size sum; do
      case "$file" in *.orig.tar.gz|*.orig.tar.xz|*.orig.tar.bz2) ;; *) continue ;; esac
      uri="${uri//\'/}"
      if [ ! -s "$SRC/$file" ]; then
        curl -fsSL -o "$SRC/$file.part" "$uri" 2>/dev/null || { rm -f "$SRC/$file.part"; continue; }
        mv "$SRC/$file.part" "$SRC/$file"
      fi
      if [ "$(sha256sum "$SRC/$file" | cut -d' ' -f1)" = "${sum#SHA256:}" ]; then
        echo "$SRC/$file"; return 0
      fi
      rm -f "$SRC/$file"
    done < <(apt-get source --print-uris -qq "$pkg=$version" 2>/dev/null)
  done
  # The archive keeps the newer releases of some packages whose bookworm
  # tarball is gone; those are pinned by their checksum.
  local pinned
  pinned="$(printf '%s\n' "${NEWER_RELEASES[@]}" | awk -v p="$pkg" '$1 == p')"
  if [ -n "$pinned" ]; then
    read -r _ file sum <<<"$pinned"
    uri="http://deb.debian.org/debian/pool/main/${pkg:0:1}/$pkg/$file"
    [ -s "$SRC/$file" ] || curl -fsSL -o "$SRC/$file" "$uri" || rm -f "$SRC/$file"
    if [ -s "$SRC/$file" ] && [ "$(sha256sum "$SRC/$file" | cut -d' ' -f1)" = "$sum" ]; then
      echo "$SRC/$file"; return 0
    fi
  fi
  echo "no upstream tarball of $pkg could be fetched" >&2
  return 1
}
NEWER_RELEASES=(
  "mdbtools mdbtools_1.0.1.orig.tar.gz 750cbf793bf5b7e296fdc359124393a0aef89ee663b7741ba4b1ca2ce30b3b37"
)

# Unpacks the tarball of PKG into WORK/PKG (fresh) and prints that folder.
unpack() {
  local pkg="$1" tarball
  tarball="$(fetch_orig "$pkg")"
  rm -rf "${WORK:?}/$pkg"
  mkdir -p "$WORK/$pkg"
  tar -xf "$tarball" -C "$WORK/$pkg" --strip-components=1
  echo "$WORK/$pkg"
}

cmake_cross() {
  cmake -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DROTAWISE_WIN64_PREFIX="$PREFIX" \
        -DCMAKE_INSTALL_PREFIX="$PREFIX" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_C_FLAGS="$NEUTRAL_PATHS" -DCMAKE_CXX_FLAGS="$NEUTRAL_PATHS" "$@"
}

sqlite() {
  local dir
  dir="$(unpack sqlite3)"
  # Debian ships SQLite's full source; its build makes the one-file amalgamation.
  (cd "$dir" && ./configure --disable-tcl >/dev/null && make sqlite3.c sqlite3.h sqlite3ext.h)
  # One DLL, shared by Qt's driver and the program's own block reads.
  $HOST-gcc-posix -O2 -shared -o "$PREFIX/bin/sqlite3.dll" "$dir/sqlite3.c" \
    -DSQLITE_THREADSAFE=1 -DSQLITE_ENABLE_COLUMN_METADATA -DSQLITE_ENABLE_FTS5 \
    -DSQLITE_ENABLE_DBSTAT_VTAB -DSQLITE_ENABLE_UNLOCK_NOTIFY -DSQLITE_SECURE_DELETE \
    -DSQLITE_MAX_VARIABLE_NUMBER=250000 -Wl,--out-implib,"$PREFIX/lib/libsqlite3.dll.a"
  cp "$dir/sqlite3.h" "$dir/sqlite3ext.h" "$PREFIX/include/"
}

# Copies what `make DESTDIR=$STAGE install` put under the Windows prefix
# (the makefiles join the two without a slash) into the cache's prefix.
unstage() {
  cp -a "$STAGE$WINPREFIX/." "$PREFIX/"
  rm -rf "$STAGE$WINPREFIX"
}

openssl() {
  local dir
  dir="$(unpack openssl)"
  (cd "$dir" && ./Configure mingw64 --cross-compile-prefix=$HOST- CC=gcc-posix CXX=g++-posix \
      --prefix="$WINPREFIX" --openssldir="$WINPREFIX/ssl" --libdir=lib shared no-tests \
    && make -j"$JOBS" build_libs && make DESTDIR="$STAGE" install_dev install_runtime_libs)
  unstage
}

libpq() {
  local dir
  dir="$(unpack postgresql-15)"
  (cd "$dir" && ./configure --host=$HOST CC=$HOST-gcc-posix --prefix="$WINPREFIX" \
      --with-ssl=openssl --without-readline --without-zlib --without-icu \
      --without-gssapi --without-ldap \
      CPPFLAGS="-I$PREFIX/include" LDFLAGS="-L$PREFIX/lib" \
    && make -C src/interfaces/libpq -j"$JOBS" \
    && make -C src/include DESTDIR="$STAGE" install \
    && make -C src/interfaces/libpq DESTDIR="$STAGE" install)
  unstage
  # The DLL lands in lib/; a Windows program looks for it beside itself.
  cp "$PREFIX/lib/libpq.dll" "$PREFIX/bin/" 2>/dev/null || true
}

qtbase() {
  local dir
  dir="$(unpack qt6-base)"
  rm -rf "$WORK/qtbase-build"
  # CMake on Linux takes no "C:/" for a full path: Qt gets a neutral one.
  cmake_cross -S "$dir" -B "$WORK/qtbase-build" -DCMAKE_INSTALL_PREFIX=/Rotawise \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DBUILD_WITH_PCH=OFF -DFEATURE_pkg_config=OFF \
    -DINPUT_opengl=no -DFEATURE_opengl=OFF -DFEATURE_vulkan=OFF -DFEATURE_dbus=OFF \
    -DFEATURE_tabletevent=OFF -DFEATURE_xml=OFF -DFEATURE_network=OFF \
    -DFEATURE_sql=ON -DFEATURE_sql_sqlite=ON -DFEATURE_system_sqlite=ON \
    -DFEATURE_sql_psql=ON -DFEATURE_sql_odbc=OFF -DFEATURE_sql_mysql=OFF \
    -DFEATURE_sql_ibase=OFF -DFEATURE_sql_oci=OFF -DFEATURE_sql_db2=OFF \
    -DFEATURE_testlib=ON -DFEATURE_printsupport=ON -DFEATURE_concurrent=ON \
    -DSQLite3_INCLUDE_DIR="$PREFIX/include" -DSQLite3_LIBRARY="$PREFIX/lib/libsqlite3.dll.a" \
    -DPostgreSQL_ROOT="$PREFIX"
  cmake --build "$WORK/qtbase-build" -j"$JOBS"
  cmake --install "$WORK/qtbase-build" --prefix "$PREFIX"
  rm -rf "$WORK/qtbase-build"
}

libical() {
  local dir
  dir="$(unpack libical3)"
  # Its data folder (where it would look for named time zones; the calendars
  # use none but UTC) is the Windows one, not the cache's.
  sed -i "s|^set(PACKAGE_DATA_DIR .*|set(PACKAGE_DATA_DIR \"$WINPREFIX/share/libical\")|" \
    "$dir/src/libical/CMakeLists.txt"
  grep -q "PACKAGE_DATA_DIR \"$WINPREFIX" "$dir/src/libical/CMakeLists.txt"
  cmake_cross -S "$dir" -B "$dir/build" -DUSE_BUILTIN_TZDATA=ON -DICAL_GLIB=OFF \
    -DGOBJECT_INTROSPECTION=OFF -DICAL_BUILD_DOCS=OFF -DLIBICAL_BUILD_TESTING=OFF \
    -DENABLE_GTK_DOC=OFF -DWITH_CXX_BINDINGS=OFF -DICAL_GLIB_VAPI=OFF \
    -DCMAKE_DISABLE_FIND_PACKAGE_ICU=ON -DCMAKE_DISABLE_FIND_PACKAGE_BDB=ON
  cmake --build "$dir/build" -j"$JOBS"
  cmake --install "$dir/build"
}

xlsxwriter() {
  local dir
  dir="$(unpack libxlsxwriter)"
  cmake_cross -S "$dir" -B "$dir/build" -DBUILD_SHARED_LIBS=ON -DBUILD_TESTS=OFF \
    -DBUILD_EXAMPLES=OFF -DZLIB_ROOT=/usr/$HOST
  cmake --build "$dir/build" -j"$JOBS"
  cmake --install "$dir/build"
}

mdbtools() {
  local dir
  dir="$(unpack mdbtools)"
  # mdbtools' own small stand-in for GLib, so no GLib is needed on Windows,
  # and Windows' own text conversion instead of iconv (the patch). Its
  # configure names POSIX's locale_t and a spawnv that MinGW's headers
  # declare otherwise; only the library is built, which needs neither.
  (cd "$dir" && patch -p1 <"$ROOT/tools/windows/mdbtools-windows-text.patch" \
    && autoreconf -fi && ./configure --host=$HOST CC=$HOST-gcc-posix \
      --prefix="$PREFIX" --disable-glib --disable-man --disable-iconv \
      --without-bash-completion-dir \
    && sed -i 's/typedef locale_t mdb_locale_t/typedef _locale_t mdb_locale_t/' include/mdbtools.h \
    && make -j"$JOBS" -C src/libmdb CFLAGS="-O2 -Wall" && make -C src/libmdb install \
    && make -C include install && make install-pkgconfigDATA)
}

gtest() {
  cmake_cross -S /usr/src/googletest -B "$WORK/googletest" -DBUILD_GMOCK=ON -Dgtest_force_shared_crt=ON
  cmake --build "$WORK/googletest" -j"$JOBS"
  cmake --install "$WORK/googletest"
}

enable_sources
step sqlite
step openssl
step libpq
step qtbase 2
step libical 2
step xlsxwriter 2
step mdbtools
step gtest
log "all Windows libraries are in $PREFIX"
