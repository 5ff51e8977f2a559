#!/usr/bin/env bash
# kx205.exe at work: live values on screen and through the DDE probe, the log file's bytes, a new
# instrument and an unplugged one seen through DDE, a second instance, the keys that must not close the
# window and the one that does, and Uninstall.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
COM=62   # the instrument
COM2=7   # the second instance's instrument: -P takes one digit
log="$KX205_WINE_ROOT/running.csv"
second_log="$KX205_WINE_ROOT/second.csv"
rm -f "$log" "$second_log"
settings_seed $COM "$log" 1 65536 1 # CSV, a record every second
sim_start $COM --period 300 --serial 13330 --speed 12.3 --direction 270 --new-serial 4660
SPEED="Prędkość"
CR=$'\r' NL=$'\n'
NO_LINK="Brak łączności z przyrządem"

note "live values on screen and through DDE"
kx_start first
wait_for 30 has_xwin "$CAPTION" || fail "no main window"
main="$(xwins "$CAPTION")"
wait_until 20 '[ "$(control_text 1019)" = 13330 ]' || fail "serial number field: $(control_text 1019)"
[ "$(control_text 1005)" = "Pomiar --> OK" ] || fail "status line: $(control_text 1005)"
wait_until 10 '[ "$(control_text 1006)" = "Rejestracja do pliku co 00h 00m 01s --> OK" ]' ||
  fail "logging status line: $(control_text 1006)"
[ "$(probe)" = "$SPEED#13330${NL}Kierunek#13330" ] || fail "topics: $(probe)"
[ "$(probe speed Wynik)" = "12,3" ] || fail "speed Wynik: $(probe speed Wynik)"
[ "$(probe direction Pomiar)" = "270°" ] || fail "direction Pomiar: $(probe direction Pomiar)"
[ "$(probe "$SPEED#13330" Status)" = "Pomiar --> OK" ] || fail "Status: $(probe "$SPEED#13330" Status)"
shot running-live
read -r low high < <(pixel_range "$main" "#00FF00")
[ "$low" -gt 100 ] || fail "the speed read-out is not shown steadily: $low to $high green pixels"

note "the log file's bytes after a few intervals"
wait_until 15 '[ "$(grep -c "$CR\$" "$log")" -ge 5 ]' || fail "fewer than 4 records in $log"
header="$(head -c 42 "$log" | od -An -tx1 | tr -d ' \n')"
[ "$header" = "44617461206920476f647a696e612c5072ea646b6f9ce65b6d2f735d2c4b696572756e656b5bb05d0d0a" ] ||
  fail "CSV header bytes: $header"
tail -n +2 "$log" | head -n 4 | grep -v -E $'^[0-9]{4}\\.[0-9]{2}\\.[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2},12\\.3,270\r$' &&
  fail "a record that is not 'yyyy.MM.dd HH:mm:ss,12.3,270'"

note "Enter and Esc do not close the window"
press "$main" Return Escape
sleep 1
[ "$(exit_code first 0)" = running ] && has_xwin "$CAPTION" || fail "Enter or Esc closed the window"

note "another instrument on the line: the old conversation ends, the new topics serve"
probe_start advise --advise speed Wynik
advise="$KX205_WINE_ROOT/advise.out"
wait_until 15 '[ "$(grep -c " 12,3$CR\$" "$advise")" -ge 2 ]' || fail "no advise updates: $(utf8 <"$advise")"
"$KX205_SIM_CTL" serial-change $COM
[ "$(exit_code advise 10)" = 4 ] || fail "the advise loop on the old topic did not end: $(utf8 <"$advise")"
wait_until 10 '[ "$(probe)" = "$SPEED#4660${NL}Kierunek#4660" ]' || fail "new topics: $(probe)"
probe "$SPEED#13330" Wynik >/dev/null && fail "the old topic still connects"
[ "$(probe "Kierunek#4660" Wynik)" = 270 ] || fail "new topic: $(probe "Kierunek#4660" Wynik)"

note "the instrument unplugged, then plugged in again"
sim_stop $COM
wait_until 10 '[ "$(control_text 1005)" = "$NO_LINK" ]' || fail "status after unplugging: $(control_text 1005)"
probe >/dev/null && fail "the DDE service outlived the instrument"
[ "$(control_text 1019)" = "????" ] || fail "serial number field after unplugging: $(control_text 1019)"
shot running-unplugged
read -r low high < <(pixel_range "$main" "#00FF00")
[ "$low" = 0 ] && [ "$high" -gt 100 ] || fail "the unknown speed does not blink: $low to $high green pixels"
sim_start $COM --period 300 --serial 13330 --speed 7.5 --direction 90
wait_until 15 '[ "$(probe speed Pomiar)" = "7,5m/s" ]' || fail "no values after plugging in again"

note "a second instance: Uninstall greyed there, not in the first"
sim_start $COM2 --period 300 --serial 777 --speed 1.0 --direction 10
kx_start second "$(winpath "$second_log")" -P$COM2
wait_for 30 xwin_other "$CAPTION" "$main" >/dev/null || fail "no second main window"
second="$(xwin_other "$CAPTION" "$main")"
wait_for 20 grep -q ',1.0,10' "$second_log" 2>/dev/null || fail "the second instance does not log"
press "$second" alt+k
sleep 0.5
shot running-second-instance-menu
press "$second" i
sleep 1
press "$second" Escape Escape
settings_exist || fail "Uninstall ran in the second instance"
[ "$(exit_code second 0)" = running ] || fail "the second instance ended"
press "$second" alt+F4
[ "$(exit_code second 15)" = 0 ] || fail "the second instance did not exit with 0"

note "Alt+F4 closes the window: exit 0, the log ends in a whole record"
press "$main" alt+F4
[ "$(exit_code first 15)" = 0 ] || fail "Alt+F4 did not exit with 0"
[ "$(tail -c 2 "$log" | od -An -tx1 | tr -d ' \n')" = 0d0a ] || fail "the log does not end in a whole record"
tail -n +2 "$log" | grep -v -E $'^[0-9.]{10} [0-9:]{8},[0-9?.]+,[0-9?]+\r$' && fail "a damaged record"

note "Uninstall in the first instance removes the settings"
settings_seed $COM "$log" 1 65536 0 # logging off: no question about the existing file
kx_start uninstall
wait_for 30 has_xwin "$CAPTION" || fail "no main window"
main="$(xwins "$CAPTION")"
press "$main" alt+k i
wait_for 10 has_text "Deinstalacja została zakończona pomyślnie!" || fail "no uninstall message"
press "$(xwin_other "$CAPTION" "$main")" Return
[ "$(exit_code uninstall 15)" = 0 ] || fail "Uninstall did not end the run with 0"
settings_exist && fail "the settings key survived Uninstall"
echo "PASS: live values, log, DDE, serial change, unplugging, second instance, closing, Uninstall"
