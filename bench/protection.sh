#!/usr/bin/env bash
# bench/protection.sh -- Automatic Protection in the installed program: the time from a
# black-listed value written into one of the four Run/RunOnce keys by another process until
# it is gone, and the same for a black-listed file appearing below "C:\Program Files"
# (median and 95th percentile over 100 writes each). Goal: median under 50 ms for the registry.
#
# The Black List is full (201 slots): the value's program, the files (and the warm-up one) and
# other paths.
# Run by bench/run protection.
source "$(dirname "$0")/lib.sh"
bench_init protection
bench_settings sett_autoremovebadkeys=1 sett_autoremovebadapps=1

WRITES=100
bad_value='C:\Bench\Bad\sxbadvalue.exe'
target_win='C:\Program Files\SxBenchIntruders'
stage_win='C:\SxBenchStage'
mkdir -p "$(sx_unix "$target_win")"
{
  echo "$bad_value"
  for i in $(seq 0 "$WRITES"); do printf '%s\\intruder%03d.exe\n' "$target_win" "$i"; done
  for i in $(seq $((WRITES + 2)) 200); do printf 'C:\\Bench\\Black\\banned%03d.exe\n' "$i"; done
} | bench_list "$BENCH_BLACK"

sx_start sentinox.exe
sx_wait_started
# The start-up writes these lines with the list counts, in one go.
sx_assert_contains "$(drv list-items -w "$W" --name notifications | paste -sd'|')" \
  "Registry Automatic Protection enabled.|Important Folders Automatic Protection enabled." "protection switched on"

sx_tool sxbench.exe protection --writes "$WRITES" --files "$WRITES" --value "\"$bad_value\"" \
  --stage "$stage_win" --target "$target_win"
sx_pass
