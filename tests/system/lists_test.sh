#!/usr/bin/env bash
# The Lists page: moves between the White and Black Lists never lose an entry, removal
# with and without a selection, adding through the file chooser, on both lists.
source "$(dirname "$0")/lib.sh"
sx_init lists
sx_install

W="Sentinox Control Center"
user_key=$(printf '%s' "$SX_WINUSER" | tr 'a-z' 'A-Z')
white="$SX_PERSONAL/${user_key}_white.snx"
black="$SX_PERSONAL/${user_key}_black.snx"
own="$SX_INSTALL_WIN\\sentinox.exe"
sx_write_ini "$black" list '0=C:\Bad\evil.exe' '1=C:\Bad\worse.exe'
lines() { sx_ini_section "$1" list | paste -sd'|'; }
shown() { drv list-items -w "$W" --name "$1" | paste -sd'|'; }

sx_start sentinox.exe
sx_wait_started
drv tab -w "$W" --name Engine --tab "Black && White Lists"
drv click -w "$W" --name listsRefreshbtn
sx_assert_eq "$own" "$(shown whiteList)" "the White List holds the program itself"
sx_assert_eq 'C:\Bad\evil.exe|C:\Bad\worse.exe' "$(shown blackList)" "the Black List as the file holds it"

# --- "Move to White": added to the White List, then gone from the Black List ---
drv tab -w "$W" --name listsPages --tab "Black List (unwanted software)"
drv pick -w "$W" --name blackList --item 'C:\Bad\evil.exe'
drv click -w "$W" --name Button17
sx_assert_eq "0=$own|1=C:\\Bad\\evil.exe" "$(lines "$white")" "the White List file after Move to White"
sx_assert_eq '0=C:\Bad\worse.exe' "$(lines "$black")" "the Black List file after Move to White"
sx_assert_eq 'C:\Bad\worse.exe' "$(shown blackList)" "the Black List page after Move to White"

# --- "Move to Black" of an entry the Black List already holds: nothing added, moved out of White ---
sx_write_ini "$white" list "0=$own" '1=C:\Bad\worse.exe'
drv click -w "$W" --name listsRefreshbtn
drv tab -w "$W" --name listsPages --tab "White List (allowed software)"
drv pick -w "$W" --name whiteList --item 'C:\Bad\worse.exe'
drv click -w "$W" --name Button15
sx_assert_eq "0=$own" "$(lines "$white")" "the White List after moving a duplicate"
sx_assert_eq '0=C:\Bad\worse.exe' "$(lines "$black")" "the Black List holds it once"

# --- a full target list: the entry stays where it was ---
full=(); for i in $(seq 0 200); do full+=("$i=C:\\Full\\p$i.exe"); done
sx_write_ini "$black" list "${full[@]}"
drv click -w "$W" --name listsRefreshbtn
drv pick -w "$W" --name whiteList --item "$own"
drv click -w "$W" --name Button15
sx_assert_eq "0=$own" "$(lines "$white")" "a move into a full Black List keeps the White List entry"
sx_assert_eq 201 "$(sx_ini_section "$black" list | wc -l | tr -d ' ')" "the full Black List"

# --- "Remove": nothing selected, then the selected line ---
remove_from() {  # BUTTON LISTBOX LINE
  drv click -w "$W" --name "$1" --async
  drv answer-box -w Sentinox --text "You must select some position first." --button ok
  drv pick -w "$W" --name "$2" --item "$3"
  drv click -w "$W" --name "$1"
}
remove_from Button14 whiteList "$own"
sx_assert_eq "" "$(lines "$white")" "the White List after Remove"
sx_assert_eq "" "$(shown whiteList)" "the White List page after Remove"
drv click -w "$W" --name Button15 --async
drv answer-box -w Sentinox --text "You must select some application first." --button ok

# --- "Add" through the file chooser ---
add_through_chooser() {  # BUTTON LISTFILE WINDOWS_PATH
  local before
  before=$(lines "$2")
  drv click -w "$W" --name "$1" --async
  drv answer-file -w "Find an application to be added" --path "$3"
  for i in $(seq 50); do [ "$(lines "$2")" != "$before" ] && break; sleep 0.1; done
}
add_through_chooser Button2 "$white" "$own"
sx_assert_eq "0=$own" "$(lines "$white")" "the White List after Add"
sx_assert_eq "$own" "$(shown whiteList)" "the White List page after Add"

# --- the Black List's own "Add" and "Remove" ---
deleter="$SX_INSTALL_WIN\\del.exe"
sx_write_ini "$black" list '0=C:\Bad\worse.exe'
drv click -w "$W" --name listsRefreshbtn
drv tab -w "$W" --name listsPages --tab "Black List (unwanted software)"
add_through_chooser Button3 "$black" "$deleter"
sx_assert_eq "0=C:\\Bad\\worse.exe|1=$deleter" "$(lines "$black")" "the Black List after Add"
sx_assert_eq "C:\\Bad\\worse.exe|$deleter" "$(shown blackList)" "the Black List page after Add"
sx_assert_eq "0=$own" "$(lines "$white")" "the White List after an Add to the Black List"
remove_from Button16 blackList 'C:\Bad\worse.exe'
sx_assert_eq "0=$deleter" "$(lines "$black")" "the Black List after Remove"
sx_assert_eq "$deleter" "$(shown blackList)" "the Black List page after Remove"
sx_pass
