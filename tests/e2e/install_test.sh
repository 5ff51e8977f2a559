#!/usr/bin/env bash
# The setup program as an administrator deploys it, silently: the files, the Start-menu shortcut and the
# Apps entry; the installed program reading the simulator and serving DDE; an upgrade refused while the
# program runs, then made in place with the settings kept; an uninstall that leaves only the settings
# and the log file.
# Arguments: the setup program, the staged files it holds, and the makensis options that make it again.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
setup="$1" stage="$2"; shift 2
# Wine would otherwise copy the shortcut into this machine's own desktop menus.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"
APPS='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\KX-205'
VERSION="$(sed -n -E 's/^#define KX205_VERSION_TEXT "(.*)"$/\1/p' "$BUILD/generated/kx205_version.h")"
NEXT="${VERSION%.*}.$((${VERSION##*.} + 1))"
FILES="kx205.exe kx205dde.exe kx205mon.exe Czytaj.txt"
COM=72
apps() { wine reg query "$APPS" /v "$1" 2>/dev/null | tr -d '\r' | sed -n -E "s/^ +$1 +REG_[A-Z]+ +//p"; }
shortcut() { find "$WINEPREFIX/drive_c/users" -name 'Rizuzedarar KX-205.lnk'; }
silent() { wine "$@" /S </dev/null >/dev/null 2>&1; }
installed() { "$RUN" "$inst/$1" "${@:2}" 2>>"$KX205_WINE_ROOT/probe.err" </dev/null | utf8; }

note "silent install: files, shortcut, Apps entry, file properties"
silent "$setup" || fail "the setup program failed"
wait_until 30 '[ "$(apps DisplayVersion)" = "$VERSION" ]' || fail "no Apps entry of $VERSION"
inst="$(winepath -u "$(apps InstallLocation)")"
inst="${inst%/}"
case "$inst" in */AppData/Local/Programs/KX-205) ;; *) fail "installed in $inst" ;; esac
for f in $FILES; do cmp -s "$stage/$f" "$inst/$f" || fail "$f is not the build's"; done
while read -r name want; do
  [ "$(apps "$name")" = "$want" ] || fail "Apps entry $name: '$(apps "$name")', not '$want'"
done <<EOT
DisplayName Rizuzedarar KX-205
Publisher KORVAN
UninstallString "$(apps InstallLocation)\\uninstall.exe"
QuietUninstallString "$(apps InstallLocation)\\uninstall.exe" /S
DisplayIcon $(apps InstallLocation)\\kx205.exe,0
NoModify 0x1
EOT
[ $(($(apps EstimatedSize))) -gt 100 ] || fail "EstimatedSize $(apps EstimatedSize)"
lnk="$(shortcut)"
[ -n "$lnk" ] || fail "no Start-menu shortcut"
# Wine's shell keeps the target as a Windows path.
grep -aqF 'Programs\KX-205\kx205.exe' "$lnk" || fail "the shortcut points elsewhere: $(strings -a "$lnk")"
wrestool -x --raw -t24 "$inst/kx205.exe" | grep -q 'level="asInvoker"' || fail "no manifest in kx205.exe"
wrestool -x --raw -t16 "$inst/kx205.exe" | iconv -f UTF-16LE -t UTF-8 2>/dev/null | tr -d '\0' |
  grep -aq "FileVersion.*$VERSION" || fail "no file version $VERSION in kx205.exe"
for tool in kx205dde kx205mon; do
  [ "$(installed $tool.exe --version)" = "$tool $VERSION" ] || fail "$tool --version: $(installed $tool.exe --version)"
done

note "the installed program reads the instrument and serves DDE, logging beside itself"
log="$inst/kx205.TXT"
settings_seed $COM "$log" 1 0 1
sim_start $COM --period 300 --serial 13330 --speed 12.3 --direction 270
"$RUN" "$inst/kx205.exe" </dev/null >"$KX205_WINE_ROOT/installed.out" 2>&1 &
program=$!
e2e_programs+=("$program")
wait_until 30 '[ "$(installed kx205dde.exe speed Wynik)" = "12,3" ]' || fail "no value through DDE"
wait_for 10 test -s "$log" || fail "no log file beside the program"
# On a system set to another language (Wine's C locale: code page 1252) the manifest still gives the
# probe code page 1250, so the Polish topic name on its command line reaches the service.
[ "$(LANG=C.UTF-8 LC_ALL=C.UTF-8 wine "$inst/kx205dde.exe" "Prędkość#13330" Wynik 2>&1 </dev/null | tr -d '\r')" = 12,3 ] ||
  fail "the Polish topic name is lost in code page 1252"

note "an upgrade waits for the program to close; then it goes in place and keeps the settings"
makensis -DKX205_VERSION="$NEXT" -DKX205_OUTFILE="$KX205_WINE_ROOT/next-setup.exe" "$@" >/dev/null ||
  fail "cannot make the newer installer"
silent "$KX205_WINE_ROOT/next-setup.exe"
[ $? = 2 ] && [ "$(apps DisplayVersion)" = "$VERSION" ] || fail "upgraded under the running program"
press "$(xwins "$CAPTION")" alt+F4
wait_until 15 '! kill -0 $program 2>/dev/null' || fail "the program did not close"
silent "$KX205_WINE_ROOT/next-setup.exe" || fail "the upgrade failed"
wait_until 30 '[ "$(apps DisplayVersion)" = "$NEXT" ]' || fail "the Apps entry still says $(apps DisplayVersion)"
[ "$(winepath -u "$(apps InstallLocation)")" -ef "$inst" ] || fail "upgraded elsewhere: $(apps InstallLocation)"
[ "$(setting Port)" = "$(printf '0x%x' $COM)" ] && [ "$(setting 'Log File')" = "$(winpath "$log")" ] ||
  fail "settings after the upgrade: Port $(setting Port), Log File $(setting 'Log File')"

note "silent uninstall with the Apps entry's command: only the settings and the log file stay"
eval "set -- $(apps QuietUninstallString)"
wine "$@" </dev/null >/dev/null 2>&1
wait_until 30 '! wine reg query "$APPS" >/dev/null 2>&1' || fail "the Apps entry stayed"
wait_until 30 '[ "$(ls "$inst")" = kx205.TXT ]' || fail "left in the program folder: $(ls "$inst")"
[ -z "$(shortcut)" ] || fail "the shortcut stayed"
settings_exist || fail "the uninstaller removed the settings"
echo "PASS: install, shortcut, Apps entry, DDE from the installed program, upgrade, uninstall"
