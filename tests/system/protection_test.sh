#!/usr/bin/env bash
# Automatic Protection in the installed program: with both settings on, black-listed values
# written by another process into the four Run/RunOnce keys disappear by themselves, silently,
# and every existing Black List file is stopped and moved into the Trashcan as soon as a file
# appears under "C:\Program Files" or "C:\Windows", with a Home page line for each. Prints how
# long each removal took (wall clock from Linux, Wine's own process start included).
source "$(dirname "$0")/lib.sh"
sx_init protection
sx_install

W="Sentinox Control Center"
KEYS=('HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
      'HKCU\Software\Microsoft\Windows\CurrentVersion\RunOnce'
      'HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
      'HKLM\Software\Microsoft\Windows\CurrentVersion\RunOnce')
HKCU_RUN=${KEYS[0]}
tag="SxProt$$"
user_key=$(printf '%s' "$SX_WINUSER" | tr 'a-z' 'A-Z')

bad_value='C:\Bad\sxbadvalue.exe'
bad_second='C:\Bad\sxbadsecond.exe'
intruder_dir="C:\\Program Files\\$tag"
intruder="$intruder_dir\\sxintruder.exe"
runner='C:\Apps\Runner\sxrunner.exe'           # black-listed, running, outside the watched folders
stuck='C:\Apps\Stuck\sxintruder.exe'           # its bare name will be taken in the Trashcan
late="$intruder_dir\\sxlate.exe"
mark="$intruder_dir\\sxmark.exe"                # marks a sweep that passes the stuck file
# Black-listed probes, one per watched folder: swept away once its monitor watches.
pf_probe="$intruder_dir\\sxprobe.exe"
source_exe='C:\Apps\Source\payload.exe'
# Below "C:\Windows": a program running there from the start, black-listed only later, and a
# black-listed file another process drops next to it.
win_dir="C:\\Windows\\$tag"
win_runner="$win_dir\\sxwinrun.exe"
win_drop="$win_dir\\sxwindrop.exe"
win_probe="$win_dir\\sxwinprobe.exe"

sx_write_ini "$SX_PERSONAL/$user_key.snx" settings sett_autoremovebadkeys=1 sett_autoremovebadapps=1
sx_write_ini "$SX_PERSONAL/${user_key}_black.snx" list \
  "0=$bad_value" "1=$intruder" "2=$pf_probe" "3=$runner" "4=$mark" "5=$bad_second" "6=$win_probe" "7=$stuck" "9=$late"
sx_place_sleeper "$source_exe" "$win_runner"
sx_start_program "$win_runner"; win_runner_pid=$SX_LAST_PID

now_ms() { echo $(($(date +%s%N) / 1000000)); }
bench() { echo "bench: $1: $2 ms"; }
notifications() { drv list-items -w "$W" --name notifications; }
value_exists() { sx_wine reg query "$1" /v "$2" >/dev/null 2>&1; }
# Waits for a value to be gone; prints the milliseconds since START.
value_gone_within() {  # KEY NAME START_MS
  local end=$(($3 + 20000))
  while value_exists "$1" "$2"; do
    [ "$(now_ms)" -lt "$end" ] || sx_fail "value $2 of $1 still there after 20 s"
    sleep 0.05
  done
  echo $(($(now_ms) - $3))
}
file_gone_within() {  # UNIX_PATH START_MS
  local end=$(($2 + 20000))
  while [ -e "$1" ]; do
    [ "$(now_ms)" -lt "$end" ] || sx_fail "$1 still there after 20 s"
    sleep 0.02
  done
  echo $(($(now_ms) - $2))
}
# As an intruder would: a Windows process of its own writes the file.
drop_file() {  # SOURCE_WINDOWS TARGET_WINDOWS
  sx_wine cmd /c copy /y "$1" "$2" >/dev/null 2>&1 || sx_fail "copy to $2 failed"
}
cleanup_values() {
  local key n
  for key in "${KEYS[@]}"; do
    for n in plain quoted args first second good arm mark; do sx_reg delete "$key" /v "$tag.$n" /f || true; done
  done
}
# A monitor's worker arms its notification only once it runs, and a change before that goes
# unseen. A black-listed probe value in each key, written again while it stands, shows when
# all four watch.
arm_registry_monitors() {
  local key pending end=$(($(now_ms) + 30000))
  for key in "${KEYS[@]}"; do sx_reg add "$key" /v "$tag.arm" /d "$bad_value" /f; done
  for (( pending = 1; pending; )); do
    pending=0
    for key in "${KEYS[@]}"; do
      value_exists "$key" "$tag.arm" || continue
      pending=1
      [ "$(now_ms)" -lt "$end" ] || sx_fail "the monitor of $key did not react within 30 s"
      sx_reg add "$key" /v "$tag.arm" /d "$bad_value" /f
    done
  done
}
# The same for a folder: a black-listed probe dropped there, and fresh files beside it while it
# stays (only a new name is a change a folder monitor reports).
arm_folder_monitor() {  # WINDOWS_FOLDER PROBE
  local n=0 end=$(($(now_ms) + 30000))
  drop_file "$source_exe" "$2"
  while [ -e "$(sx_unix "$2")" ]; do
    [ "$(now_ms)" -lt "$end" ] || sx_fail "the monitor of $1 did not react within 30 s"
    n=$((n + 1))
    drop_file "$source_exe" "$1\\sxarm$n.txt"
    sleep 0.2
  done
}

