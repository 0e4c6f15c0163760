#!/usr/bin/env bash
# The reboot-delete road for real: files on the delete list, "Remove!" answered with OK,
# "del.exe -s" under HKLM RunOnce, the forced reboot ends the prefix's session, and the
# next boot (wineboot runs RunOnce) lets del.exe delete the listed files.
source "$(dirname "$0")/lib.sh"
sx_init reboot_delete
sx_install

W="Sentinox Control Center"
runonce='HKLM\Software\Microsoft\Windows\CurrentVersion\RunOnce'
user_key=$(printf '%s' "$SX_WINUSER" | tr 'a-z' 'A-Z')
delete_list="$SX_PERSONAL/${user_key}_delete.snx"
V=$(sx_unix 'C:\victims')
mkdir -p "$V/with space"
echo one >"$V/one.exe"
echo two >"$V/with space/two.exe"
echo keep >"$V/keep.exe"
sx_write_ini "$delete_list" list '0=C:\victims\one.exe' '1=C:\victims\with space\two.exe'

sx_start sentinox.exe
app=$SX_LAST_PID
sx_wait_started
drv tab -w "$W" --name Engine --tab Tools

# --- Cancel: nothing registered, nothing restarted ---
drv click -w "$W" --name RemoveAppsBtn --async
drv answer-box -w Warning --text-part "Your system is about to be restarted." --button cancel
sx_assert_eq 'C:\victims\one.exe|C:\victims\with space\two.exe' \
  "$(drv list-items -w "$W" --name deleteList | paste -sd'|')" "the delete list shown by Remove!"
sx_assert_eq "" "$(sx_reg_query "$runonce" "del.exe -s")" "RunOnce after Cancel"

# --- OK: the entry for the next boot, then the forced reboot ends the session ---
drv click -w "$W" --name RemoveAppsBtn --async
box=$(drv read-box -w Warning)
sx_assert_contains "$box" "Please click on 'Cancel' if you didn't close all your documents yet." "the warning"
drv answer-box -w Warning --button ok --no-wait
for i in $(seq 300); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app" 2>/dev/null && sx_fail "sentinox.exe still runs after the forced reboot"
# Wine's reboot ends every process of the session and boots the prefix again, which may
# already run RunOnce; end that session too, so the next boot is ours to start.
sleep 2
"$SX_WINESERVER" -k 2>/dev/null || true
registered=$(sx_reg_query "$runonce" "del.exe -s") || true
if [ -n "$registered" ]; then
  sx_assert_eq "$SX_INSTALL_WIN\\del.exe -s" "$registered" "RunOnce value for the next boot"
  sx_assert_file "$V/one.exe" "a listed file before the restart"
  sx_log "restarting the prefix"
  wineboot >/dev/null 2>&1 || true
else
  sx_log "Wine's own restart after the reboot has already run RunOnce"
fi
for i in $(seq 300); do [ -e "$V/one.exe" ] || [ -e "$V/with space/two.exe" ] || break; sleep 0.1; done
sx_assert_no_file "$V/one.exe" "a listed file after the restart"
sx_assert_no_file "$V/with space/two.exe" "a listed file in a folder with a blank"
sx_assert_file "$V/keep.exe" "a file not on the list"
sx_assert_eq "" "$(sx_reg_query "$runonce" "del.exe -s")" "RunOnce after the restart"
# Only del.exe -s empties the list: the files went by its hand.
sx_assert_eq "" "$(sx_ini_section "$delete_list" list)" "the delete list emptied by del.exe"
sx_pass
