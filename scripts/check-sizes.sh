#!/usr/bin/env bash
# Fails when a shipped program outgrows its budget: what a user downloads and what the
# loader maps at every start. Usage: check-sizes.sh BUILD_DIR (the 32-bit build).
set -euo pipefail
build=${1:?usage: check-sizes.sh BUILD_DIR}
status=0
while read -r program limit; do
  size=$(stat -c %s "$build/$program")
  if [ "$size" -le "$limit" ]; then verdict=ok; else verdict="OVER BUDGET"; status=1; fi
  printf '%-18s %9d bytes (budget %9d): %s\n' "$program" "$size" "$limit" "$verdict"
done <<'BUDGETS'
Zelora.exe 1100000
ZeloraUpdate.exe 500000
BUDGETS
exit $status