# A value nobody listed, there before the start: it must survive everything below.
sx_reg add "$HKCU_RUN" /v "$tag.good" /d 'C:\Good\good.exe' /f

sx_start sentinox.exe
drv wait-window -w "$W" --state visible --timeout 30000 >/dev/null
sx_wait_notification "Important Folders Automatic Protection enabled."
sx_assert_eq "There are 1 items in the White List.|There are 9 items in the Black List.|Change configuration to be protected completely.|Registry Automatic Protection enabled.|Important Folders Automatic Protection enabled." \
  "$(notifications | paste -sd'|')" "the Home page after the start"
arm_registry_monitors
sx_wine cmd /c mkdir "$intruder_dir" >/dev/null 2>&1 || true
arm_folder_monitor "$intruder_dir" "$pf_probe"
arm_folder_monitor "$win_dir" "$win_probe"
sx_wait_notification "Automatically removed intruder ($pf_probe)"
sx_wait_notification "Automatically removed intruder ($win_probe)"
# Black-listed and running, outside the watched folders: only now, or a probe's sweep would take it.
sx_place_sleeper "$runner"
sx_start_program "$runner"; runner_pid=$SX_LAST_PID
drv wait-process --exe sxrunner.exe >/dev/null

# --- the four keys: a black-listed value goes as soon as it is written -----------------------
for key in "${KEYS[@]}"; do
  start=$(now_ms)
  sx_reg add "$key" /v "$tag.quoted" /d "\"$bad_value\"" /f
  ms=$(value_gone_within "$key" "$tag.quoted" "$start")
  bench "registry $key, quoted black-listed value removed after" "$ms"
done

# --- arguments after the path: left for the scan, until a plain value takes them along -----
sx_reg add "$HKCU_RUN" /v "$tag.args" /d "$bad_value -hidden" /f
# Another black-listed program's plain value: once it is gone, a reaction has seen the other.
sx_reg add "$HKCU_RUN" /v "$tag.mark" /d "$bad_second" /f
value_gone_within "$HKCU_RUN" "$tag.mark" "$(now_ms)" >/dev/null
value_exists "$HKCU_RUN" "$tag.args" || sx_fail "a black-listed program with arguments lost its value without a plain one"
start=$(now_ms)
sx_reg add "$HKCU_RUN" /v "$tag.plain" /d "$bad_value" /f
ms=$(value_gone_within "$HKCU_RUN" "$tag.plain" "$start")
bench "registry plain value (and the one with arguments) removed after" "$ms"
value_gone_within "$HKCU_RUN" "$tag.args" "$start" >/dev/null

# --- two black-listed programs written by one process at once: both go -----------------------
reg_file="$(sx_unix 'C:\Apps')/two.reg"
{
  printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n'
  printf '"%s.first"="%s"\r\n' "$tag" "${bad_value//\\/\\\\}"
  printf '"%s.second"="\\"%s\\""\r\n' "$tag" "${bad_second//\\/\\\\}"
} >"$reg_file"
start=$(now_ms)
sx_wine regedit /s 'C:\Apps\two.reg' >/dev/null 2>&1 || sx_fail "regedit /s two.reg failed"
value_gone_within "$HKCU_RUN" "$tag.first" "$start" >/dev/null
ms=$(value_gone_within "$HKCU_RUN" "$tag.second" "$start")
bench "registry two values written at once, both removed after" "$ms"
sx_assert_eq 'C:\Good\good.exe' "$(sx_reg_query "$HKCU_RUN" "$tag.good")" "the value nobody listed"

