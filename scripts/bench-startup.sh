#!/usr/bin/env bash
# Start-up benchmark: how long after its start Zelora's window is seen, against a bare
# Win32 program that shows one 588 x 608 window painted from an off-screen bitmap
# (bench/BareWindow.cpp). Both 64-bit builds under Wine on the virtual display, with the
# demo decoder pack in the registry and HTTP routed to the loopback server. Runs alternate
# (bare, Zelora, bare, ...) so a change in the machine's load hits both alike; one
# unmeasured start of each warms the caches.
#
# Two rounds, since Wine adds a cost no Windows has: its server.
#  - cold: every start begins with no Wine server running, so each pays for starting one,
#    as a first start after logon does;
#  - warm: one persistent server serves every start, which leaves each program's own
#    start-up: the stricter ratio, and the one our changes move.
# Each round prints both medians, their ratio and Zelora's extra milliseconds over the
# bare program (the part that is ours). ZELORA_BENCH_RUNS sets the runs of each (5);
# ZELORA_BENCH_ROUNDS picks rounds ("cold warm").
#
# The figure is the time from just before the process starts to the X server's MapNotify
# of a 588 x 608 top-level window, seen by bench/startup_watch.py, which subscribes to the
# root window's structure events before it starts the program (no polling interval).
# A second yardstick, the same bare window after loading the common controls 6 under the
# programs' manifest (zelora_bench_bare_controls), tells the library's share from Zelora's;
# a third, that window with the child controls Zelora shows at its first paint made the
# cheapest way (zelora_bench_same_controls), tells what those controls cost from what
# Zelora's own code adds to them.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
runs=${ZELORA_BENCH_RUNS:-5}
bits=${ZELORA_BENCH_BITS:-32}  # the shipped programs; 64 measures the other build
bash scripts/build.sh "win$bits" >/dev/null
export ZELORA_BUILD="$root/build/win$bits"
source scripts/wine-env.sh
zelora_start_display
trap '"$ZELORA_WINE" reg add "HKCU\\Control Panel\\Desktop" /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1; "$WINESERVER" -k 2>/dev/null || true; zelora_stop_loopback; zelora_stop_display' EXIT
zelora_wine_setup "$ZELORA_BUILD"
echo "(the $ZELORA_BITS-bit programs of $ZELORA_BUILD under $(basename "$ZELORA_WINE"))"
# Every start below inherits http_proxy: no request leaves 127.0.0.1.
zelora_start_loopback
zelora_regtool apply "$(winepath_of "$root/tools/demo/DemoPack.txt")"
# Ordinary starts: the first-start reset is not what a user waits for every day.
"$ZELORA_WINE" reg add 'HKLM\Software\Tarnwick\Quellmark\Setup' /v CheckInstall /t REG_DWORD /d 1 /f /reg:32 >/dev/null
# ZELORA_BENCH_DPI (96): the LogPixels every program starts at; the windows waited for are
# the scaled size, by the programs' rounding.
dpi=${ZELORA_BENCH_DPI:-96}
"$ZELORA_WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
"$WINESERVER" -w 2>/dev/null || true
size="$(( (588 * dpi + 48) / 96 ))x$(( (608 * dpi + 48) / 96 ))"

bare="$ZELORA_BUILD/zelora_bench_bare.exe"
controls="$ZELORA_BUILD/zelora_bench_bare_controls.exe"
same="$ZELORA_BUILD/zelora_bench_same_controls.exe"
zelora="$ZELORA_BUILD/Zelora.exe"
stop_server() { "$WINESERVER" -k 2>/dev/null || true; "$WINESERVER" -w 2>/dev/null || true; }
start_ms() {
  [ "$round" = cold ] && stop_server
  python3 bench/startup_watch.py --size "$size" -- "$ZELORA_WINE" "$1"
  sleep 0.3
}
median() { printf '%s\n' "$@" | sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
fastest() { printf '%s\n' "$@" | sort -n | head -n 1; }

for round in ${ZELORA_BENCH_ROUNDS:-cold warm}; do
  if [ "$round" = warm ]; then stop_server; "$WINESERVER" -p; fi
  start_ms "$bare" >/dev/null
  start_ms "$controls" >/dev/null
  start_ms "$same" >/dev/null
  start_ms "$zelora" >/dev/null
  bare_ms=()
  controls_ms=()
  same_ms=()
  zelora_ms=()
  for _ in $(seq 1 "$runs"); do
    bare_ms+=("$(start_ms "$bare")")
    controls_ms+=("$(start_ms "$controls")")
    same_ms+=("$(start_ms "$same")")
    zelora_ms+=("$(start_ms "$zelora")")
  done
  bare_median=$(median "${bare_ms[@]}")
  controls_median=$(median "${controls_ms[@]}")
  same_median=$(median "${same_ms[@]}")
  zelora_median=$(median "${zelora_ms[@]}")
  echo "== $round Wine server, $ZELORA_BITS-bit programs, $dpi DPI"
  echo "bare window: median ${bare_median} ms (runs: ${bare_ms[*]})"
  echo "bare window with the common controls 6: median ${controls_median} ms (runs: ${controls_ms[*]})"
  echo "bare window with Zelora's first-paint controls: median ${same_median} ms (runs: ${same_ms[*]})"
  echo "Zelora:      median ${zelora_median} ms (runs: ${zelora_ms[*]})"
  awk -v z="$zelora_median" -v b="$bare_median" \
    'BEGIN {printf "ratio Zelora / bare: %.2f; Zelora extra: %d ms\n", z / b, z - b}'
  # What the list views' library costs any program, apart from what Zelora does itself.
  awk -v z="$zelora_median" -v c="$controls_median" -v b="$bare_median" \
    'BEGIN {printf "common controls 6: %d ms; ratio Zelora / bare window with them: %.2f\n", c - b, z / c}'
  # What the list views and buttons themselves cost, apart from Zelora's code around them.
  awk -v z="$zelora_median" -v s="$same_median" -v c="$controls_median" \
    'BEGIN {printf "first-paint controls: %d ms; ratio Zelora / window with them: %.2f; Zelora extra: %d ms\n", s - c, z / s, z - s}'
  # On a busy machine single runs jump; the fastest runs show the programs' own cost.
  awk -v z="$(fastest "${zelora_ms[@]}")" -v b="$(fastest "${bare_ms[@]}")" \
    'BEGIN {printf "fastest runs: bare %d ms, Zelora %d ms, ratio %.2f\n", b, z, z / b}'
done
