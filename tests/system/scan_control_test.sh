#!/usr/bin/env bash
# Steering a running scan, and the scan nobody started by hand. "Stop" in the middle of the
# local machine's RunOnce key skips the rest of the registry and every Black List slot, while
# what was found before is still reported and decided on; a second scan cannot start while one
# runs (the button while it scans, the tray's "Scan" during a decision); with "Remove bad registry
# values" unticked the bad values stay and are counted. Then an "-s" start with sett_autoscan=1:
# the start-up scan is silent and the window not shown (it runs inside the tips dialog), so the
# tray icon's balloon announces the end; the decisions still come, the bad values of all keys go.
source "$(dirname "$0")/lib.sh"
sx_init scan_control
sx_install

W="Sentinox Control Center"
NEW="New Software"
white=$(sx_user_file _white.snx)
black=$(sx_user_file _black.snx)
trash=$(sx_user_file _trash.snx)
EXE="$SX_INSTALL_WIN\\sentinox.exe"
HKLM_ONCE='HKLM\Software\Microsoft\Windows\CurrentVersion\RunOnce'
HKCU_RUN='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
HKCU_ONCE='HKCU\Software\Microsoft\Windows\CurrentVersion\RunOnce'

# A program white-listed in the last slot: each of its values is a step of the scan, with a look
# at both lists and at pending events, so a key holding SLOW of them keeps the scan in it for
# many steps, enough for the driver to see it there. The local machine's RunOnce key (key 2 of 4)
# holds them, between a black-listed value before them and a new one after them (Wine lists
# values by name).
SLOW=2500
ONCE_COUNT=$((SLOW + 2))
slow='C:\Apps\Slow\slow.exe'
lmbad='C:\Apps\Bad\lmonce.exe'
cubad='C:\Apps\Bad\cubad.exe'
lmnew='C:\Apps\New\lmnew.exe'
late='C:\Apps\New\late.exe'
cunew='C:\Apps\New\cunew.exe'
runner='C:\Apps\Run\sxctlrun.exe'
sx_place_sleeper "$runner"

sx_write_ini "$white" list "0=$EXE" "200=$slow"
sx_write_ini "$black" list "0=$lmbad" "1=$cubad" "2=$runner"
settings() {  # KEY=VALUE... on top of a scan of both areas with no automatic step
  sx_write_ini "$(sx_user_file .snx)" settings sett_autorun=0 sett_autoupdate=0 sett_closescan=0 sett_addicon=0 \
    sett_scanregistry=1 sett_scanmemory=1 sett_autoremovebadkeys=0 sett_autoremovebadapps=0 "$@"
}
settings sett_autoscan=0 sett_removebadkeys=0 sett_removebadapps=0 sett_besilent=0

