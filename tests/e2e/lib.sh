# Sourced by the end-to-end scenarios: kx205.exe under Wine on the test display, its windows read with
# wintext and driven with real key presses (xdotool), the registry, the simulator and the DDE probe.
set -uo pipefail
e2e_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
env_dir="$e2e_dir/../env"
# shellcheck source=../env/wine-common.sh
source "$env_dir/wine-common.sh"
BUILD="$KX205_BUILD_DIR"
RUN="$env_dir/wine-run"
KEY='HKCU\Software\KORVAN\KX-205A\2.1'
CAPTION="Rizuzedarar KX-205"
ARTIFACTS="${KX205_ARTIFACTS:-$BUILD/artifacts}"
mkdir -p "$ARTIFACTS"

# Everything a scenario starts ends with it: programs by process id, simulators by their port.
e2e_programs=()
e2e_sims=()
e2e_cleanup() {
  local pid com
  for pid in "${e2e_programs[@]}"; do kill "$pid" 2>/dev/null; done
  for com in "${e2e_sims[@]}"; do "$KX205_SIM_CTL" stop "$com" >/dev/null 2>&1; done
  # Killing the shell that started a Wine program leaves the program behind.
  pkill -f "$BUILD/kx205.exe" 2>/dev/null
  pkill -f "$BUILD/kx205dde.exe" 2>/dev/null
  return 0
}
trap e2e_cleanup EXIT

fail() {
  echo "FAIL: $*"
  shot "failure-$(basename "$0" .sh)"
  echo "--- windows:"; texts
  exit 1
}
note() { echo "-- $*"; }

# Polls a command every 0.2 s for up to $1 seconds.
wait_for() {
  local seconds="$1"; shift
  local tries=$((seconds * 5))
  while [ "$tries" -gt 0 ]; do
    "$@" && return 0
    sleep 0.2
    tries=$((tries - 1))
  done
  return 1
}

# The same for a shell condition, evaluated anew each time: wait_until 10 '[ "$(control_text 1005)" = OK ]'.
wait_until() {
  local seconds="$1"; shift
  wait_for "$seconds" eval "$1"
}

winpath() { local p="Z:$1"; echo "${p//\//\\}"; }
utf8() { iconv -f CP1250 -t UTF-8 | tr -d '\r'; }
cp1250() { iconv -f UTF-8 -t CP1250; }

# ---- the simulator ----
sim_start() { # COM [kx205sim options]
  "$KX205_SIM_CTL" start "$@" || fail "simulator on COM$1 did not start"
  e2e_sims+=("$1")
}
sim_stop() { "$KX205_SIM_CTL" stop "$1"; }

# ---- the registry ----
settings_clear() { wine reg delete "$KEY" /f >/dev/null 2>&1; return 0; }
# settings_seed PORT LOGFILE(unix path) INTERVAL FORMAT LOG: every value, as the program stores them.
settings_seed() {
  local file="$KX205_WINE_ROOT/seed.reg" name
  name="$(winpath "$2")"
  {
    printf 'REGEDIT4\r\n\r\n[%s]\r\n' 'HKEY_CURRENT_USER\Software\KORVAN\KX-205A\2.1'
    printf '"Port"=dword:%08x\r\n"Interval"=dword:%08x\r\n"Format"=dword:%08x\r\n"Log"=dword:%08x\r\n' "$1" "$3" "$4" "$5"
    printf '"Log File"="%s"\r\n' "${name//\\/\\\\}"
    printf '"Colors"=hex:00,ff,00,00,00,00,00,00,00,ff,ff,00,00,00,00,00\r\n'
  } | cp1250 > "$file"
  settings_clear
  wine regedit /S "$(winpath "$file")" >/dev/null 2>&1 || fail "cannot seed the settings"
}
# The value's data as reg query prints it ("" when absent).
setting() { wine reg query "$KEY" /v "$1" 2>/dev/null | tr -d '\r' | sed -n -E "s/^ +$1 +REG_[A-Z]+ +//p"; }
settings_exist() { wine reg query "$KEY" >/dev/null 2>&1; }

# ---- the program ----
kx_start() { # NAME ARGS...: runs kx205.exe; its exit code lands in NAME.exit. With KX_FILE_LIMIT set (KB),
  # the files it writes cannot grow past that, as on a full disk (the signal for it is ignored, so writes fail).
  local name="$1"; shift
  rm -f "$KX205_WINE_ROOT/$name.exit"
  ( if [ -n "${KX_FILE_LIMIT:-}" ]; then trap "" XFSZ; ulimit -S -f "$KX_FILE_LIMIT"; fi
    "$RUN" "$BUILD/kx205.exe" "$@" </dev/null
    echo $? > "$KX205_WINE_ROOT/$name.exit" ) >"$KX205_WINE_ROOT/$name.out" 2>&1 &
  e2e_programs+=("$!")
}
# kx_open NAME ARGS...: kx_start, then waits for its main window, which becomes $main.
kx_open() {
  kx_start "$@"
  wait_for 30 has_xwin "$CAPTION" || fail "$1: no main window"
  main="$(xwins "$CAPTION")"
}
# kx_close NAME [WINDOW]: Alt+F4 in that main window ($main by default); the program must end with 0.
kx_close() {
  press "${2:-$main}" alt+F4
  [ "$(exit_code "$1" 15)" = 0 ] || fail "$1 did not end with exit code 0 after Alt+F4"
}
kx_pid() { pgrep -n -f "$BUILD/kx205.exe"; } # the newest running program's Linux process
ended() { [ -s "$KX205_WINE_ROOT/$1.exit" ]; }
exit_code() { # NAME SECONDS: the exit code of a program or probe once it ended, or "running"
  if wait_for "$2" ended "$1"; then cat "$KX205_WINE_ROOT/$1.exit"; else echo running; fi
}

