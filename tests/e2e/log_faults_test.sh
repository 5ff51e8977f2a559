#!/usr/bin/env bash
# The log file when things go wrong: the disk fills up while logging, another program holds the file, the
# program is killed. It keeps running, says so in its status line, and no record is lost or cut in two.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
COM=69
COM2=8 # a second instance's instrument: -P takes one digit
log="$KX205_WINE_ROOT/faults.csv"
other="$KX205_WINE_ROOT/faults-other.csv"
WHOLE=$'^[0-9]{4}\\.[0-9]{2}\\.[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2},[0-9.?]+,[0-9?]+\r$'
whole_records() { # FILE: every line after the header is a whole record and the file ends in one
  [ "$(tail -c 2 "$1" | od -An -tx1 | tr -d ' \n')" = 0d0a ] && ! grep -v '^Data' "$1" | grep -q -v -E "$WHOLE"
}
sim_start $COM --period 300 --serial 13330 --speed 12.3 --direction 270
sim_start $COM2 --period 300 --serial 777 --speed 1.0 --direction 10

note "the disk fills up while logging: the status line says so, and once there is room again logging goes on"
# The file already holds whole records up to a little less than a record under 1 KB, the most the program
# may write: the header and a record still fit, the next record only in part.
rm -f "$log"
for _ in $(seq 33); do printf '2026.01.01 00:00:00,1.0,10\r\n'; done >"$log"
settings_seed $COM "$log" 1 65536 1
KX_FILE_LIMIT=1 kx_start full
wait_for 30 has_text "Plik rejestracji pomiarów już istnieje. Skasować go?" || fail "no question about the log"
press "$(xwins "$CAPTION" | tail -n 1)" n # append
wait_until 20 '[ "$(control_text 1006)" = "Błąd podczas zapisu do pliku" ]' || fail "the full disk was not reported"
whole_records "$log" || fail "a record cut in two: $(tail -c 80 "$log" | od -c | tail -n 4)"
size="$(stat -c %s "$log")"
prlimit --pid "$(kx_pid)" --fsize=unlimited || fail "cannot give the disk room again"
wait_until 10 '[ "$(control_text 1006)" = "Rejestracja do pliku co 00h 00m 01s --> OK" ]' || fail "logging did not resume"
wait_until 10 '[ "$(stat -c %s "$log")" -gt $((size + 60)) ]' || fail "no records after the disk had room again"
whole_records "$log" || fail "the records after the full disk are not whole"
main="$(xwins "$CAPTION")"

note "another program holds the log file: a second instance that switches to the same file while logging"
rm -f "$other"
kx_start held "$(winpath "$other")" -P$COM2
wait_for 30 xwin_other "$CAPTION" "$main" >/dev/null || fail "no second main window"
second="$(xwin_other "$CAPTION" "$main")"
wait_until 15 'grep -q ",1.0,10" "$other"' || fail "the second instance does not log"
press "$second" alt+k r
window "Rejestracja wyników"
press "$win" Tab # the name field, selected as it is entered
type_text "$win" "$(winpath "$log")"
press "$win" Return
wait_for 10 has_text "Wybrany plik rejestracji wyników pomiaru jest niedostępny." || fail "no message for the held file"
press "$(xwins "$CAPTION" | grep -v -x -e "$main" -e "$second" | head -n 1)" Return
press "$win" alt+a
wait_until 10 '[ "$(texts | grep -c "^1006 Błąd podczas otwierania pliku do zapisu")" = 1 ]' ||
  fail "the second instance does not show that it has no file"
kx_close held "$second"

note "the program killed hard: every record reported as written is in the file, whole"
wait_until 10 '[ "$(control_text 1006)" = "Rejestracja do pliku co 00h 00m 01s --> OK" ]' || fail "not logging"
records() { grep -c -E "$WHOLE" "$log"; }
first="$(records)"
wait_until 15 '[ "$(records)" -ge $((first + 2)) ]' || fail "no records while logging"
records="$(records)"
kill -9 "$(kx_pid)"
wait_for 10 ended full || fail "the program did not end"
whole_records "$log" || fail "the log does not end in a whole record after the kill"
[ "$(records)" -ge "$records" ] || fail "records reported as written are gone"
echo "PASS: full disk, a held file, a hard kill"
