#!/usr/bin/env bash
# What other programs can do to kx205.exe: settings in the registry of the wrong types and sizes, a DDE
# client killed in the middle of its advise loop.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
COM=70

note "registry values of wrong types and sizes: start-up takes what it can and defaults the rest"
file="$KX205_WINE_ROOT/bad.reg"
long="$(printf 'x%.0s' $(seq 300))"
{
  printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\KORVAN\\KX-205A\\2.1]\r\n'
  printf '"Port"=dword:%08x\r\n' $COM
  printf '"Log"=hex:00\r\n'                         # one byte of four: logging off
  printf '"Interval"="abc"\r\n'                     # a string where a number belongs: its four bytes
  printf '"Format"=hex:01,02,03,04,05\r\n'          # too long: the default stays
  printf '"Log File"="%s"\r\n' "$long"              # 300 bytes: too long for the name, the default stays
  printf '"Colors"=hex:ff,00,00,00,00,00,00,00\r\n' # two colours of four
} >"$file"
settings_clear
wine regedit /S "$(winpath "$file")" >/dev/null 2>&1 || fail "cannot seed the registry"
sim_start $COM --period 0 --count-speed --serial 13330 --direction 270
kx_open clients
wait_until 10 '[ "$(control_text 1006)" = "Bez rejestracji do pliku" ]' || fail "logging: $(control_text 1006)"
press "$main" alt+k r
wait_for 10 has_xwin "Rejestracja wyników" || fail "no logging dialog"
fields="$(texts "Rejestracja wyników" | grep -E '^10(09|10|11|12|13) ')"
default_log="$(winpath "$BUILD/kx205.TXT")"
[ "$(echo "$fields" | grep '^1009 ')" = "1009 $default_log" ] || fail "log file name: $fields"
# "abc" and its zero byte as a little-endian number: 0x00636261 = 6513249 s = 1809 h 14 min 9 s.
[ "$(echo "$fields" | grep -E '^101[012] ' | cut -d ' ' -f 2 | tr '\n' ' ')" = "1809 14 09 " ] ||
  fail "interval fields: $fields"
echo "$fields" | grep -q '^1013 Tekst$' || fail "the format did not stay the default: $fields"
press "$(xwins "Rejestracja wyników")" alt+a
wait_until 10 '[ "$(pixels "$main" "#FF0000")" -gt 100 ]' || fail "the speed text did not take the stored red"

note "a DDE client killed in the middle of its advise loop: the others get every update still"
probe_start a --advise speed Wynik
probe_start b --advise speed Wynik
probe_start c --raw --advise speed Wynik
wait_until 20 '[ "$(grep -c . "$KX205_WINE_ROOT/b.out")" -ge 3 ]' || fail "no updates"
# The newer of the two DDEML clients: Wine would leave every older one without updates at its dead window.
kill -9 "$(pgrep -n -f "kx205dde.exe --advise speed Wynik")"
wait_until 30 '[ "$(grep -c . "$KX205_WINE_ROOT/c.out")" -ge 25 ]' || fail "the others stopped getting updates"
alive="$(for c in a b; do ended "$c" || echo "$c"; done) c" # the killed one has ended
for c in $alive; do [ "$(gaps "$c")" = 0 ] || fail "client $c missed updates after another was killed"; done

pkill -f "$BUILD/kx205dde.exe"
kx_close clients
echo "PASS: bad registry values, a killed client"
