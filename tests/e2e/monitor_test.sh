#!/usr/bin/env bash
# The link monitor under Wine reads the simulator through a COM port and prints the simulated values,
# then reports the broken link when the simulator goes away.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
monitor="$1"
com=21
out="$KX205_WINE_ROOT/monitor.out"
frames() { utf8 <"$out" | grep -c '12,3m/s *270° *nr 13330 *Błąd pomiaru prędkości wiatru'; }

sim_start $com --period 150 --speed 12.3 --direction 270 --serial 13330 --status 2
"$RUN" "$monitor" COM$com >"$out" 2>&1 </dev/null &
e2e_programs+=("$!")
wait_until 20 '[ "$(frames)" -ge 5 ]' || fail "no decoded frames: $(utf8 <"$out")"
grep -q 'COM21: port otwarty' "$out" || fail "no open message"
sim_stop $com
wait_until 10 'utf8 <"$out" | grep -q "COM21: łącze przerwane"' || fail "no broken-link message"
echo "PASS: the monitor printed $(frames) frames and the broken link"
