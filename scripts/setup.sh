#!/usr/bin/env bash
# Installs, on a fresh Debian 12 machine, everything the build, the tests and the Wine runs
# need. Skips what is already present, so it is cheap to call before every build.
set -euo pipefail

packages=(
  cmake g++ make libgtest-dev libgmock-dev googletest libbenchmark-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  wine wine64 wine32:i386 xvfb xdotool x11-apps x11-utils imagemagick fonts-nanum python3-pil
  nsis osslsigncode openssl
)

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive

# The shipped programs are 32-bit: Wine runs them only with its i386 half (wine32), which
# needs the architecture known to dpkg before apt can see the package.
addedArch=0
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  echo "setup: adding the i386 architecture for wine32"
  $sudo dpkg --add-architecture i386
  addedArch=1
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ] || [ "$addedArch" = 1 ]; then
  echo "setup: installing ${missing[*]}"
  # A mirror caught mid-sync fails one index now and then: try again, and install with what
  # the last try fetched (the install itself says if a package is still out of reach).
  for attempt in 1 2 3 4; do
    $sudo apt-get update -q && break
    echo "setup: apt-get update failed (try $attempt of 4)"
    [ "$attempt" = 4 ] || sleep $((attempt * 10))
  done
  [ ${#missing[@]} -eq 0 ] && exit 0
  if ! $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"; then
    # wine32 needs every i386 library at the exact version of its amd64 twin, so one i386
    # index still out of step (bookworm-security's, seen more than once) refuses it alone.
    # Everything else is installed; the tests then say the 32-bit programs were not run.
    rest=()
    for p in "${missing[@]}"; do [ "$p" = wine32:i386 ] || rest+=("$p"); done
    echo "setup: wine32:i386 could not be installed; installing the rest, 32-bit runs will be NOT RUN" >&2
    [ ${#rest[@]} -eq 0 ] || $sudo apt-get install -y -q --no-install-recommends "${rest[@]}"
  fi
fi
