#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Includes point down: a file includes headers of its own folder and of the folders below it in
# the table, nothing else. Each folder names only folders listed before it, so no two folders
# depend on each other in a circle; app/, the shell, is last and nothing includes it. Tests,
# benchmarks and fuzz targets stand outside the layers. A new folder has to take its place here.
# $1: the source tree.
set -u
root=$1
here=$(dirname "$0")

layers='
common:
analysis: common
chart: common analysis
widgets: common
meter: common widgets
data: common analysis meter
panel: common widgets meter
graph: common widgets analysis chart data
monitor: common analysis meter data
realtime: common widgets analysis chart data graph meter monitor
output: common widgets analysis chart data graph
leq: common widgets analysis chart data graph meter
datalogger: common widgets analysis chart data graph meter
cli: common analysis chart data meter monitor output
app: common widgets analysis chart data graph meter monitor panel realtime output leq datalogger
'
outside=' tests bench fuzz '

problems=$(printf '%s\n' "$layers" | awk -F': *' '
  NF == 0 || $1 == "" { next }
  {
    n = split($2, deps, " ")
    for (i = 1; i <= n; i++)
      if (!(deps[i] in known))
        print "layers: " $1 " stands on " deps[i] ", which is not listed before it"
    known[$1] = 1
  }')

files=$(sh "$here/source_files.sh" "$root") || exit 1
for f in $files; do
  case "$f" in *.cpp|*.h) ;; *) continue ;; esac
  case "$f" in */*) ;; *) continue ;; esac
  folder=${f%%/*}
  case "$outside" in *" $folder "*) continue ;; esac
  allowed=$(printf '%s\n' "$layers" | sed -n "s/^$folder:\(.*\)/\1/p")
  if ! printf '%s\n' "$layers" | grep -q "^$folder:"; then
    problems="$problems
$f: folder $folder/ has no place in the layers"
    continue
  fi
  for used in $(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([A-Za-z0-9_]*\)\/.*/\1/p' "$root/$f" | sort -u); do
    [ "$used" = "$folder" ] && continue
    case " $allowed " in
      *" $used "*) ;;
      *) problems="$problems
$f: includes $used/, which $folder/ may not use" ;;
    esac
  done
done
problems=$(printf '%s\n' "$problems" | sed '/^$/d')
[ -z "$problems" ] && exit 0
printf '%s\n' "$problems"
exit 1