# --- a black-listed file appears under "C:\Program Files" -------------------------------------
start=$(now_ms)
drop_file "$source_exe" "$intruder"
ms=$(file_gone_within "$(sx_unix "$intruder")" "$start")
bench "folder: black-listed file moved to the Trashcan after" "$ms"
sx_assert_file "$SX_PERSONAL/Trashcan/sxintruder.exe" "the intruder in the Trashcan"
file_gone_within "$(sx_unix "$runner")" "$start" >/dev/null
sx_assert_file "$SX_PERSONAL/Trashcan/sxrunner.exe" "the running black-listed program, found wherever it lies"
for i in $(seq 100); do kill -0 "$runner_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$runner_pid" 2>/dev/null && sx_fail "the black-listed program still runs"
sx_wait_notification "Automatically removed intruder ($intruder)"
sx_wait_notification "Automatically removed intruder ($runner)"
trash=$(sx_ini_section "$SX_PERSONAL/${user_key}_trash.snx" list | cut -d= -f2- | sort | paste -sd'|')
sx_assert_eq "$(printf '%s\n' "$intruder" "$runner" "$pf_probe" "$win_probe" | sort | paste -sd'|')" "$trash" "the trash list"
sx_assert_contains "$(sx_ini_section "$SX_PERSONAL/${user_key}_black.snx" list | paste -sd'|')" "1=$intruder" "the path stays on the Black List"

# --- a file that cannot be moved (its name is taken in the Trashcan): one line, not one per change
lines_before=$(notifications | wc -l)
mkdir -p "$(dirname "$(sx_unix "$stuck")")"
cp "$SENTINOX_BUILD/bin/sxsleeper.exe" "$(sx_unix "$stuck")"
drop_file "$source_exe" "$intruder_dir\\trigger1.txt"
sx_wait_notification "Couldn't remove intruder ($stuck): it could not be stopped or moved to the trashcan."
# A second change, marked by a black-listed file that it moves: that sweep passes the stuck file too.
drop_file "$source_exe" "$mark"
sx_wait_notification "Automatically removed intruder ($mark)"
sx_assert_eq $((lines_before + 2)) "$(notifications | wc -l)" "lines after two changes with one file that cannot be moved"
sx_assert_file "$(sx_unix "$stuck")" "the file that could not be moved"

# --- nothing black-listed left: a change adds no line, and the monitors still watch ----------
rm -f "$(sx_unix "$stuck")"
drop_file "$source_exe" "$intruder_dir\\trigger3.txt"
start=$(now_ms)
drop_file "$source_exe" "$late"
ms=$(file_gone_within "$(sx_unix "$late")" "$start")
bench "folder: a later intruder, moved after" "$ms"
sx_wait_notification "Automatically removed intruder ($late)"
# The sweeps of both changes (or one, when they came together) passed the stuck file's entry.
sx_assert_eq $((lines_before + 3)) "$(notifications | wc -l)" "lines after a change with every file gone, then the later intruder's"
start=$(now_ms)
sx_reg add "$HKCU_RUN" /v "$tag.plain" /d "$bad_value" /f
ms=$(value_gone_within "$HKCU_RUN" "$tag.plain" "$start")
bench "registry: still watching, removed after" "$ms"

# --- "C:\Windows" is watched too: a file dropped below it stops and trashes every listed file ---
printf '%s\r\n' "11=$win_runner" "13=$win_drop" >>"$SX_PERSONAL/${user_key}_black.snx"
start=$(now_ms)
drop_file "$source_exe" "$win_drop"
ms=$(file_gone_within "$(sx_unix "$win_drop")" "$start")
bench "folder under C:\\Windows: black-listed file moved to the Trashcan after" "$ms"
file_gone_within "$(sx_unix "$win_runner")" "$start" >/dev/null
sx_gone_within "$win_runner_pid" 10 || sx_fail "the black-listed program below C:\\Windows still runs"
sx_wait_notification "Automatically removed intruder ($win_drop)"
sx_wait_notification "Automatically removed intruder ($win_runner)"
sx_assert_file "$SX_PERSONAL/Trashcan/sxwindrop.exe" "the dropped file in the Trashcan"
sx_assert_file "$SX_PERSONAL/Trashcan/sxwinrun.exe" "the stopped program in the Trashcan"
trash=$(sx_ini_section "$SX_PERSONAL/${user_key}_trash.snx" list | cut -d= -f2-)
for p in "$win_drop" "$win_runner"; do grep -qxF "$p" <<<"$trash" || sx_fail "$p is not on the trash list"; done

cleanup_values
sx_pass
