#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# ql708-cli monitor end to end against the simulated meter: SIGTERM ends it with status 0 and
# complete files; SIGKILL and a new start leave every file whole, each line a full line, each
# minute once; with a broker on a free loopback port, a killed monitor leaves "offline" there.
# Usage: monitor_check.sh CLI
set -u
cli=$1
dir=$(mktemp -d)
broker=
trap '[ -n "$broker" ] && kill "$broker" 2>/dev/null; rm -rf "$dir"' EXIT
out=$dir/mon
failed=0
fail() { echo "FAIL: $*"; failed=1; }

start() { "$cli" monitor --simulate --out "$out" "$@" 2>>"$dir/err" & pid=$!; }
stop_with() { sleep "$2"; kill -"$1" "$pid"; wait "$pid"; status=$?; }

start
stop_with TERM 3
[ "$status" -eq 0 ] || fail "SIGTERM: exit status $status"
grep -q "stopped; [0-9]* readings written" "$dir/err" || fail "no closing note: $(cat "$dir/err")"
readings=$(ls "$out"/????-??-??.csv 2>/dev/null | tail -n 1)
[ -n "$readings" ] || { echo "no readings file in $out"; exit 1; }
[ "$(tail -n 1 "$readings" | cut -d, -f6)" = gap ] || fail "the stop left no gap line"

start
stop_with KILL 2
start
stop_with TERM 2
[ "$status" -eq 0 ] || fail "after SIGKILL: exit status $status"

# Whole lines only, one heading, each minute once.
reading='^[0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9]{2}:[0-9]{2}:[0-9]{2}\.[0-9]{3}[+-][0-9]{2}:[0-9]{2},([0-9]+\.[0-9],[AC],(FAST|SLOW),[0-9]+-[0-9]+,(over|under)?|,,,,gap)$'
bad=$(tail -n +2 "$readings" | grep -Evc "$reading")
[ "$bad" -eq 0 ] || fail "$bad lines of $readings are no whole readings: $(tail -n +2 "$readings" | grep -Ev "$reading" | head -3)"
[ "$(grep -c '^time,' "$readings")" -eq 1 ] || fail "more than one heading in $readings"
minutes=${readings%.csv}-minutes.csv
[ -z "$(tail -n +2 "$minutes" | cut -d, -f1 | sort | uniq -d)" ] || fail "a minute written twice in $minutes"
[ "$(tail -c 1 "$readings" | od -An -c | tr -d ' ')" = '\n' ] || fail "$readings does not end with a line end"

# The will: a monitor killed while connected leaves "offline" with the broker.
if command -v mosquitto >/dev/null 2>&1 || [ -x /usr/sbin/mosquitto ]; then
  mosq=$(command -v mosquitto || echo /usr/sbin/mosquitto)
  # A port nothing holds: the broker ends at once on one that is taken.
  for try in 1 2 3 4 5; do
    port=$(( 20000 + ($$ * 7 + try * 1009) % 20000 ))
    printf 'listener %s 127.0.0.1\nallow_anonymous true\n' "$port" >"$dir/mosquitto.conf"
    "$mosq" -c "$dir/mosquitto.conf" >"$dir/broker.log" 2>&1 & broker=$!
    sleep 1
    kill -0 "$broker" 2>/dev/null && break
  done
  start --mqtt "127.0.0.1:$port" --topic "qlcheck"
  sleep 3
  online=$(mosquitto_sub -h 127.0.0.1 -p "$port" -t qlcheck/status -C 1 -W 5)
  level=$(mosquitto_sub -h 127.0.0.1 -p "$port" -t qlcheck/level -C 1 -W 5)
  stop_with KILL 0
  offline=$(mosquitto_sub -h 127.0.0.1 -p "$port" -t qlcheck/status -C 1 -W 5)
  [ "$online" = online ] || fail "status while running: '$online'"
  case $level in '{"time":"'*'"level":'*) ;; *) fail "no level message: '$level'" ;; esac
  [ "$offline" = offline ] || fail "status after SIGKILL: '$offline' (the will)"
else
  echo "SKIP the broker part: mosquitto is not installed (scripts/install-deps.sh installs it)"
fi
[ "$failed" -eq 0 ] && echo "monitor files whole"
exit $failed
