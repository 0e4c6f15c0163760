#!/usr/bin/env bash
# The system scan end to end in the installed program: autostart values seeded with reg add
# and running black-listed programs (copies of sxsleeper.exe), "Scan now" and "Scan System"
# clicked, both decision dialogs answered each way, the report boxes read, and the outcome
# checked in the registry, the list files, the Trashcan and the counters; then a silent scan
# with automatic handling, during which a close request waits for the scan's end.
source "$(dirname "$0")/lib.sh"
sx_init scan
sx_install

W="Sentinox Control Center"
NEW="New Software"
BAD="Bad Software"
U=$(printf '%s' "$SX_WINUSER" | tr 'a-z' 'A-Z')
white="$SX_PERSONAL/${U}_white.snx"
black="$SX_PERSONAL/${U}_black.snx"
trash="$SX_PERSONAL/${U}_trash.snx"
EXE="$SX_INSTALL_WIN\\sentinox.exe"
HKLM_RUN='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
HKCU_RUN='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
HKCU_ONCE='HKCU\Software\Microsoft\Windows\CurrentVersion\RunOnce'

badrun='C:\Apps\Run\sxbadrun.exe'
letrun='C:\Apps\Run2\sxletrun.exe'
auto='C:\Apps\Auto\sxauto.exe'
sx_place_sleeper "$badrun" "$letrun" "$auto"
list() { sx_ini_section "$1" list | paste -sd'|'; }
value() { sx_reg_query "$1" "$2"; }
has_value() { sx_wine reg query "$1" /v "$2" >/dev/null 2>&1; }
counter() { drv read-text -w "$W" --name "$1"; }
box_text() { drv read-box "$@" | sed -n 's/^text=//p'; }

sx_write_ini "$SX_PERSONAL/$U.snx" settings sett_autorun=0 sett_autoupdate=0 sett_autoscan=0 sett_closescan=0 \
  sett_scanregistry=1 sett_scanmemory=1 sett_removebadkeys=1 sett_removebadapps=0 sett_besilent=0 sett_addicon=0 \
  sett_autoremovebadkeys=0 sett_autoremovebadapps=0
# both.exe: White slot 1, Black slot 4 -> allowed. sxbadrun.exe twice in other letter case -> one decision.
sx_write_ini "$white" list "0=$EXE" '1=C:\Apps\Both\both.exe' '2=C:\Apps\Good\good.exe'
sx_write_ini "$black" list '0=C:\Apps\Bad\badvalue.exe' "1=$badrun" '2=c:\apps\run\SXBADRUN.EXE' "3=$letrun" \
  '4=C:\Apps\Both\both.exe'

sx_reg add "$HKLM_RUN" /v SxScanLm /d '"C:\Apps\Lm\lmtool.exe" -x' /f
sx_reg add "$HKCU_RUN" /v SxScanNew /d 'C:\Apps\New\newtool.exe /tray' /f
sx_reg add "$HKCU_RUN" /v SxScanBad /d '"C:\Apps\Bad\badvalue.exe" -q' /f
sx_reg add "$HKCU_RUN" /v SxScanGood /d 'C:\Apps\Good\good.exe' /f
sx_reg add "$HKCU_RUN" /v SxScanBoth /d 'C:\Apps\Both\both.exe' /f
# Not command lines: no decision, no error, never deleted.
sx_reg add "$HKCU_RUN" /v SxScanNum /t REG_DWORD /d 5 /f
sx_reg add "$HKCU_RUN" /v SxScanEmpty /d '' /f
sx_reg add "$HKCU_ONCE" /v SxScanQuotes /d '""' /f

sx_start_program "$badrun"; bad1=$SX_LAST_PID
sx_start_program "$badrun"; bad2=$SX_LAST_PID
sx_start_program "$letrun"; let1=$SX_LAST_PID
sx_start sentinox.exe
sentinox_pid=$SX_LAST_PID
drv wait-window -w "$W" --state visible --timeout 30000 >/dev/null
sx_assert_eq "Unknown..." "$(drv read-text -w "$W" --name sc_status)" "status before the first scan"

# --- no scan area ---
drv tab -w "$W" --name Engine --tab Settings
drv uncheck -w "$W" --name sett_scanregistry
drv uncheck -w "$W" --name sett_scanmemory
drv click -w "$W" --name HomeScanBtn --async
sx_assert_eq $'First you need to select areas to be scanned - registry,\rmemory or both. Go to the \'Settings\' tab.' \
  "$(box_text -w Sentinox)" "no scan area"
