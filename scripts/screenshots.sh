#!/usr/bin/env bash
# Screenshots of the main window's pages for the README: starts the installed sentinox.exe in
# a throwaway prefix on a private Xvfb, picks every tab through the test driver and saves
# docs/screenshots/<page>.png, cut to the window.
#
#   scripts/screenshots.sh            # the build in build/x86_64 (SENTINOX_BUILD picks another)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export SENTINOX_BUILD=${SENTINOX_BUILD:-$root/build/x86_64}
unset DISPLAY   # always a private display: nothing else on the picture
# shellcheck source=../tests/system/lib.sh
source "$root/tests/system/lib.sh"
sx_init screenshots
sx_install
out="$root/docs/screenshots"
mkdir -p "$out"

W="Sentinox Control Center"
user_key=$(printf '%s' "$SX_WINUSER" | tr 'a-z' 'A-Z')
# A settings file of its own, so the first start offers no update check and no scan.
sx_write_ini "$SX_PERSONAL/$user_key.snx" settings sett_autorun=0 sett_autoupdate=0 sett_autoscan=0 \
  sett_scanregistry=1 sett_scanmemory=1
sx_start sentinox.exe
drv wait-window -w "$W" --state visible --timeout 30000 >/dev/null
sleep 2

shot() {  # FILE
  local left top width height
  read -r left top width height _ _ < <(drv rect -w "$W")
  sleep 0.5
  import -window root -crop "${width}x${height}+${left}+${top}" +repage "$out/$1.png"
  echo "screenshots: $out/$1.png"
}

while IFS='|' read -r tab file; do
  drv tab -w "$W" --name Engine --tab "$tab"
  shot "$file"
done <<'EOF'
Home|home
Settings|settings
Scanning|scanning
Trashcan|trashcan
Help|help
Update|update
Processes|processes
About|about
Tools|tools
Black && White Lists|lists
EOF
sx_pass
