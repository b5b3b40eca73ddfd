#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package into a temporary folder and checks its files and dependencies.
# Usage: deb_check.sh CPACK BUILD_FOLDER
set -u
cpack=$1 build=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$out" >"$out/log" 2>&1 || { cat "$out/log"; exit 1; }
deb=$(ls "$out"/*.deb)
failed=0
files=$(dpkg-deb -c "$deb")
for f in usr/bin/ql708 usr/bin/ql708-cli usr/share/ql708/QL708Help.htm usr/share/applications/ql708.desktop \
         usr/share/icons/hicolor/scalable/apps/ql708.svg usr/lib/udev/rules.d/70-ql708.rules \
         usr/share/doc/ql708/copyright usr/lib/systemd/user/ql708-monitor.service; do
  echo "$files" | grep -q " \./$f\$" || { echo "not in the package: /$f"; failed=1; }
done
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libqt6core6 libhidapi-hidraw0 libmosquitto1; do
  case $depends in *"$lib "*) ;; *) echo "Depends lacks $lib: $depends"; failed=1 ;; esac
done
exit $failed
