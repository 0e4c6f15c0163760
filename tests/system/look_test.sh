#!/usr/bin/env bash
# How the main window and the decision dialogs look: the styled page headers, the tagged-text
# labels with their texts, the page images drawn at 32 x 32, the borderless coloured scan
# counters, the settings tabs opening on TabSheet10, the Help page's scroll box, and the
# dialogs' header bands with their icons. Pixels are read back from the screen only where a
# colour is what shows a picture or a font is there.
source "$(dirname "$0")/lib.sh"
sx_init look
sx_install

W="Sentinox Control Center"
NEW="New Software"
BAD="Bad Software"
U=$(printf '%s' "$SX_WINUSER" | tr 'a-z' 'A-Z')

# The pixels of a control as the screen shows them, one "#RRGGBB" a line.
pixels() {  # WINDOW NAME
  local l t w h
  read -r l t w h _ _ < <(drv rect -w "$1" --name "$2")
  import -window root -crop "${w}x${h}+${l}+${t}" +repage -depth 8 txt:- | sed -n 's/.*\(#[0-9A-F]\{6\}\).*/\1/p'
}
count_colour() {  # WINDOW NAME #RRGGBB
  pixels "$1" "$2" | grep -cx "$3" || true
}
# At least MIN pixels of the colour in the control. A page just picked paints when its thread
# gets to it: look again for a while before saying no.
shows_colour() {  # WINDOW NAME #RRGGBB MIN
  local i
  for i in $(seq 50); do
    [ "$(count_colour "$1" "$2" "$3")" -gt "$4" ] && return 0
    sleep 0.2
  done
  return 1
}
# Every picture of ours has an outline in this colour; the pages and panels have none of it.
OUTLINE='#242630'
assert_picture() {  # WINDOW NAME WHAT
  local size
  size=$(drv rect -w "$1" --name "$2" | cut -d' ' -f3,4)
  sx_assert_eq "32 32" "$size" "$3: $2 takes its picture's size"
  shows_colour "$1" "$2" "$OUTLINE" 20 || sx_fail "$3: $2 shows no picture"
}
text() { drv read-text -w "$W" --name "$1"; }

# A running black-listed program and a new autostart value bring both dialogs.
badrun='C:\Apps\Run\sxbadrun.exe'
mkdir -p "$(dirname "$(sx_unix "$badrun")")"
cp "$SENTINOX_BUILD/bin/sxsleeper.exe" "$(sx_unix "$badrun")"
(exec "$SX_WINE" "$badrun" >/dev/null 2>&1) &
SX_PIDS+=("$!")
sx_write_ini "$SX_PERSONAL/$U.snx" settings sett_autorun=0 sett_autoupdate=0 sett_autoscan=0 sett_closescan=0 \
  sett_scanregistry=1 sett_scanmemory=1 sett_removebadkeys=0 sett_removebadapps=0 sett_besilent=0
sx_write_ini "$SX_PERSONAL/${U}_black.snx" list "0=$badrun"
sx_reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v SxLookNew /d 'C:\Apps\New\newtool.exe /tray' /f

sx_start sentinox.exe
drv wait-window -w "$W" --state visible --timeout 30000 >/dev/null
for _ in $(seq 100); do   # the start-up sequence gives the window its full height
  [ "$(drv rect -w "$W" | cut -d' ' -f4)" = 526 ] && break
  sleep 0.2
done

# --- the menu column: eight pictures beside the eight labels ---
for i in 1 2 3 4 5 6 7 8; do
  assert_picture "$W" "sxImage$i" "menu"
done

# --- every page: its styled header, its picture, its texts ---
while IFS='|' read -r tab panel caption image; do
  drv tab -w "$W" --name Engine --tab "$tab"
  sx_assert_eq "$caption" "$(text "$panel")" "$tab page header"
  [ -n "$image" ] && assert_picture "$W" "$image" "$tab page"
done <<'PAGES'
Home|homePanel|Home|sxImage9
Settings|settPanel|Settings|sxImage11
Scanning|scanPanel|Scan Details|sxImage10
Trashcan|trashPanel|Trashcan|sxImage12
Help|helpPanel|Help|
Update|updPanel|Update|sxImage13
Processes|memPanel|Running Processes|sxImage16
About|aboutPanel|About|
Tools|toolsPanel|Tools|sxImage15
Black && White Lists|listsPanel|Black And White Lists|sxImage14
PAGES

drv tab -w "$W" --name Engine --tab Update
sx_assert_eq $'Make sure you check for updates regularly because this application is in\r\ndevelopment constantly. Especially if you happen to be using a release candidate\r\nversion (for which it stands the \'RC\' in the about box).' \
  "$(text UiHTLabel5)" "Update page text"
