#!/usr/bin/env bash
# sentinox.exe's start-up: the user check and its two fatal exits, the per-user files, the
# program's own White List entry, the Home page notifications, the settings saved by "Save"
# with the own autostart value and the Internet Explorer button, and the one-shot guard.
source "$(dirname "$0")/lib.sh"
sx_init startup
sx_install

W="Sentinox Control Center"
EXE="$SX_INSTALL_WIN\\sentinox.exe"
RUN='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
IE='HKLM\Software\Microsoft\Internet Explorer\Extensions\{6D41B7C2-58E0-4F3A-9C1B-2E7A40D93F15}'
user_file() { printf '%s\n' "$SX_PERSONAL/$1"; }

notifications() { drv list-items -w "$W" --name notifications | paste -sd'|'; }
security() { drv post -w "$W" --name home_security --msg WM_USER+8 --send; }   # PBM_GETPOS

# Waits until the start-up sequence has written its notifications (at least N lines).
wait_notifications() {  # N
  local i
  for i in $(seq 100); do
    [ "$(drv list-items -w "$W" --name notifications | wc -l)" -ge "$1" ] && return 0
    sleep 0.2
  done
  sx_fail "fewer than $1 notifications after 20 s: $(notifications)"
}

wait_ended() {  # PID WHAT
  local i
  for i in $(seq 150); do
    kill -0 "$1" 2>/dev/null || return 0
    sleep 0.2
  done
  sx_fail "$2: the program still runs after 30 s"
}

stop_program() {  # PID
  kill "$1" 2>/dev/null || true
  wait_ended "$1" "stopping sentinox.exe"
  drv wait-window -w "$W" --state gone --timeout 10000 >/dev/null
}

# A stale own autostart value, as an earlier run with "Run application at system startup" leaves it.
plant_autorun() { sx_reg add "$RUN" /v "sentinox.exe -s" /d "$EXE -s" /f; }

# Starts the program with Varnel2 answering as told: one warning box, after OK the own value
# is removed and the program ends.
expect_fatal_exit() {  # WHAT TEXT CAPTION VAR=VALUE...
  local what=$1 text=$2 caption=$3 kv pid box
  shift 3
  plant_autorun
  for kv in "$@"; do export "${kv?}"; done
  sx_start sentinox.exe
  pid=$SX_LAST_PID
  for kv in "$@"; do unset "${kv%%=*}"; done
  box=$(drv read-box --text "$text" --timeout 30000 | paste -sd'|')
  sx_assert_contains "$box" "caption=$caption" "$what: box caption"
  drv answer-box --text "$text" --button ok >/dev/null
  wait_ended "$pid" "$what"
  sx_assert_eq "" "$(sx_reg_query "$RUN" "sentinox.exe -s")" "$what: own autostart value removed"
}

# --- an empty user name: no per-user file is written ---
expect_fatal_exit "empty user" 'Couldn`t localize the current user.' "Fatal Error" SENTINOX_TEST_USERNAME=
sx_assert_eq "" "$(ls "$SX_PERSONAL" | grep -i '\.snx$' || true)" "empty user: no per-user file"

# --- a non-administrator: the settings file is neither read nor rewritten ---
sx_write_ini "$(user_file NOBODY.snx)" settings "sett_autorun=1"
cp "$(user_file NOBODY.snx)" "$SX_DIR/nobody.before"
expect_fatal_exit "non-admin" "You are not a system administrator." "Wrong user privileges" \
  SENTINOX_TEST_USERNAME=nobody SENTINOX_TEST_ISADMIN=0
cmp -s "$(user_file NOBODY.snx)" "$SX_DIR/nobody.before" || sx_fail "non-admin: the settings file was rewritten"
sx_assert_no_file "$(user_file NOBODY_white.snx)" "non-admin: White List file"

# --- a first start for a new user whose name has lower-case letters ---
export SENTINOX_TEST_USERNAME=newUser
U=NEWUSER
sx_start sentinox.exe
pid=$SX_LAST_PID
drv wait-window -w "$W" --state visible --timeout 30000 >/dev/null
wait_notifications 3
sx_assert_eq "There are 1 items in the White List.|There are 0 items in the Black List.|Change configuration to be protected completely." \
  "$(notifications)" "first start: notifications"
sx_assert_eq "0=$EXE" "$(sx_ini_section "$(user_file ${U}_white.snx)" list | paste -sd'|')" "first start: White List"
sx_assert_eq "version=3.0.6|update=5" "$(sx_ini_section "$(user_file $U.snx)" application | paste -sd'|')" \
  "first start: installation info"
