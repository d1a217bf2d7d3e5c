# Sourced by the scripts that run the Windows build under Wine: one prefix under the build
# directory, a virtual display when there is no real one, and the Korean dialog font.
# Usage: source scripts/wine-env.sh; zelora_wine_setup BUILD_DIR
# zelora_wine_setup sets ZELORA_WINE to the loader for that build's programs (wine for the
# shipped 32-bit build, wine64 for the 64-bit one) and ZELORA_BITS to 32 or 64.

export WINEDEBUG=-all
# No Mono installer prompt; no browser engine download prompt outside the browser's tests.
export WINEDLLOVERRIDES="mscoree=;mshtml="
WINE32=/usr/lib/wine/wine
WINE64=$(command -v wine64 || echo /usr/lib/wine/wine64)
WINESERVER=$(command -v wineserver || echo /usr/lib/wine/wineserver)
export WINE32 WINE64 WINESERVER

# 32 or 64: the bitness of the programs a build directory makes, from its compiler.
zelora_build_bits() {
  if grep -q '^CMAKE_AR:FILEPATH=.*i686-w64-mingw32-' "$1/CMakeCache.txt" 2>/dev/null; then echo 32; else echo 64; fi
}

# Whether this machine runs 32-bit programs at all (Wine's i386 loader is one). Some virtual
# machines' kernels refuse every 32-bit executable ("Exec format error") though wine32 is
# installed.
zelora_runs_32bit() { [ -x "$WINE32" ] && "$WINE32" --version >/dev/null 2>&1; }

zelora_start_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  # Xvfb picks a free display number itself, so parallel runs never share one.
  local numberFile
  numberFile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "${ZELORA_SCREEN:-1280x1024}x24" -nolisten tcp 3>"$numberFile" >/dev/null 2>&1 &
  ZELORA_XVFB_PID=$!
  local i
  for i in $(seq 1 100); do
    if [ -s "$numberFile" ]; then
      export DISPLAY=":$(head -n 1 "$numberFile" | tr -d '[:space:]')"
      rm -f "$numberFile"
      xdpyinfo >/dev/null 2>&1 && return 0
    fi
    sleep 0.1
  done
  rm -f "$numberFile"
  echo "wine-env: could not start Xvfb" >&2
  return 1
}

zelora_stop_display() {
  if [ -n "${ZELORA_XVFB_PID:-}" ]; then kill "$ZELORA_XVFB_PID" 2>/dev/null || true; fi
}