drv answer-box -w Sentinox --button ok >/dev/null
drv wait-text -w "$W" --name sc_status --equals "Scan canceled." >/dev/null
drv check -w "$W" --name sett_scanregistry
drv check -w "$W" --name sett_scanmemory

# --- "Scan now": two new programs, one bad value, two running bad programs ---
drv click -w "$W" --name HomeScanBtn --async
sx_assert_eq $'There were 2 new products found. \rPlease decide what to do with them.' "$(box_text -w Sentinox)" \
  "new software announced"
drv answer-box -w Sentinox --button ok >/dev/null

# Local machine "Run" first. Keep: only the White List changes.
sx_next_dialog "$NEW" lmtool.exe 'C:\Apps\Lm\'
D=(--handle "$SX_DIALOG")
sx_assert_eq 0 "$(drv is-enabled "${D[@]}" --name lns_black)" "Add to the Black List while keeping"
# Sent, so the dialog has answered it when the driver returns.
drv post "${D[@]}" --msg WM_CLOSE --send >/dev/null
sx_assert_eq 1 "$(drv count-windows -w "$NEW" --visible)" "the dialog after a close request"
# Ticked, then back to "Keep": greyed out with its tick, and the answer is keeping.
drv click "${D[@]}" --name ns_notkeep
drv check "${D[@]}" --name lns_black
drv click "${D[@]}" --name lns_keep
sx_assert_eq 0 "$(drv is-enabled "${D[@]}" --name lns_black)" "Add to the Black List after Keep again"
sx_assert_eq 1 "$(drv is-checked "${D[@]}" --name lns_black)" "its tick stays"
sx_answer_dialog

# Remove from autostart and onto the Black List.
sx_next_dialog "$NEW" newtool.exe 'C:\Apps\New\'
D=(--handle "$SX_DIALOG")
drv click "${D[@]}" --name ns_notkeep
sx_assert_eq 1 "$(drv is-enabled "${D[@]}" --name lns_black)" "Add to the Black List when removing"
sx_assert_eq 1 "$(drv is-enabled "${D[@]}" --name lns_delete)" "Delete Application when removing"
drv check "${D[@]}" --name lns_black
drv click "${D[@]}" --name Button18
sx_assert_eq "Success. All new software is now assigned to proper lists." "$(box_text -w Sentinox)" "after the decisions"
drv answer-box -w Sentinox --button ok >/dev/null

sx_assert_eq "There are 2 bad products currently running!" "$(box_text -w Warning)" "running bad programs"
drv answer-box -w Warning --button ok >/dev/null

# sxbadrun.exe runs twice and is listed twice: one decision. Stop it and trash it.
sx_next_dialog "$BAD" sxbadrun.exe 'C:\Apps\Run\'
D=(--handle "$SX_DIALOG")
sx_assert_eq 0 "$(drv is-enabled "${D[@]}" --name lbs_white)" "Add to the White List while stopping"
sx_assert_eq 1 "$(drv is-enabled "${D[@]}" --name lbs_delete)" "Delete Application while stopping"
drv post "${D[@]}" --msg WM_SYSCOMMAND --wparam 0xF060 --send >/dev/null
sx_assert_eq 1 "$(drv count-windows -w "$BAD" --visible)" "the dialog after SC_CLOSE"
drv check "${D[@]}" --name lbs_delete
sx_answer_dialog

# sxletrun.exe: let it run, off the Black List and onto the White List.
sx_next_dialog "$BAD" sxletrun.exe 'C:\Apps\Run2\'
D=(--handle "$SX_DIALOG")
drv click "${D[@]}" --name lbs_letrun
sx_assert_eq 1 "$(drv is-enabled "${D[@]}" --name lbs_white)" "Add to the White List when letting it run"
sx_assert_eq 0 "$(drv is-enabled "${D[@]}" --name lbs_delete)" "Delete Application when letting it run"
drv check "${D[@]}" --name lbs_white
drv click "${D[@]}" --name Button18

sx_assert_eq "Your machine is infected by 1 bad products." "$(box_text -w Warning)" "bad values"
drv answer-box -w Warning --button ok >/dev/null
drv wait-text -w "$W" --name sc_status --equals "Scan finished." >/dev/null

sx_assert_eq 2 "$(counter sc_newregvalues)" "new registry values"
sx_assert_eq 1 "$(counter sc_badregvalues)" "bad registry values"
sx_assert_eq 0 "$(counter sc_apps)" "scanned applications"
sx_assert_eq 2 "$(counter sc_badapps)" "running bad applications"
sx_assert_eq 3 "$(counter sc_baditems)" "total bad items"

