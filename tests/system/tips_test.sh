#!/usr/bin/env bash
# The tips dialog of sentinox.exe with the flag absent, as on a first start: "Tips and Tricks"
# comes first, with its header and a tip, while the main window is still being created and its
# start-up sequence runs inside the dialog; "&Next Tip" goes round all fifteen tips; unticking
# "&Show Tips on Startup" and Close store 0, and the main window then appears with its Home page
# lines. The second start shows no tips. With "-s" and the dialog left open past the timer, the
# window still ends in the tray.
source "$(dirname "$0")/lib.sh"
sx_init tips
SX_KEEP_TIPS=1 sx_install

T="Tips and Tricks"
W="Sentinox Control Center"
UPDATED="Sentinox - Finishing update..."
TIPS=(
  "This program is constantly under development, so check for updates regularly."
  "You can turn on automatic protection to make Sentinox removing intruders immediately."
  "You can integrate Sentinox with Internet Explorer (check the 'Settings' tab)."
  "This application may check for its updates automatically."
  "Most of the features displayed in this box may be turned on/ off in the 'Settings' tab."
  "If you find the messages displayed in this application annoying - turn on the option 'Be silent'."
  "Make sure you read the Readme.txt file."
  "If you need more information about the Tools - read the Readme.txt file."
  "Sentinox may clean your registry automatically - as always, you can turn this on in the 'Settings' tab."
  "This application is free - I hope nobody charged you for it!"
  "This program may potentially be dangerous to your data if used by an unexperienced person. That's why only the powerusers/ administrators are allowed to turn it on."
  "There are more good programs that can help you fight spyware - use a second scanner now and then."
  "Sentinox will use more system resources when the Automatic Protection is turned on."
  "You won't be able to turn the tips on anymore."
  "Removed applications are placed in the 'Trashcan' - a special folder created by Sentinox. It is similar to a WindowsXP trashcan."
)
HOME_LINES="There are 1 items in the White List.|There are 0 items in the Black List.|Change configuration to be protected completely."

flag() { sx_reg_query "$SX_TIPS_KEY" "$SX_TIPS_VALUE"; }
notifications() { drv list-items -w "$W" --name notifications 2>/dev/null | paste -sd'|'; }
main_hidden() { [ "$(drv is-visible -w "$W")" = 0 ]; }

# The dialog's tip: its one label that is not the header.
tip_text() {
  drv list-windows -w "$T" --children | sed -n 's/^  0x[0-9a-f]* class "Static" id [0-9]* text "\(.*\)" visible$/\1/p' \
    | grep -vx "Did you know..." | head -n 1
}
tip_index() {  # TEXT -> its place in TIPS, or nothing
  local i
  for i in "${!TIPS[@]}"; do [ "${TIPS[$i]}" == "$1" ] && { echo "$i"; return; }; done
}

# Waits until the (still hidden) main window's start-up sequence has written its Home page lines.
wait_home_lines() {  # WHAT
  local i
  for i in $(seq 120); do
    [ "$(notifications)" == "$HOME_LINES" ] && return 0
    sleep 0.5
  done
  sx_fail "$1: the start-up sequence did not write its Home page lines: \"$(notifications)\""
}

stop_program() {  # PID
  local i
  kill "$1" 2>/dev/null || true
  for i in $(seq 150); do
    kill -0 "$1" 2>/dev/null || break
    sleep 0.2
  done
  kill -0 "$1" 2>/dev/null && sx_fail "sentinox.exe still runs 30 s after it was asked to end"
  drv wait-window -w "$W" --state gone --timeout 10000 >/dev/null
}

# --- the first start: no flag yet ---
sx_assert_eq "" "$(flag)" "no flag before the first start"
sx_start sentinox.exe
pid=$SX_LAST_PID
drv wait-window -w "$T" --state visible --timeout 60000 >/dev/null
sx_assert_eq "Did you know..." "$(drv read-text -w "$T" --text "Did you know...")" "the header"
wait_home_lines "inside the dialog"
sx_assert_eq 0 "$(drv is-visible -w "$W")" "the main window waits for the dialog"
sx_assert_eq 0 "$(drv count-windows -w "$UPDATED")" "Tupdated is not created yet"
sx_assert_eq 1 "$(drv is-checked -w "$T" --text "&Show Tips on Startup")" "the box is ticked"

first=$(tip_text)
start=$(tip_index "$first")
[ -n "$start" ] || sx_fail "the dialog shows no tip of the list: \"$first\""
for step in $(seq 1 15); do
  drv click -w "$T" --text "&Next Tip"
  sx_assert_eq "${TIPS[$(((start + step) % 15))]}" "$(tip_text)" "Next, step $step"
done
sx_assert_eq "$first" "$(tip_text)" "fifteen times Next: back at the first tip"

drv uncheck -w "$T" --text "&Show Tips on Startup"
drv click -w "$T" --text "&Close"
drv wait-window -w "$T" --state gone --timeout 20000 >/dev/null
sx_wait_started
sx_assert_eq "$HOME_LINES" "$(notifications)" "the Home page lines, written once"
drv wait-window -w "$UPDATED" --state exists --timeout 20000 >/dev/null
sx_assert_eq 1 "$(drv count-windows -w "$UPDATED")" "Tupdated exists once the dialog is closed, once"
read -r _ _ _ h _ _ < <(drv rect -w "$W")
sx_assert_eq 526 "$h" "the main window at full height"
sx_assert_eq "0x0" "$(flag)" "unticked and closed: 0 under the key"
stop_program "$pid"

# --- the second start: no tips ---
sx_start sentinox.exe
pid=$SX_LAST_PID
sx_wait_started
sx_assert_eq 0 "$(drv count-windows -w "$T")" "second start: no tips"
sx_assert_eq "0x0" "$(flag)" "second start: the flag unchanged"
stop_program "$pid"

# --- "-s" with the tips on: the timer ends its 1500 ms inside the dialog, the window still goes to the tray ---
sx_reg delete "$SX_TIPS_KEY" /v "$SX_TIPS_VALUE" /f
sx_start sentinox.exe -s
pid=$SX_LAST_PID
drv wait-window -w "$T" --state visible --timeout 60000 >/dev/null
wait_home_lines "-s, inside the dialog"
# The start-up sequence has started the timer: its 1500 ms run out while the dialog stays open.
sx_holds 3 "-s: the main window stays hidden behind the dialog" main_hidden
drv click -w "$T" --text "&Close"
drv wait-window -w "$T" --state gone --timeout 20000 >/dev/null
drv wait-window -w "$UPDATED" --state exists --timeout 20000 >/dev/null
# The main loop runs; had the timer not ended inside the dialog, it hides the window now.
sx_round_trip -w "$W"
drv wait-window -w "$W" --state hidden --timeout 10000 >/dev/null || sx_fail "-s: the main window did not go to the tray"
sx_assert_eq 0 "$(drv is-visible -w "$W")" "-s: the main window stays in the tray"
sx_assert_contains "$(drv tray-list)" "Sentinox" "-s: the tray icon"
sx_assert_eq "0x1" "$(flag)" "-s: the box left ticked stores 1"
stop_program "$pid"
sx_pass
