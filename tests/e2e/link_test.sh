#!/usr/bin/env bash
# The line as the running program meets it: the settings it asks of the tty; a frame with a bad layout is
# a read (values and serial number unknown, the port kept open), a parity error breaks the link (the port
# opened again); noise, parity errors and frames without CR mixed in never show or serve a wrong value;
# silence, a stream of zero bytes, the instrument unplugged in the middle of a frame and the port gone for
# a while are reported and recovered from.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
COM=68
# Every open asks the tty for the line settings; the test environment keeps a record of each request.
opens() { grep -c "databits=7" "$KX205_TERMIOS_LOG" 2>/dev/null; }
NO_LINK="Brak łączności z przyrządem"
settings_seed $COM "$KX205_WINE_ROOT/unused.csv" 60 0 0

note "the line settings: what the tty is asked for, and what it holds"
held="$KX205_WINE_ROOT/termios-com$COM.txt"
rm -f "$held"
sim_start $COM --period 300 --serial 13330 --speed 12.3 --direction 270 --no-cr-every 3 --termios-file "$held"
: > "$KX205_TERMIOS_LOG"
kx_start link
wait_for 30 has_xwin "$CAPTION" || fail "no main window"
# A pty cannot hold 7 data bits, so what was asked for is the evidence for them; the rest the tty holds.
grep -q -x "baud=300 databits=7 parity=none stopbits=1" "$KX205_TERMIOS_LOG" || fail "asked: $(cat "$KX205_TERMIOS_LOG")"
wait_until 5 'grep -q -x "baud=300 databits=8 parity=none stopbits=1 crtscts=0 ixon=0 ixoff=0" "$held"' ||
  fail "the tty holds: $(cat "$held")"

note "every third frame without its CR: shown as no link, the port stays open"
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

note "noise, parity errors and frames without CR mixed in: no wrong value is ever shown or served"
# Frame N carries N tenths of m/s; the simulator says which frames it spoiled. Logged every second and asked
# for through DDE meanwhile, a speed may be unknown but never one of a spoiled frame, nor one not yet sent.
sim_stop $COM
log="$KX205_WINE_ROOT/link.csv"
rm -f "$log"
settings_seed $COM "$log" 1 65536 1
press "$(xwins "$CAPTION")" alt+F4
[ "$(exit_code link 15)" = 0 ] || fail "exit code"
sim_start $COM --period 0 --count-speed --direction 270 --noise-every 3 --parity-error-every 5 --no-cr-every 7 \
  --verbose
kx_start link
wait_for 30 has_xwin "$CAPTION" || fail "no main window"
served=""
for _ in $(seq 25); do served="$served $(probe speed Wynik 2>/dev/null | tr -d ',') $(probe direction Wynik 2>/dev/null)"; done
sent="$KX205_WINE_ROOT/sim-com$COM.log"
wrong="$( { echo "$served" | tr ' ' '\n'; tail -n +2 "$log" | cut -d , -f 2,3 | tr -d '.\r' | tr ',' '\n'; } |
  grep -E '^[0-9]+$' | sort -un | awk -v sent="$sent" '
    BEGIN { while ((getline line < sent) > 0) if (line ~ /^frame /) { split(line, f, /[ :]+/); last = f[2] + 0
            if (line ~ /\(/) spoiled[f[2] + 0] = 1 } }
    $1 != 270 && ($1 > last || ($1 in spoiled)) { print }')"
[ -z "$wrong" ] || fail "values that were not sent whole: $wrong"
wait_until 30 '[ "$(tail -n +2 "$log" | grep -c -v "?????")" -ge 5 ]' || fail "hardly any values were logged: $(cat "$log")"

note "the line goes quiet: the link is reported lost after the 3 s read timeout, not before"
sim_stop $COM
sim_start $COM --period 0 --serial 13330 --speed 5.0 --direction 90 --silence-after 5 --silence-seconds 30
wait_until 10 '[ "$(control_text 1005)" = "Pomiar --> OK" ]' || fail "no frames before the silence"
seen_ok="$(date +%s%N)" # some 2 s of frames still to come, then 3 s of waiting for the next byte
wait_until 12 '[ "$(control_text 1005)" = "$NO_LINK" ]' || fail "the silence was not reported"
quiet_ms=$(( ($(date +%s%N) - seen_ok) / 1000000 ))
[ "$quiet_ms" -ge 3000 ] || fail "the silence was reported after $quiet_ms ms, before the read timeout"

note "a stream of zero bytes: the link is reported lost within a few seconds, then frames are read again"
sim_stop $COM
sim_start $COM --period 0 --serial 13330 --speed 5.0 --direction 90 --zeros-after 3 --zeros-seconds 8
wait_until 10 '[ "$(control_text 1019)" = 13330 ]' || fail "no frames before the zero bytes"
wait_until 8 '[ "$(control_text 1005)" = "$NO_LINK" ]' || fail "the zero bytes were not reported as a lost link"
wait_until 15 '[ "$(control_text 1005)" = "Pomiar --> OK" ]' || fail "no frames after the zero bytes"

note "unplugged in the middle of a frame, the port gone for a while, then plugged in again"
sim_stop $COM # frames back to back: the line is cut inside one
wait_until 5 '[ "$(control_text 1005)" = "$NO_LINK" ]' || fail "unplugging was not reported"
probe >/dev/null && fail "the DDE service outlived the instrument"
sleep 3 # the port does not exist meanwhile: opening it fails again and again
[ "$(control_text 1019)" = "????" ] || fail "the program does not answer while the port is gone"
sim_start $COM --period 0 --serial 13330 --speed 6.0 --direction 90
replugged=$SECONDS
wait_until 10 '[ "$(probe speed Pomiar)" = "6,0m/s" ]' || fail "no values after plugging in again"
[ $((SECONDS - replugged)) -le 5 ] || fail "values came $((SECONDS - replugged)) s after plugging in"
press "$(xwins "$CAPTION")" alt+F4
[ "$(exit_code link 15)" = 0 ] || fail "exit code"
echo "PASS: line settings, bad layout, parity errors, mixed faults, silence, zero bytes, unplugging"
