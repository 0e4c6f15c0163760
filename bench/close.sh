#!/usr/bin/env bash
# bench/close.sh -- the installed sentinox.exe, once its start-up has ended, from WM_CLOSE
# of its main window to the window off the screen and to the end of the process.
# Goal: the process ends within 0.5 s (median and maximum of the rounds).
# Run by bench/run close.
source "$(dirname "$0")/lib.sh"
bench_init close
bench_settings
sx_tool sxbench.exe close --rounds "${BENCH_ROUNDS:-7}" \
  --product "\"$SX_INSTALL_WIN\\sentinox.exe\"" --product-window "$W" --product-list ListBox --product-lines 3
sx_pass
