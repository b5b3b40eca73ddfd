#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds QL708 and starts it; arguments go to the program (./run.sh --simulate).
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
# Warnings stay warnings here, whatever compiler the user has and whatever CI left configured.
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQL708_WERROR=OFF >/dev/null
cmake --build build -j"$(nproc)" --target ql708 ql708-cli
exec build/bin/ql708 "$@"
