#!/usr/bin/env bash
# bench/scan.sh -- a silent scan with nothing to do, in the installed program, against the
# same enumeration done with the raw API and in-memory sets, in one run. Goal: at most 4x, then 2x.
#
# The four Run/RunOnce keys hold 50 values between them, each starting a program on the
# White List; both list files have all 201 slots used, the 50 programs in the White List's
# last 50 slots (every lookup reads far), nothing of the Black List runs. Run by bench/run scan.
source "$(dirname "$0")/lib.sh"
bench_init scan
bench_settings sett_scanregistry=1 sett_scanmemory=1 sett_besilent=1

VALUES=50
program() { printf 'C:\\Bench\\Apps\\app%02d\\app%02d.exe' "$1" "$1"; }
{
  for i in $(seq 0 150); do printf 'C:\\Bench\\White\\listed%03d.exe\n' "$i"; done
  for i in $(seq 0 $((VALUES - 1))); do program "$i"; echo; done
} | bench_list "$BENCH_WHITE"
for i in $(seq 0 200); do printf 'C:\\Bench\\Black\\banned%03d.exe\n' "$i"; done | bench_list "$BENCH_BLACK"

# The values: quoted with arguments, plain, with arguments, spread round the four keys.
reg_file="$SX_DIR/values.reg"
{
  printf 'REGEDIT4\r\n'
  keys=('HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Run'
        'HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\RunOnce'
        'HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run'
        'HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\RunOnce')
  for k in 0 1 2 3; do
    printf '\r\n[%s]\r\n' "${keys[$k]}"
    for i in $(seq "$k" 4 $((VALUES - 1))); do
      path=$(program "$i"); path=${path//\\/\\\\}
      case $((i % 3)) in
        0) printf '"SxBench%02d"="\\"%s\\" /background"\r\n' "$i" "$path" ;;
        1) printf '"SxBench%02d"="%s"\r\n' "$i" "$path" ;;
        2) printf '"SxBench%02d"="%s -tray"\r\n' "$i" "$path" ;;
      esac
    done
  done
} >"$reg_file"
bench_import "$reg_file"

sx_start sentinox.exe
sx_wait_started
drv tab -w "$W" --name Engine --tab Scanning
sx_tool sxbench.exe scan --rounds "${BENCH_ROUNDS:-7}" --window "$W" --white "$BENCH_WHITE_WIN" --black "$BENCH_BLACK_WIN"
sx_pass
