# Sourced by every script that runs Wine: one environment, so runs are repeatable and never touch
# the user's own ~/.wine. SX_WINE_ROOT holds the prefixes (default: build/mingw/wine in the checkout).
_sx_top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
export SX_TOP=${SX_TOP:-$_sx_top}
export SX_WINE_ROOT=${SX_WINE_ROOT:-$SX_TOP/build/mingw/wine}
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
export LANG=C LC_ALL=C TZ=UTC
# No Mono/Gecko installers, no menu builder, no crash debugger (a crash must end the process, not
# wait for a click), no sound drivers (they print ALSA noise and there is no card).
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;winedbg.exe=d;winealsa.drv,winepulse.drv=d"
SX_WINE64=/usr/lib/wine/wine64
[ -x "$SX_WINE64" ] || SX_WINE64=$(command -v wine64 || command -v wine)
SX_WINESERVER=/usr/lib/wine/wineserver
[ -x "$SX_WINESERVER" ] || SX_WINESERVER=$(command -v wineserver)
export SX_WINE64 SX_WINESERVER
