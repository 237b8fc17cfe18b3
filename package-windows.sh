#!/usr/bin/env bash
# Builds Rotawise for 64-bit Windows on this Debian machine and tests it
# under Wine:
#   - installs the cross compilers, Wine and NSIS with apt-get;
#   - builds Qt and the libraries from Debian's sources once into a cache
#     outside the repository ($ROTAWISE_WIN64_CACHE, else
#     ~/.cache/rotawise-win64), reused when it is there (a cold run takes
#     about an hour on two cores);
#   - cross-builds Rotawise in Release into build-win64/ with its tests;
#   - writes dist/rotawise-<version>-win64-setup.exe and the portable
#     dist/rotawise-<version>-win64.zip;
#   - installs the setup silently into a fresh Wine prefix, starts the
#     installed program, runs rotawise.exe --export, and the test suite
#     (tools/windows/test-under-wine.sh; report in build-win64/wine-report).
# ROTAWISE_WINE_TESTS=0 leaves out the test suite under Wine.
source "$(dirname "$0")/tools/setup-common.sh"
PACKAGES=(cmake ninja-build pkg-config ccache sqlite3 tcl curl perl autoconf automake libtool
          bison flex gawk g++-mingw-w64-x86-64-posix mingw-w64-tools libz-mingw-w64-dev
          wine wine64 nsis zip unzip xvfb xauth x11-utils xdotool openbox imagemagick poppler-utils
          qt6-base-dev qt6-base-dev-tools)
install_packages

CACHE="${ROTAWISE_WIN64_CACHE:-$HOME/.cache/rotawise-win64}"
PREFIX="$CACHE/prefix"
BUILD="$ROOT/build-win64"
started=$SECONDS
"$ROOT/tools/windows/build-deps.sh" "$CACHE"
echo "== the Windows libraries took $((SECONDS - started)) s"

# The build runs its test programs under Wine to list their tests; they find
# the DLLs through WINEPATH.
export ROTAWISE_WIN64_PREFIX="$PREFIX"
GCC_DLLS="$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")"
export WINEPATH="Z:${PREFIX//\//\\}\\bin;Z:${GCC_DLLS//\//\\};Z:\\usr\\x86_64-w64-mingw32\\lib"
export WINEDEBUG=-all
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
      -DROTAWISE_WIN64_PREFIX="$PREFIX" -DROTAWISE_TESTS=ON >/dev/null
cmake --build "$BUILD" -j"$(nproc)"
rm -rf "$ROOT/dist"
(cd "$BUILD" && cpack >/dev/null) || { echo "cpack failed" >&2; exit 1; }
rm -rf "$ROOT/dist/_CPack_Packages"
SETUP="$(ls "$ROOT"/dist/rotawise-*-win64-setup.exe)"
ZIP="$(ls "$ROOT"/dist/rotawise-*-win64.zip)"
echo "Made $SETUP ($(du -h "$SETUP" | cut -f1)) and $ZIP ($(du -h "$ZIP" | cut -f1))"

# Nothing the PC gets may name a folder of this machine.
# grep -c reads it all: -q would stop early and, under pipefail, hide a find.
if unzip -p "$ZIP" | grep -a -c -e "$CACHE" -e "$ROOT/" >/dev/null; then
  echo "the package names a folder of this machine:" >&2
  unzip -l "$ZIP" | awk 'NR > 3 {print $4}' | while read -r f; do
    [ -n "$f" ] && unzip -p "$ZIP" "$f" | grep -a -c -e "$CACHE" -e "$ROOT/" >/dev/null && echo "  $f" >&2
  done
  exit 1
fi

"$ROOT/tools/windows/test-under-wine.sh" "$BUILD" "$SETUP" "$BUILD/wine-report"
