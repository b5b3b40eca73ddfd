#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages QL708 needs to build, test, package and run. Safe to run again:
# on a machine that has them all it says nothing and calls neither apt nor sudo.
set -euo pipefail

# Real package names only: dpkg-query knows nothing of virtual ones, which would look missing
# on every run.
packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev
  # the windows' icon is an SVG, drawn by Qt's SVG plugins
  qt6-svg-dev
  libhidapi-dev libqcustomplot-dev libgl-dev fonts-dejavu-core
  # the monitor's MQTT client, and the broker and clients its tests talk to on the loopback
  libmosquitto-dev mosquitto mosquitto-clients
  # the chart benchmark and its Qt Charts reference
  libbenchmark-dev qt6-charts-dev libqt6opengl6-dev
  # window tests and manual checks under a virtual X server
  xvfb xauth xdotool imagemagick x11-utils
  # the printing tests read the PDFs they print
  poppler-utils
  # the install test and the Debian package: the file types, manual pages and completion as a
  # desktop and a shell read them, lintian and the AppStream validator
  desktop-file-utils dpkg-dev file shared-mime-info libglib2.0-bin man-db bash-completion
  lintian appstream
)

missing=()
for p in "${packages[@]}"; do
  [ "$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null)" = installed ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
