#!/usr/bin/env bash
# bench/startup.sh -- the installed sentinox.exe from launch to the end of its start-up
# sequence, and its peak working set, against a bare window of ours, in one run.
# Goal: at most 2.5x in time (2x after that) and 2x in memory.
#
# The end of the start-up: the sequence writes the Home page lines last (no update
# check, no scan, no protection, no tips dialog here), so the main window showing with
# its three lines ("... White List.", "... Black List.", "Change configuration ...")
# is the end. Run by bench/run startup.
source "$(dirname "$0")/lib.sh"
bench_init startup
bench_settings
bare_win='C:\Program Files\SxBench\sxbarewindow.exe'
mkdir -p "$(dirname "$(sx_unix "$bare_win")")"
cp "$SENTINOX_BUILD/bench-programs/sxbarewindow.exe" "$(sx_unix "$bare_win")"

sx_tool sxbench.exe startup --rounds "${BENCH_ROUNDS:-7}" \
  --product "\"$SX_INSTALL_WIN\\sentinox.exe\"" --product-window "$W" --product-list ListBox --product-lines 3 \
  --bare "\"$bare_win\"" --bare-window "Sentinox bench: bare window"
sx_pass
