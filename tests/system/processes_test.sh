#!/usr/bin/env bash
# The Processes and Trashcan pages with real programs: the list shows a running program's
# full path, "Stop!" ends every copy of it, "Move to trashcan" stops it (both copies of a program
# running twice from one path, at once) and moves its file into Personal\Trashcan\ with the
# trash list in step, "Regain" puts it back, "Erase" and "Empty trashcan" wipe stored files out.
source "$(dirname "$0")/lib.sh"
sx_init processes
sx_install

W="Sentinox Control Center"
app='C:\Apps\Sleepy\sxsleepy.exe'
other='C:\Apps\Other\SXSLEEPY.EXE'
sx_place_sleeper "$app" "$other"
user_key=$(printf '%s' "$SX_WINUSER" | tr 'a-z' 'A-Z')
trash_list="$SX_PERSONAL/${user_key}_trash.snx"

processes() { drv list-items -w "$W" --name memList; }
refresh_until_listed() {  # WINDOWS_PATH [LINES]
  local i
  for i in $(seq 50); do
    drv click -w "$W" --name memRefreshbtn
    [ "$(processes | grep -cxF "$1")" -ge "${2:-1}" ] && return 0
    sleep 0.2
  done
  sx_fail "$1 not on the Processes page ${2:-1} times: $(processes | paste -sd'|')"
}
no_box() {  # WHAT
  sx_assert_eq 0 "$(drv count-windows -w Sentinox --visible)" "$1: a message box"
}
trashed() { sx_list_entries "$trash_list"; }
trash_page() { drv list-items -w "$W" --name trashList | paste -sd'|'; }

sx_start_program "$app"; first=$SX_LAST_PID
sx_start_program "$app"; second=$SX_LAST_PID
sx_start_program "$other"; third=$SX_LAST_PID
sx_start sentinox.exe
sx_wait_started
drv tab -w "$W" --name Engine --tab Processes

# --- the list: full paths as the system reports them, one line per process ---
refresh_until_listed "$app"
sx_assert_eq 2 "$(processes | grep -cxF "$app")" "lines of the program running twice"
sx_assert_contains "$(processes)" "$other" "the same file name from another folder"

# --- nothing selected ---
drv click -w "$W" --name Button10 --async
drv answer-box -w Sentinox --text "You must choose some application first." --button ok

# --- "Stop!" ends every copy of that file name, from both folders ---
drv pick -w "$W" --name memList --item "$app"
drv click -w "$W" --name Button10 --async
drv answer-box -w Sentinox --text "This Application was killed successfully." --button ok
for pid in "$first" "$second" "$third"; do sx_gone_within "$pid" 10 || sx_fail "process $pid still runs after Stop!"; done
sx_assert_eq 0 "$(processes | grep -ciF 'sxsleepy.exe' || true)" "the list after Stop! (refreshed by it)"

# --- a program that denies everyone its termination: neither stopped nor moved, and said so ---
guard='C:\Apps\Guard\sxguard.exe'
sx_place_sleeper "$guard"
sx_start_unstoppable "$guard"; guarded=$SX_LAST_PID
refresh_until_listed "$guard"
drv pick -w "$W" --name memList --item "$guard"
drv click -w "$W" --name Button10 --async
drv answer-box -w Sentinox --text "Couldn't kill this application. Please take a look at the 'Tools' section." --button ok
refresh_until_listed "$guard"
drv pick -w "$W" --name memList --item "$guard"
drv click -w "$W" --name Button11 --async
drv answer-box -w Sentinox --text "Couldn't move this application to the trashcan." --button ok
kill -0 "$guarded" 2>/dev/null || sx_fail "the program that denies its termination has ended"
sx_assert_file "$(sx_unix "$guard")" "the file of the program that could not be stopped"
sx_assert_eq "" "$(trashed)" "the trash list after a move that could not stop the program"

# --- "Move to trashcan": stopped, then moved; the trash list records where it came from ---
sx_start_program "$app"; running=$SX_LAST_PID
refresh_until_listed "$app"
drv pick -w "$W" --name memList --item "$app"
drv click -w "$W" --name Button11
sx_gone_within "$running" 10 || sx_fail "the trashed program still runs"
sx_assert_no_file "$(sx_unix "$app")" "the program's file after the move"
sx_assert_file "$SX_PERSONAL/Trashcan/sxsleepy.exe" "the stored file"
sx_assert_eq "0=$app" "$(sx_ini_section "$trash_list" list | paste -sd'|')" "the trash list after the move"

# The same bare file name again: refused, nothing recorded, the file stays.
sx_start_program "$other"; running=$SX_LAST_PID
refresh_until_listed "$other"
drv pick -w "$W" --name memList --item "$other"
drv click -w "$W" --name Button11 --async
drv answer-box -w Sentinox --text "Couldn't move this application to the trashcan." --button ok
sx_assert_file "$(sx_unix "$other")" "a program whose name is already in the Trashcan"
sx_assert_eq "0=$app" "$(sx_ini_section "$trash_list" list | paste -sd'|')" "the trash list after the refused move"

