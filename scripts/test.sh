#!/usr/bin/env bash
# Runs every test: installs what is missing, builds the programs and the native tests (under
# AddressSanitizer and UndefinedBehaviorSanitizer: the `sanitize` preset), runs the latter,
# checks that the skin files are what its generator makes and the shipped programs' imports,
# then the Win32-side tests of both Windows builds and
# the end-to-end tests on the shipped 32-bit programs, under Wine on a virtual display. Ends with one summary line: "N passed, N failed".
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

bash scripts/setup.sh || exit 1
bash scripts/build.sh sanitize win64 win32 || { echo "0 passed, 1 failed"; exit 1; }

passed=0
failed=0
skipped=0
count() { # name, status
  if [ "$2" -eq 0 ]; then passed=$((passed + 1)); echo "PASS: $1"; else failed=$((failed + 1)); echo "FAIL: $1"; fi
}

echo "== native tests under the sanitizers"
ctest --test-dir build/sanitize --output-on-failure -j"$(nproc)" | tail -n 4
count "native tests (ASan, UBSan)" "${PIPESTATUS[0]}"

echo "== casts to function pointer types (calling conventions only the 32-bit build has)"
bash scripts/check-function-casts.sh
count "no casts to function pointer types" $?

echo "== layers and device-context owners"
bash scripts/check-layers.sh
count "layers look down; device contexts through their owners" $?

echo "== skin: pictures, resource scripts and Skin.h as the generator makes them"
# Debian's Python, whose python3-pil made the committed pictures (a private one may lack Pillow).
/usr/bin/python3 tools/skin/make_skin.py --check
count "skin files current and reproducible" $?

echo "== imports of the shipped programs"
bash scripts/check-imports.sh build/win32/Zelora.exe build/win32/ZeloraUpdate.exe
count "32-bit programs import system DLLs only" $?

echo "== sizes of the shipped programs"
bash scripts/check-sizes.sh build/win32
count "32-bit programs within their size budgets" $?

echo "== version resources and the signing hook"
bash scripts/check-release-files.sh build/win32
count "release files carry one version and can be signed" $?

source scripts/wine-env.sh
zelora_start_display || { echo "0 passed, 1 failed"; exit 1; }
trap 'zelora_stop_loopback; zelora_stop_display' EXIT
# Every Wine process below inherits http_proxy: no request leaves 127.0.0.1.
zelora_start_loopback "$root/build/loopback-root" || { echo "0 passed, 1 failed"; exit 1; }

# Both Win32 suites of one build, under that build's Wine loader in its own prefix.
win32_suites() { # build dir
  export ZELORA_BUILD="$1"
  zelora_wine_setup "$ZELORA_BUILD" || { count "Wine prefix for $ZELORA_BUILD" 1; return; }
  local bits="$ZELORA_BITS-bit ($(basename "$ZELORA_WINE"))"
  echo "== Win32 tests under Wine: $bits"
  "$ZELORA_WINE" "$ZELORA_BUILD/zelora_win_tests.exe" --gtest_brief=1 2>&1 | tail -n 30
  count "Win32 tests, $bits" "${PIPESTATUS[0]}"
  "$WINESERVER" -w 2>/dev/null || true
  echo "== Win32 tests of the updater under Wine: $bits"
  "$ZELORA_WINE" "$ZELORA_BUILD/zelora_updater_tests.exe" --gtest_brief=1 2>&1 | tail -n 30
  count "Win32 tests of the updater, $bits" "${PIPESTATUS[0]}"
  "$WINESERVER" -w 2>/dev/null || true
}
# The 64-bit build must behave as the shipped one does: its suites run too, then everything
# else runs on the 32-bit programs users install.
win32_suites "$root/build/win64"
if zelora_runs_32bit; then
  win32_suites "$root/build/win32"
else
  # Said loudly and counted apart: a machine that cannot run the shipped build must not
  # pass for one that ran it.
  echo "== NOT RUN: the 32-bit programs: this machine's kernel refuses 32-bit executables"
  echo "   (Exec format error), so the 32-bit suites are skipped and the end-to-end tests"
  echo "   run on the 64-bit build; a machine with IA-32 emulation runs them on the 32-bit one."
  skipped=$((skipped + 1))
fi

for t in tests/e2e/*.sh; do
  [ -e "$t" ] || continue
  [ "$(basename "$t")" = lib.sh ] && continue
  echo "== end-to-end: $t ($ZELORA_BITS-bit programs)"
  bash "$t"
  status=$?  # taken before the name's command substitution resets $?
  if [ "$status" -eq 77 ]; then  # the test says it cannot run on this build: neither pass nor fail
    echo "NOT RUN: $(basename "$t" .sh), $ZELORA_BITS-bit"
    skipped=$((skipped + 1))
  else
    count "$(basename "$t" .sh), $ZELORA_BITS-bit" "$status"
  fi
  "$WINESERVER" -k 2>/dev/null || true
done

[ "$skipped" -eq 0 ] || echo "NOT RUN: $skipped (see the NOT RUN lines above)"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
