#!/usr/bin/env bash
# The whole path under Wine, run by scripts/bench in its environment: kx205.exe reads the simulator at the
# line rate and a DDE probe in another process follows the speed's advise loop. Prints the latency from
# the simulator's last byte of a frame to the probe's receipt of the advise data, and the CPU time of the
# whole kx205.exe process (every thread) while reading and while the port is missing. Judges nothing.
#   whole_path.sh [FRAMES] [CPU_SECONDS]     defaults 200 and 60
set -uo pipefail
frames="${1:-200}"; cpu_seconds="${2:-60}"; warm_up=5
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/../e2e/lib.sh"
COM=42
stamps="$KX205_WINE_ROOT/path-stamps.txt"
rm -f "$stamps"
settings_seed $COM "$KX205_WINE_ROOT/unused.csv" 60 0 0 # logging off
sim_start $COM --period 0 --count-speed --direction 180 --stamp-file "$stamps"
kx_start bench
wait_for 60 serving || fail "the DDE service did not come up"
pid="$(pgrep -n -f "$BUILD/kx205.exe")"
server="$(pgrep -n -f wineserver)"
probe_start advise --advise --unix-ns speed Wynik
advise="$KX205_WINE_ROOT/advise.out"
echo "whole path: kx205sim at 300 baud, frames back to back (0.42 s each) -> COM$COM -> kx205.exe -> DDE -> kx205dde"
wait_until $(((frames + warm_up) + 60)) '[ "$(grep -c . "$advise")" -ge $((frames + warm_up + 1)) ]' ||
  fail "the advise loop stopped: $(tail -n 3 "$advise")"

# utime + stime of a process, all its threads, in clock ticks.
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
hz="$(getconf CLK_TCK)"
cpu() { # LABEL: the program's and the wineserver's CPU over cpu_seconds
  local p0 s0 p1 s1
  p0="$(ticks "$pid")"; s0="$(ticks "$server")"
  sleep "$cpu_seconds"
  p1="$(ticks "$pid")"; s1="$(ticks "$server")"
  LC_ALL=C awk -v p=$((p1 - p0)) -v s=$((s1 - s0)) -v hz="$hz" -v t="$cpu_seconds" -v label="$1" 'BEGIN {
    printf "  %-34s kx205.exe %5.2f %% of a core (%.0f ms per minute); wineserver %5.2f %%\n",
           label, 100 * p / hz / t, 60000 * p / hz / t, 100 * s / hz / t }'
}
echo "CPU over ${cpu_seconds} s each (from /proc, every thread of the process; Wine's server listed beside it):"
cpu "reading:"
press "$(xwins "$CAPTION")" alt+k s
wait_for 10 has_xwin "Statystyka wiatru" || fail "no statistics window"
cpu "reading, statistics window open:"
press "$(xwins "Statystyka wiatru")" alt+F4
sim_stop $COM # unplugged: the pty and the COM link vanish, the simulator writes its stamps
wait_until 15 '[ "$(control_text 1005)" = "Brak łączności z przyrządem" ]' || fail "the lost link was not shown"
cpu "port missing:"

# Frame N carries N tenths of m/s: "12,3" is frame 123. Latency = probe's receipt - simulator's last byte,
# for the frames after the first few the probe saw.
latencies="$KX205_WINE_ROOT/latencies.txt"
tr -d '\r' <"$advise" | LC_ALL=C awk -v warm_up=$warm_up -v frames="$frames" '
  NR == FNR { stamp[$1] = $2; next }
  { frame = $2; gsub(/[^0-9]/, "", frame); frame += 0
    if (first == "") first = frame + warm_up
    if (frame >= first && frame < first + frames && !(frame in seen) && (frame in stamp)) {
      seen[frame] = 1; printf "%.3f\n", ($1 - stamp[frame]) / 1e6 } }' "$stamps" - | sort -n >"$latencies"
n="$(wc -l <"$latencies")"
[ "$n" -gt 0 ] || fail "no latency could be matched"
at() { sed -n "$1p" "$latencies"; }
rank() { LC_ALL=C awk -v p="$1" -v n="$n" 'BEGIN { r = int(p * n); if (r < p * n) r++; if (r < 1) r = 1; print r }'; }
echo "latency: kx205sim wrote a frame's last byte -> kx205dde received the advise data ($n frames, the first $warm_up left out)"
echo "  p50 $(at "$(rank 0.5)") ms   p99 $(at "$(rank 0.99)") ms   (min $(at 1), max $(at "$n"); nearest rank)"
press "$(xwins "$CAPTION")" alt+F4
exit_code bench 15 >/dev/null
