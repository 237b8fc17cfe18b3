# Shared by run.sh and test.sh: install the Debian packages the program needs,
# then configure and build into build/ (incrementally after the first time).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
PACKAGES=(cmake g++ make pkg-config ccache sqlite3 libsqlite3-dev qt6-base-dev libqt6sql6-sqlite libqt6sql6-psql libpq-dev libgtest-dev libgmock-dev
          libbenchmark-dev mdbtools-dev mdbtools poppler-utils xvfb xauth x11-utils fonts-liberation2 fonts-droid-fallback
          libical-dev libxlsxwriter-dev libdeflate-dev unzip python3-pyatspi at-spi2-core dbus-x11 openbox openssl)

install_packages() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

build_program() {
  cmake -S "$ROOT" -B "$ROOT/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$ROOT/build" -j"$(nproc)"
}
