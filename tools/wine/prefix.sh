#!/usr/bin/env bash
# Throwaway Wine prefixes, all below $SX_WINE_ROOT (build/wine), never ~/.wine.
#   prefix.sh template            make the template prefix once (about 10 s)
#   prefix.sh fresh NAME          a new clone of the template, with its server running
#   prefix.sh ensure NAME         the clone exists and its server runs (the test wrapper calls this)
#   prefix.sh kill NAME|all       stop the servers of one or all clones
#   prefix.sh path NAME           print the prefix folder
# Set SX_TOOLS_DIR to the build's folder of helper programs so clones get the shell logger.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/env.sh"

lock() { mkdir -p "$SX_WINE_ROOT"; exec 9>"$SX_WINE_ROOT/.lock"; flock -w 300 9; }


start_server() {
  local p=$1
  # Start the server once with every descriptor detached (the lock too): services.exe and the other helpers keep the
  # descriptors they inherit, and a pipe they hold open would stall whoever reads the test output.
  WINEPREFIX=$p "$SX_WINESERVER" -p </dev/null >/dev/null 2>&1 9>&- || true
  WINEPREFIX=$p timeout 120 "$SX_WINE64" cmd.exe /c exit </dev/null >/dev/null 2>&1 9>&- || true
  touch "$p/.server-started"
}

make_template() {
  local t=$SX_WINE_ROOT/template
  [ -f "$t/.ready" ] && return 0
  echo "prefix.sh: creating the Wine template prefix in $t (once, about 10 s)" >&2
  rm -rf "$t"
  mkdir -p "$SX_WINE_ROOT/home"
  WINEPREFIX=$t HOME=$SX_WINE_ROOT/home timeout 300 "$SX_WINE64" wineboot.exe -i </dev/null >/dev/null 2>&1
  WINEPREFIX=$t timeout 120 "$SX_WINESERVER" -w
  WINEPREFIX=$t timeout 120 "$SX_WINE64" regedit.exe /s "$here/prefix-setup.reg" </dev/null >/dev/null 2>&1
  WINEPREFIX=$t timeout 120 "$SX_WINESERVER" -k || true
  WINEPREFIX=$t timeout 120 "$SX_WINESERVER" -w || true
  touch "$t/.ready"
}

kill_prefix() {
  local p=$SX_WINE_ROOT/$1
  [ -d "$p" ] || return 0
  WINEPREFIX=$p timeout 30 "$SX_WINESERVER" -k </dev/null >/dev/null 2>&1 || true
  WINEPREFIX=$p timeout 30 "$SX_WINESERVER" -w </dev/null >/dev/null 2>&1 || true
  rm -f "$p/.server-started"
}

clone() {
  local name=$1 t=$SX_WINE_ROOT/template p=$SX_WINE_ROOT/$1
  make_template
  kill_prefix "$name"
  rm -rf "$p"
  # Hard links make a clone in milliseconds; the files Wine or the program rewrite get real copies so
  # the template never changes.
  cp -al "$t" "$p"
  local f
  for f in system.reg user.reg userdef.reg drive_c/windows/win.ini drive_c/windows/system.ini; do
    if [ -e "$t/$f" ]; then rm -f "$p/$f"; cp -a "$t/$f" "$p/$f"; fi
  done
  rm -f "$p/.ready"
  mkdir -p "$p/drive_c/sxtest"
  if [ -n "${SX_TOOLS_DIR:-}" ] && [ -f "$SX_TOOLS_DIR/sxlogger.exe" ]; then
    cp "$SX_TOOLS_DIR/sxlogger.exe" "$p/drive_c/sxtest/sxlogger.exe"
  fi
}

cmd=${1:-}
case "$cmd" in
  template) lock; make_template ;;
  fresh)
    lock; clone "$2"; start_server "$SX_WINE_ROOT/$2" ;;
  ensure)
    p=$SX_WINE_ROOT/$2
    if [ ! -f "$p/.server-started" ]; then
      lock
      [ -d "$p" ] || clone "$2"
      [ -f "$p/.server-started" ] || start_server "$p"
    fi ;;
  kill)
    if [ "$2" = all ]; then
      for d in "$SX_WINE_ROOT"/*/; do
        n=$(basename "$d"); [ "$n" = template ] || [ "$n" = home ] || kill_prefix "$n"
      done
    else kill_prefix "$2"; fi ;;
  path) echo "$SX_WINE_ROOT/$2" ;;
  *) echo "usage: prefix.sh template|fresh NAME|ensure NAME|kill NAME|all|path NAME" >&2; exit 2 ;;
esac
