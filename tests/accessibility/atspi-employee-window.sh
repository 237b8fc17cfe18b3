#!/usr/bin/env bash
# The employee window read by a real AT-SPI client (pyatspi, as Orca reads
# it): a private D-Bus session with the accessibility bus and its registry, a
# window manager, on a virtual display of its own (xvfb-run -a picks a free
# number, so runs side by side never meet).
# Usage: atspi-employee-window.sh PROGRAM EMPTY_EMPLOYEE_MDB
set -euo pipefail
HERE="$(cd "$(dirname "$0")" && pwd)"
for tool in xvfb-run dbus-run-session openbox /usr/libexec/at-spi-bus-launcher \
            /usr/libexec/at-spi2-registryd; do
  command -v "$tool" >/dev/null || { echo "FAILED: $tool is not installed" >&2; exit 1; }
done
/usr/bin/python3 -c "import pyatspi" 2>/dev/null ||
  { echo "FAILED: python3-pyatspi is not installed" >&2; exit 1; }
unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS DISPLAY WAYLAND_DISPLAY
exec timeout 90 xvfb-run -a -s "-screen 0 1280x1024x24" \
  dbus-run-session -- /usr/bin/python3 "$HERE/atspi_employee_window.py" "$1" "$2"
