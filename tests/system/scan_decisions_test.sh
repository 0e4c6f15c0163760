#!/usr/bin/env bash
# The decisions of a scan carried out on real programs and files, and what happens when they
# fail: a new program removed from autostart and trashed; one whose file cannot be moved (held
# open by a process of ours) brings the reboot question, answered Yes, so the file goes onto the
# delete list; a running bad program stopped and left where it is; one that cannot be stopped
# (it denies everyone the right) brings both reboot questions; and of two programs of one file
# name, stopping the first ends both, so the second is already gone by its turn: no "could not be
# stopped", no reboot, and its file moves into the Trashcan.
source "$(dirname "$0")/lib.sh"
sx_init scan_decisions
sx_install

W="Sentinox Control Center"
NEW="New Software"
BAD="Bad Software"
black=$(sx_user_file _black.snx)
trash=$(sx_user_file _trash.snx)
delete=$(sx_user_file _delete.snx)
HKCU_RUN='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'

trashme='C:\Apps\Trash\sxtrashme.exe'
held='C:\Apps\Held\sxheld.exe'
stoponly='C:\Apps\StopOnly\sxstoponly.exe'
guard='C:\Apps\Guard\sxguard.exe'
twin1='C:\Apps\Twin1\sxtwin.exe'
twin2='C:\Apps\Twin2\sxtwin.exe'
sx_place_sleeper "$trashme" "$held" "$stoponly" "$guard" "$twin1" "$twin2"

sx_write_ini "$(sx_user_file .snx)" settings sett_autorun=0 sett_autoupdate=0 sett_autoscan=0 sett_closescan=0 \
  sett_scanregistry=1 sett_scanmemory=1 sett_removebadkeys=1 sett_removebadapps=0 sett_besilent=1 sett_addicon=0 \
  sett_autoremovebadkeys=0 sett_autoremovebadapps=0
sx_write_ini "$black" list "0=$stoponly" "1=$guard" "2=$twin1" "3=$twin2"
sx_reg add "$HKCU_RUN" /v SxDec1Trash /d "\"$trashme\" /min" /f
sx_reg add "$HKCU_RUN" /v SxDec2Held /d "$held" /f

question() {  # TEXT yes|no
  drv answer-box -w Question --text "$1" --button "$2" >/dev/null
}
cancel_restart() {
  drv answer-box -w Warning --text-part "Your system is about to be restarted." --button cancel >/dev/null
}
MOVE_Q="Couldn't remove this file. May Sentinox restart your system now to remove this application (the file will be lost forever)?"
STOP_Q="Couldn't stop this process. May Sentinox restart your system now to remove this application?"

for p in "$stoponly" "$twin1" "$twin2"; do sx_start_program "$p"; done
pids=("${SX_PIDS[@]}")
sx_start_unstoppable "$guard"; guard_pid=$SX_LAST_PID
sx_hold_file "$held"; holder=$SX_LAST_PID
sx_start sentinox.exe
sx_wait_started
drv click -w "$W" --name HomeScanBtn --async

# --- new programs: removed from autostart and trashed; a held file brings the reboot question ---
sx_next_dialog "$NEW" sxtrashme.exe 'C:\Apps\Trash\'
drv click --handle "$SX_DIALOG" --name ns_notkeep
drv check --handle "$SX_DIALOG" --name lns_delete
sx_answer_dialog
sx_next_dialog "$NEW" sxheld.exe 'C:\Apps\Held\'
drv click --handle "$SX_DIALOG" --name ns_notkeep
drv check --handle "$SX_DIALOG" --name lns_black
drv check --handle "$SX_DIALOG" --name lns_delete
sx_answer_dialog
question "$MOVE_Q" yes
cancel_restart

# --- running bad programs ---
# Stop without "Delete Application": it ends, its file stays.
sx_next_dialog "$BAD" sxstoponly.exe 'C:\Apps\StopOnly\'
sx_answer_dialog
# It cannot be stopped: the first question (Yes: onto the delete list, the restart cancelled),
# then the move, which cannot stop it either, and the second question (No).
sx_next_dialog "$BAD" sxguard.exe 'C:\Apps\Guard\'
drv check --handle "$SX_DIALOG" --name lbs_delete
sx_answer_dialog
question "$STOP_Q" yes
cancel_restart
question "$MOVE_Q" no
# Stopping the first of two programs of one file name ends both.
sx_next_dialog "$BAD" sxtwin.exe 'C:\Apps\Twin1\'
sx_answer_dialog
sx_next_dialog "$BAD" sxtwin.exe 'C:\Apps\Twin2\'
drv check --handle "$SX_DIALOG" --name lbs_delete
sx_answer_dialog
drv wait-text -w "$W" --name sc_status --equals "Scan finished." --timeout 20000 >/dev/null ||
  sx_fail "the scan did not end after the last decision; open boxes: $(drv read-box 2>&1 | paste -sd'|')"
sx_assert_eq "2 0 4 4" "$(sx_scan_counters)" "counters (new, bad values, bad programs, total)"

# The registry and the lists.
sx_has_value "$HKCU_RUN" SxDec1Trash && sx_fail "the value of the program removed from autostart is still there"
sx_has_value "$HKCU_RUN" SxDec2Held && sx_fail "the value of the held program is still there"
sx_assert_eq "$stoponly|$guard|$twin1|$twin2|$held" "$(sx_list_entries "$black")" "the Black List gained the held program"
sx_assert_eq "$trashme|$twin2" "$(sx_list_entries "$trash")" "the trash list"
sx_assert_eq "$held|$guard" "$(sx_list_entries "$delete")" "the delete list: the two programs a Yes was given for"

# The files and the processes.
sx_assert_no_file "$(sx_unix "$trashme")" "the trashed new program"
sx_assert_file "$SX_PERSONAL/Trashcan/sxtrashme.exe" "the trashed new program in the Trashcan"
sx_assert_file "$(sx_unix "$held")" "the held file"
for pid in "${pids[@]}"; do sx_gone_within "$pid" 10 || sx_fail "a stopped program (pid $pid) still runs"; done
sx_assert_file "$(sx_unix "$stoponly")" "the file of the program stopped without delete"
sx_assert_file "$(sx_unix "$twin1")" "the file of the first twin, stopped without delete"
sx_assert_no_file "$(sx_unix "$twin2")" "the file of the second twin"
sx_assert_file "$SX_PERSONAL/Trashcan/sxtwin.exe" "the second twin in the Trashcan"
kill -0 "$guard_pid" 2>/dev/null || sx_fail "the program that cannot be stopped has ended"
sx_assert_file "$(sx_unix "$guard")" "the file of the program that cannot be stopped"
kill "$holder" 2>/dev/null || true
sx_pass
