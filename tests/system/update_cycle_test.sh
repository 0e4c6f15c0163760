#!/usr/bin/env bash
# The whole update cycle for real: the installed main program runs, the scripted site offers
# update 6 and an Info-ZIP archive with a new sentinox.exe and a new data file; Yes starts
# update.exe, which stops the old main program, replaces the files byte for byte, starts the
# new main program and ends. Then the updater alone against each version outcome, each
# download failure and a damaged archive, with the main program running and untouched.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/update_lib.sh"
sx_init update_cycle
sx_install
upd_server_start
upd_write_settings 5
EXE="$SX_INSTALL/sentinox.exe"
EXE_WIN="$SX_INSTALL_WIN\\sentinox.exe"

# The update: the real program with a marker appended (it still runs), and a new data file.
stage="$SX_DIR/stage"
rm -rf "$stage" && mkdir -p "$stage"
cp "$EXE" "$stage/sentinox.exe"
printf 'SENTINOX-UPDATE-MARKER-%s' "$RANDOM$RANDOM" >>"$stage/sentinox.exe"
printf 'Release notes of update 6\r\n' >"$stage/whatsnew.txt"
(cd "$stage" && zip -q -X "$SX_DIR/sentinoxupdate.zip" sentinox.exe whatsnew.txt)
cp "$EXE" "$SX_DIR/sentinox.old.exe"

# --- the cycle ---------------------------------------------------------------------------------
# The old program asks (6), the updater compares (6), the new program checks again (5: current).
upd_script "{\"update.txt\": [{\"body\": \"[sentinox]\\r\\nupdate=6\\r\\n\"}, {\"body\": \"[sentinox]\\r\\nupdate=6\\r\\n\"},
  {\"body\": \"[sentinox]\\r\\nupdate=5\\r\\n\"}], \"sentinoxupdate.zip\": [{\"file\": \"$SX_DIR/sentinoxupdate.zip\"}]}"
upd_start_main
old_pid=$UPD_MAIN_PID
drv answer-box -w "New Version" --button yes --timeout 30000 >/dev/null
drv wait-window -w "Update" --state visible --timeout 30000 >/dev/null
drv answer-box -w "Update" --text "Local File is about to be replaced." --button ok --timeout 30000 >/dev/null
# The old main program is stopped before its file is replaced.
box=$(drv answer-box -w "Confirm" --button yes --timeout 30000)
sx_assert_contains "$box" "text=Overwrite file \"$EXE_WIN\" with \"sentinox.exe\"" "the overwrite question"
kill -0 "$old_pid" 2>/dev/null && sx_fail "the old main program still runs while its file is replaced"
drv answer-box -w "Update" --text "Update complete." --button ok --timeout 30000 >/dev/null
upd_wait_no_window "Update" 20 "the updater ends"
cmp -s "$stage/sentinox.exe" "$EXE" || sx_fail "sentinox.exe is not the archive's, byte for byte"
cmp -s "$stage/whatsnew.txt" "$SX_INSTALL/whatsnew.txt" || sx_fail "whatsnew.txt is not the archive's"
cmp -s "$SX_DIR/sentinoxupdate.zip" "$SX_INSTALL/update.zip" || sx_fail "update.zip stays as downloaded"
sx_assert_file "$SX_INSTALL/updatelist.txt" "the update list stays"
sx_assert_eq "GET $UPD_LIST_URL HTTP/1.0|GET $UPD_LIST_URL HTTP/1.0|GET $UPD_ARCHIVE_URL HTTP/1.0" \
  "$(upd_requests | head -n 3 | paste -sd'|')" "main check, updater's list, archive"
# The new main program runs: its window and its own check of the list.
drv wait-window -w "Sentinox Control Center" --state visible --timeout 30000 >/dev/null
upd_wait_notification "You have the current version installed." "the new main program's check"

# --- the updater alone: each outcome leaves the running main program and its files alone ------
cp "$stage/sentinox.exe" "$SX_DIR/installed.exe"
run_updater() {  # WHAT EXPECTED_MESSAGE
  : >"$SX_DIR/server.log"
  sx_start update.exe
  drv wait-window -w "Update" --state visible --timeout 30000 >/dev/null
  local box
  box=$(drv answer-box -w "Update" --button ok --timeout 30000)
  sx_assert_contains "$box" "text=$2" "$1"
  upd_wait_no_window "Update" 20 "$1: the updater ends"
  sx_assert_eq 1 "$(drv count-windows -w "Sentinox Control Center")" "$1: the main program still runs"
  cmp -s "$SX_DIR/installed.exe" "$EXE" || sx_fail "$1: sentinox.exe was touched"
}

list6='{"body": "[sentinox]\r\nupdate=6\r\n"}'
upd_script '{"update.txt": [{"body": "[sentinox]\r\nupdate=5\r\n"}]}'
run_updater "same number" "There are no updates available."
sx_assert_eq 1 "$(upd_request_count)" "same number: no archive download"
upd_script '{"update.txt": [{"body": "[sentinox]\r\nupdate=3\r\n"}]}'
run_updater "lower number" "There are no updates available."
upd_script '{"update.txt": [{"body": "[other]\r\nupdate=9\r\n"}]}'
run_updater "no section sentinox" "Couldn't determine the remote file version."
upd_script '{"update.txt": [{"drop": true}]}'
run_updater "list: connection closed" "Couldn't download the update list."
upd_script '{"update.txt": [{"status": 404, "body": "<html>Not Found</html>"}]}'
run_updater "list: not found" "Couldn't download the update list."
upd_script "{\"update.txt\": [$list6]}"
run_updater "archive: not found" "Couldn't download the remote file."
upd_script "{\"update.txt\": [$list6], \"sentinoxupdate.zip\": [{\"file\": \"$SX_DIR/sentinoxupdate.zip\", \"cut\": 1000}]}"
run_updater "archive: cut short" "Couldn't download the remote file."
upd_script "{\"update.txt\": [$list6], \"sentinoxupdate.zip\": [{\"file\": \"$SX_DIR/sentinoxupdate.zip\", \"length\": false}]}"
run_updater "archive: no length" "Couldn't download the remote file."
upd_script "{\"update.txt\": [$list6], \"sentinoxupdate.zip\": [{\"body\": \"<html>500 Internal Server Error</html>\"}]}"
run_updater "archive: an error page" "Server error or remote file not found. Please try again later."
head -c 3000 "$SX_DIR/sentinoxupdate.zip" >"$SX_DIR/damaged.zip"
upd_script "{\"update.txt\": [$list6], \"sentinoxupdate.zip\": [{\"file\": \"$SX_DIR/damaged.zip\"}]}"
run_updater "archive: damaged" "Server error or remote file not found. Please try again later."

# The installation's number unknown (settings file without it; the main program would write it).
# The main program now running is the one the updater started: not a process of this script.
sx_wine taskkill /f /im sentinox.exe >/dev/null 2>&1 || true
upd_wait_no_window "Sentinox Control Center" 20 "stopping the updated main program"
upd_write_settings none
upd_script "{\"update.txt\": [$list6]}"
: >"$SX_DIR/server.log"
sx_start update.exe
box=$(drv answer-box -w "Update" --button ok --timeout 30000)
sx_assert_contains "$box" "text=Couldn't determine the local file version." "no local number"
upd_wait_no_window "Update" 20 "no local number: the updater ends"
sx_assert_eq 1 "$(upd_request_count)" "no local number: no archive download"
sx_pass
