#!/usr/bin/env bash
# The installed programs start in a fresh prefix and show their windows:
# sentinox.exe its main window, update.exe its five-step window.
source "$(dirname "$0")/lib.sh"
sx_init windows
sx_install

sx_start sentinox.exe
drv wait-window -w "Sentinox Control Center" --state visible --timeout 30000 >/dev/null
sx_assert_eq "Sentinox Control Center" "$(drv read-text -w "Sentinox Control Center")" "main window caption"
sx_assert_eq "Home" "$(drv read-text -w "Sentinox Control Center" --name pgHome)" "first page"
tabs=$(drv list-items -w "Sentinox Control Center" --name Engine | paste -sd'|')
sx_assert_eq "Home|Settings|Scanning|Trashcan|Help|Update|Processes|About|Tools|Black && White Lists" "$tabs" "the pages in tab order"
read -r _ _ _ _ cw _ < <(drv rect -w "Sentinox Control Center")
sx_assert_eq 579 "$cw" "main window client width"
# The update-finishing window exists but is never shown.
sx_assert_eq 0 "$(drv is-visible -w "Sentinox - Finishing update...")" "Tupdated stays hidden"

sx_start update.exe
# With no update site reachable the updater soon says so in a box captioned "Update" too.
drv wait-window -w "Update" -k SxWindow --state visible --timeout 30000 >/dev/null
sx_assert_eq "Update" "$(drv read-text -w "Update" -k SxWindow)" "updater caption"
sx_assert_eq "Checking for updates on server" "$(drv read-text -w "Update" -k SxWindow --name step0)" "first step"
read -r _ _ _ _ cw ch < <(drv rect -w "Update" -k SxWindow)
sx_assert_eq "201 141" "$cw $ch" "updater client area"
sx_pass
