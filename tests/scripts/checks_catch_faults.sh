#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The licence and layering checks fail on a small tree that breaks their rules, naming each
# file at fault, and pass on the same tree once it keeps them. $1: the folder of the checks.
set -u
checks=$1
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
spdx='// SPDX-License-Identifier: GPL-3.0-or-later'
mkdir -p "$tree/graph" "$tree/common" "$tree/gadgets" "$tree/meter"
printf '%s\n#include "common/Clock.h"\n' "$spdx" >"$tree/graph/Good.cpp"
printf '%s\n' "$spdx" >"$tree/common/Clock.h"
printf '#!/bin/sh\n# SPDX-License-Identifier: GPL-3.0-or-later\n' >"$tree/run.sh"
sh "$checks/spdx_check.sh" "$tree" && sh "$checks/layering_check.sh" "$tree" || { echo "a clean tree fails"; exit 1; }

printf '#include "common/Clock.h"\n' >"$tree/graph/NoLicence.cpp"
printf '#!/bin/sh\necho\n' >"$tree/tool"
out=$(sh "$checks/spdx_check.sh" "$tree") && { echo "missing licence lines pass"; exit 1; }
for f in graph/NoLicence.cpp tool; do
  printf '%s\n' "$out" | grep -q "^$f:" || { echo "not named: $f"; exit 1; }
done

printf '%s\n#include "app/TfrmMain.h"\n' "$spdx" >"$tree/graph/Up.cpp"
printf '%s\n#include "graph/TfrmGraph.h"\n' "$spdx" >"$tree/meter/Sideways.cpp"
printf '%s\n' "$spdx" >"$tree/gadgets/New.h"
out=$(sh "$checks/layering_check.sh" "$tree") && { echo "includes that point up pass"; exit 1; }
for f in graph/Up.cpp meter/Sideways.cpp gadgets/New.h; do
  printf '%s\n' "$out" | grep -q "^$f:" || { echo "not named: $f"; exit 1; }
done
printf '%s\n' "$out" | grep -q '^graph/Good.cpp' && { echo "a good include is reported"; exit 1; }
exit 0
