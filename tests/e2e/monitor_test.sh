#!/usr/bin/env bash
# The link monitor under Wine reads the simulator through a COM port and prints the simulated values,
# then reports the broken link when the simulator goes away.
set -uo pipefail
monitor="$1"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/../env" && pwd)"
source "$here/wine-common.sh"
com=21
out="$KX205_WINE_ROOT/monitor.out"
fail() { echo "FAIL: $*"; echo "--- monitor output:"; iconv -f CP1250 -t UTF-8 "$out"; exit 1; }

"$KX205_SIM_CTL" start $com --period 150 --speed 12.3 --direction 270 --serial 13330 --status 2 || fail "simulator"
"$here/wine-run" "$monitor" COM$com >"$out" 2>&1 </dev/null &
mon=$!
kx205_track_pid $mon
for _ in $(seq 100); do
  [ "$(grep -c 'nr 13330' "$out")" -ge 5 ] && break
  sleep 0.2
done
"$KX205_SIM_CTL" stop $com
for _ in $(seq 50); do
  grep -q 'COM21: ' "$out" && [ "$(grep -c 'COM21: ' "$out")" -ge 3 ] && break
  sleep 0.2
done
kill $mon 2>/dev/null; wait $mon 2>/dev/null

text="$(iconv -f CP1250 -t UTF-8 "$out")"
echo "$text" | head -n 12
[ "$(echo "$text" | grep -c '12,3m/s *270° *nr 13330 *Błąd pomiaru prędkości wiatru')" -ge 5 ] || fail "no decoded frames"
echo "$text" | grep -q 'COM21: port otwarty' || fail "no open message"
echo "$text" | grep -q 'COM21: łącze przerwane' || fail "no broken-link message"
echo "PASS: monitor printed $(echo "$text" | grep -c 'nr 13330') frames and the broken link"
