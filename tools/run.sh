#!/usr/bin/env bash
# Installs what is missing, builds SentrixEx.exe and runs it under Wine on a demo system: a prefix of
# its own (build/mingw/wine/run) with demo programs and an entry in every autostart location.
# With a display the window opens there and the script waits until it is closed. Without one the
# program runs on a virtual display (Xvfb) and a screenshot is saved to build/sentrix-run.png.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD

tools/deps.sh
echo "== Building SentrixEx.exe and the demo system"
cmake --preset mingw >/dev/null
cmake --build --preset mingw --target SentrixEx seed_demo

. tools/wine/env.sh
export SX_WINE_ROOT=$top/build/mingw/wine SX_TOOLS_DIR=$top/build/mingw/tools
prefix=$SX_WINE_ROOT/run
xvfb_pid=""
cleanup() {
  WINEPREFIX=$prefix timeout 30 "$SX_WINESERVER" -k >/dev/null 2>&1 || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

headless=0
if [ -z "${DISPLAY:-}" ]; then
  headless=1
  for n in $(seq 90 120); do [ -e "/tmp/.X11-unix/X$n" ] || break; done
  echo "== No display: starting a virtual one (Xvfb :$n)"
  Xvfb ":$n" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
fi

echo "== Preparing the Wine prefix $prefix"
tools/wine/prefix.sh fresh run >/dev/null
export WINEPREFIX=$prefix
# Windows on the display: the test prefixes use Wine's headless driver.
timeout 60 "$SX_WINE64" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d x11 /f </dev/null >/dev/null 2>&1
timeout 30 "$SX_WINESERVER" -k >/dev/null 2>&1 || true
timeout 30 "$SX_WINESERVER" -w >/dev/null 2>&1 || true
"$SX_WINESERVER" -p </dev/null >/dev/null 2>&1 || true
timeout 120 "$SX_WINE64" cmd.exe /c exit </dev/null >/dev/null 2>&1 || true

echo "== Seeding the demo system (SentrixEx.exe and its help pages go to C:\\Program Files\\Sentrix)"
timeout 300 "$SX_WINE64" build/mingw/tools/seed_demo.exe --program "$(echo "Z:$top/build/mingw/SentrixEx.exe" | tr / '\\')" --quiet

program='C:\Program Files\Sentrix\SentrixEx.exe'
if [ "$headless" = 1 ]; then
  echo "== Running SentrixEx.exe"
  "$SX_WINE64" "$program" </dev/null >/dev/null 2>&1 &
  sleep 8
  import -display "$DISPLAY" -window root build/sentrix-run.png
  echo "== Screenshot saved: build/sentrix-run.png"
  timeout 20 "$SX_WINE64" "$program" -q </dev/null >/dev/null 2>&1 || true
  sleep 1
else
  echo "== Running SentrixEx.exe (close its window to finish)"
  "$SX_WINE64" "$program" </dev/null >/dev/null 2>&1 || true
fi
