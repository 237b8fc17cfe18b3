#!/usr/bin/env bash
# Builds the Debian package dist/rotawise_<version>_<arch>.deb from a stripped
# Release build in build-release/, then checks it: desktop-file-validate,
# appstreamcli validate, lintian, and the program run from the package
# unpacked under a temporary root.
source "$(dirname "$0")/tools/setup-common.sh"
PACKAGES+=(dpkg-dev file desktop-file-utils appstream lintian binutils)
install_packages

BUILD="$ROOT/build-release"
# Debian's own compiler and linker flags, with every hardening feature.
export DEB_BUILD_MAINT_OPTIONS="hardening=+all"
CXXFLAGS="$(cd "$ROOT" && dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DROTAWISE_TESTS=OFF \
      -DCMAKE_CXX_FLAGS="$CXXFLAGS" -DCMAKE_EXE_LINKER_FLAGS="$LDFLAGS" >/dev/null
cmake --build "$BUILD" -j"$(nproc)"
rm -rf "$ROOT/dist"
(cd "$BUILD" && cpack -G DEB >/dev/null)
DEB="$(ls "$ROOT"/dist/rotawise_*.deb)"
rm -rf "$ROOT/dist/_CPack_Packages"
echo "Made $DEB"

UNPACKED="$(mktemp -d)"
trap 'rm -rf "$UNPACKED"' EXIT
dpkg-deb -x "$DEB" "$UNPACKED"
echo "== files"
dpkg-deb -c "$DEB" | awk '{print $6}'
echo "== depends"
dpkg-deb -f "$DEB" Depends
echo "== desktop-file-validate"
desktop-file-validate "$UNPACKED"/usr/share/applications/*.desktop && echo "passed"
echo "== appstreamcli validate"
appstreamcli validate --no-net "$UNPACKED"/usr/share/metainfo/*.metainfo.xml
echo "== lintian"
lintian --info --fail-on error,warning "$DEB" && echo "passed"
echo "== the unpacked program, started with an empty home"
"$ROOT/tests/install/installed-program.sh" --prefix "$UNPACKED/usr" "$ROOT"
