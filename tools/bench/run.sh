#!/usr/bin/env bash
# Runs the benchmarks under Wine in a prefix of their own and prints their figures.
# Needs the mingw build (cmake --preset mingw && cmake --build --preset mingw).
set -euo pipefail
cd "$(dirname "$0")/../.."
top=$PWD
. tools/wine/env.sh
export SX_WINE_ROOT=$top/build/mingw/wine SX_TOOLS_DIR=$top/build/mingw/tools SX_BUILD_DIR=$top/build/mingw
unset DISPLAY
trap 'tools/wine/prefix.sh kill bench >/dev/null 2>&1 || true' EXIT
tools/wine/prefix.sh fresh bench >/dev/null
export WINEPREFIX=$SX_WINE_ROOT/bench
for bench in build/mingw/tools/bench_*.exe; do
  echo "== $(basename "$bench")"
  timeout 1800 "$SX_WINE64" "$bench" </dev/null 2>/dev/null
done
