# bench/lib.sh -- sourced by the Wine benchmarks: the system tests' helpers
# (tests/system/lib.sh: throwaway prefix, installed programs, driver, INI files,
# registry), a folder of their own under $SENTINOX_BUILD/bench, and the settings
# every benchmark starts from.
#
#   source "$(dirname "$0")/lib.sh"
#   bench_init NAME                # fresh prefix $SENTINOX_BUILD/bench/NAME/prefix, programs installed
#   bench_settings sett_scanregistry=1 ...   # the settings file, every other setting 0
#   sx_tool sxbench.exe ...        # measures and prints
#   sx_pass                        # the prefix goes
export SX_RUNS_DIR="${SENTINOX_BUILD:?SENTINOX_BUILD must name the build folder}/bench"
# shellcheck source=../tests/system/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../tests/system/lib.sh"

W="Sentinox Control Center"
SETTINGS=(sett_autorun sett_autoupdate sett_autoscan sett_closescan sett_scanregistry sett_scanmemory
          sett_removebadkeys sett_removebadapps sett_besilent sett_addicon sett_autoremovebadkeys sett_autoremovebadapps)

bench_init() {  # NAME
  sx_init "bench-$1"
  sx_install
  BENCH_USER=$(printf '%s' "$SX_WINUSER" | tr 'a-z' 'A-Z')
  BENCH_WHITE="$SX_PERSONAL/${BENCH_USER}_white.snx"
  BENCH_BLACK="$SX_PERSONAL/${BENCH_USER}_black.snx"
  BENCH_WHITE_WIN="$SX_PERSONAL_WIN\\${BENCH_USER}_white.snx"
  BENCH_BLACK_WIN="$SX_PERSONAL_WIN\\${BENCH_USER}_black.snx"
  # No tips dialog at start: its modal loop would hold the start-up sequence.
  sx_reg add 'HKCU\Software\UiControls\TipsStartup' /v Sentinox_tipday /t REG_DWORD /d 0 /f
}

# The settings file: the twelve settings 0 (no update check, no start-up scan, no
# protection), but for the KEY=1 given.
bench_settings() {  # [KEY=VALUE...]
  local lines=() key kv value
  for key in "${SETTINGS[@]}"; do
    value=0
    for kv in "$@"; do [ "${kv%%=*}" = "$key" ] && value=${kv#*=}; done
    lines+=("$key=$value")
  done
  sx_write_ini "$SX_PERSONAL/$BENCH_USER.snx" settings "${lines[@]}"
}

# A list file with one slot per line of stdin, from slot 0 on.
bench_list() {  # UNIX_PATH < paths
  local slot=0 path lines=()
  while IFS= read -r path; do lines+=("$slot=$path"); slot=$((slot + 1)); done
  sx_write_ini "$1" list "${lines[@]}"
}

# Registry values from a REGEDIT4 file written by the caller (one process for all of them).
bench_import() {  # UNIX_PATH
  local win="C:\\$(basename "$1")"
  cp "$1" "$(sx_unix "$win")"
  sx_wine regedit /s "$win" >/dev/null 2>&1 || sx_fail "regedit /s $win failed"
}
