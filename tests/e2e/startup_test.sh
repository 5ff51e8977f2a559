#!/usr/bin/env bash
# Start-up of kx205.exe as a new user meets it: the registration question declined, then the first-run
# registration walked through its three dialogs with the keyboard and the settings it stores; a log file
# that cannot be opened; a rejected command line.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
COM=61
log="$KX205_WINE_ROOT/first-run.csv"
rm -f "$log"
sim_start $COM --period 300 --serial 13330 --speed 4.2 --direction 135
settings_clear

note "no settings, the question answered No: exit 1 without a message"
kx_start declined
wait_for 30 has_xwin "$CAPTION" || fail "no registration question"
has_text "Czy chcesz zarejestrować ten program w systemie Windows?" || fail "not the registration question"
shot startup-question
press "$(xwins "$CAPTION")" n
[ "$(exit_code declined 15)" = 1 ] || fail "declining did not end the program with 1"
settings_exist && fail "declining stored settings"

note "registration: Yes, then the port, logging and colours dialogs"
kx_start register
wait_for 30 has_xwin "$CAPTION" || fail "no registration question"
press "$(xwins "$CAPTION")" Return
wait_for 15 has_xwin "Port szeregowy" || fail "no port dialog"
texts "Port szeregowy" | grep -qx "1014 item COM$COM" || fail "the simulator's port is not offered"
shot startup-port-dialog
press "$(xwins "Port szeregowy")" Down Return
window "Rejestracja wyników" 15
# Tick logging, then Tab into each field: the dialog selects a field's text as it is entered.
press "$win" space Tab
type_text "$win" "$(winpath "$log")"
press "$win" Tab Tab
type_text "$win" 00
press "$win" Tab
type_text "$win" 00
press "$win" Tab
type_text "$win" 02
shot startup-log-dialog
press "$win" Return
wait_for 15 has_xwin "Kolory" || fail "no colours dialog"
press "$(xwins "Kolory")" Return
wait_for 30 has_xwin "$CAPTION" || fail "no main window after the registration"
main="$(xwins "$CAPTION")"
# The Text kind: TAB between the fields, the decimal comma of the Polish locale.
wait_for 20 grep -q $'\t4,2\t135\r$' "$log" 2>/dev/null || fail "no records in $log"
for value in "Port 0x3d" "Log 0x1" "Interval 0x2" "Format 0x0" "Colors 00FF00000000000000FFFF0000000000"; do
  set -- $value
  [ "$(setting "$1")" = "$2" ] || fail "$1 is $(setting "$1")"
done
[ "$(setting 'Log File')" = "$(winpath "$log")" ] || fail "Log File is $(setting 'Log File')"
types="$(wine reg query "$KEY" 2>/dev/null | tr -d '\r' | awk 'NF >= 3 { print $(NF - 1) }' | sort | tr '\n' ' ')"
[ "$types" = "REG_BINARY REG_DWORD REG_DWORD REG_DWORD REG_DWORD REG_SZ " ] || fail "value types: $types"
shot startup-registered
kx_close register

note "a log file that cannot be opened: the logging dialog again, its chooser starting from the stored name"
missing="$KX205_WINE_ROOT/no/such/folder/wiatr.csv"
settings_seed $COM "$missing" 60 65536 1
kx_start retry
wait_for 30 has_text "Wybrany plik rejestracji wyników pomiaru jest niedostępny." ||
  fail "no message about the unavailable log file"
press "$(xwins "$CAPTION" | tail -n 1)" Return
window "Rejestracja wyników" # offered again
press "$win" Tab Tab space # from the check box over the name to the chooser's button
wait_for 10 has_xwin "Wybierz plik logu" || fail "no chooser"
texts "Wybierz plik logu" | grep -q "^1148 wiatr.csv$" || fail "the chooser did not start from the stored name"
press "$(xwins "Wybierz plik logu")" Escape
wait_for 5 eval '! has_xwin "Wybierz plik logu"' || fail "the chooser stayed"
press "$win" shift+Tab shift+Tab space Return # back to the check box: logging off, OK
wait_until 20 '[ "$(control_text 1006)" = "Bez rejestracji do pliku" ]' || fail "did not start without logging"
[ "$(setting Log)" = 0x0 ] || fail "logging switched off in the retry was not saved"
kx_close retry "$(xwins "$CAPTION")"

note "-X: the message, exit 1, no main window"
kx_start rejected -X
wait_for 30 has_xwin "$CAPTION" || fail "no message for -X"
texts | grep -q '^1005 ' && fail "a main window came up for -X"
has_text "Błędny parametr w linii wywołania!" || fail "not the command-line message"
press "$(xwins "$CAPTION")" Return
[ "$(exit_code rejected 15)" = 1 ] || fail "-X did not exit with 1"
echo "PASS: start-up, registration and command line"
