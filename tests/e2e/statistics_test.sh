#!/usr/bin/env bash
# The wind statistics in the running program, fed a scripted wind twenty times faster than the line rate
# (a steady wind's figures do not depend on the rate, and the 10-minute means are covered within half a
# minute): the window from the menu at its stored place, the DDE items serving what it shows, the alarm
# rising and falling at its levels, and the window's unit and the alarm's settings after a restart.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
COM=73
STATS="Statystyka wiatru"
# The instrument sends SPEED, the direction swinging across north between 350° and 10°.
wind() {
  sim_stop $COM
  sim_start $COM --baud 6000 --period 0 --serial 13330 --series "$1/350*1,$1/10*1"
}
shown() { control_text "$1" "$STATS"; }
open_statistics() {
  press "$main" alt+k s
  window "$STATS"
  stats="$win"
}
settings_seed $COM "$KX205_WINE_ROOT/unused.csv" 60 0 0
# Its place, left 20, top 30, right 520, bottom 530, as the program stores it.
wine reg add "$KEY" /v "Stats Window" /t REG_BINARY /d 140000001e0000000802000012020000 /f >/dev/null 2>&1 ||
  fail "cannot store the window's place"
wind 12.0
kx_open stats

note "a steady 12,0 m/s from 350° and 10°: the figures in the window and through DDE"
open_statistics
[ "$(texts "$STATS" | grep '^window ')" = "window 20 30 500 500" ] || fail "not at its stored place"
wait_until 60 '[ "$(shown 1104)" = "12,0 m/s" ] && [ "$(shown 1106)" = "0°, odchylenie 10°" ]' ||
  fail "the 10-minute means: $(shown 1104), $(shown 1106)"
for field in "1101 Poryw" "1102 Wynik" "1103 Srednia2" "1104 Srednia10"; do
  set -- $field
  [ "$(shown "$1")" = "12,0 m/s" ] && [ "$(probe speed "$2")" = "12,0" ] ||
    fail "$2: '$(shown "$1")' shown, '$(probe speed "$2")' served"
done
[ "$(shown 1105)" = "0°, odchylenie 10°" ] || fail "the 2-minute direction: $(shown 1105)"
[ "$(probe direction Srednia2) $(probe direction Srednia10) $(probe direction Odchylenie)" = "0 0 10" ] ||
  fail "direction items: $(probe direction Srednia2) $(probe direction Srednia10) $(probe direction Odchylenie)"
shot statistics-steady

note "the alarm on the gust from 15,0 m/s, released below 13,0 m/s: raised at 18,0, held at 14,0, released at 12,0"
press "$stats" alt+a
window "Alarm"
press "$win" space alt+r # on; the threshold's field, selected as it is entered
type_text "$win" 15
press "$win" alt+o
type_text "$win" 13
press "$win" Return
wait_until 10 '[ "$(shown 1110)" = "Alarm czuwa: poryw od 15,0 m/s przez 0 s (odwołanie poniżej 13,0 m/s)" ]' ||
  fail "alarm line: $(shown 1110)"
[ "$(probe speed Alarm)" = 0 ] || fail "an alarm at 12,0 m/s"
wind 18.0
wait_until 30 '[ "$(probe speed Alarm)" = 1 ]' || fail "no alarm at 18,0 m/s"
wait_until 30 '[ "$(probe speed Poryw)" = "18,0" ]' || fail "no gust of 18,0 m/s: $(probe speed Poryw)"
[ "$(shown 1110)" = "ALARM: poryw od 15,0 m/s (odwołanie poniżej 13,0 m/s)" ] || fail "alarm line: $(shown 1110)"
shot statistics-alarm
[ "$(pixels "$stats" "#D20000")" -gt 50 ] || fail "the raised alarm is not shown in red"
wind 14.0
wait_until 30 '[ "$(shown 1102)" = "14,0 m/s" ]' || fail "no 14,0 m/s: $(shown 1102)"
[ "$(probe speed Alarm)" = 1 ] || fail "released above the release level"
wind 12.0
wait_until 30 '[ "$(probe speed Alarm)" = 0 ]' || fail "not released at 12,0 m/s"
[ "$(shown 1101)" = "18,0 m/s" ] && [ "$(probe speed Poryw)" = "18,0" ] || fail "the gust of the last 10 minutes: $(shown 1101), $(probe speed Poryw)"

note "km/h (F1 on the field tells what it is), then a restart: the unit, the place and the alarm are kept"
TOPIC="Jednostka prędkości w tym oknie: m/s, km/h, węzły albo stopnie skali Beauforta."
press "$stats" alt+j F1
wait_for 5 has_text "" "$TOPIC" || fail "F1 on the unit showed no pop-up"
shot help-popup
xdotool key Escape
wait_for 5 eval '! has_text "" "$TOPIC"' || fail "a key did not close the pop-up"
press "$stats" alt+j Down
wait_until 10 '[ "$(shown 1102)" = "43,2 km/h" ]' || fail "no km/h: $(shown 1102)"
kx_close stats
kx_open again
open_statistics
[ "$(texts "$STATS" | grep '^window ') $(shown 1108)" = "window 20 30 500 500 km/h" ] ||
  fail "after the restart: $(texts "$STATS" | grep '^window ') $(shown 1108)"
[ "$(shown 1110)" = "Alarm czuwa: poryw od 15,0 m/s przez 0 s (odwołanie poniżej 13,0 m/s)" ] ||
  fail "the alarm's settings after the restart: $(shown 1110)"
kx_close again
echo "PASS: figures, DDE items, alarm, settings after a restart"
