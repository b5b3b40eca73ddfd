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
         lib/systemd/user/ql708-monitor.service share/mime/packages/ql708.xml \
         share/man/man1/ql708.1.gz share/man/man1/ql708-cli.1.gz \
         share/bash-completion/completions/ql708 share/bash-completion/completions/ql708-cli; do
  [ -s "$prefix/$f" ] || fail "missing: $f"
done
[ -x "$prefix/bin/ql708" ] && [ -x "$prefix/bin/ql708-cli" ] || fail "the programs are not executable"

desktop=$prefix/share/applications/ql708.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate refused ql708.desktop"
# The menu entry starts the installed program with the files it is given and shows the
# installed icon; it opens the program's two kinds of file.
grep -qx 'Exec=ql708 %F' "$desktop" || fail "Exec= is not the installed ql708 with its files"
grep -q '^MimeType=.*application/x-ql708-collection;' "$desktop" || fail "MimeType= lacks the collections"
grep -q '^MimeType=.*application/x-ql708-graph;' "$desktop" || fail "MimeType= lacks the graph files"
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

# The file types as a desktop sees them: by name, and by their first bytes under another name.
if command -v update-mime-database >/dev/null 2>&1 && command -v update-desktop-database >/dev/null 2>&1 &&
   command -v gio >/dev/null 2>&1; then
  update-mime-database "$prefix/share/mime" >/dev/null || fail "update-mime-database refused ql708.xml"
  files=$prefix/files
  mkdir -p "$files"
  printf '\004%30s\005' '' | tr ' ' '\000' >"$files/memory.bin"
  cp "$files/memory.bin" "$files/site.rec"
  printf '\040\000\000\000QLCH\001\000\000\000' >"$files/chart.bin"
  cp "$files/chart.bin" "$files/site.ghf"
  type_of() { XDG_DATA_HOME="$prefix/share" XDG_DATA_DIRS=/usr/share gio info -a standard::content-type "$1" |
              sed -n 's/^ *standard::content-type: //p'; }
  for f in site.rec:collection memory.bin:collection site.ghf:graph chart.bin:graph; do
    got=$(type_of "$files/${f%%:*}")
    [ "$got" = "application/x-ql708-${f#*:}" ] || fail "${f%%:*} is $got, not application/x-ql708-${f#*:}"
  done
  # The program is the one offered for them, once the menu entries are indexed as the package's
  # triggers index them.
  update-desktop-database "$prefix/share/applications" || fail "update-desktop-database refused ql708.desktop"
  # GIO offers only entries whose program it finds on PATH.
  PATH="$prefix/bin:$PATH" XDG_DATA_HOME="$prefix/share" XDG_DATA_DIRS=/usr/share \
    gio mime application/x-ql708-collection 2>/dev/null |
    grep -q 'ql708.desktop' || fail "ql708.desktop is not offered for collections"
else
  echo "skipped: the file types (update-mime-database, update-desktop-database or gio is missing)"
fi

# The manual pages as man reads them, without a complaint.
if command -v man >/dev/null 2>&1; then
  for page in ql708 ql708-cli; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$prefix/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "man $page: $warnings"
  done
else
  echo "skipped: the manual pages (man is not installed)"
fi
# The completion scripts load in bash and name the commands.
grep -q 'complete -F _ql708_cli ql708-cli' "$prefix/share/bash-completion/completions/ql708-cli" ||
  fail "the ql708-cli completion does not complete ql708-cli"
bash -n "$prefix/share/bash-completion/completions/ql708-cli" || fail "the ql708-cli completion is no bash"
bash -n "$prefix/share/bash-completion/completions/ql708" || fail "the ql708 completion is no bash"

# Both installed programs run from the prefix without a display.
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
[ "$("$prefix/bin/ql708" --version)" = "ql708 $version" ] || fail "installed ql708 --version"
[ "$("$prefix/bin/ql708-cli" --version)" = "ql708-cli $version" ] || fail "installed ql708-cli --version"
exit $failed
