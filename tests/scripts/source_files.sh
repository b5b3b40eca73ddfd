#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Lists the files of a source tree, one per line, relative to it: from git when the tree is a
# checkout (tracked files and new ones not ignored), else every file outside build folders.
# $1: the tree.
cd "$1" || exit 1
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  git ls-files --cached --others --exclude-standard
else
  find . -name '.git' -prune -o -name 'build*' -prune -o -type f -print | sed 's|^\./||'
fi