drv tab -w "$W" --name Engine --tab Tools
sx_assert_eq $'This is the list of special tools, designed to help you with removing\r\nthe ugliest programs or cleaning up your system from other crap.' \
  "$(text UiHTLabel6)" "Tools page text"
sx_assert_eq "NOTE: Your system will be forced to restart, so close any open documents" "$(text deleteNote1)" "Tools note"
drv tab -w "$W" --name toolsPages --tab "Remove Temp Files"
assert_picture "$W" sxImage19 "Remove Temp Files tab"
drv tab -w "$W" --name toolsPages --tab Help
sx_assert_eq $'Some of the tools will force Windows to restart so make sure you save all\r\nyour work before you use them.' \
  "$(text UiHTLabel7)" "Tools help text"

# --- the settings tabs open on TabSheet10 ("Main"), each tab with its picture ---
drv tab -w "$W" --name Engine --tab Settings
sx_assert_eq 1 "$(drv is-visible -w "$W" --name TabSheet10)" "the settings tabs' first page"
sx_assert_eq 1 "$(drv is-visible -w "$W" --name sett_autorun)" "Main tab's boxes"
assert_picture "$W" sxImage17 "Main tab"
while IFS='|' read -r tab image; do
  drv tab -w "$W" --name UiPageControl1 --tab "$tab"
  assert_picture "$W" "$image" "$tab tab"
done <<'TABS'
Scanning|sxImage18
Additional|sxImage20
Automatic Protection|sxImage23
TABS

# --- the Help page: its texts in a scroll box, the last one reached by scrolling ---
drv tab -w "$W" --name Engine --tab Help
assert_picture "$W" sxImage22 "Help page"
sx_assert_contains "$(text UiHTLabel1)" $'Sentinox keeps unwanted programs from starting with\r\n' "Help text"
read -r _ box_top _ box_height _ _ < <(drv rect -w "$W" --name helpBox)
label_bottom() { local t h; read -r _ t _ h _ _ < <(drv rect -w "$W" --name UiHTLabel4); echo $((t + h)); }
[ "$(label_bottom)" -gt $((box_top + box_height)) ] || sx_fail "Help page: the last text fits without scrolling"
drv post -w "$W" --name helpBox --msg 277 --wparam 7 --send >/dev/null   # WM_VSCROLL, SB_BOTTOM
[ "$(label_bottom)" -le $((box_top + box_height)) ] || sx_fail "Help page: scrolled down, the last text still below the box"

# --- the scan counters: borderless, their numbers in bold colours ---
drv tab -w "$W" --name Engine --tab Scanning
for c in sc_newregvalues sc_badregvalues sc_apps sc_badapps sc_baditems; do
  read -r _ _ width height client_width client_height < <(drv rect -w "$W" --name "$c")
  sx_assert_eq "$width $height" "$client_width $client_height" "$c has no border"
  sx_assert_eq 0 "$(text "$c")" "$c before a scan"
done
shows_colour "$W" sc_newregvalues '#C74303' 3 || sx_fail "sc_newregvalues: its number is not in 213959"
shows_colour "$W" sc_badapps '#EB7601' 3 || sx_fail "sc_badapps: its number is not in 95979"

# --- the decision dialogs: header band, icon, the band below ---
drv click -w "$W" --name ScanSystemBtn --async
drv answer-box -w Sentinox --button ok >/dev/null
drv wait-window -w "$NEW" --state visible >/dev/null
sx_assert_eq "New Software Found" "$(drv read-text -w "$NEW" --name headerTitle)" "new software header"
sx_assert_eq "Some new software was found in the startup section of Windows registry" \
  "$(drv read-text -w "$NEW" --name subHeader)" "new software band"
assert_picture "$NEW" headerIcon "new software dialog"
drv click -w "$NEW" --name Button18
drv answer-box -w Sentinox --button ok >/dev/null
drv answer-box -w Warning --button ok >/dev/null
drv wait-window -w "$BAD" --state visible >/dev/null
sx_assert_eq "Bad Software Found" "$(drv read-text -w "$BAD" --name headerTitle)" "bad software header"
assert_picture "$BAD" headerIcon "bad software dialog"
sx_assert_eq "show you more tools and will help you with cleaning your system up." \
  "$(drv read-text -w "$BAD" --name text4)" "the warning band"
drv click -w "$BAD" --name lbs_letrun
drv click -w "$BAD" --name Button18
drv wait-window -w "$BAD" --state gone >/dev/null

sx_pass
