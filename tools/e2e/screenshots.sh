#!/usr/bin/env bash
# Screenshots of SentrixEx.exe on the demo system, one per page, for docs/screenshots:
#   startup.png, activex.png, ie_helpers.png, scheduled_tasks.png, services.png, active_tasks.png,
#   hidden_files.png, options.png, history.png, info.png; help_startup.png, the Startup Programs help
#   page, and report.png, the program report of the demo system, as headless Chromium draws them
#   (tools/deps.sh installs Chromium).
#
#   tools/e2e/screenshots.sh [build folder]        (default build/mingw; build it first)
#
# Runs its own Xvfb on a free display and its own Wine prefix below the build folder ("screenshots",
# graphics driver x11), and takes both down again at the end, whatever happens. Every step has a
# time-out, so the script cannot hang.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
build=$(cd "${1:-$top/build/mingw}" && pwd)
out=$top/docs/screenshots
prefix_name=screenshots
screen=1280x1024x24
step_timeout=120

export SX_WINE_ROOT=$build/wine SX_TOOLS_DIR=$build/tools SX_BUILD_DIR=$build
. "$top/tools/wine/env.sh"
export WINEPREFIX=$SX_WINE_ROOT/$prefix_name

die() { echo "screenshots.sh: $*" >&2; exit 1; }
for f in "$build/SentrixEx.exe" "$build/tools/shoot.exe"; do
  [ -f "$f" ] || die "$f is missing: build $build first"
done
command -v Xvfb >/dev/null || die "Xvfb is not installed"
command -v import >/dev/null && command -v convert >/dev/null || die "ImageMagick (import, convert) is not installed"

work=$(mktemp -d)
xvfb_pid=
cleanup() {
  # The wine server first: it must go before its display does.
  timeout 30 "$SX_WINESERVER" -k </dev/null >/dev/null 2>&1 || true
  timeout 30 "$SX_WINESERVER" -w </dev/null >/dev/null 2>&1 || true
  rm -f "$WINEPREFIX/.server-started"
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    for _ in $(seq 50); do kill -0 "$xvfb_pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

# Xvfb chooses a free display itself and writes its number to descriptor 5.
Xvfb -displayfd 5 -screen 0 "$screen" -nolisten tcp 5>"$work/display" </dev/null >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 150); do [ -s "$work/display" ] && break; sleep 0.1; done
display=$(head -n 1 "$work/display" 2>/dev/null || true)
[ -n "$display" ] || die "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=:$display

windows_path() { printf 'Z:%s' "$1" | tr / '\\'; }
wine_quiet() { timeout "$step_timeout" "$SX_WINE64" "$@" </dev/null >/dev/null 2>&1; }
restart_server() {
  timeout 30 "$SX_WINESERVER" -k </dev/null >/dev/null 2>&1 || true
  timeout 30 "$SX_WINESERVER" -w </dev/null >/dev/null 2>&1 || true
  # Started with every descriptor detached, so no helper process keeps one of ours open.
  "$SX_WINESERVER" -p </dev/null >/dev/null 2>&1 || true
  wine_quiet cmd.exe /c exit || true
}

# A fresh prefix of its own, switched from the headless driver to x11. Without a window manager
# Wine draws the window frames itself when decorations are off, so captions show in the pictures.
timeout 300 "$top/tools/wine/prefix.sh" fresh "$prefix_name" || die "cannot make the prefix"
wine_quiet reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d x11 /f || die "cannot switch to x11"
wine_quiet reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f || die "cannot turn decorations off"
# The caption buttons are drawn with Marlett, which a prefix does not register by itself.
if [ -f /usr/share/wine/fonts/marlett.ttf ]; then
  cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
  wine_quiet reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts' /v 'Marlett (TrueType)' /d marlett.ttf /f || true
fi
restart_server

rect=$work/rect
shoot() {
  rm -f "$rect"
  if ! timeout "$step_timeout" "$SX_WINE64" "$build/tools/shoot.exe" "$@" </dev/null >"$work/shoot.log" 2>&1; then
    cat "$work/shoot.log" >&2
    die "shoot.exe $1 failed"
  fi
}
take() {
  local x y w h
  read -r x y w h <"$rect" || die "no rectangle for $1"
  [ "$x" -ge 0 ] || { w=$((w + x)); x=0; }
  [ "$y" -ge 0 ] || { h=$((h + y)); y=0; }
  sleep 1  # X11 paints asynchronously
  timeout 60 import -display "$DISPLAY" -window root "$work/screen.png" || die "import failed"
  mkdir -p "$out"
  timeout 60 convert "$work/screen.png" -crop "${w}x${h}+${x}+${y}" +repage "$out/$1.png" || die "convert failed"
  echo "wrote $out/$1.png (${w}x${h})"
}

result=$(windows_path "$rect")
shoot start "$result" "$build/SentrixEx.exe"
take startup
for page in "ActiveX:activex" "IE Helpers:ie_helpers" "Scheduled Tasks:scheduled_tasks" "Services:services" \
            "Active Tasks:active_tasks" "Hidden Files:hidden_files" "Options:options"; do
  shoot tab "${page%%:*}" "$result"
  take "${page##*:}"
done
shoot info NwUpdate "$result"
take info
shoot report "$result"
report_file="$WINEPREFIX/drive_c/Program Files/Sentrix/SentrixLog.html"
cp "$report_file" "$work/SentrixLog.html" || die "no report was written"
timeout "$step_timeout" chromium --headless --no-sandbox --disable-gpu --hide-scrollbars --window-size=1000,1400 \
  --screenshot="$out/report.png" "file://$work/SentrixLog.html" </dev/null >/dev/null 2>&1 || die "Chromium failed"
echo "wrote $out/report.png"
shoot history "$result"
take history
shoot quit "$result"

# A help page in a browser, drawn headless from the build's copy beside the program.
if command -v chromium >/dev/null; then
  timeout "$step_timeout" chromium --headless --no-sandbox --disable-gpu --hide-scrollbars --window-size=980,760 \
    --screenshot="$out/help_startup.png" "file://$build/startup.html" </dev/null >"$work/chromium.log" 2>&1 ||
    { cat "$work/chromium.log" >&2; die "chromium failed"; }
  echo "wrote $out/help_startup.png"
else
  echo "screenshots.sh: chromium is not installed (tools/deps.sh); help_startup.png left as it is" >&2
fi
