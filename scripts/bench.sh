#!/usr/bin/env bash
# Prints the inventory scan's figures: time per scan and registry calls per scan, for the
# one-pass scan and the per-decoder walk it replaced, and the preferred decoders page's fill
# against the scan's lower bound, on the memory registry (native) and on the real registry
# under Wine (1,000 filters seeded in each view for the run, then removed).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
bits=${ZELORA_BENCH_BITS:-32}  # the shipped programs; 64 measures the other build
# The native benches measure optimised code (the `bench` preset, -O2), as the programs ship,
# not the tests' Debug build.
bash scripts/build.sh bench "win$bits" >/dev/null
echo "== memory registry, 1,000 filters (native, -O2)"
build/bench/zelora_bench_inventory --registry=memory --filters=1000
echo "== preferred decoders page: its fill against the inventory's lower bound, memory registry (native, -O2)"
build/bench/zelora_bench_preferred --filters=1000
echo "== real registry under Wine, ${ZELORA_BENCH_FILTERS:-1000} filters"
export ZELORA_BUILD="$root/build/win$bits"
source scripts/wine-env.sh
zelora_start_display
trap 'zelora_stop_loopback; zelora_stop_display' EXIT
zelora_wine_setup "$ZELORA_BUILD"
echo "(the $ZELORA_BITS-bit programs of $ZELORA_BUILD under $(basename "$ZELORA_WINE"))"
zelora_start_loopback
"$ZELORA_WINE" "$ZELORA_BUILD/zelora_bench_inventory.exe" --registry=real --seed \
  --filters="${ZELORA_BENCH_FILTERS:-1000}"
echo "== preferred decoders page under Wine: its fill (both views, the pages' file check) against the inventory's lower bound"
"$ZELORA_WINE" "$ZELORA_BUILD/zelora_bench_preferred.exe" --registry=real --seed \
  --filters="${ZELORA_BENCH_FILTERS:-1000}"
echo "== level sliders under Wine: one drag step against a full page repaint"
"$ZELORA_WINE" "$ZELORA_BUILD/zelora_bench_sliders.exe"
