#!/usr/bin/env bash
# The main program's update check at start against the scripted update site: a higher
# number asks, and Yes starts update.exe while No starts nothing; the same or a lower number
# only says so; an unreachable, failing or silent site is an error box; "Check" on the
# Update page starts the updater without asking. "autoUpdate.txt" is left beside the program.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/update_lib.sh"
sx_init update_check
sx_install
upd_server_start
upd_write_settings 5
UPD_COPY="$SX_INSTALL/autoUpdate.txt"

# The updater that Yes or "Check" starts finds the site up to date and ends.
updater_ends_up_to_date() {  # WHAT
  drv wait-window -w "Update" --state visible --timeout 30000 >/dev/null
  drv answer-box -w "Update" --text "There are no updates available." --button ok --timeout 20000 >/dev/null
  upd_wait_no_window "Update" 20 "$1: the updater ends"
}

# --- server 6, installation 5: the question, answered No -------------------------------
upd_script '{"update.txt": [{"body": "[sentinox]\r\nupdate=6\r\n"}]}'
upd_start_main
box=$(drv answer-box -w "New Version" --button no --timeout 30000)
sx_assert_contains "$box" "text=There is an update available on the server. Do you wan't to install it?" "the question"
sx_assert_contains "$box" "buttons=Yes,No" "the question's buttons"
sx_assert_eq "GET $UPD_LIST_URL HTTP/1.0" "$(upd_requests)" "the list is fetched from the built-in address"
printf '[sentinox]\r\nupdate=6\r\n' >"$SX_DIR/list6.txt"
cmp -s "$SX_DIR/list6.txt" "$UPD_COPY" || sx_fail "autoUpdate.txt beside the program holds the list as served"
# The answer's handler has returned: Yes would have started the updater by now.
sx_round_trip -w "Sentinox Control Center"
sx_assert_eq 0 "$(drv count-processes --exe update.exe)" "No starts no updater"
sx_assert_eq 0 "$(drv count-windows -w "Update")" "No shows no updater window"
sx_assert_contains "$(upd_notifications)" "Checking for updates..." "the check is noted"
[[ "$(upd_notifications)" != *"You have the current version installed."* ]] || sx_fail "no 'current version' line when one is due"

# "Check" on the Update page starts the updater at once, with no download of the main program's.
before=$(upd_request_count)
upd_script '{"update.txt": [{"body": "[sentinox]\r\nupdate=5\r\n"}]}'
drv click -w "Sentinox Control Center" --name Button1
updater_ends_up_to_date "Check"
sx_assert_eq $((before + 1)) "$(upd_request_count)" "only the updater fetched the list"
upd_stop_main

# --- server 6 again, answered Yes: update.exe from the program folder ------------------------
upd_script '{"update.txt": [{"body": "[sentinox]\r\nupdate=6\r\n"}, {"body": "[sentinox]\r\nupdate=5\r\n"}]}'
: >"$SX_DIR/server.log"
upd_start_main
drv answer-box -w "New Version" --button yes --timeout 30000 >/dev/null
updater_ends_up_to_date "Yes"
sx_assert_eq 1 "$(drv count-windows -w "Sentinox Control Center")" "the main program goes on running"
upd_stop_main

# --- the same and a lower number: two lines on the Home page, nothing asked ---------------------
for remote in 5 4; do
  upd_script "{\"update.txt\": [{\"body\": \"[sentinox]\\r\\nupdate=$remote\\r\\n\"}]}"
  upd_start_main
  upd_wait_notification "You have the current version installed." "server $remote"
  lines=$(upd_notifications)
  sx_assert_contains "$lines" "Checking for updates...|You have the current version installed." "server $remote: the two lines in order"
  sx_assert_eq 0 "$(drv count-windows -w "New Version")" "server $remote: no question"
  upd_stop_main
done

# --- a list without a usable number counts as nothing newer ------------------------------------
upd_script '{"update.txt": [{"body": "<html>maintenance</html>"}]}'
upd_start_main
upd_wait_notification "You have the current version installed." "a list without a number"
upd_stop_main

# --- the site unreachable, answering with an error, or silent: the error box ------------------
# A site that takes the connection and never answers is given up after the download bound (30 s).
for how in unreachable status500 silent; do
  if [ "$how" = unreachable ]; then
    upd_proxy "$(upd_unused_port)"
  elif [ "$how" = status500 ]; then
    upd_proxy "$UPD_PORT"
    upd_script '{"update.txt": [{"status": 500, "body": "[sentinox]\r\nupdate=9\r\n"}]}'
  else
    upd_script '{"update.txt": [{"mute": true}]}'
  fi
  upd_start_main
  box=$(drv answer-box -w "Update Error" --button ok --timeout 90000)
  sx_assert_contains "$box" "text=The list of updates is not currently available." "$how: the error box"
  sx_assert_eq 0 "$(drv count-windows -w "New Version")" "$how: no question"
  upd_stop_main
done
sx_pass
