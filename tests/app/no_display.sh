#!/bin/sh
# The program answers --help, --version and a bad command line with no display at all.
# $1: the program.
set -u
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
failed=0

# expect <status> <stream> <text> <arguments...>
expect() {
  want=$1 stream=$2 text=$3
  shift 3
  out=$("$program" "$@" 2>/dev/null)
  err=$("$program" "$@" 2>&1 >/dev/null)
  "$program" "$@" >/dev/null 2>&1
  got=$?
  if [ "$stream" = out ]; then seen=$out; else seen=$err; fi
  case $seen in
    *"$text"*) ;;
    *) echo "ql708 $*: no \"$text\" on std$stream"; failed=1 ;;
  esac
  [ "$got" -eq "$want" ] || { echo "ql708 $*: status $got, expected $want"; failed=1; }
}

program=$1
expect 0 out "Usage: ql708" --help
expect 0 out "ql708 " --version
expect 2 err "unexpected word: x" x --version
expect 2 err "Usage: ql708" --no-such-option
exit $failed
