#!/usr/bin/env bash
# Prints the inventory scan's figures: time per scan and registry calls per scan, for the
# one-pass scan and the per-decoder walk it replaced, on the memory registry (native) and
# on the real registry under Wine (1,000 filters seeded for the run, then removed).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
bash scripts/build.sh native win64 >/dev/null
echo "== memory registry, 1,000 filters"
build/native/zelora_bench_inventory --registry=memory --filters=1000
echo "== real registry under Wine, ${ZELORA_BENCH_FILTERS:-1000} filters"
export ZELORA_BUILD="$root/build/win64"
source scripts/wine-env.sh
zelora_start_display
trap 'zelora_stop_loopback; zelora_stop_display' EXIT
zelora_wine_setup "$ZELORA_BUILD"
zelora_start_loopback
"$WINE64" "$ZELORA_BUILD/zelora_bench_inventory.exe" --registry=real --seed \
  --filters="${ZELORA_BENCH_FILTERS:-1000}"
echo "== level sliders under Wine: one drag step against a full page repaint"
"$WINE64" "$ZELORA_BUILD/zelora_bench_sliders.exe"
