#!/usr/bin/env bash
# The main window, its tray icon and its menus: the "-s" start (shown at the design height, to
# the tray 1.5 s later), the icon in Wine's notification area, tray clicks toggling the window
# (outer height 526 and centred on every show), the popup menu's items, the balloon click, the
# eight menu labels switching pages, the refresh of a page picked by its tab, and "Exit".
source "$(dirname "$0")/lib.sh"
sx_init window
sx_install

W="Sentinox Control Center"
user_key=$(printf '%s' "$SX_WINUSER" | tr 'a-z' 'A-Z')
settings="$SX_PERSONAL/$user_key.snx"
PAGES=(pgHome pgSettings pgScanning pgTrashcan pgHelp pgUpdate pgProcesses pgLists)

visible() { drv is-visible -w "$W"; }
shown() { [ "$(visible)" = 1 ]; }
# The one page of Engine that shows.
shown_page() {
  local p
  for p in "${PAGES[@]}" pgAbout pgTools; do
    [ "$(drv is-visible -w "$W" --name "$p")" = 1 ] && { echo "$p"; return; }
  done
  echo none
}
wait_visible() {  # 1|0 WHAT
  local state=visible
  [ "$1" = 0 ] && state=hidden
  drv wait-window -w "$W" --state "$state" --timeout 10000 >/dev/null || sx_fail "$2: the window is not $state"
}
# Outer height 526, centred on the screen's work area (a pixel of rounding allowed).
assert_shown_in_place() {  # WHAT
  local left top width height cw ch sw sh wl wt wr wb
  read -r left top width height cw ch < <(drv rect -w "$W")
  read -r sw sh wl wt wr wb < <(drv screen)
  sx_assert_eq 526 "$height" "$1: outer height"
  local dx=$((left - (wl + (wr - wl - width) / 2))) dy=$((top - (wt + (wb - wt - height) / 2)))
  [ "${dx#-}" -le 1 ] && [ "${dy#-}" -le 1 ] ||
    sx_fail "$1: not centred: window at $left,$top size ${width}x$height, work area $wl,$wt-$wr,$wb"
}
tray_icons() { drv tray-list | grep -c 'tip=Sentinox$' || true; }
program_ended() {  # PID
  local i
  for i in $(seq 150); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.2; done
  return 1
}

# No scan at start or at close, no update check; "Scan" looks at the running programs only and
# silently, so it asks nothing.
sx_write_ini "$settings" settings sett_autorun=0 sett_autoupdate=0 sett_autoscan=0 sett_closescan=0 \
  sett_scanmemory=1 sett_besilent=1

# --- "-s": shown at the design height, then to the tray after about 1.5 s; the icon stays ---
started=$(date +%s%N)
sx_start sentinox.exe -s
pid=$SX_LAST_PID
wait_visible 1 "-s start"
read -r _ _ _ height _ client_height < <(drv rect -w "$W")
sx_assert_eq 105 "$client_height" "-s start: client height as designed"
wait_visible 0 "-s start, after the timer"
elapsed_ms=$((($(date +%s%N) - started) / 1000000))
[ "$elapsed_ms" -ge 1400 ] || sx_fail "-s start: hidden after $elapsed_ms ms, before the 1500 ms timer"
sx_assert_eq 1 "$(tray_icons)" "-s start: one Sentinox icon in the notification area"

# --- tray clicks toggle; every show gives height 526 and the centre ---
drv tray-click --tip Sentinox --button left
wait_visible 1 "first tray click"
assert_shown_in_place "first tray click"
# The "-s" timer fires once: ticking on, every 1500 ms, it would hide the window again.
sx_holds 2 "-s start: the timer fires once, the window stays shown after the first tray click" shown
drv tray-click --tip Sentinox --button left
wait_visible 0 "second tray click"
drv tray-click --tip Sentinox --button left
wait_visible 1 "third tray click"
assert_shown_in_place "third tray click"
# A double click arrives as a click (toggle) plus the double click (toggle back). Its four
# messages are sent to the icon's window as the shell reports them, each handled before the
# next, so the state it leaves can be read at once: through the shell's tray window a hidden
# window might still be the click's half, with the toggle back on its way.
for mouse in 513 514 515 514; do   # WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP
  drv post --class SxCustomTimerWindow --msg 1235 --lparam "$mouse" --send >/dev/null
done
sx_assert_eq 1 "$(drv is-visible -w "$W")" "the double click left the window shown"
drv tray-click --tip Sentinox --button left
wait_visible 0 "a click after the double click"
drv tray-click --tip Sentinox --button left
wait_visible 1 "shown again after the double click"

# --- the menu labels switch pages and nothing else ---
for i in 1 2 3 4 5 6 7 8; do
  drv click -w "$W" --name "FxUrlLabel$i"
  sx_assert_eq "${PAGES[$((i - 1))]}" "$(shown_page)" "menu label FxUrlLabel$i"
done
drv click -w "$W" --name FxUrlLabel1

