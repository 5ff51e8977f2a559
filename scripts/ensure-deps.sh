# Sourced by scripts/run and scripts/test: installs the project's packages when any is missing.
kx205_ensure_deps() {
  local missing=0 tool
  for tool in cmake ninja clang++ x86_64-w64-mingw32-g++-posix wine wineserver Xvfb socat localedef iconv xdotool \
      makensis zip wrestool; do
    command -v "$tool" >/dev/null 2>&1 || missing=1
  done
  [ -d /usr/src/googletest ] || missing=1
  [ "$missing" = 0 ] && return 0
  local here
  here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
  if [ "$(id -u)" -eq 0 ]; then
    bash "$here/install-deps.sh"
  elif command -v sudo >/dev/null 2>&1; then
    sudo bash "$here/install-deps.sh"
  else
    echo "Missing packages: run scripts/install-deps.sh as root first." >&2
    exit 1
  fi
}
