# Sourced by the test and demo environment: the private Wine prefix, the Polish locale, the display.
# KX205_WINE_ROOT names the folder that holds the prefix and everything the environment started.
: "${KX205_WINE_ROOT:?KX205_WINE_ROOT must name the environment folder}"
export WINEPREFIX="$KX205_WINE_ROOT/prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml="
export WINEARCH=win64
export LANG=pl_PL.UTF-8 LC_ALL=pl_PL.UTF-8
# A locale generated privately when the system has none (no root needed).
if [ -d "$KX205_WINE_ROOT/locale/pl_PL.UTF-8" ]; then
  export LOCPATH="$KX205_WINE_ROOT/locale"
fi
if [ -s "$KX205_WINE_ROOT/display" ]; then
  DISPLAY="$(cat "$KX205_WINE_ROOT/display")"
  export DISPLAY
fi

# Remembers a process the environment started so that "down" can end it by its id.
kx205_track_pid() { echo "$1" >> "$KX205_WINE_ROOT/pids"; }