# One regedit run writes them all (or, with "-" for the data, deletes them again).
reg_text() { local t=${1//\\/\\\\}; printf '"%s"' "${t//\"/\\\"}"; }
seed() {  # VALUE_WRITER
  local base='HKEY_%s\\Software\\Microsoft\\Windows\\CurrentVersion\\%s' i
  {
    printf 'REGEDIT4\r\n\r\n['"$base"']\r\n' LOCAL_MACHINE Run
    "$1" SxCtlLmNew "$lmnew"
    printf '\r\n['"$base"']\r\n' LOCAL_MACHINE RunOnce
    "$1" SxCtlAFirst "\"$lmbad\" -x"
    for i in $(seq -w 1 $SLOW); do "$1" "SxCtlSlow$i" "$slow"; done
    "$1" SxCtlZLast "$late"
    printf '\r\n['"$base"']\r\n' CURRENT_USER Run
    "$1" SxCtlCuBad "$cubad"
    printf '\r\n['"$base"']\r\n' CURRENT_USER RunOnce
    "$1" SxCtlCuNew "$cunew"
  } >"$(sx_unix 'C:\')/sxctl.reg"
  sx_wine regedit /s 'C:\sxctl.reg' >/dev/null 2>&1 || sx_fail "regedit /s sxctl.reg failed"
}
write_value() { printf '"%s"=%s\r\n' "$1" "$(reg_text "$2")"; }
delete_value() { printf '"%s"=-\r\n' "$1"; }
seed write_value
[ -n "$(sx_reg_query "$HKLM_ONCE" "SxCtlSlow$SLOW")" ] || sx_fail "the seeded values are not there"

box_text() { drv read-box "$@" | sed -n 's/^text=//p'; }
no_boxes() {  # WHAT: none of the scan's message boxes is open
  local c
  for c in Sentinox Information Warning Question; do
    sx_assert_eq 0 "$(drv count-windows -w "$c" --visible)" "$1: a \"$c\" box"
  done
}

sx_start_program "$runner"; runner_pid=$SX_LAST_PID
sx_start sentinox.exe
sentinox_pid=$SX_LAST_PID
sx_wait_started
drv tab -w "$W" --name Engine --tab Scanning

# --- in the middle of key 2: a second start is ignored, then "Stop" ---
# Both clicks are posted the moment the status names key 2, so the scan takes them at its next
# value however fast it runs. A second scan started by the first would find and tell more.
drv click -w "$W" --name ScanSystemBtn --async
drv wait-text -w "$W" --name sc_status --contains "of $ONCE_COUNT" --click ScanSystemBtn,StopScanBtn >/dev/null

# Found before the stop: the new program of key 1, the black-listed value first in key 2.
sx_assert_eq $'There were 1 new products found. \rPlease decide what to do with them.' "$(box_text -w Sentinox)" \
  "the stopped scan's new programs"
drv answer-box -w Sentinox --button ok >/dev/null
sx_next_dialog "$NEW" lmnew.exe 'C:\Apps\New\'
# The tray's "Scan" during a decision starts nothing either: no second dialog, no box.
sx_tray_pick 1
sx_assert_eq 1 "$(drv count-windows -w "$NEW")" "decision dialogs after the tray's Scan"
no_boxes "the tray's Scan during a decision"
sx_answer_dialog
sx_assert_eq "Success. All new software is now assigned to proper lists." "$(box_text -w Sentinox)" "after the decision"
drv answer-box -w Sentinox --button ok >/dev/null
sx_assert_eq "Your machine is infected by 1 bad products." "$(box_text -w Warning)" "the bad value found before the stop"
drv answer-box -w Warning --button ok >/dev/null
drv wait-text -w "$W" --name sc_status --equals "Scan finished." >/dev/null
# A second scan that had started inside the first would report now, with its lists cleared.
drv read-box --timeout 2000 >/dev/null 2>&1 && sx_fail "a box after the end of the stopped scan: $(drv read-box)"
sx_assert_eq "1 1 0 1" "$(sx_scan_counters)" "counters of the stopped scan (new, bad values, bad programs, total)"

# "Remove bad registry values" unticked: counted, not removed. Skipped after the stop: the rest of
# key 2, keys 3 and 4, the running black-listed program.
sx_has_value "$HKLM_ONCE" SxCtlAFirst || sx_fail "a bad value was removed with sett_removebadkeys unticked"
sx_has_value "$HKCU_RUN" SxCtlCuBad || sx_fail "the bad value of key 3, after the stop, was removed"
kill -0 "$runner_pid" 2>/dev/null || sx_fail "the running black-listed program was stopped after the stop"
sx_assert_eq "$EXE|$lmnew|$slow" "$(sx_list_entries "$white")" "the White List gained the program kept"
sx_assert_eq "$lmbad|$cubad|$runner" "$(sx_list_entries "$black")" "the Black List"

sx_tray_pick 5
sx_gone_within "$sentinox_pid" 30 || sx_fail "Exit: the program still runs"

# --- the start-up scan of an "-s" start: silent, hidden by then, announced by a balloon ---
# With the tips dialog on, the start-up sequence and its scan run inside the dialog's loop while
# the main window is not shown yet: hidden when the scan ends, however fast the scan is, where the
# 1.5 s timer of "-s" alone would race it.
settings sett_autoscan=1 sett_removebadkeys=1 sett_removebadapps=1 sett_besilent=0
sx_reg add "$SX_TIPS_KEY" /v "$SX_TIPS_VALUE" /t REG_DWORD /d 1 /f || sx_fail "could not switch the tips dialog on"
sx_start sentinox.exe -s
sentinox_pid=$SX_LAST_PID
# (Its title cannot be read back: Wine's tooltips do not answer TTM_GETTITLE.)
sx_assert_eq "text=Scan finished. Click here to see the results." "$(drv tray-balloon --tip Sentinox --timeout 60000)" \
  "the balloon"
sx_assert_eq 0 "$(drv is-visible -w "$W")" "the window when the balloon shows"

# Its decisions still come: the new program that was after the stop, then key 4's.
sx_next_dialog "$NEW" late.exe 'C:\Apps\New\'
no_boxes "a silent scan"
drv click --handle "$SX_DIALOG" --name ns_notkeep
sx_answer_dialog
sx_next_dialog "$NEW" cunew.exe 'C:\Apps\New\'
sx_answer_dialog
drv wait-text -w "$W" --name sc_status --equals "Scan finished." --timeout 60000 >/dev/null
no_boxes "the end of a silent scan"
sx_assert_eq "2 2 1 3" "$(sx_scan_counters)" "counters of the start-up scan"

sx_has_value "$HKLM_ONCE" SxCtlZLast && sx_fail "the value of the program removed from autostart is still there"
sx_has_value "$HKLM_ONCE" SxCtlAFirst && sx_fail "the bad value under the local machine's RunOnce is still there"
sx_has_value "$HKCU_RUN" SxCtlCuBad && sx_fail "the bad value under the current user's Run is still there"
sx_has_value "$HKCU_ONCE" SxCtlCuNew || sx_fail "the value of the program kept is gone"
sx_has_value "$HKLM_ONCE" "SxCtlSlow$(seq -w 1 $SLOW | head -n 1)" || sx_fail "a white-listed value is gone"
sx_gone_within "$runner_pid" 10 || sx_fail "the automatic handling did not stop the running black-listed program"
sx_assert_eq "$runner" "$(sx_list_entries "$trash")" "the automatic handling trashed it"
sx_assert_contains "$(sx_list_entries "$white")" "$cunew" "the White List gained the program kept"

# The tips dialog closed, the window stays in the tray; the balloon's click shows the results.
drv click -w "Tips and Tricks" --text "&Close"
drv wait-window -w "Tips and Tricks" --state gone --timeout 20000 >/dev/null
# A message answered from the main loop: if the "-s" timer had not run yet, the loop has shown
# the window by then, and the timer puts it in the tray; so hidden now is hidden for good.
drv post -w "$W" --msg WM_NULL --send >/dev/null
drv wait-window -w "$W" --state hidden --timeout 20000 >/dev/null
drv post --class SxCustomTimerWindow --msg 1235 --lparam 1029   # NIN_BALLOONUSERCLICK, as the shell reports it
drv wait-window -w "$W" --state visible --timeout 10000 >/dev/null
sx_assert_eq 1 "$(drv is-visible -w "$W" --name pgScanning)" "the page after the balloon's click"

seed delete_value
sx_pass
