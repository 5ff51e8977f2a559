#!/usr/bin/env bash
# kx205.exe fed as fast as a pty allows (a pty has no baud rate), run by scripts/bench in its environment:
# the frames per second the simulator wrote, the program published and a DDE client in another process
# received, the program's CPU, and whether anything queued up (memory while fed, and what still arrived
# after the feed stopped). Judges nothing.
#   fastest_feed.sh [SECONDS]     default 30
set -uo pipefail
seconds="${1:-30}"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/../e2e/lib.sh"
COM=44
stamps="$KX205_WINE_ROOT/feed-stamps.txt"
rm -f "$stamps"
settings_seed $COM "$KX205_WINE_ROOT/unused.csv" 60 0 0
sim_start $COM --fast --count-speed --direction 180 --stamp-file "$stamps"
kx_start feed
wait_for 60 serving || fail "the DDE service did not come up"
pid="$(kx_pid)"
probe_start updates --advise --unix-ns speed Wynik
advise="$KX205_WINE_ROOT/updates.out"
updates() { grep -c . "$advise"; }
wait_until 30 '[ "$(updates)" -ge 100 ]' || fail "the advise loop did not start: $(tail -n 3 "$advise")"
private() { awk '/^(RssAnon|RssFile):/ { n += $2 } END { print n }' "/proc/$pid/status"; }
ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
m0="$(private)"; t0="$(ticks)"; u0="$(updates)"; start="$(date +%s%N)"
sleep "$seconds"
m1="$(private)"; t1="$(ticks)"; u1="$(updates)"; end="$(date +%s%N)"
sim_stop $COM # the feed stops; the simulator writes its stamps
# Whatever was still on its way has arrived once a second passes without an update.
settled() { local n; n="$(updates)"; sleep 1; [ "$(updates)" = "$n" ]; }
wait_for 30 settled || fail "updates kept coming after the feed stopped"
stopped="$(sort -n -k 2 "$stamps" | tail -n 1 | cut -d ' ' -f 2)" # when it wrote its last frame
u2="$(updates)"
last_update="$(grep -E '^[0-9]+ [0-9]+,[0-9]' "$advise" | tail -n 1 | cut -d ' ' -f 1)"
window() { awk -v a="$start" -v b="$end" '$2 >= a && $2 < b' "$stamps" | wc -l; }
# Frame N carries N tenths of m/s, which wraps after 9999: count the changes of value, not the values.
distinct="$(awk -v a="$start" -v b="$end" '$1 >= a && $1 < b && $2 != prev { n++ } { prev = $2 } END { print n + 0 }' \
  <(tr -d '\r' <"$advise"))"
LC_ALL=C awk -v s="$seconds" -v sent="$(window)" -v got=$((u1 - u0)) -v distinct="$distinct" \
  -v cpu=$((t1 - t0)) -v hz="$(getconf CLK_TCK)" -v m0="$m0" -v m1="$m1" -v after=$((u2 - u1)) \
  -v drain="${last_update:-0}" -v stopped="$stopped" 'BEGIN {
  printf "fastest feed over %d s: kx205sim wrote %.0f frames/s, kx205.exe published %.0f frames/s (the changes\n", s, sent / s, distinct / s
  printf "  of value a DDE client received), the client got %.0f updates/s; kx205.exe used %.1f %% of a core\n", got / s, 100 * cpu / hz / s
  printf "  memory (resident) %d kB at the start, %d kB at the end; %d updates arrived after the measured\n", m0, m1, after
  printf "  time, the last %.1f ms after the last frame was written\n", (drain - stopped) / 1e6 }'
press "$(xwins "$CAPTION")" alt+F4
exit_code feed 15 >/dev/null