sx_assert_eq "Sentinox, core version: 3.0.6, Update number: 5 " "$(drv read-text -w "$W" --name version)" "version strip"
sx_assert_eq "NEWUSER" "$(drv read-text -w "$W" --name luser)" "user key"
sx_assert_eq "NO NO" "$(drv read-text -w "$W" --name home_autorun) $(drv read-text -w "$W" --name home_autoscan)" \
  "first start: Home indicators"
sx_assert_eq 0 "$(security)" "first start: security bar"
sx_assert_eq 0 "$(drv is-checked -w "$W" --name startup)" "the one-shot guard is cleared"
read -r _ _ _ h _ _ < <(drv rect -w "$W")
sx_assert_eq 526 "$h" "shown at full height"
sx_assert_eq "" "$(sx_reg_query "$RUN" "sentinox.exe -s")" "first start: no own autostart value"

# --- "Default", then "Save": the file, the autostart value, the button, the Home page ---
drv click -w "$W" --name DefaultSettBtn
sx_assert_eq "1 1 0 0 1 1 1 0 1 1" "$(for b in autorun autoupdate autoscan closescan scanregistry scanmemory \
  removebadkeys removebadapps besilent addicon; do drv is-checked -w "$W" --name sett_$b; done | paste -sd' ')" \
  "Default ticks its set"
sx_assert_eq "" "$(sx_ini_section "$(user_file $U.snx)" settings)" "Default writes nothing"
drv click -w "$W" --name SaveSettBtn --async
box=$(drv answer-box --text "Configuration saved." --button ok | paste -sd'|')
sx_assert_contains "$box" "caption=Sentinox" "Save: message caption"
sx_assert_eq "sett_autorun=1|sett_autoupdate=1|sett_autoscan=0|sett_closescan=0|sett_scanregistry=1|sett_scanmemory=1|sett_removebadkeys=1|sett_removebadapps=0|sett_besilent=1|sett_addicon=1|sett_autoremovebadkeys=0|sett_autoremovebadapps=0" \
  "$(sx_ini_section "$(user_file $U.snx)" settings | paste -sd'|')" "Save: the twelve keys in order"
sx_assert_eq "$EXE -s" "$(sx_reg_query "$RUN" "sentinox.exe -s")" "Save: own autostart value"
sx_assert_eq "{1FBA04EE-3024-11D2-8F1F-0000F87ABD16}" "$(sx_reg_query "$IE" CLSID)" "Save: button CLSID"
sx_assert_eq "$EXE" "$(sx_reg_query "$IE" Exec)" "Save: button Exec"
sx_assert_eq "$SX_INSTALL_WIN\\sentinoxbw.ico" "$(sx_reg_query "$IE" Icon)" "Save: button Icon"
sx_assert_eq "&Sentinox - protection against useless applications." "$(sx_reg_query "$IE" MenuText)" "Save: button MenuText"
sx_assert_eq "YES NO" "$(drv read-text -w "$W" --name home_autorun) $(drv read-text -w "$W" --name home_autoscan)" \
  "Save: Home indicators"
sx_assert_eq 110 "$(security)" "Save: security bar of the Default set"

# Everything ticked sums to 140 and shows as a full bar.
for b in autoscan closescan; do drv check -w "$W" --name sett_$b; done
drv click -w "$W" --name SaveSettBtn --async
drv answer-box --text "Configuration saved." --button ok >/dev/null
sx_assert_eq 110 "$(security)" "a sum above the range"

# Unticking the autostart and the button settings: the value goes, only "CLSID" leaves the key.
drv uncheck -w "$W" --name sett_autorun
drv uncheck -w "$W" --name sett_addicon
drv click -w "$W" --name SaveSettBtn --async
drv answer-box --text "Configuration saved." --button ok >/dev/null
sx_assert_eq "" "$(sx_reg_query "$RUN" "sentinox.exe -s")" "unticked: own autostart value removed"
sx_assert_eq "" "$(sx_reg_query "$IE" CLSID)" "unticked: CLSID removed"
sx_assert_eq "Remove useless applications with Sentinox" "$(sx_reg_query "$IE" ButtonText)" "unticked: ButtonText stays"
sx_assert_eq "NO" "$(drv read-text -w "$W" --name home_autorun)" "unticked: Home indicator"

# All those clicks and boxes gave the program many idle moments: the sequence ran once.
sx_assert_eq 3 "$(drv list-items -w "$W" --name notifications | wc -l)" "idle start-up ran once"
sx_assert_eq "0=$EXE" "$(sx_ini_section "$(user_file ${U}_white.snx)" list | paste -sd'|')" "White List unchanged"
stop_program "$pid"

