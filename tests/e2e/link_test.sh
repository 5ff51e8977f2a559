#!/usr/bin/env bash
# The line as the running program meets it: the settings it asks of the tty; a frame with a bad layout is
# a read (values and serial number unknown, the port kept open); noise, parity errors and frames without CR
# mixed in never show or serve a wrong value;
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
kx_open link
# A pty cannot hold 7 data bits, so what was asked for is the evidence for them; the rest the tty holds.
wait_until 10 'grep -q -x "baud=300 databits=7 parity=none stopbits=1" "$KX205_TERMIOS_LOG"' ||
  fail "asked: $(cat "$KX205_TERMIOS_LOG")"
wait_until 5 'grep -q -x "baud=300 databits=8 parity=none stopbits=1 crtscts=0 ixon=0 ixoff=0" "$held"' ||
  fail "the tty holds: $(cat "$held")"

note "every third frame without its CR: shown as no link, the port stays open"
# The status line and the serial number from one look at the window, gathered until both kinds were seen.
seen=""
look() {
  seen="$seen|$(texts | awk '$1 == 1005 { sub(/^1005 /, ""); s = $0 } $1 == 1019 { n = $2 } END { print s "/" n }')"
  [[ $seen == *"|Pomiar --> OK/13330"* && $seen == *"|$NO_LINK/????"* ]]
}
wait_for 30 look || fail "good frames and the bad ones as no link were not both shown: $seen"
[ "$(opens)" = 2 ] || fail "the port was opened $(opens) times, not twice (the check at start, then the worker)"

note "noise, parity errors and frames without CR mixed in: no wrong value is ever shown or served"
# Frame N carries N tenths of m/s; the simulator says which frames it spoiled. Logged every second and asked
# for through DDE meanwhile, a speed may be unknown but never one of a spoiled frame, nor one not yet sent.
sim_stop $COM
log="$KX205_WINE_ROOT/link.csv"
rm -f "$log"
settings_seed $COM "$log" 1 65536 1
kx_close link
sim_start $COM --period 0 --count-speed --direction 270 --noise-every 3 --parity-error-every 5 --no-cr-every 7 \
  --verbose
kx_open link
served=""
logged() { tail -n +2 "$log" 2>/dev/null | grep -c -v '?????'; }
wait_until 120 'served="$served $(probe speed Wynik | tr -d ,) $(probe direction Wynik)"; [ "$(logged)" -ge 5 ]' ||
  fail "hardly any values were logged: $(cat "$log")"
sim_stop $COM # every frame it sent is in its record once it has ended
sent="$KX205_WINE_ROOT/sim-com$COM.log"
wrong="$( { echo "$served" | tr ' ' '\n'; tail -n +2 "$log" | cut -d , -f 2,3 | tr -d '.\r' | tr ',' '\n'; } |
  grep -E '^[0-9]+$' | sort -un | awk -v sent="$sent" '
    BEGIN { while ((getline line < sent) > 0) if (line ~ /^frame /) { split(line, f, /[ :]+/); last = f[2] + 0
            if (line ~ /\(/) spoiled[f[2] + 0] = 1 } }
    $1 != 270 && ($1 > last || ($1 in spoiled)) { print }')"
[ -z "$wrong" ] || fail "values that were not sent whole: $wrong"

note "the line goes quiet: the link is reported lost after the 3 s read timeout, not before"
stamps="$KX205_WINE_ROOT/silence-stamps.txt"
sim_start $COM --period 0 --serial 13330 --speed 5.0 --direction 90 --silence-after 10 --silence-seconds 60 \
  --stamp-file "$stamps"
wait_until 20 '[ "$(control_text 1005)" = "Pomiar --> OK" ]' || fail "no frames before the silence"
wait_until 20 '[ "$(control_text 1005)" = "$NO_LINK" ]' || fail "the silence was not reported"
reported="$(date +%s%N)" # the report came before this moment
sim_stop $COM            # writes when it sent each frame: the last one came before the silence
quiet_ms=$(( (reported - $(tail -n 1 "$stamps" | cut -d ' ' -f 2)) / 1000000 ))
[ "$quiet_ms" -ge 2900 ] || fail "the silence was reported $quiet_ms ms after the last frame, before the read timeout"

note "a stream of zero bytes: the link is reported lost, then frames are read again"
sim_start $COM --period 0 --serial 13330 --speed 5.0 --direction 90 --zeros-after 10 --zeros-seconds 8
wait_until 20 '[ "$(control_text 1019)" = 13330 ]' || fail "no frames before the zero bytes"
wait_until 20 '[ "$(control_text 1005)" = "$NO_LINK" ]' || fail "the zero bytes were not reported as a lost link"
wait_until 20 '[ "$(control_text 1005)" = "Pomiar --> OK" ]' || fail "no frames after the zero bytes"

note "unplugged in the middle of a frame: no link, no service, the unknown speed blinks; then plugged in again"
sim_stop $COM # frames back to back: the line is cut inside one
wait_until 10 '[ "$(control_text 1005)" = "$NO_LINK" ]' || fail "unplugging was not reported"
probe >/dev/null && fail "the DDE service outlived the instrument"
# The port does not exist meanwhile: opening it fails again and again, and the window still answers.
[ "$(control_text 1019)" = "????" ] || fail "serial number field after unplugging: $(control_text 1019)"
blinks "$main" "#00FF00" || fail "the unknown speed does not blink: $blink_seen"
shot link-unplugged
sim_start $COM --period 0 --serial 13330 --speed 6.0 --direction 90
wait_until 20 '[ "$(probe speed Pomiar)" = "6,0m/s" ]' || fail "no values after plugging in again"
kx_close link
echo "PASS: line settings, bad layout, mixed faults, silence, zero bytes, unplugging"