# ---- windows ----
# X windows of the program with this title (a regular expression), visible ones only.
xwins() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null; }
xwin_count() { xwins "$1" | wc -l; }
has_xwin() { [ "$(xwin_count "$1")" -ge "${2:-1}" ]; }
# window TITLE [SECONDS]: waits for a visible window with that title, the newest of which becomes $win.
window() { wait_for "${2:-10}" has_xwin "$1" || fail "no window \"$1\""; win="$(xwins "$1" | tail -n 1)"; }
# The visible window with that title that is not one of the ids given.
xwin_other() {
  local title="$1" w; shift
  for w in $(xwins "$title"); do
    case " $* " in *" $w "*) ;; *) echo "$w"; return 0 ;; esac
  done
  return 1
}
press() { # WINDOW KEYS...: real key presses into that window, activated first by a click on a spot of its
  # caption that no other window lies over (Wine would raise that one instead)
  local w="$1" X Y WIDTH HEIGHT SCREEN WINDOW dx; shift
  eval "$(xdotool getwindowgeometry --shell "$w" 2>/dev/null)"
  for dx in $(seq 12 24 "${WIDTH:-0}"); do
    xdotool mousemove "$((X + dx))" "$((Y + 8))" 2>/dev/null
    eval "$(xdotool getmouselocation --shell 2>/dev/null)"
    if [ "${WINDOW:-}" = "$w" ]; then xdotool click 1 2>/dev/null; break; fi
  done
  timeout 5 xdotool windowfocus --sync "$w" 2>/dev/null || xdotool windowfocus "$w" 2>/dev/null
  sleep 0.2
  xdotool key --delay 80 "$@"
}
type_text() { # WINDOW TEXT
  timeout 5 xdotool windowfocus --sync "$1" 2>/dev/null
  xdotool type --delay 20 "$2"
}
# The texts of every visible window with the program's caption, in UTF-8 (see wintext).
texts() { "$RUN" "$BUILD/wintext.exe" "${1:-$CAPTION}" 2>/dev/null | utf8; }
# The text of control ID in the window with the program's caption (or CAPTION) that has it.
control_text() { texts "${2:-$CAPTION}" | sed -n -E "s/^$1 //p" | head -n 1; }
has_text() { texts "${2:-$CAPTION}" | grep -qF -- "$1"; }

shot() { import -window root "$ARTIFACTS/$1.png" 2>/dev/null; }
# How many pixels of colour ("#00FF00") the window shows now.
pixels() {
  import -window "$1" png:- 2>/dev/null | convert png:- -format %c histogram:info:- 2>/dev/null |
    awk -v c="$2" 'toupper($0) ~ toupper(c) { sub(":", "", $1); n += $1 } END { print n + 0 }'
}
# Looks at the window until a read-out in that colour has been seen both gone and shown: it blinks.
blink_seen=""
blink_look() {
  local n
  n="$(pixels "$1" "$2")"
  [ "$n" = 0 ] && blink_seen="${blink_seen}0"
  [ "$n" -gt 100 ] && blink_seen="${blink_seen}1"
  [[ $blink_seen == *0* && $blink_seen == *1* ]]
}
blinks() { blink_seen=""; wait_for 15 blink_look "$1" "$2"; }

# ---- the DDE probe ----
# What the probe answered, and its exit status; its messages go to probe.err, never into the answer.
probe() {
  "$RUN" "$BUILD/kx205dde.exe" "$@" 2>>"$KX205_WINE_ROOT/probe.err" </dev/null | utf8
  return "${PIPESTATUS[0]}"
}
# The service is up once it lists its topics.
serving() { probe >/dev/null; }
# In the background, for advise loops: Windows-1250 lines as they come in NAME.out, the exit code in
# NAME.exit (iconv would hold the lines back until the probe ends).
# gaps NAME: updates a client following a counting speed (frame N carries N tenths) missed; the same
# value again is no miss, as an advise that starts may repeat the current one to the others.
gaps() {
  utf8 <"$KX205_WINE_ROOT/$1.out" | cut -d ' ' -f 2 | tr -cd '0-9\n' | grep -E '^[0-9]+$' |
    awk 'NR > 1 && $1 != prev && $1 != prev + 1 { n++ } { prev = $1 } END { print n + 0 }'
}
probe_start() {
  local name="$1"; shift
  rm -f "$KX205_WINE_ROOT/$name.exit"
  ( "$RUN" "$BUILD/kx205dde.exe" "$@" </dev/null
    echo $? > "$KX205_WINE_ROOT/$name.exit" ) >"$KX205_WINE_ROOT/$name.out" 2>&1 &
  e2e_programs+=("$!")
}
