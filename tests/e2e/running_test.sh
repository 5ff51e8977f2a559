#!/usr/bin/env bash
# kx205.exe at work: live values on screen and through the DDE probe, the log file's bytes, a second
# instance started with a Polish file name and -D, the keys that must not close the window and the one that
# does, and Uninstall.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
COM=62   # the instrument
COM2=7   # the second instance's instrument: -P takes one digit
log="$KX205_WINE_ROOT/running.csv"
polish="$KX205_WINE_ROOT/Śnieżka.csv"
rm -f "$log" "$polish"
settings_seed $COM "$log" 1 65536 1 # CSV, a record every second
sim_start $COM --period 300 --serial 13330 --speed 12.3 --direction 270
SPEED="Prędkość"
CR=$'\r' NL=$'\n'

note "live values on screen and through DDE"
kx_open first
wait_until 20 '[ "$(control_text 1019)" = 13330 ]' || fail "serial number field: $(control_text 1019)"
wait_until 10 '[ "$(control_text 1005)" = "Pomiar --> OK" ]' || fail "status line: $(control_text 1005)"
wait_until 10 '[ "$(control_text 1006)" = "Rejestracja do pliku co 00h 00m 01s --> OK" ]' ||
  fail "logging status line: $(control_text 1006)"
wait_until 10 '[ "$(probe)" = "$SPEED#13330${NL}Kierunek#13330" ]' || fail "topics: $(probe)"
[ "$(probe speed Pomiar) $(probe direction Pomiar)" = "12,3m/s 270°" ] || fail "served: $(probe speed Pomiar)"
shot running-live
for _ in 1 2 3 4 5 6; do # over a second, a blinking value would be gone at least once
  [ "$(pixels "$main" "#00FF00")" -gt 100 ] || fail "the speed read-out is not shown steadily"
  sleep 0.17
done

note "the log file's bytes after a few intervals"
wait_until 15 '[ "$(grep -c "$CR\$" "$log")" -ge 5 ]' || fail "fewer than 4 records in $log"
header="$(head -c 42 "$log" | od -An -tx1 | tr -d ' \n')"
[ "$header" = "44617461206920476f647a696e612c5072ea646b6f9ce65b6d2f735d2c4b696572756e656b5bb05d0d0a" ] ||
  fail "CSV header bytes: $header"
tail -n +2 "$log" | head -n 4 | grep -v -E $'^[0-9]{4}\\.[0-9]{2}\\.[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2},12\\.3,270\r$' &&
  fail "a record that is not 'yyyy.MM.dd HH:mm:ss,12.3,270'"

note "Enter and Esc do not close the window (looked at after the next step)"
press "$main" Return Escape

note "a second instance: a log file with Polish letters on its command line, kept with -D; Uninstall greyed"
sim_start $COM2 --period 300 --serial 777 --speed 1.0 --direction 10
kx_start second "$(winpath "$polish")" -P$COM2 -D
wait_for 30 xwin_other "$CAPTION" "$main" >/dev/null || fail "no second main window"
second="$(xwin_other "$CAPTION" "$main")"
wait_for 20 grep -q ',1.0,10' "$polish" 2>/dev/null || fail "the second instance does not log to $polish"
[ "$(setting 'Log File' | iconv -f CP852 -t UTF-8)" = "$(winpath "$polish")" ] ||
  fail "-D stored another log file: $(setting 'Log File' | iconv -f CP852 -t UTF-8)"
# The greyed item does nothing: the about box asked for after it shows that the keys before it were handled.
press "$second" alt+k i Escape Escape alt+c o
wait_for 10 has_xwin "O programie" || fail "no about box after Uninstall in the second instance"
settings_exist || fail "Uninstall ran in the second instance"
press "$(xwins "O programie")" Return
wait_for 5 eval '! has_xwin "O programie"' || fail "OK did not close the about box"
kx_close second "$second"
[ "$(exit_code first 0)" = running ] || fail "Enter or Esc closed the first window"

note "Alt+F4 closes the window: exit 0, the log ends in a whole record"
kx_close first
[ "$(tail -c 2 "$log" | od -An -tx1 | tr -d ' \n')" = 0d0a ] || fail "the log does not end in a whole record"
tail -n +2 "$log" | grep -v -E $'^[0-9.]{10} [0-9:]{8},[0-9?.]+,[0-9?]+\r$' && fail "a damaged record"

note "Uninstall in the first instance removes the settings"
settings_seed $COM "$log" 1 65536 0 # logging off: no question about the existing file
kx_open uninstall
press "$main" alt+k i
wait_for 10 has_text "Deinstalacja została zakończona pomyślnie!" || fail "no uninstall message"
press "$(xwin_other "$CAPTION" "$main")" Return
[ "$(exit_code uninstall 15)" = 0 ] || fail "Uninstall did not end the run with 0"
settings_exist && fail "the settings key survived Uninstall"
echo "PASS: live values, log, DDE, second instance, Polish file name, closing, Uninstall"
