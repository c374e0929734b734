#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test:
#  - on Linux: the logic under AddressSanitizer and UBSan on in-memory fakes, the contract suites on
#    the fakes, and a short run of each fuzz target;
#  - under Wine: the contract suites on the Win32 adapters, integration tests on a demo system, and
#    end-to-end tests of SentrixEx.exe driven from outside, all in throwaway prefixes below build/.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD

tools/deps.sh

echo "== Linux build: logic and tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset native
cmake --build --preset native
echo "== Linux tests"
ctest --preset native

echo "== Windows build (MinGW-w64, 64-bit)"
cmake --preset mingw
cmake --build --preset mingw

# The Wine tests run headless on Wine's null display driver; never on the user's display.
unset DISPLAY
export SX_WINE_ROOT=$top/build/mingw/wine
stop_wine() { "$top/tools/wine/prefix.sh" kill all >/dev/null 2>&1 || true; }
trap stop_wine EXIT
stop_wine
echo "== Wine tests"
# Every Wine test runs through build/mingw/wine-run.sh, which keeps CTest's pipe from Wine's helper
# processes and stops, and names, a test that hangs.
ctest --preset mingw
echo "== All tests passed"
