# tests/system/update_lib.sh -- sourced after lib.sh by the update tests: the scripted update
# site on 127.0.0.1 reached through the prefix's proxy setting, and the settings file.
#
#   upd_script '{"update.txt": [{"body": "[sentinox]\r\nupdate=6\r\n"}]}'
#   upd_server_start                 # after sx_init; points the proxy at it
#   upd_requests                     # the request lines it has seen, one per line

UPD_INTERNET='HKCU\Software\Microsoft\Windows\CurrentVersion\Internet Settings'
UPD_LIST_URL='http://www.sentinox-update.example/sentinox/update.txt'
UPD_ARCHIVE_URL='http://www.sentinox-update.example/sentinox/sentinoxupdate.zip'

# Writes the server's script (JSON); the server reads it at every request.
upd_script() { printf '%s\n' "$1" >"$SX_DIR/server.json"; }

upd_server_start() {
  [ -f "$SX_DIR/server.json" ] || upd_script '{}'
  rm -f "$SX_DIR/server.port" "$SX_DIR/server.log"
  : >"$SX_DIR/server.log"
  python3 "$SX_ROOT/tests/system/update_server.py" --script "$SX_DIR/server.json" \
    --port-file "$SX_DIR/server.port" --log "$SX_DIR/server.log" --timeout 600 &
  SX_PIDS+=("$!")
  local i
  for i in $(seq 100); do
    [ -s "$SX_DIR/server.port" ] && break
    sleep 0.05
  done
  [ -s "$SX_DIR/server.port" ] || sx_fail "the update server did not start"
  UPD_PORT=$(cat "$SX_DIR/server.port")
  upd_proxy "$UPD_PORT"
}

# WinInet reads these at every InternetOpenA.
upd_proxy() {  # PORT
  sx_reg add "$UPD_INTERNET" /v ProxyEnable /t REG_DWORD /d 1 /f
  sx_reg add "$UPD_INTERNET" /v ProxyServer /t REG_SZ /d "127.0.0.1:$1" /f
  sx_reg delete "$UPD_INTERNET" /v ProxyOverride /f || true
}

# A port where nobody listens: the update site cannot be reached.
upd_unused_port() { python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'; }

# Wine's WinInet writes the default port into the address it hands a proxy; taken out here.
upd_requests() { sed 's#\.example:80/#.example/#' "$SX_DIR/server.log"; }
upd_request_count() { wc -l <"$SX_DIR/server.log" | tr -d ' '; }

# The settings file of the prefix's user, under the upper-cased name the main program uses.
upd_settings_file() { printf '%s\n' "$SX_PERSONAL/$(printf '%s' "$SX_WINUSER" | tr 'a-z' 'A-Z').snx"; }

# The update check at start on; no start-up scan, autostart value or browser button.
upd_write_settings() {  # [UPDATE_NUMBER or "none"]
  local file
  file=$(upd_settings_file)
  sx_write_ini "$file" settings sett_autorun=0 sett_autoupdate=1 sett_autoscan=0 sett_closescan=0 \
    sett_scanregistry=1 sett_scanmemory=1 sett_removebadkeys=0 sett_removebadapps=0 sett_besilent=1 \
    sett_addicon=0 sett_autoremovebadkeys=0 sett_autoremovebadapps=0
  if [ "${1:-5}" != none ]; then
    printf '[application]\r\nversion=3.0.6\r\nupdate=%s\r\n' "${1:-5}" >>"$file"
  fi
}

# Waits until no window with this caption is left (the program ended).
upd_wait_no_window() {  # CAPTION SECONDS WHAT
  local i
  for i in $(seq $(($2 * 5))); do
    [ "$(drv count-windows -w "$1" 2>/dev/null || echo 1)" = 0 ] && return 0
    sleep 0.2
  done
  sx_fail "$3: a window \"$1\" is still there after $2 s"
}

# Waits until a Linux process (a program started by sx_start) has ended.
upd_wait_pid_gone() {  # PID SECONDS WHAT
  local i
  for i in $(seq $(($2 * 5))); do
    kill -0 "$1" 2>/dev/null || return 0
    sleep 0.2
  done
  sx_fail "$3: process $1 still runs after $2 s"
}

# Starts the installed main program and waits for its window.
upd_start_main() {
  sx_start sentinox.exe
  UPD_MAIN_PID=$SX_LAST_PID
  sx_wait_started
}

upd_stop_main() {
  kill "$UPD_MAIN_PID" 2>/dev/null || true
  upd_wait_pid_gone "$UPD_MAIN_PID" 20 "stopping the main program"
  upd_wait_no_window "Sentinox Control Center" 20 "stopping the main program"
}

# The Home page's notification lines, "|" between them.
upd_notifications() { drv list-items -w "Sentinox Control Center" --name notifications | paste -sd'|'; }

# Waits until the notifications hold TEXT.
upd_wait_notification() {  # TEXT WHAT
  local i
  for i in $(seq 100); do
    [[ "|$(upd_notifications)|" == *"|$1|"* ]] && return 0
    sleep 0.2
  done
  sx_fail "$2: \"$1\" not among the notifications: $(upd_notifications)"
}
