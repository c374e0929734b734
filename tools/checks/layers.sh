#!/usr/bin/env bash
# The logic folders form layers: a folder's own sources include only folders of its layer or below,
# never the program's entry (app/) or the window code (ui/), and never <windows.h>.
# Pages (a pages/ or win32/ subfolder) are window code and may include anything.
set -u
cd "$(dirname "$0")/../.."
rank() {
  case $1 in
    platform|res) echo 0 ;; common) echo 1 ;; settings) echo 2 ;; programinfo) echo 3 ;;
    startup) echo 4 ;; inventory) echo 5 ;; reports) echo 6 ;; *) echo 99 ;;
  esac
}
bad=0
for dir in common settings programinfo startup inventory reports; do
  [ -d "$dir" ] || continue
  own=$(rank "$dir")
  for file in "$dir"/*.cpp "$dir"/*.h; do
    [ -f "$file" ] || continue
    if grep -q '#include <windows.h>' "$file"; then echo "$file: includes <windows.h>"; bad=1; fi
    while read -r inc; do
      top=${inc%%/*}
      if [ "$(rank "$top")" -gt "$own" ]; then echo "$file: includes $inc from a layer above"; bad=1; fi
    done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file")
  done
done
[ $bad -eq 0 ] && echo "layers: every logic folder includes only its own layer and those below"
exit $bad
