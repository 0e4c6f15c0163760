# tests/system/lib.sh -- sourced by every system test: a throwaway Wine prefix,
# the installed programs, the driver, assertions and cleanup.
#
#   source "$(dirname "$0")/lib.sh"
#   sx_init mytest                 # fresh prefix $SENTINOX_BUILD/systemtests/mytest/prefix
#   sx_install                     # install/ -> "C:\Program Files\Sentinox", tips dialog off
#   sx_start sentinox.exe          # in the background; sx_run waits and returns the exit code
#   drv wait-window --window "Sentinox Control Center"
#   sx_assert_eq "expected" "$(drv read-text --window ...)" "what it is"
#   sx_pass
#
# SENTINOX_BUILD (the build folder) comes from ctest. Every test runs on an Xvfb
# of its own (SX_OWN_DISPLAY=0: on $DISPLAY, to watch it). SX_RUNS_DIR puts the
# test's folder elsewhere than $SENTINOX_BUILD/systemtests (the benchmarks use
# $SENTINOX_BUILD/bench). SX_KEEP=1 keeps the prefix after a pass (it is always
# kept after a failure, for a look inside).
set -euo pipefail

SX_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
: "${SENTINOX_BUILD:?SENTINOX_BUILD must name the build folder}"
# shellcheck source=../../scripts/wine-env
source "$SX_ROOT/scripts/wine-env"

SX_INSTALL_WIN='C:\Program Files\Sentinox'
SX_PIDS=()
SX_STARTED_XVFB=
SX_PASSED=

# --- messages and assertions -------------------------------------------------

sx_log() { echo "[${SX_TEST:-system}] $*" >&2; }

sx_fail() {
  echo "FAIL [${SX_TEST:-system}]: $*" >&2
  exit 1
}

sx_assert_eq() {  # EXPECTED ACTUAL WHAT
  [ "$1" == "$2" ] || sx_fail "$3: expected \"$1\", got \"$2\""
}

sx_assert_contains() {  # HAYSTACK NEEDLE WHAT
  [[ "$1" == *"$2"* ]] || sx_fail "$3: \"$2\" not in \"$1\""
}

sx_assert_file() {  # UNIX_PATH WHAT
  [ -e "$1" ] || sx_fail "$2: $1 does not exist"
}

sx_assert_no_file() {  # UNIX_PATH WHAT
  [ ! -e "$1" ] || sx_fail "$2: $1 still exists"
}

# Runs a command that must fail; prints its output.
sx_assert_fails() {  # WHAT COMMAND...
  local what=$1; shift
  if "$@"; then sx_fail "$what: succeeded, expected a failure"; fi
}

sx_pass() {
  SX_PASSED=1
  echo "PASS [${SX_TEST:-system}]"
}

# --- Wine ----------------------------------------------------------------------

# The build's Windows programs are 32-bit (i386) or, on a machine without
# 32-bit Linux support, possibly 64-bit (AMD64): pick the matching Wine.
sx_pe_machine() {  # UNIX_PATH -> 14c or 8664
  local pe
  pe=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
  od -An -tx2 -j$((pe + 4)) -N2 "$1" | tr -d ' '
}

sx_select_wine() {
  local probe="$SENTINOX_BUILD/bin/sxdriver.exe"
  [ -f "$probe" ] || sx_fail "no $probe: build the sxdriver target first"
  if [ "$(sx_pe_machine "$probe")" = 8664 ]; then
    export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64
    SX_WINE=/usr/lib/wine/wine64
    SX_WINESERVER=/usr/lib/wine/wineserver64
    # wine-env's helpers call these by name.
    wine() { "$SX_WINE" "$@"; }
    wineserver() { "$SX_WINESERVER" "$@"; }
    wineboot() { "$SX_WINE" wineboot "$@"; }
  else
    SX_WINE=wine
    SX_WINESERVER=wineserver
    if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
      sx_fail "this machine cannot start 32-bit Linux programs (kernel without IA32 emulation), so wine32 cannot run the 32-bit build"
    fi
  fi
}

# wine with the test's prefix; the program's output goes where the caller sends it.
sx_wine() { "$SX_WINE" "$@"; }

