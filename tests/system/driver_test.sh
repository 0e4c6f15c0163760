#!/usr/bin/env bash
# The test driver against sxprobe.exe, a window of plain controls that logs
# each notification it gets (list box id 199): every command the other
# system tests rely on must produce exactly what a user's action would.
source "$(dirname "$0")/lib.sh"
sx_init driver

P=(--window "Driver Probe")
sx_tool sxprobe.exe >"$SX_DIR/sxprobe.log" 2>&1 &
SX_PIDS+=("$!")
drv wait-window "${P[@]}" --state visible >/dev/null

# The probe's log lines since the last check must be exactly EXPECTED ("|" between lines).
seen=1
expect() {  # WHAT EXPECTED
  local all got
  sleep 0.2
  all=$(drv list-items "${P[@]}" --id 199)
  got=$(printf '%s\n' "$all" | tail -n +$((seen + 1)) | paste -sd'|')
  seen=$(printf '%s\n' "$all" | wc -l)
  sx_assert_eq "$2" "$got" "$1"
}

# Buttons: visible ones by text (mnemonic or not) and by component name, a hidden one by id.
drv click "${P[@]}" --text Go
drv click "${P[@]}" --text "&Go"
drv click "${P[@]}" --name goBtn
drv click "${P[@]}" --id 111
expect "clicks" "clicked 101 check 0|clicked 101 check 0|clicked 101 check 0|clicked 111 check 0"

# Check boxes, visible and on a hidden panel; ticking a ticked box does nothing.
drv check "${P[@]}" --text "Visible box"
drv check "${P[@]}" --text "Visible box"
drv check "${P[@]}" --text "Hidden box"
sx_assert_eq 1 "$(drv is-checked "${P[@]}" --text "Hidden box")" "hidden check box state"
drv uncheck "${P[@]}" --text "Visible box"
sx_assert_eq 0 "$(drv is-checked "${P[@]}" --text "Visible box")" "visible check box state"
expect "check boxes" "clicked 113 check 1|clicked 112 check 1|clicked 113 check 0"

# Tabs: the parent hears TCN_SELCHANGING and TCN_SELCHANGE as for a mouse click.
drv tab "${P[@]}" --index 2
drv tab "${P[@]}" --tab Two
sx_assert_eq 1 "$(drv get-index "${P[@]}" --ctl-class SysTabControl32)" "selected tab"
sx_assert_eq "One|Two|Three" "$(drv list-items "${P[@]}" --ctl-class SysTabControl32 | paste -sd'|')" "tab captions"
expect "tabs" "leaving 0|tab 2|leaving 2|tab 1"

# List box lines, whole (the wide read), picked by text or index.
sx_assert_eq "alpha|Black && White|gamma" "$(drv list-items "${P[@]}" --id 120 | paste -sd'|')" "list box lines"
drv pick "${P[@]}" --id 120 --item "Black & White"
drv pick "${P[@]}" --id 120 --index 2 --double
sx_assert_eq 2 "$(drv get-index "${P[@]}" --id 120)" "selected line"
expect "list box" "list 1|list 2|dbl 2"

# Edits and posted messages, registered ones included.
drv set-text "${P[@]}" --id 140 --value "hello"
sx_assert_eq hello "$(drv read-text "${P[@]}" --id 140)" "edit text"
drv post "${P[@]}" --msg WM_APP+2 --wparam 7 --lparam -3
drv post --all --msg reg:TaskbarCreated
expect "messages" "edit hello|app 7 -3|taskbar created"

# A message box: read, a missing button refused, answered; the click did not wait for the box.
drv click "${P[@]}" --text Box 2>/dev/null
box=$(drv read-box --window "Probe Box")
sx_assert_eq $'caption=Probe Box\ntext=Question?\rSecond line\nbuttons=Yes,No' "$box" "message box"
sx_assert_fails "answering with a button the box lacks" drv answer-box --text-part Question --button ok 2>/dev/null >/dev/null
drv answer-box --window "Probe Box" --button no >/dev/null
expect "message box answer" "box no"

# The open-file dialog, confirmed and cancelled.
mkdir -p "$(sx_unix 'C:\pick')" && echo x >"$(sx_unix 'C:\pick\me.exe')"
drv click "${P[@]}" --text Open 2>/dev/null
drv answer-file --window Open --path 'C:\pick\me.exe'
drv click "${P[@]}" --text Open 2>/dev/null
drv answer-file --button cancel
expect "open-file dialog" 'file C:\pick\me.exe|file cancel'

# Popup menu items by position (separators not counted), and closing one.
drv click "${P[@]}" --text Menu --async
drv menu-pick --index 1
drv click "${P[@]}" --text Menu --async
drv menu-pick --close
expect "popup menu" "menu 2|menu 0"

# The tray icon in Wine's notification area, found by its tip; its clicks reach the program.
sx_assert_contains "$(drv tray-list)" "tip=Probe Tip" "tray icons"
drv tray-click --tip "Probe Tip"
drv tray-click --tip "Probe Tip" --button right
expect "tray clicks" "tray 0x0200|tray 0x0201|tray 0x0202|tray 0x0200|tray 0x0204|tray 0x0205"

# Errors: a clear message and exit code 1 for what is not there, 2 for wrong use.
rc=0; err=$(drv click "${P[@]}" --text Nope --timeout 200 2>&1) || rc=$?
sx_assert_eq 1 "$rc" "clicking a missing control: exit code"
sx_assert_contains "$err" 'no control with text "Nope"' "clicking a missing control: message"
rc=0; err=$(drv click "${P[@]}" --ctl-class Button --timeout 200 2>&1) || rc=$?
sx_assert_contains "$err" "controls match" "an ambiguous control"
rc=0; drv click "${P[@]}" --text Go --bogus 1 2>/dev/null || rc=$?
sx_assert_eq 2 "$rc" "an unknown option: exit code"

# Closing and waiting until the window is gone.
drv close "${P[@]}"
drv wait-window "${P[@]}" --state gone --timeout 5000
sx_assert_eq 0 "$(drv count-windows "${P[@]}")" "windows after close"
sx_pass
