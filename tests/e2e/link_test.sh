#!/usr/bin/env bash
# Faults on the line as the running program meets them: a frame with a bad layout is a read (values and
# serial number unknown, the port kept open), a parity error breaks the link (the port opened again).
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
COM=68
# Every open asks the tty for the line settings; the test environment keeps a record of each request.
opens() { grep -c "databits=7" "$KX205_TERMIOS_LOG" 2>/dev/null; }
NO_LINK="Brak łączności z przyrządem"
settings_seed $COM "$KX205_WINE_ROOT/unused.csv" 60 0 0

note "every third frame without its CR: shown as no link, the port stays open"
sim_start $COM --period 300 --serial 13330 --speed 12.3 --direction 270 --no-cr-every 3
: > "$KX205_TERMIOS_LOG"
kx_start link
wait_for 30 has_xwin "$CAPTION" || fail "no main window"
seen=""
for _ in $(seq 40); do seen="$seen|$(control_text 1005)|$(control_text 1019)"; sleep 0.1; done
case "$seen" in *"|Pomiar --> OK|13330"*) ;; *) fail "no good frame shown: $seen" ;; esac
case "$seen" in *"|$NO_LINK|????"*) ;; *) fail "the bad frames were not shown as no link: $seen" ;; esac
[ "$(opens)" = 2 ] || fail "the port was opened $(opens) times, not twice (the check at start, then the worker)"

note "every third frame with a parity error: the port is opened again each time"
sim_stop $COM
sim_start $COM --period 300 --serial 13330 --parity-error-every 3
before="$(opens)"
wait_until 15 '[ "$(opens)" -ge $((before + 4)) ]' || fail "the port was not reopened after parity errors"
wait_until 10 '[ "$(control_text 1019)" = 13330 ]' || fail "no good frames between the errors"
press "$(xwins "$CAPTION")" alt+F4
[ "$(exit_code link 15)" = 0 ] || fail "exit code"
echo "PASS: bad layout and parity errors"