# --- a known user: files as left by hand, the lines for a full configuration and protection ---
sx_write_ini "$(user_file ${U}_black.snx)" list '0=C:\bad\one.exe' '2=C:\bad\two.exe'
sx_write_ini "$(user_file $U.snx)" settings sett_autorun=1abc sett_autoupdate=0 sett_scanregistry=1 \
  sett_scanmemory=2 sett_closescan=1 sett_autoscan=0x1 sett_autoremovebadkeys=1 sett_autoremovebadapps=-1
sx_start sentinox.exe
pid=$SX_LAST_PID
drv wait-window -w "$W" --state visible --timeout 30000 >/dev/null
wait_notifications 5
sx_assert_eq "There are 1 items in the White List.|There are 2 items in the Black List.|Change configuration to be protected completely.|Registry Automatic Protection enabled.|Important Folders Automatic Protection enabled." \
  "$(notifications)" "known user: notifications"
sx_assert_eq "0 0 0 1 1 1" "$(for b in autorun autoupdate autoscan closescan scanregistry scanmemory; do
  drv is-checked -w "$W" --name sett_$b; done | paste -sd' ')" "known user: flags read as strict decimals"
sx_assert_eq 70 "$(security)" "known user: security bar"
sx_assert_eq "0=$EXE" "$(sx_ini_section "$(user_file ${U}_white.snx)" list | paste -sd'|')" "own path added once"
stop_program "$pid"

# The Default set on file: exactly 110, so no line asks for a change.
sx_write_ini "$(user_file $U.snx)" settings sett_autorun=1 sett_autoupdate=1 sett_scanregistry=1 sett_scanmemory=1
sx_start sentinox.exe
pid=$SX_LAST_PID
drv wait-window -w "$W" --state visible --timeout 30000 >/dev/null
wait_notifications 2
# The start-up sequence, which wrote them, has returned: a third line would be there now.
sx_round_trip -w "$W"
sx_assert_eq "There are 1 items in the White List.|There are 2 items in the Black List." "$(notifications)" \
  "Default set: no change asked for"
sx_assert_eq "$EXE -s" "$(sx_reg_query "$RUN" "sentinox.exe -s")" "a ticked sett_autorun writes the value at start"

# --- a second start while this one runs: it ends before it has a window and touches no file ---
# The driver starts it and looks at the windows titled as the main window until it has ended,
# as often as it can: the first one's is the only one throughout, and none is the second's.
before=$(cd "$SX_PERSONAL" && ls -l --time-style=full-iso)
watched=$(drv run-watching -w "$W" --path "$EXE" --timeout 30000 | paste -sd' ')
sx_assert_contains "$watched" "most=1 own=0" "second instance: the first one's main window alone throughout"
sx_assert_contains "$watched" "exit=0" "second instance: its exit code"
sx_assert_eq "$before" "$(cd "$SX_PERSONAL" && ls -l --time-style=full-iso)" "second instance: per-user files untouched"
sx_assert_eq 1 "$(drv count-windows -w "$W")" "second instance: one main window"
sx_assert_eq 2 "$(drv list-items -w "$W" --name notifications | wc -l)" "second instance: the first one's page as it was"
stop_program "$pid"

# --- "-s": the start-up runs, and 1500 ms later the window is hidden ---
sx_start sentinox.exe -s
pid=$SX_LAST_PID
drv wait-window -w "$W" --state exists --timeout 30000 >/dev/null
wait_notifications 2
drv wait-window -w "$W" --state hidden --timeout 10000 >/dev/null
stop_program "$pid"

# --- no "Personal" shell folder value: the files go where the shell says, not to the Windows folder ---
FOLDERS='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders'
personal_value=$(sx_reg_query "$FOLDERS" Personal)
sx_reg delete "$FOLDERS" /v Personal /f
export SENTINOX_TEST_USERNAME=nofolder
sx_start sentinox.exe
pid=$SX_LAST_PID
drv wait-window -w "$W" --state visible --timeout 30000 >/dev/null
wait_notifications 3
sx_assert_file "$(user_file NOFOLDER_white.snx)" "no Personal value: White List in the shell's Documents folder"
sx_assert_eq "" "$(ls "$WINEPREFIX/drive_c/windows" | grep -i '^nofolder' || true)" "no Personal value: nothing in the Windows folder"
stop_program "$pid"
sx_reg add "$FOLDERS" /v Personal /d "$personal_value" /f
sx_pass
