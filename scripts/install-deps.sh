#!/usr/bin/env bash
# Installs everything the build and the tests need from Debian's packages. Idempotent, non-interactive, as root.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive

if [ "$(id -u)" -ne 0 ]; then
  echo "install-deps.sh: run as root (sudo $0)" >&2
  exit 1
fi

# Wine needs the 32-bit architecture for its loader even when only 64-bit programs run.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi

apt-get update -q
apt-get install -y -q --no-install-recommends \
  cmake ninja-build g++ make pkg-config clang libclang-rt-14-dev \
  googletest libgtest-dev libgmock-dev \
  g++-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64 \
  wine wine64 libwine fonts-wine fonts-liberation \
  xvfb xauth x11-utils xdotool imagemagick \
  socat locales procps psmisc ca-certificates \
  nsis zip icoutils

# Wine takes its ANSI code page and number format from the glibc locale.
if ! locale -a 2>/dev/null | grep -qi '^pl_PL\.utf-\?8$'; then
  sed -i 's/^# *\(pl_PL.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^pl_PL.UTF-8 UTF-8' /etc/locale.gen || echo 'pl_PL.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen
fi
echo "install-deps.sh: done"