# Windows path -> Unix path inside the prefix ("C:\a\b" -> .../drive_c/a/b). Letter case is
# Windows': a part that exists in another case is the existing one ("C:\Windows" is .../windows),
# so files put there from Linux land where Windows programs look; missing parts stay as written.
sx_unix() {
  local p=$1 path part match
  path="$WINEPREFIX/drive_$(printf '%s' "${p:0:1}" | tr 'A-Z' 'a-z')"
  local -a parts
  IFS='\' read -r -a parts <<<"${p:2}"
  for part in "${parts[@]}"; do
    [ -n "$part" ] || continue
    if [ ! -e "$path/$part" ] && [ -d "$path" ]; then
      match=$(find "$path" -mindepth 1 -maxdepth 1 -iname "$part" -print -quit 2>/dev/null)
      [ -n "$match" ] && part=${match##*/}
    fi
    path="$path/$part"
  done
  [ "${p: -1}" = '\' ] && path="$path/"
  printf '%s\n' "$path"
}

# --- setup and cleanup ------------------------------------------------------------

sx_init() {  # NAME
  SX_TEST=$1
  SX_DIR="${SX_RUNS_DIR:-$SENTINOX_BUILD/systemtests}/$SX_TEST"
  export WINEPREFIX="$SX_DIR/prefix"
  mkdir -p "$SX_DIR"
  trap sx_cleanup EXIT
  sx_select_wine
  # A display of the test's own: the windows of tests running side by side would otherwise
  # cover each other's screen reads, mouse clicks and drags. SX_OWN_DISPLAY=0 keeps $DISPLAY,
  # to watch a test run.
  if [ "${SX_OWN_DISPLAY:-1}" = 1 ] || [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
    sx_private_display
  fi
  wine_prefix_fresh "$WINEPREFIX"
  SX_INSTALL=$(sx_unix "$SX_INSTALL_WIN")
  SX_WINUSER=$(sx_wine cmd /c 'echo %USERNAME%' 2>/dev/null | tr -d '\r')
  # The Personal folder as the prefix's user sees it ("...\Explorer\Shell Folders", value "Personal").
  SX_PERSONAL_WIN=$(sed -n 's/^"Personal"="\(.*\)"\r\{0,1\}$/\1/p' "$WINEPREFIX/user.reg" | head -n 1 | sed 's/\\\\/\\/g')
  [ -n "$SX_PERSONAL_WIN" ] || SX_PERSONAL_WIN="C:\\users\\$SX_WINUSER\\Documents"
  SX_PERSONAL=$(sx_unix "$SX_PERSONAL_WIN")
  # wine_prefix_fresh gave the prefix folders of its own in place of Wine's links to the home folder.
  mkdir -p "$SX_PERSONAL"
  SX_USERKEY=$(printf '%s' "$SX_WINUSER" | tr 'a-z' 'A-Z')   # the per-user files' name part
  sx_log "prefix $WINEPREFIX, user $SX_WINUSER, Personal $SX_PERSONAL_WIN"
}

# A per-user file of the main program: sx_user_file _white.snx (".snx" alone: the settings).
sx_user_file() { printf '%s\n' "$SX_PERSONAL/$SX_USERKEY$1"; }

# An Xvfb of this test's own. -displayfd lets Xvfb pick a free number itself:
# tests started side by side would otherwise race for the same one, and the
# first to finish would take the other's display with it.
sx_private_display() {
  local fdfile="$SX_DIR/xvfb.display" i
  rm -f "$fdfile"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
  SX_STARTED_XVFB=$!
  for i in $(seq 100); do
    [ -s "$fdfile" ] && break
    sleep 0.05
  done
  [ -s "$fdfile" ] || sx_fail "Xvfb did not start"
  export DISPLAY=":$(tr -d '\n' <"$fdfile")"
}

sx_cleanup() {
  local rc=$?
  local pid
  for pid in "${SX_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  "$SX_WINESERVER" -k 2>/dev/null || true
  for pid in "${SX_PIDS[@]}"; do wait "$pid" 2>/dev/null || true; done
  [ -n "$SX_STARTED_XVFB" ] && kill "$SX_STARTED_XVFB" 2>/dev/null || true
  if [ -n "$SX_PASSED" ] && [ "${SX_KEEP:-0}" != 1 ]; then
    rm -rf "$WINEPREFIX"
  elif [ -z "$SX_PASSED" ]; then
    [ "$rc" -ne 0 ] || { echo "FAIL [${SX_TEST:-system}]: ended without sx_pass" >&2; rc=1; }
    sx_log "prefix kept for a look: $WINEPREFIX (program output in $SX_DIR/*.log)"
  fi
  exit "$rc"
}

# The tips dialog's show-on-start-up flag of the main program (a DWORD; absent: the tips show).
SX_TIPS_KEY='HKCU\Software\UiControls\TipsStartup'
SX_TIPS_VALUE=Sentinox_tipday

# Copies the install folder into the prefix (or FOLDER, a Windows path) and switches the tips
# dialog off, as a user who unticked it has: every start then goes straight to the main window.
# SX_KEEP_TIPS=1 leaves the flag alone (a fresh prefix has none, so the tips show).
sx_install() {  # [WINDOWS_FOLDER]
  local target
  target=$(sx_unix "${1:-$SX_INSTALL_WIN}")
  [ -d "$SENTINOX_BUILD/install" ] || sx_fail "no $SENTINOX_BUILD/install: build the programs first"
  mkdir -p "$target"
  cp -r "$SENTINOX_BUILD/install/." "$target/"
  [ "${SX_KEEP_TIPS:-0}" = 1 ] || sx_reg add "$SX_TIPS_KEY" /v "$SX_TIPS_VALUE" /t REG_DWORD /d 0 /f \
    || sx_fail "could not switch the tips dialog off"
}

# Starts an installed program in the background; its pid is in SX_LAST_PID,
# its output in $SX_DIR/PROGRAM.log.
sx_start() {  # PROGRAM.exe [ARGS...]
  local program=$1; shift
  # exec: the pid is Wine's own process, so a kill reaches the program itself.
  (exec "$SX_WINE" "$SX_INSTALL_WIN\\$program" "$@" >>"$SX_DIR/$program.log" 2>&1) &
  SX_LAST_PID=$!
  SX_PIDS+=("$SX_LAST_PID")
}

# Runs an installed program to its end and returns its exit code.
sx_run() {  # PROGRAM.exe [ARGS...]
  local program=$1; shift
  sx_wine "$SX_INSTALL_WIN\\$program" "$@"
}

# The test driver (see tests/support/driver/DriverMain.cpp, or `drv help`).
drv() { sx_wine "$SENTINOX_BUILD/bin/sxdriver.exe" "$@"; }

# sx_wait_started: the main window is up and its start-up sequence has opened the
# per-user files (the Home page has its list counts). The window shows before
# that, at its first idle moment the files are opened: a click in between finds
# no list open.
sx_wait_started() {
  local w="Sentinox Control Center" i
  drv wait-window -w "$w" --state visible --timeout 60000 >/dev/null
  for i in $(seq 120); do
    drv list-items -w "$w" --name notifications 2>/dev/null | grep -q "items in the Black List." && return 0
    sleep 0.5
  done
  sx_fail "the main window's start-up did not reach its Home page notifications"
}

# Waits until the main window's Home page shows the line TEXT.
sx_wait_notification() {  # TEXT
  local i
  for i in $(seq 100); do
    drv list-items -w "Sentinox Control Center" --name notifications | grep -qxF "$1" && return 0
    sleep 0.2
  done
  sx_fail "no Home page line \"$1\": $(drv list-items -w "Sentinox Control Center" --name notifications | paste -sd'|')"
}

# The scan's counters on the Scanning page: new values, bad values, running bad programs, total.
sx_scan_counters() {
  local c
  for c in sc_newregvalues sc_badregvalues sc_badapps sc_baditems; do
    drv read-text -w "Sentinox Control Center" --name $c
  done | paste -sd' '
}

# The scan's decision dialogs ("New Software", "Bad Software"). Each decision has a dialog of its
# own with the same caption: the next can appear between two looks, so the one at hand is held by
# its handle. sx_next_dialog waits for the next one and checks the program it asks about.
sx_next_dialog() {  # CAPTION NAME FOLDER ; handle in SX_DIALOG
  local prefix=ns
  [ "$1" = "Bad Software" ] && prefix=bs
  SX_DIALOG=$(drv wait-window -w "$1" --state visible | tr -d '\r')
  sx_assert_eq "$2 $3" \
    "$(drv read-text --handle "$SX_DIALOG" --name ${prefix}_name) $(drv read-text --handle "$SX_DIALOG" --name ${prefix}_path)" \
    "the program the \"$1\" dialog asks about"
}
# "Ok" on the dialog at hand, and its end.
sx_answer_dialog() {
  drv click --handle "$SX_DIALOG" --name Button18
  drv wait-window --handle "$SX_DIALOG" --state gone >/dev/null
}

# Returns once the thread of a window is back in a message loop and has answered a message sent
# now: the handler that ran meanwhile (a click's, a box's answer's) has returned, and what it did
# on that thread is done. Not a wait for posted messages, which a sent one overtakes. WIN as drv
# takes it (-w CAPTION, --handle H, ...).
sx_round_trip() {  # WIN...
  drv post "$@" --msg WM_NULL --send >/dev/null
}

# For what must not happen where nothing marks the moment it would have (a timer that must not
# fire again): COMMAND has to hold at every look for SECONDS, and fails the test at the first
# look where it does not.
sx_holds() {  # SECONDS WHAT COMMAND...
  local end=$(($(date +%s%N) / 1000000 + $1 * 1000)) what=$2
  shift 2
  while [ $(($(date +%s%N) / 1000000)) -lt "$end" ]; do
    "$@" || sx_fail "$what"
  done
}

# A helper program of the build's own bin/ folder, e.g. sxwhoami.exe.
sx_tool() {  # TOOL.exe [ARGS...]
  local tool=$1; shift
  sx_wine "$SENTINOX_BUILD/bin/$tool" "$@"
}

# A copy of the build's sxsleeper.exe at a Windows path of the prefix: a real program to run,
# list, stop and trash under any name.
sx_place_sleeper() {  # WINDOWS_PATH...
  local p
  for p in "$@"; do
    mkdir -p "$(dirname "$(sx_unix "$p")")"
    cp "$SENTINOX_BUILD/bin/sxsleeper.exe" "$(sx_unix "$p")"
  done
}

# Starts a program of the prefix in the background; its pid (Wine's own process) in SX_LAST_PID.
sx_start_program() {  # WINDOWS_PATH [ARGS...]
  local path=$1; shift
  (exec "$SX_WINE" "$path" "$@" >/dev/null 2>&1) &
  SX_LAST_PID=$!
  SX_PIDS+=("$SX_LAST_PID")
}

# Starts a program in the background with its output in a file of its own and waits until it
# writes a line starting with READY (what it says once it is set up); pid in SX_LAST_PID.
sx_start_until_ready() {  # READY WHAT PROGRAM [ARGS...]
  local ready=$1 what=$2 out="$SX_DIR/ready.$RANDOM.out" i
  shift 2
  (exec "$SX_WINE" "$@" >"$out" 2>&1) &
  SX_LAST_PID=$!
  SX_PIDS+=("$SX_LAST_PID")
  for i in $(seq 200); do
    grep -q "^$ready" "$out" 2>/dev/null && return 0
    kill -0 "$SX_LAST_PID" 2>/dev/null || sx_fail "$what ended: $(cat "$out")"
    sleep 0.05
  done
  sx_fail "$what did not report within 10 s"
}

# Starts a sleeper copy that denies everyone the right to terminate it, and waits until it does.
sx_start_unstoppable() {  # WINDOWS_PATH ; pid in SX_LAST_PID
  sx_start_until_ready unstoppable "$1 --unstoppable" "$1" --unstoppable
}

# The Linux pids of this prefix's processes whose command line matches the extended regular
# expression (Wine shows a Windows program by its Windows command line).
sx_prefix_pids() {  # REGEX
  local pid
  for pid in $(pgrep -f -- "$1"); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && echo "$pid"
  done
  return 0
}

# True once the process has ended, false when it still runs after SECONDS.
sx_gone_within() {  # PID SECONDS
  local i
  for i in $(seq $(($2 * 10))); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.1; done
  return 1
}

# Opens the tray icon's popup menu and chooses an item (separators not counted):
# Show Sentinox(0) Scan(1) Settings(2) Lists(3) Update(4) Exit(5).
sx_tray_pick() {  # INDEX
  drv tray-click --tip Sentinox --button right
  drv menu-pick --index "$1" --timeout 10000
}

# Starts the driver's hold-file in the background and waits until the file is held.
sx_hold_file() {  # WINDOWS_PATH ; pid in SX_LAST_PID
  sx_start_until_ready held "hold-file $1" "$SENTINOX_BUILD/bin/sxdriver.exe" hold-file --path "$1"
}

# --- INI files, from Linux -------------------------------------------------------

# Writes a fresh INI file: sx_write_ini FILE SECTION KEY=VALUE... (CRLF, as Windows writes it).
sx_write_ini() {
  local file=$1 section=$2; shift 2
  mkdir -p "$(dirname "$file")"
  { printf '[%s]\r\n' "$section"; local kv; for kv in "$@"; do printf '%s\r\n' "$kv"; done; } >"$file"
}

# Prints the KEY=VALUE lines of one section (CR removed), in file order.
sx_ini_section() {  # FILE SECTION
  [ -f "$1" ] || return 0
  tr -d '\r' <"$1" | awk -v want="[$2]" '
    /^\[/ { inside = (tolower($0) == tolower(want)); next }
    inside && /=/ { print }'
}

# The used slots of a list file (section "list") in slot order, joined by "|".
sx_list_entries() {  # FILE
  sx_ini_section "$1" list | sort -t= -k1,1n | cut -d= -f2- | paste -sd'|'
}

# Prints one value, or nothing when absent.
sx_ini_get() {  # FILE SECTION KEY
  sx_ini_section "$1" "$2" | awk -F= -v key="$3" 'tolower($1) == tolower(key) { sub(/^[^=]*=/, ""); print; exit }'
}

# --- registry ----------------------------------------------------------------------

sx_reg() { sx_wine reg "$@" >/dev/null 2>&1; }                         # reg add|delete ... /f
sx_has_value() { sx_wine reg query "$1" /v "$2" >/dev/null 2>&1; }     # KEY VALUE
sx_reg_query() {  # KEY VALUE -> the value's data, or nothing (value names may hold blanks)
  local line rest
  sx_wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | while IFS= read -r line; do
    case "$line" in
      "    $2    REG_"*) rest=${line#"    $2    "}; printf '%s\n' "${rest#*    }"; break ;;
    esac
  done
}
