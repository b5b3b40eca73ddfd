#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package into a temporary folder and checks its files and dependencies, then
# lints it with lintian and its AppStream metainfo with appstreamcli (each skipped, with a
# message, where the tool is missing).
# Usage: deb_check.sh CPACK BUILD_FOLDER
set -u
cpack=$1 build=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$out" >"$out/log" 2>&1 || { cat "$out/log"; exit 1; }
deb=$(ls "$out"/*.deb)
failed=0
fail() { echo "$*"; failed=1; }
files=$(dpkg-deb -c "$deb")
for f in usr/bin/ql708 usr/bin/ql708-cli usr/share/ql708/QL708Help.htm usr/share/applications/ql708.desktop \
         usr/share/icons/hicolor/scalable/apps/ql708.svg usr/lib/udev/rules.d/70-ql708.rules \
         usr/share/doc/ql708/copyright usr/share/doc/ql708/changelog.Debian.gz \
         usr/lib/systemd/user/ql708-monitor.service usr/share/mime/packages/ql708.xml \
         usr/share/man/man1/ql708.1.gz usr/share/man/man1/ql708-cli.1.gz \
         usr/share/bash-completion/completions/ql708 usr/share/bash-completion/completions/ql708-cli; do
  echo "$files" | grep -q " \./$f\$" || fail "not in the package: /$f"
done
echo "$files" | grep -q ' \./usr/share/metainfo/[^/]*\.metainfo\.xml$' || fail "no AppStream metainfo in the package"
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libqt6core6 libhidapi-hidraw0 libmosquitto1 libqt6svg6; do
  case "$depends, " in *"$lib "*|*"$lib,"*) ;; *) fail "Depends lacks $lib: $depends" ;; esac
done
# Every line of the extended description within 80 columns.
long=$(dpkg-deb -f "$deb" Description | awk 'length > 80')
[ -z "$long" ] || fail "description lines over 80 columns: $long"

if command -v lintian >/dev/null 2>&1; then
  # Errors and warnings fail; the informational tags are shown only.
  lintian --fail-on error,warning --tag-display-limit 0 "$deb" >"$out/lintian" 2>&1 || {
    cat "$out/lintian"; fail "lintian found errors or warnings"; }
else
  echo "skipped: lintian is not installed (scripts/install-deps.sh installs it)"
fi
if command -v appstreamcli >/dev/null 2>&1; then
  dpkg-deb -x "$deb" "$out/root"
  appstreamcli validate --no-net "$out"/root/usr/share/metainfo/*.metainfo.xml >"$out/appstream" 2>&1 || {
    cat "$out/appstream"; fail "appstreamcli validate refused the metainfo"; }
  grep -q '^W:\|^E:' "$out/appstream" && { cat "$out/appstream"; fail "appstreamcli validate warned"; }
else
  echo "skipped: appstreamcli is not installed (scripts/install-deps.sh installs appstream)"
fi
exit $failed
