#!/usr/bin/env bash
# The DDE service of kx205.exe as clients in other processes meet it, through DDEML and through raw
# WM_DDE_* messages as a spreadsheet talks: no service before a frame, the topics and items, what it
# refuses, advise loops of several clients on both topics, and the end of every conversation when another
# instrument comes.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
COM=63
SPEED="Prędkość"
NL=$'\n'
settings_seed $COM "$KX205_WINE_ROOT/unused.csv" 60 0 0 # logging off

note "no frame yet: no service"
sim_start $COM --silence-after 0 --silence-seconds 600
kx_open dde
wait_until 10 '[ "$(control_text 1005)" = "Oczekiwanie na wynik pomiaru..." ]' || fail "not waiting"
probe >/dev/null; [ $? = 1 ] || fail "a service without a serial number"
probe --raw "Kierunek#13330" Wynik >/dev/null; [ $? = 1 ] || fail "a raw client connected without a serial number"

note "the topics, the items, and what the service refuses"
# Frame N carries N tenths of m/s, so every frame can be told from the others.
sim_stop $COM
sim_start $COM --period 0 --count-speed --direction 270 --serial 13330 --new-serial 4660
wait_until 30 '[ "$(probe)" = "$SPEED#13330${NL}Kierunek#13330" ]' || fail "topics: $(probe)"
[ "$(probe --raw)" = "$(probe)" ] || fail "raw topics: $(probe --raw)"
status="$(control_text 1005)"
check() { # EXIT-CODE EXPECTED-TEXT PROBE-ARGUMENTS...: one request or refusal
  local code="$1" want="$2" got; shift 2
  got="$(probe "$@")"
  local rc=$?
  [ "$rc" = "$code" ] || fail "kx205dde $*: exit $rc, not $code: $got"
  [ -z "$want" ] || [ "$got" = "$want" ] || fail "kx205dde $*: '$got', not '$want'"
}
check 0 "$status" "$SPEED#13330" Status
check 0 "$status" --raw direction Status
check 0 "270°" --raw Kierunek#13330 Pomiar
check 0 270 --service "" Kierunek#13330 Wynik          # a topic named without the service: its own
check 3 "" --format 13 speed Wynik                     # CF_UNICODETEXT
check 3 "" --advise --format 13 speed Wynik
check 3 "" speed Nic
check 3 "" --poke 1,0 speed Wynik
check 3 "" --execute "[Zamknij]" direction
check 1 "" Kierunek#13331 Wynik
check 1 "" --raw "$SPEED" Wynik
check 1 "" --service KX206 Kierunek#13330 Wynik

note "advise loops of a dozen clients on both topics at once, several on one item, one of them killed"
probe_start s1 --raw --advise speed Wynik
probe_start s2 --advise speed Pomiar
probe_start d1 --advise direction Wynik
probe_start d2 --raw --advise Kierunek#13330 Pomiar
clients="s1 s2 d1 d2"
for i in $(seq 3 10); do probe_start "s$i" --advise speed Wynik; clients="$clients s$i"; done
wait_until 20 '[ "$(grep -c . "$KX205_WINE_ROOT/s10.out")" -ge 3 ]' || fail "no updates"
# The newest DDEML client killed without a word: Wine would leave every older one without updates at its
# dead window.
kill -9 "$(pgrep -n -f "kx205dde.exe --advise speed Wynik")"
clients="${clients% s10}"
enough() { local c; for c in $clients; do [ "$(grep -c . "$KX205_WINE_ROOT/$c.out")" -ge 25 ] || return 1; done; }
wait_for 90 enough || fail "the advise loops stalled"
"$KX205_SIM_CTL" serial-change $COM
for c in $clients; do
  [ "$(exit_code "$c" 20)" = 4 ] || fail "$c did not end with the old topic: $(utf8 <"$KX205_WINE_ROOT/$c.out" | tail -n 3)"
  case "$c" in
    d*) [ -z "$(utf8 <"$KX205_WINE_ROOT/$c.out" | sed '$d' | cut -d ' ' -f 2- | grep -v -x -E '270°?')" ] ||
          fail "$c was served another quantity" ;;
    *) [ "$(gaps "$c")" = 0 ] || fail "$c missed updates: $(utf8 <"$KX205_WINE_ROOT/$c.out" | tr '\n' ' ')" ;;
  esac
done
wait_until 10 '[ "$(probe)" = "$SPEED#4660${NL}Kierunek#4660" ]' || fail "new topics: $(probe)"
check 1 "" "$SPEED#13330" Wynik
check 0 "270" --raw Kierunek#4660 Wynik
kx_close dde
echo "PASS: DDE service"
