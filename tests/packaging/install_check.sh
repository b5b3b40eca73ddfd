#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a temporary prefix and checks what a desktop needs is in place.
# Usage: install_check.sh CMAKE BUILD_FOLDER VERSION
set -u
cmake=$1 build=$2 version=$3
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failed=0
fail() { echo "$*"; failed=1; }

"$cmake" --install "$build" --prefix "$prefix" >/dev/null || { echo "cmake --install failed"; exit 1; }

for f in bin/ql708 bin/ql708-cli share/ql708/QL708Help.htm share/applications/ql708.desktop \
         share/icons/hicolor/scalable/apps/ql708.svg lib/udev/rules.d/70-ql708.rules \
         lib/systemd/user/ql708-monitor.service; do
  [ -s "$prefix/$f" ] || fail "missing: $f"
done
[ -x "$prefix/bin/ql708" ] && [ -x "$prefix/bin/ql708-cli" ] || fail "the programs are not executable"

desktop=$prefix/share/applications/ql708.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate refused ql708.desktop"
# The menu entry starts the installed program and shows the installed icon.
grep -qx 'Exec=ql708' "$desktop" || fail "Exec= is not the installed ql708"
grep -qx 'Icon=ql708' "$desktop" || fail "Icon= is not the installed icon"
grep -q '<svg' "$prefix/share/icons/hicolor/scalable/apps/ql708.svg" || fail "the icon is no SVG"
grep -q 'ATTRS{idVendor}=="04d9", ATTRS{idProduct}=="e000"' "$prefix/lib/udev/rules.d/70-ql708.rules" ||
  fail "the udev rule does not name the meter"
grep -q 'GROUP="plugdev"' "$prefix/lib/udev/rules.d/70-ql708.rules" || fail "the udev rule leaves out the plugdev group"
# The user unit runs the monitor into the documents folder, starts at login and comes back after a fault.
unit=$prefix/lib/systemd/user/ql708-monitor.service
grep -qx 'ExecStart=ql708-cli monitor --out %h/Documents/QL708/monitor' "$unit" || fail "the unit's ExecStart is not the monitor"
grep -qx 'Restart=on-failure' "$unit" || fail "the unit does not restart on failure"
grep -qx 'WantedBy=default.target' "$unit" || fail "the unit does not start at login"
if command -v systemd-analyze >/dev/null 2>&1; then
  # Its syntax, as systemd reads it. systemd looks for ql708-cli in its own search path, not in
  # the temporary prefix, so that complaint alone does not count.
  verdict=$(systemd-analyze verify "$unit" 2>&1 | grep "ql708-monitor.service:" | grep -v "ql708-cli is not executable" || true)
  [ -z "$verdict" ] || fail "systemd-analyze: $verdict"
fi

# Both installed programs run from the prefix without a display.
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
[ "$("$prefix/bin/ql708" --version)" = "ql708 $version" ] || fail "installed ql708 --version"
[ "$("$prefix/bin/ql708-cli" --version)" = "ql708-cli $version" ] || fail "installed ql708-cli --version"
exit $failed
