#!/usr/bin/env bash
# Autostart values whose names or command lines the ANSI code page cannot hold (x中 reads as
# "x?" through the ANSI calls): the scan tells them from their "?" namesakes, removes the
# black-listed one by its own name and leaves the white-listed one, asks about a program in a
# folder named 中 under a name of its own (never taking it for a white-listed "?" path), and
# Automatic Protection later removes that program's value by the Black List entry made there.
# The values are written and listed by wide names through the driver.
source "$(dirname "$0")/lib.sh"
sx_init wide_names
sx_install

W="Sentinox Control Center"
NEW="New Software"
HKCU_RUN='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
EXE="$SX_INSTALL_WIN\\sentinox.exe"
white=$(sx_user_file _white.snx)
black=$(sx_user_file _black.snx)
good='C:\Apps\Good\good.exe'
evil='C:\Apps\Evil\evil.exe'
lossy='C:\Apps\?\tool.exe'          # what C:\Apps\中\tool.exe reads as through the ANSI calls
tool='C:\Apps\中\tool.exe'
tool_form='C:\Apps\<U+4E2D>\tool.exe' # how the program carries and shows it

# The driver's arguments and output are UTF-8 whatever the test's locale.
wdrv() { LC_ALL=C.UTF-8 drv "$@"; }
values() { wdrv list-values --key "$HKCU_RUN" | LC_ALL=C sort | paste -sd'|'; }
set_value() { wdrv set-value --key "$HKCU_RUN" --name "$1" --data "$2"; }
box_text() { drv read-box "$@" | sed -n 's/^text=//p'; }
list() { sx_list_entries "$1"; }
# True once the value is gone, false when it is still there after about SECONDS.
value_gone_within() {  # NAME SECONDS
  local i
  for i in $(seq $(($2 * 5))); do
    values | tr '|' '\n' | grep -q "^$1=" || return 0
    sleep 0.2
  done
  return 1
}
settings() {  # sett_autoremovebadkeys
  sx_write_ini "$(sx_user_file .snx)" settings sett_autorun=0 sett_autoupdate=0 sett_autoscan=0 sett_closescan=0 \
    sett_scanregistry=1 sett_scanmemory=0 sett_removebadkeys=1 sett_removebadapps=0 sett_besilent=0 sett_addicon=0 \
    sett_autoremovebadkeys="$1" sett_autoremovebadapps=0
}

settings 0
sx_write_ini "$white" list "0=$EXE" "1=$good" "2=$lossy"
sx_write_ini "$black" list "0=$evil"
set_value 'x?' "$good"
set_value 'x中' "\"$evil\" -hide"
set_value 'y中' "$tool"
set_value 'z?' "$lossy"
sx_assert_eq "x?=$good|x中=\"$evil\" -hide|y中=$tool|z?=$lossy" "$(values)" "the values as written"

# --- the scan: one new program, one bad value ---
sx_start sentinox.exe
sentinox_pid=$SX_LAST_PID
sx_wait_started
drv click -w "$W" --name HomeScanBtn --async
sx_assert_eq $'There were 1 new products found. \rPlease decide what to do with them.' "$(box_text -w Sentinox)" \
  "new software announced"
drv answer-box -w Sentinox --button ok >/dev/null

# Named by its own folder, not by the white-listed "?" path it reads as through the ANSI calls.
sx_next_dialog "$NEW" tool.exe 'C:\Apps\<U+4E2D>\'
drv click --handle "$SX_DIALOG" --name ns_notkeep
drv check --handle "$SX_DIALOG" --name lns_black
sx_answer_dialog
sx_assert_eq "Success. All new software is now assigned to proper lists." "$(box_text -w Sentinox)" "after the decision"
drv answer-box -w Sentinox --button ok >/dev/null

sx_assert_eq "Your machine is infected by 1 bad products." "$(box_text -w Warning)" "bad values"
drv answer-box -w Warning --button ok >/dev/null
drv wait-text -w "$W" --name sc_status --equals "Scan finished." >/dev/null
sx_assert_eq "1 1 0 1" "$(sx_scan_counters)" "new, bad values, running bad programs, total"

# The black-listed x中 and the removed y中 went, each by its own name; their "?" namesakes stayed.
sx_assert_eq "x?=$good|z?=$lossy" "$(values)" "HKCU Run after the scan"
sx_assert_eq "$EXE|$good|$lossy" "$(list "$white")" "White List after the scan"
sx_assert_eq "$evil|$tool_form" "$(list "$black")" "Black List after the scan"

# --- Automatic Protection: the program writes its value again, under another name the code page cannot hold ---
drv close -w "$W"
sx_gone_within "$sentinox_pid" 30 || sx_fail "the program did not end after its window was closed"
settings 1
sx_start sentinox.exe
sx_wait_started
sx_wait_notification "Registry Automatic Protection enabled."
# The workers arm their notifications once they run: a black-listed probe, written again until it
# is taken, says they do.
for i in $(seq 50); do
  set_value probe "$evil"
  value_gone_within probe 2 && break
done
value_gone_within probe 1 || sx_fail "Automatic Protection never removed a black-listed value"

# Written before the intruder, so the reaction that removes the intruder has looked at it too.
set_value 'q?' "$lossy"
set_value 'q中' "$tool"
value_gone_within 'q中' 20 || sx_fail "Automatic Protection left q中 ($tool) in HKCU Run: $(values)"
sx_assert_eq "q?=$lossy|x?=$good|z?=$lossy" "$(values)" "HKCU Run after Automatic Protection"

sx_pass