# --- the Trashcan page: refresh shows it, "Regain" puts it back ---
drv tab -w "$W" --name Engine --tab Trashcan
drv click -w "$W" --name trashRefreshbtn
sx_assert_eq "$app" "$(drv list-items -w "$W" --name trashList | paste -sd'|')" "the Trashcan page"
drv pick -w "$W" --name trashList --item "$app"
drv click -w "$W" --name Button8 --async
drv answer-box -w Sentinox --text "AApplication was successfully restored." --button ok
sx_assert_file "$(sx_unix "$app")" "the regained file"
sx_assert_no_file "$SX_PERSONAL/Trashcan/sxsleepy.exe" "the stored copy after Regain"
sx_assert_eq "" "$(sx_ini_section "$trash_list" list)" "the trash list after Regain"
sx_assert_eq "" "$(drv list-items -w "$W" --name trashList)" "the Trashcan page after Regain"

# --- "Erase", of a program that ran twice from one path: one move stops both and succeeds ---
kill "$running" 2>/dev/null || true
sx_gone_within "$running" 10 || true
drv tab -w "$W" --name Engine --tab Processes
sx_start_program "$app"; first=$SX_LAST_PID
sx_start_program "$app"; second=$SX_LAST_PID
refresh_until_listed "$app" 2
drv pick -w "$W" --name memList --item "$app"
drv click -w "$W" --name Button11
no_box "Move to trashcan of a program running twice"
for pid in "$first" "$second"; do sx_gone_within "$pid" 10 || sx_fail "a copy of the trashed program still runs"; done
sx_assert_file "$SX_PERSONAL/Trashcan/sxsleepy.exe" "the program running twice, stored"
sx_assert_eq "$app" "$(trashed)" "the trash list after moving the program running twice"
drv tab -w "$W" --name Engine --tab Trashcan
drv click -w "$W" --name trashRefreshbtn
drv pick -w "$W" --name trashList --item "$app"
drv click -w "$W" --name Button9 --async
drv answer-box -w Sentinox --text "This application was successfully wiped out." --button ok
sx_assert_no_file "$SX_PERSONAL/Trashcan/sxsleepy.exe" "the stored file after Erase"
sx_assert_no_file "$(sx_unix "$app")" "the program after Erase"
sx_assert_eq "" "$(sx_ini_section "$trash_list" list)" "the trash list after Erase"
drv click -w "$W" --name Button9 --async
drv answer-box -w Sentinox --text "You must select some application first." --button ok

# --- "Empty trashcan": every entry whose stored file can go, without a message ---
one='C:\Apps\Empty\sxemptyone.exe'
two='C:\Apps\Empty\sxemptytwo.exe'
sx_place_sleeper "$one" "$two"
drv tab -w "$W" --name Engine --tab Processes
for p in "$one" "$two"; do
  sx_start_program "$p"
  refresh_until_listed "$p"
  drv pick -w "$W" --name memList --item "$p"
  drv click -w "$W" --name Button11
done
sx_assert_eq "$one|$two" "$(trashed)" "the trash list before Empty trashcan"
# A stored file held open by another process cannot be deleted: its entry stays.
sx_hold_file "$SX_PERSONAL_WIN\Trashcan\sxemptytwo.exe"; holder=$SX_LAST_PID
drv tab -w "$W" --name Engine --tab Trashcan
sx_assert_eq "$one|$two" "$(trash_page)" "the Trashcan page before Empty trashcan"
drv click -w "$W" --name Button7
no_box "Empty trashcan"
sx_assert_no_file "$SX_PERSONAL/Trashcan/sxemptyone.exe" "a stored file after Empty trashcan"
sx_assert_file "$SX_PERSONAL/Trashcan/sxemptytwo.exe" "a held stored file after Empty trashcan"
sx_assert_eq "$two" "$(trashed)" "the trash list after Empty trashcan with a held file"
sx_assert_eq "$two" "$(trash_page)" "the Trashcan page after Empty trashcan with a held file"
kill "$holder"
sx_gone_within "$holder" 10 || sx_fail "the holder of the stored file still runs"
drv click -w "$W" --name Button7
sx_assert_no_file "$SX_PERSONAL/Trashcan/sxemptytwo.exe" "the stored file, no longer held, after Empty trashcan"
sx_assert_eq "" "$(trashed)" "the trash list after Empty trashcan"
sx_assert_eq "" "$(trash_page)" "the Trashcan page after Empty trashcan"
# An empty Trashcan: nothing to do, nothing to say.
drv click -w "$W" --name Button7
no_box "Empty trashcan with nothing in it"
sx_pass
