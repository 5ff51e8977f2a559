#!/usr/bin/env bash
# The menu's dialogs in the running program, with real key presses: help without a help file (the guide), the logging settings (a bad interval refused, a good one applied to
# the open log and saved), a port that no longer opens refused, and another port chosen while frames arrive.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
COM=64
COM2=65
log="$KX205_WINE_ROOT/menu.csv"
rm -f "$log"
settings_seed $COM "$log" 1 65536 1
sim_start $COM --period 300 --serial 1111 --speed 1.0 --direction 10
sim_start $COM2 --period 300 --serial 2222 --speed 2.0 --direction 20
kx_open menu
wait_until 20 '[ "$(control_text 1019)" = 1111 ]' || fail "no frames from COM$COM"

note "the guide (there is no help file) from the menu and from F1 in the main window"
GUIDE="Pomoc — Rizuzedarar KX-205"
for keys in "alt+c s" F1; do
  press "$main" $keys
  wait_for 10 has_xwin "$GUIDE" || fail "$keys opened no guide"
  shot help-guide
  press "$(xwins "$GUIDE")" alt+F4
  wait_for 5 eval '! has_xwin "$GUIDE"' || fail "the guide did not close"
done

note "the logging settings: a bad interval is refused, a good one applies and is saved"
LOG_DIALOG="Rejestracja wyników"
press "$main" alt+k r
window "$LOG_DIALOG"
# From the check box, Tab goes to the name, the chooser button and then the hours: each field is selected
# as it is entered, so typing replaces it.
press "$win" Tab Tab Tab
type_text "$win" 00
press "$win" Tab
type_text "$win" 60
press "$win" Return
wait_for 10 has_text "Niepoprawna wartość interwału!" || fail "a 60-minute interval was not refused"
press "$(xwin_other "$CAPTION" "$main")" Return
has_xwin "$LOG_DIALOG" || fail "the refused interval closed the dialog"
press "$win" Tab
type_text "$win" 05
press "$win" shift+Tab
type_text "$win" 00
press "$win" Return
# OK closes the open log and opens it again: it exists, so the question comes; No appends.
wait_for 10 has_text "Plik rejestracji pomiarów już istnieje. Skasować go?" || fail "no question about the log"
before="$(wc -l <"$log")"
press "$(xwin_other "$CAPTION" "$main")" n
wait_until 10 '[ "$(control_text 1006)" = "Rejestracja do pliku co 00h 00m 05s --> OK" ]' ||
  fail "logging status line: $(control_text 1006)"
[ "$(setting Interval)" = 0x5 ] || fail "the interval was not saved: $(setting Interval)"
[ "$(head -n "$before" "$log" | grep -c '^Data')" = 1 ] || fail "the log was not appended to"

note "another port, chosen while frames arrive"
press "$main" alt+k p
wait_for 10 has_xwin "Port szeregowy" || fail "no port dialog"
texts "Port szeregowy" | grep -qx "1020 COM$COM" || fail "the current port is not shown"
[ "$(texts "Port szeregowy" | grep -c ' item ')" = 1 ] || fail "the list is not only COM$COM2: $(texts "Port szeregowy")"
# Wine opens a tty twice without complaint, so a port held by another program cannot be made here; one
# whose device vanished after the list was filled fails the same way: refused with a warning, nothing kept.
sim_stop $COM2
press "$(xwins "Port szeregowy")" Down Return
wait_for 10 has_text "Wybrany port szeregowy jest już zajęty." || fail "no warning for a port that does not open"
press "$(xwin_other "$CAPTION" "$main")" Return
wait_for 5 has_xwin "Port szeregowy" || fail "the port dialog did not stay open after the warning"
press "$(xwins "Port szeregowy")" alt+a # Anuluj
wait_for 5 eval '! has_xwin "Port szeregowy"' || fail "Anuluj did not close the port dialog"
[ "$(setting Port)" = "0x40" ] && [ "$(control_text 1019)" = 1111 ] || fail "the refused port was taken"
sim_start $COM2 --period 300 --serial 2222 --speed 2.0 --direction 20
press "$main" alt+k p
wait_for 10 has_xwin "Port szeregowy" || fail "no port dialog"
press "$(xwins "Port szeregowy")" Down Return
wait_until 10 '[ "$(control_text 1019)" = 2222 ]' || fail "the program did not switch to COM$COM2"
[ "$(setting Port)" = "0x41" ] || fail "the port was not saved: $(setting Port)"
kx_close menu
echo "PASS: about box, help, logging settings, port"