# --- the popup menu: Show Sentinox(0) Scan(1) Settings(2) Lists(3) Update(4) Exit(5) ---
sx_tray_pick 0
wait_visible 0 "Show Sentinox while shown"
sx_tray_pick 2
wait_visible 1 "Settings while hidden"
assert_shown_in_place "Settings while hidden"
sx_assert_eq pgSettings "$(shown_page)" "Settings"
sx_tray_pick 3
sx_assert_eq pgLists "$(shown_page)" "Lists while shown: only the page changes"
sx_assert_eq 1 "$(visible)" "Lists while shown: still shown"
sx_tray_pick 0
wait_visible 0 "Show Sentinox, hiding"
sx_tray_pick 4
wait_visible 1 "Update while hidden"
sx_assert_eq pgUpdate "$(shown_page)" "Update"
sx_tray_pick 0
wait_visible 0 "Show Sentinox, hiding again"
sx_tray_pick 0
wait_visible 1 "Show Sentinox while hidden"
assert_shown_in_place "Show Sentinox while hidden"

# --- the balloon click, as the shell reports it to the icon's window: the Scanning page ---
sx_tray_pick 0
wait_visible 0 "hidden before the balloon click"
drv post --class SxCustomTimerWindow --msg 1235 --lparam 1029   # NIN_BALLOONUSERCLICK
wait_visible 1 "balloon click"
sx_assert_eq pgScanning "$(shown_page)" "balloon click"

# --- a page picked by its tab is refreshed, one reached by a label is not ---
drv click -w "$W" --name FxUrlLabel1
sx_assert_eq "Loading..." "$(drv read-text -w "$W" --name ab_version)" "About before its tab was picked"
drv tab -w "$W" --name Engine --tab About
sx_assert_eq pgAbout "$(shown_page)" "About tab"
sx_assert_eq "3.0.6" "$(drv read-text -w "$W" --name ab_version)" "About after its tab was picked"

sleeper='C:\Apps\Sleepy\sxsleepy.exe'
sx_place_sleeper "$sleeper"
sx_start_program "$sleeper"
listed() { drv list-items -w "$W" --name memList | grep -cxF "$sleeper" || true; }
drv wait-process --exe sxsleepy.exe >/dev/null
drv click -w "$W" --name FxUrlLabel7
sx_assert_eq pgProcesses "$(shown_page)" "Processes label"
sx_assert_eq 0 "$(listed)" "Processes by its label: the list as built at start"
drv click -w "$W" --name FxUrlLabel1
drv tab -w "$W" --name Engine --tab Processes
sx_assert_eq 1 "$(listed)" "Processes by its tab: the list rebuilt"

# --- "Scan": the window shown, then the Home page's "Scan now" ---
sx_tray_pick 0
wait_visible 0 "hidden before Scan"
sx_tray_pick 1
wait_visible 1 "Scan while hidden"
for _ in $(seq 50); do [ "$(shown_page)" = pgScanning ] && break; sleep 0.2; done
sx_assert_eq pgScanning "$(shown_page)" "Scan: the scan runs on the Scanning page"
drv wait-text -w "$W" --name sc_status --contains "Scan finished." >/dev/null ||
  sx_fail "Scan: the scan did not finish"

# --- "Exit" while hidden: the icon goes, the program ends ---
sx_tray_pick 0
wait_visible 0 "hidden before Exit"
sx_tray_pick 5
program_ended "$pid" || sx_fail "Exit: the program still runs after 30 s"
sx_assert_eq 0 "$(tray_icons)" "Exit: the icon is gone from the notification area"

# --- "Exit" with sett_closescan ticked, from the tray while hidden: a silent scan first ---
# Its trace: the black-listed autostart value is gone (sett_removebadkeys), with no box asked.
RUN='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
bad='C:\Apps\Bad\bad.exe'
sx_reg add "$RUN" /v badthing /d "$bad" /f
sx_write_ini "$SX_PERSONAL/${user_key}_black.snx" list "0=$bad"
sx_write_ini "$settings" settings sett_autorun=0 sett_autoupdate=0 sett_autoscan=0 sett_closescan=1 \
  sett_scanregistry=1 sett_removebadkeys=1 sett_besilent=1
sx_start sentinox.exe
pid=$SX_LAST_PID
wait_visible 1 "second start"
# Visible at the design height from its creation; the start-up sequence then shows it in full.
for _ in $(seq 100); do
  read -r _ _ _ height _ _ < <(drv rect -w "$W")
  [ "$height" = 526 ] && break
  sleep 0.2
done
assert_shown_in_place "second start without -s"
sx_assert_eq "$bad" "$(sx_reg_query "$RUN" badthing)" "before Exit: the black-listed value is there"
drv tray-click --tip Sentinox --button left
wait_visible 0 "hidden before Exit with the close scan"
sx_tray_pick 5
program_ended "$pid" || sx_fail "Exit with the close scan: the program still runs after 30 s"
sx_assert_eq "" "$(sx_reg_query "$RUN" badthing)" "Exit with the close scan: the scan removed the black-listed value"

# The same without sett_closescan: no scan, the value stays.
sx_reg add "$RUN" /v badthing /d "$bad" /f
sx_write_ini "$settings" settings sett_autorun=0 sett_autoupdate=0 sett_autoscan=0 sett_closescan=0 \
  sett_scanregistry=1 sett_removebadkeys=1 sett_besilent=1
sx_start sentinox.exe
pid=$SX_LAST_PID
wait_visible 1 "third start"
sx_tray_pick 5
program_ended "$pid" || sx_fail "Exit without the close scan: the program still runs after 30 s"
sx_assert_eq "$bad" "$(sx_reg_query "$RUN" badthing)" "Exit without the close scan: no scan ran"

sx_pass
