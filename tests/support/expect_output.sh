#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a program without any display and checks its exit status and a text in its output.
# Usage: expect_output.sh STATUS out|err TEXT PROGRAM [ARGUMENT...]
set -u
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
want=$1 stream=$2 text=$3
shift 3
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
"$@" >"$dir/out" 2>"$dir/err"
got=$?
failed=0
if ! grep -qF -- "$text" "$dir/$stream"; then
  echo "no \"$text\" on std$stream"
  failed=1
fi
if [ "$got" -ne "$want" ]; then
  echo "exit status $got, expected $want"
  failed=1
fi
[ $failed -eq 0 ] || { echo "--- stdout:"; cat "$dir/out"; echo "--- stderr:"; cat "$dir/err"; }
exit $failed
