#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Every source file (C++, CMake, shell) names its licence on its first line, or on its second
# after a #! line. Prints the files that do not and fails. $1: the source tree.
set -u
root=$1
here=$(dirname "$0")
tag='SPDX-License-Identifier: GPL-3.0-or-later'
missing=0
files=$(sh "$here/source_files.sh" "$root") || exit 1
for f in $files; do
  path="$root/$f"
  [ -f "$path" ] || continue
  first=$(head -n 1 "$path")
  case "$f" in
    *.cpp|*.h|*.cmake|CMakeLists.txt|*/CMakeLists.txt|*.sh) ;;
    *) case "$first" in '#!'*) ;; *) continue ;; esac ;;
  esac
  case "$first" in
    '#!'*) line=$(sed -n 2p "$path") ;;
    *) line=$first ;;
  esac
  case "$line" in
    *"$tag"*) ;;
    *) echo "$f: no licence line ($tag)"; missing=$((missing + 1)) ;;
  esac
done
[ "$missing" -eq 0 ]
