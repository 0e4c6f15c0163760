#!/usr/bin/env bash
# The main window's magnet ("magn" of its description): dragged by the caption as a user drags
# it, the window stops where the pointer leaves it when that is outside the magnetic zone, and
# lands on the edge of the work area when the pointer leaves it 5 pixels short of any edge.
source "$(dirname "$0")/lib.sh"
sx_init magnet
sx_install

W="Sentinox Control Center"
user_key=$(printf '%s' "$SX_WINUSER" | tr 'a-z' 'A-Z')
# No scan, no update check: nothing else opens a window while we drag.
sx_write_ini "$SX_PERSONAL/$user_key.snx" settings sett_autorun=0 sett_autoupdate=0 sett_autoscan=0 \
  sett_closescan=0

sx_start sentinox.exe
sx_wait_started
read -r _ _ wl wt wr wb < <(drv screen)

# drag prints what rect prints: left top width height client-width client-height
read -r left _ < <(drv drag -w "$W" --edge left --short 30)
sx_assert_eq "$((wl + 30))" "$left" "left, let go 30 short (outside the zone)"
read -r left _ < <(drv drag -w "$W" --edge left --short 5)
sx_assert_eq "$wl" "$left" "left, let go 5 short"
read -r _ top _ < <(drv drag -w "$W" --edge top --short 5)
sx_assert_eq "$wt" "$top" "top, let go 5 short"
read -r left _ width _ < <(drv drag -w "$W" --edge right --short 5)
sx_assert_eq "$wr" "$((left + width))" "right, let go 5 short"
read -r _ top _ height _ < <(drv drag -w "$W" --edge bottom --short 5)
sx_assert_eq "$wb" "$((top + height))" "bottom, let go 5 short"

sx_pass
