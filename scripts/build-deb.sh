#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package as Debian builds its own: with the compiler and linker flags of
# dpkg-buildflags (hardening: fortified functions, stack protector, full RELRO, bind now),
# in a build folder of its own, then lints it.
# Usage: scripts/build-deb.sh [BUILD_FOLDER]   (default: build-deb beside the sources)
set -eu
src=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$src/build-deb}
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
# CMake takes CXXFLAGS and LDFLAGS from the environment when it first configures a folder;
# it reads no CPPFLAGS, so the preprocessor's (_FORTIFY_SOURCE) go with the compiler's.
CXXFLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
LDFLAGS=$(dpkg-buildflags --get LDFLAGS)
export CXXFLAGS LDFLAGS
cmake -S "$src" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQL708_BUILD_TESTS=OFF -DQL708_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)"
(cd "$build" && cpack -G DEB)
deb=$(ls -t "$build"/*.deb | head -n 1)
if command -v lintian >/dev/null 2>&1; then
  lintian --fail-on error,warning "$deb"
fi
echo "$deb"
