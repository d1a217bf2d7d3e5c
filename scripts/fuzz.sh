#!/usr/bin/env bash
# Builds the native sanitizer build (AddressSanitizer and UndefinedBehaviorSanitizer, any
# finding fatal) and runs every fuzz driver over many fixed-seed inputs, then prints the
# inputs run per driver. A failure names the seed and iteration that reproduce it.
#   scripts/fuzz.sh [inputs per driver (default 100000)] [seed]
set -uo pipefail
cd "$(dirname "$0")/.."
count=${1:-100000}
seed=${2:-}

bash scripts/setup.sh || exit 1
cmake --preset sanitize >/dev/null || exit 1
cmake --build build/sanitize -j2 --target zelora_fuzz_drivers || exit 1

summary=()
failed=0
for driver in build/sanitize/zelora_fuzz_*; do
  [ -x "$driver" ] && [ -f "$driver" ] || continue
  name=$(basename "$driver")
  name=${name#zelora_fuzz_}
  start=$(date +%s)
  if "$driver" --count "$count" ${seed:+--seed "$seed"}; then
    summary+=("$(printf '%-16s %8s inputs  passed  %4ss' "$name" "$count" $(( $(date +%s) - start )))")
  else
    summary+=("$(printf '%-16s %8s inputs  FAILED' "$name" "$count")")
    failed=$((failed + 1))
  fi
done

echo "== fuzz inputs per driver (sanitizer build)"
printf '%s\n' "${summary[@]}"
[ "$failed" -eq 0 ]
