#!/usr/bin/env bash
# The Tools page and the reboot-delete road for real: "Remove!" with nothing listed, files put on
# the delete list through the file chooser, "Clear list", a RunOnce key nobody may write (its
# access list locked) so "del.exe -s" cannot be registered, a restart the system refuses (its
# restart program is missing), both reported without a restart; then "Remove!" answered with OK:
# "del.exe -s" under HKLM RunOnce, the forced reboot ends the prefix's session, and the next
# boot (wineboot runs RunOnce) lets del.exe delete the listed files.
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
shown() { drv list-items -w "$W" --name deleteList | paste -sd'|'; }
# "Remove!" answered with OK: the restart warning, then the one box that says what happened.
remove_ok() {  # BOX_TEXT
  drv click -w "$W" --name RemoveAppsBtn --async
  drv answer-box -w Warning --text-part "Your system is about to be restarted." --button ok >/dev/null
  drv answer-box --text "$1" --button ok >/dev/null
  kill -0 "$app" 2>/dev/null || sx_fail "the program ended after \"$1\""
}
add_to_list() {  # WINDOWS_PATH
  local before
  before=$(shown)
  drv click -w "$W" --name DeleteAddToListBtn --async
  drv answer-file -w Open --path "$1"
  for _ in $(seq 50); do [ "$(shown)" != "$before" ] && return 0; sleep 0.1; done
  sx_fail "\"Add to list\" of $1: the list stayed \"$before\""
}

sx_start sentinox.exe
app=$SX_LAST_PID
sx_wait_started
drv tab -w "$W" --name Engine --tab Tools

# --- nothing listed: the warning first, then "No programs were selected." ---
remove_ok "No programs were selected."
sx_assert_eq "" "$(sx_reg_query "$runonce" "del.exe -s")" "RunOnce with nothing to delete"

# --- "Add to list" through the file chooser, "Clear list" ---
add_to_list 'C:\victims\keep.exe'
sx_assert_eq 'C:\victims\keep.exe' "$(shown)" "the delete list after Add to list"
drv click -w "$W" --name Button18
sx_assert_eq "" "$(sx_ini_section "$delete_list" list)" "the delete list file after Clear list"
sx_assert_eq "" "$(shown)" "the delete list after Clear list"
drv click -w "$W" --name Button18
sx_assert_eq "" "$(shown)" "Clear list of an empty list"
add_to_list 'C:\victims\one.exe'
add_to_list 'C:\victims\with space\two.exe'
sx_assert_eq '0=C:\victims\one.exe|1=C:\victims\with space\two.exe' \
  "$(sx_ini_section "$delete_list" list | paste -sd'|')" "the delete list file"

# --- Cancel: nothing registered, nothing restarted ---
drv click -w "$W" --name RemoveAppsBtn --async
drv answer-box -w Warning --text-part "Your system is about to be restarted." --button cancel
sx_assert_eq 'C:\victims\one.exe|C:\victims\with space\two.exe' "$(shown)" "the delete list shown by Remove!"
sx_assert_eq "" "$(sx_reg_query "$runonce" "del.exe -s")" "RunOnce after Cancel"

# --- a RunOnce key nobody may write: said so, no restart ---
drv lock-key --key "$runonce"
sx_reg add "$runonce" /v SxProbe /d probe /f && sx_fail "the locked RunOnce key took a value"
remove_ok "Couldn't register the deleting program for the next start of Windows. Your system was not restarted."
drv unlock-key --key "$runonce"
sx_assert_eq "" "$(sx_reg_query "$runonce" "del.exe -s")" "RunOnce after the failed registration"

# --- a restart the system refuses (the program it restarts with is missing): said so ---
wineboot_exe=$(sx_unix 'C:\windows\system32\wineboot.exe')
mv "$wineboot_exe" "$wineboot_exe.away"
remove_ok "Windows refused to restart. The selected programs will be removed at the next start of Windows."
mv "$wineboot_exe.away" "$wineboot_exe"
sx_assert_eq "$SX_INSTALL_WIN\\del.exe -s" "$(sx_reg_query "$runonce" "del.exe -s")" "RunOnce kept after the refused restart"
sx_assert_file "$V/one.exe" "a listed file after the refused restart"

# --- OK: the entry for the next boot, then the forced reboot ends the session ---
drv click -w "$W" --name RemoveAppsBtn --async
box=$(drv read-box -w Warning)
sx_assert_contains "$box" "Please click on 'Cancel' if you didn't close all your documents yet." "the warning"
drv answer-box -w Warning --button ok --no-wait
for i in $(seq 300); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app" 2>/dev/null && sx_fail "sentinox.exe still runs after the forced reboot"
# Wine's reboot is a wineboot that ends every process of the session and then boots the prefix
# again, running RunOnce (del.exe with it, waited for). Once it is over, end that session too,
# so the next boot is ours to start.
for i in $(seq 300); do [ -z "$(sx_prefix_pids 'wineboot\.exe|\\del\.exe')" ] && break; sleep 0.1; done
[ -z "$(sx_prefix_pids 'wineboot\.exe|\\del\.exe')" ] || sx_fail "Wine's restart after the reboot still runs after 30 s"
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