sx_assert_eq "0=$EXE|1=C:\\Apps\\Both\\both.exe|2=C:\\Apps\\Good\\good.exe|3=C:\\Apps\\Lm\\lmtool.exe|4=$letrun" \
  "$(list "$white")" "White List after the scan"
sx_assert_eq "0=C:\\Apps\\Bad\\badvalue.exe|1=$badrun|2=c:\\apps\\run\\SXBADRUN.EXE|3=C:\\Apps\\Both\\both.exe|4=C:\\Apps\\New\\newtool.exe" \
  "$(list "$black")" "Black List after the scan"
sx_assert_eq '"C:\Apps\Lm\lmtool.exe" -x' "$(value "$HKLM_RUN" SxScanLm)" "kept value"
has_value "$HKCU_RUN" SxScanNew && sx_fail "the removed program's value is still there"
has_value "$HKCU_RUN" SxScanBad && sx_fail "the black-listed value is still there"
for v in SxScanGood SxScanBoth SxScanNum SxScanEmpty; do
  has_value "$HKCU_RUN" "$v" || sx_fail "value $v was deleted"
done
has_value "$HKCU_ONCE" SxScanQuotes || sx_fail "value SxScanQuotes was deleted"
sx_gone_within "$bad1" 10 && sx_gone_within "$bad2" 10 || sx_fail "sxbadrun.exe still runs"
kill -0 "$let1" 2>/dev/null || sx_fail "the program let run was stopped"
sx_assert_no_file "$(sx_unix "$badrun")" "the trashed program"
sx_assert_file "$SX_PERSONAL/Trashcan/sxbadrun.exe" "the trashed program in the Trashcan"
sx_assert_eq "0=$badrun" "$(list "$trash")" "trash list"

# --- nothing new: the report box ---
drv tab -w "$W" --name Engine --tab Scanning
drv click -w "$W" --name ScanSystemBtn --async
sx_assert_eq $'Scan Areas:\r* System memory (RAM)\r* Windows Registry\r\rScan Result:\r* No new or bad software found.' \
  "$(box_text -w Information)" "clean report"
drv answer-box -w Information --button ok >/dev/null
drv wait-text -w "$W" --name sc_status --equals "Scan finished." >/dev/null
for c in sc_newregvalues sc_badregvalues sc_badapps sc_baditems; do sx_assert_eq 0 "$(counter $c)" "$c of a clean scan"; done

# --- silent, with automatic handling of running bad programs; a close waits for the scan ---
drv tab -w "$W" --name Engine --tab Settings
drv check -w "$W" --name sett_besilent
drv check -w "$W" --name sett_removebadapps
drv tab -w "$W" --name Engine --tab Scanning
printf '%s\r\n' "5=$auto" >>"$black"
sx_start_program "$auto"; auto1=$SX_LAST_PID
sx_reg add "$HKCU_ONCE" /v SxScanSilent /d 'C:\Apps\Silent\quiet.exe' /f
sx_reg add "$HKCU_RUN" /v SxScanBad2 /d 'C:\Apps\Bad\badvalue.exe' /f
drv click -w "$W" --name ScanSystemBtn --async
sx_next_dialog "$NEW" quiet.exe 'C:\Apps\Silent\'
sx_assert_eq 0 "$(drv count-windows -w Sentinox --visible)" "no message box in a silent scan"
drv post -w "$W" --msg WM_CLOSE --send >/dev/null
sx_assert_eq 1 "$(drv count-windows -w "$W")" "the window while the scan decides"
drv click --handle "$SX_DIALOG" --name Button18
# The close held back is made once the scan has ended: the program ends.
sx_assert_eq 0 "$(drv count-windows -w Warning --visible)" "no warning box in a silent scan"
sx_gone_within "$sentinox_pid" 30 || sx_fail "the program did not end after the scan"
sx_assert_contains "$(list "$white")" 'C:\Apps\Silent\quiet.exe' "White List after the silent scan"
has_value "$HKCU_RUN" SxScanBad2 && sx_fail "the black-listed value of the silent scan is still there"
sx_gone_within "$auto1" 10 || sx_fail "automatic handling did not stop the running bad program"
sx_assert_file "$SX_PERSONAL/Trashcan/sxauto.exe" "automatic handling trashed the program"
sx_assert_contains "$(list "$black")" "$auto" "automatic handling keeps the Black List"

sx_reg delete "$HKLM_RUN" /v SxScanLm /f || true
for v in SxScanGood SxScanBoth SxScanNum SxScanEmpty; do sx_reg delete "$HKCU_RUN" /v "$v" /f || true; done
sx_reg delete "$HKCU_ONCE" /v SxScanQuotes /f || true
sx_pass