# Creates the prefix once (about half a minute) with the fonts the dialogs ask for.
zelora_wine_setup() {
  local build
  build=$(cd "$1" && pwd) || return 1
  # One prefix per display: runs on different virtual displays (parallel test runs) then
  # have separate Wine servers and never see each other's windows, mutexes or registry.
  local display="${DISPLAY#:}"
  export WINEPREFIX="$build/wineprefix-${display%%.*}"
  ZELORA_BITS=$(zelora_build_bits "$build")
  if [ "$ZELORA_BITS" = 32 ]; then
    # Without its i386 half, wine64 runs a 32-bit program in a mode that paints every
    # window black: better no run at all.
    [ -x "$WINE32" ] || { echo "wine-env: $WINE32 missing (wine32:i386, scripts/setup.sh)" >&2; return 1; }
    zelora_runs_32bit || { echo "wine-env: this machine's kernel does not run 32-bit programs" >&2; return 1; }
    ZELORA_WINE=$WINE32
  else
    ZELORA_WINE=$WINE64
  fi
  export ZELORA_BITS ZELORA_WINE
  # A prefix made while only wine64 was there has no 32-bit system folder, so no 32-bit
  # program (regsvr32 among them) could run in it: made again.
  if [ -f "$WINEPREFIX/.zelora-ready" ] && [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/regsvr32.exe" ] &&
    zelora_runs_32bit; then
    echo "wine-env: the prefix in $WINEPREFIX has no 32-bit system folder; making it again"
    "$WINESERVER" -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
  fi
  local tool="$build/zelora_regtool.exe"
  if [ ! -f "$WINEPREFIX/.zelora-ready" ]; then
    echo "wine-env: creating the Wine prefix in $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    "$ZELORA_WINE" wineboot -u >/dev/null 2>&1 || true
    "$WINESERVER" -w 2>/dev/null || true
    cp /usr/share/fonts/truetype/nanum/NanumGothic.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
    cp /usr/share/fonts/truetype/nanum/NanumGothicBold.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
    local fonts="$build/font-replacements.txt"
    {
      echo "HKCU|Software\\Wine\\Fonts\\Replacements|굴림|sz|NanumGothic"
      echo "HKCU|Software\\Wine\\Fonts\\Replacements|Gulim|sz|NanumGothic"
      echo "HKCU|Software\\Wine\\Fonts\\Replacements|tahoma|sz|NanumGothic"
      echo "HKCU|Software\\Wine\\Fonts\\Replacements|Tahoma|sz|NanumGothic"
    } > "$fonts"
    "$ZELORA_WINE" "$tool" apply "$(winepath_of "$fonts")" || return 1
    # Every Windows has the DirectShow filter category in its 32-bit view; a Wine prefix
    # made by wine64 alone does not.
    "$ZELORA_WINE" reg add 'HKCR\CLSID\{083863F1-70DE-11d0-BD40-00A0C911CE86}\Instance' /reg:32 /f \
      >/dev/null 2>&1 || return 1
    "$WINESERVER" -w 2>/dev/null || true
    touch "$WINEPREFIX/.zelora-ready"
  fi
  # No window manager runs on the virtual display, so Wine is told to place, frame and hide
  # the windows itself, as Windows does. Left expecting one, it waits two seconds for a
  # window manager to withdraw each hidden window (the finder closed by its image stayed
  # on screen, frozen, that long). Prefixes made before this setting get it once.
  if [ ! -f "$WINEPREFIX/.zelora-unmanaged" ]; then
    local settings="$build/display-settings.txt"
    echo "HKCU|Software\\Wine\\X11 Driver|Managed|sz|N" > "$settings"
    "$ZELORA_WINE" "$tool" apply "$(winepath_of "$settings")" || return 1
    "$WINESERVER" -w 2>/dev/null || true
    touch "$WINEPREFIX/.zelora-unmanaged"
  fi
}

# A Unix path as Wine sees it (Z: maps the root).
winepath_of() { echo "Z:${1//\//\\}"; }

zelora_regtool() { "$ZELORA_WINE" "$ZELORA_BUILD/zelora_regtool.exe" "$@"; }

# The pack file's registry lines and, for every decoder recorded in Install, an empty file
# where its filter lives: Codec Connect tells a decoder whose file is gone from a healthy one.
zelora_apply_pack() { # pack file
  zelora_regtool apply "$(winepath_of "$1")" || return 1
  local path
  while IFS= read -r path; do
    path=${path%$'\r'}
    local unix="$WINEPREFIX/drive_c/${path#C:\\}"
    unix=${unix//\\//}
    mkdir -p "$(dirname "$unix")" && : > "$unix"
  done < <(grep -E '^HKLM\|[^|]*\\Install\|[^|]+\|sz\|C:\\' "$1" | cut -d'|' -f5)
}

# The loopback web server that stands in for every web host: Wine's internet layer sends
# every HTTP request to the `http_proxy` address, so no Wine run of ours reaches any address
# but 127.0.0.1. Usage: zelora_start_loopback [ROOT]; the server's root, log and port are
# exported for the tests.
zelora_start_loopback() {
  local root="${1:-$ZELORA_BUILD/loopback-root}"
  mkdir -p "$root"
  root=$(cd "$root" && pwd)
  local portFile
  portFile=$(mktemp)
  rm -f "$portFile"
  export ZELORA_LOOPBACK_ROOT="$root"
  export ZELORA_LOOPBACK_LOG="$root/requests.log"
  : > "$ZELORA_LOOPBACK_LOG"
  python3 "$(dirname "${BASH_SOURCE[0]}")/../tests/server/loopback_server.py" \
    --root "$root" --log "$ZELORA_LOOPBACK_LOG" --port-file "$portFile" &
  ZELORA_LOOPBACK_PID=$!
  local i
  for i in $(seq 1 100); do
    if [ -s "$portFile" ]; then
      export ZELORA_LOOPBACK_PORT
      ZELORA_LOOPBACK_PORT=$(tr -d '[:space:]' < "$portFile")
      rm -f "$portFile"
      export http_proxy="http://127.0.0.1:$ZELORA_LOOPBACK_PORT"
      export HTTP_PROXY="$http_proxy"
      unset https_proxy HTTPS_PROXY no_proxy NO_PROXY
      return 0
    fi
    sleep 0.1
  done
  echo "wine-env: could not start the loopback web server" >&2
  return 1
}

zelora_stop_loopback() {
  if [ -n "${ZELORA_LOOPBACK_PID:-}" ]; then
    kill "$ZELORA_LOOPBACK_PID" 2>/dev/null || true
    wait "$ZELORA_LOOPBACK_PID" 2>/dev/null || true
    ZELORA_LOOPBACK_PID=""
  fi
}
