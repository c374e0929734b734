#!/usr/bin/env bash
# Installs, on Debian 12, whatever the build and the tests need and the machine lacks.
#   tools/deps.sh               what the build, the tests and tools/run.sh need
#   tools/deps.sh screenshots   that, and the browser tools/e2e/screenshots.sh draws a help page with
set -euo pipefail

packages=()
want() {  # want <test> <package>...
  if ! eval "$1" >/dev/null 2>&1; then shift; packages+=("$@"); fi
}
want "command -v cmake" cmake
want "command -v ninja" ninja-build
want "command -v clang++" clang
want "ls /usr/lib/llvm-14/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a" libclang-rt-14-dev
want "test -f /usr/src/googletest/CMakeLists.txt" googletest
want "command -v x86_64-w64-mingw32-g++-posix" g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
want "test -x /usr/lib/wine/wine64" wine wine64
want "test -f /usr/share/wine/fonts/marlett.ttf" fonts-wine
want "command -v Xvfb" xvfb
want "command -v xauth" xauth
want "command -v import" imagemagick
want "command -v flock" util-linux
# The reports' real clients: the HTML report renders in headless Chromium, the CSV reads back with Python.
want "command -v chromium" chromium
want "command -v python3" python3

if [ ${#packages[@]} -eq 0 ]; then
  echo "deps: everything needed is installed"
  exit 0
fi
echo "deps: installing ${packages[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${packages[@]}"
