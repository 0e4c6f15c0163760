#!/usr/bin/env bash
# The update changes the installation as a whole or not at all, against a scripted site that
# misbehaves; after each run the whole installation is compared byte for byte with before:
# - an archive download that stalls half-way ends within the download bound with its message,
#   the running main program untouched and nothing left beside it;
# - an archive whose second item is damaged leaves every old file as it was, tells the user,
#   and the old main program runs again;
# - an archive carrying update.exe and Varnel2.dll, both in use by the running updater, with
#   sentinox.exe and a data file: "Update complete.", every file new, the new main program
#   running, and the leftovers of an earlier run gone; the old copies of the updater's own
#   files are gone after the next run at the latest.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/update_lib.sh"
sx_init update_replace
sx_install
upd_server_start
upd_write_settings 5
# The main program's own check at start stays off: only the updater talks to the site here.
sed -i 's/sett_autoupdate=1/sett_autoupdate=0/' "$(upd_settings_file)"
MAIN="Sentinox Control Center"
DOWNLOAD_BOUND=30   # the product's bound on a silent download, in seconds
list6='{"body": "[sentinox]\r\nupdate=6\r\n"}'

# Every file of the installation with its checksum, but the downloads the updater keeps.
installation() {
  (cd "$SX_INSTALL" && find . -type f ! -name update.zip ! -name updatelist.txt -print0 | sort -z | xargs -0 sha256sum)
}

# NAME.exe/.dll made new: the real file with a marker appended, so programs still run.
stage="$SX_DIR/stage"
rm -rf "$stage" && mkdir -p "$stage"
for f in update.exe Varnel2.dll sentinox.exe; do
  cp "$SX_INSTALL/$f" "$stage/$f"
  printf 'SENTINOX-UPDATE-MARKER-%s-%s' "$f" "$RANDOM$RANDOM" >>"$stage/$f"
done
printf 'Release notes of update 6\r\n' >"$stage/whatsnew.txt"

# Stored items, in the order given; DAMAGED names one whose data gets a byte flipped.
make_archive() {  # ZIP DAMAGED NAME...
  python3 - "$@" <<'EOF'
import sys, zipfile
path, damaged, names = sys.argv[1], sys.argv[2], sys.argv[3:]
with zipfile.ZipFile(path, "w", zipfile.ZIP_STORED) as z:
    for name in names:
        z.write(name, name)
if damaged:
    with zipfile.ZipFile(path) as z:
        info = z.getinfo(damaged)
    with open(path, "r+b") as f:
        f.seek(info.header_offset + 26)
        lengths = f.read(4)
        start = info.header_offset + 30 + int.from_bytes(lengths[:2], "little") + int.from_bytes(lengths[2:], "little")
        f.seek(start + info.file_size // 2)
        byte = f.read(1)
        f.seek(start + info.file_size // 2)
        f.write(bytes([byte[0] ^ 0xFF]))
EOF
}
(cd "$stage" && make_archive "$SX_DIR/full.zip" "" update.exe Varnel2.dll sentinox.exe whatsnew.txt)
(cd "$stage" && make_archive "$SX_DIR/damaged.zip" Varnel2.dll sentinox.exe Varnel2.dll update.exe)

overwrite_yes() {  # NAME
  drv answer-box -w "Confirm" --text "Overwrite file \"$SX_INSTALL_WIN\\$1\" with \"$1\"" --button yes --timeout 30000 >/dev/null
}

upd_start_main
main_pid=$UPD_MAIN_PID

# --- a stalled archive download ----------------------------------------------------------------
before=$(installation)
upd_script "{\"update.txt\": [$list6], \"sentinoxupdate.zip\": [{\"file\": \"$SX_DIR/full.zip\", \"cut\": 131200, \"stall\": true}]}"
sx_start update.exe
# The bound, and as much again for a loaded machine.
box=$(drv answer-box -w "Update" --button ok --timeout $((DOWNLOAD_BOUND * 2 * 1000)))
sx_assert_contains "$box" "text=Couldn't download the remote file." "stalled download: the message"
upd_wait_no_window "Update" 20 "stalled download: the updater ends"
kill -0 "$main_pid" 2>/dev/null || sx_fail "stalled download: the main program was stopped"
sx_assert_eq "$before" "$(installation)" "stalled download: the installation, byte for byte"

# --- a damaged second item ------------------------------------------------------------------------
upd_script "{\"update.txt\": [$list6], \"sentinoxupdate.zip\": [{\"file\": \"$SX_DIR/damaged.zip\"}]}"
sx_start update.exe
drv answer-box -w "Update" --text "Local File is about to be replaced." --button ok --timeout 30000 >/dev/null
overwrite_yes sentinox.exe
overwrite_yes Varnel2.dll
drv answer-box -w "Confirm" --text-part "File processing error" --button abort --timeout 30000 >/dev/null
box=$(drv answer-box -w "Update" --button ok --timeout 30000)
sx_assert_contains "$box" "text=The update did not complete: every file was left as it was. Please try again later." \
  "damaged item: the user is told"
upd_wait_no_window "Update" 20 "damaged item: the updater ends"
upd_wait_pid_gone "$main_pid" 20 "damaged item: the main program was stopped for the update"
old_window=$(drv wait-window -w "$MAIN" --state visible --timeout 30000)
sx_assert_eq "$before" "$(installation)" "damaged item: the installation, byte for byte"

# --- the whole program folder, the updater's own files included ------------------------------------
# Left by an updater ended mid-download and by one ended mid-replacement.
head -c 131200 /dev/zero >"$SX_INSTALL/sx3F1A.tmp"
printf 'decoded, never put in place' >"$SX_INSTALL/~sx2B.tmp"
cp "$SX_INSTALL/sentinox.ico" "$SX_INSTALL/sentinox.ico.sxold"
upd_script "{\"update.txt\": [$list6], \"sentinoxupdate.zip\": [{\"file\": \"$SX_DIR/full.zip\"}]}"
sx_start update.exe
drv answer-box -w "Update" --text "Local File is about to be replaced." --button ok --timeout 30000 >/dev/null
for f in update.exe Varnel2.dll sentinox.exe; do overwrite_yes "$f"; done
drv answer-box -w "Update" --text "Update complete." --button ok --timeout 30000 >/dev/null
upd_wait_no_window "Update" 20 "full update: the updater ends"
for f in update.exe Varnel2.dll sentinox.exe whatsnew.txt; do
  cmp -s "$stage/$f" "$SX_INSTALL/$f" || sx_fail "full update: $f is not the archive's, byte for byte"
done
# The old program was stopped before its file was replaced: the one window now is the new program's.
new_window=$(drv wait-window -w "$MAIN" --state visible --timeout 30000)
[ "$new_window" != "$old_window" ] || sx_fail "full update: the old main program's window is still the one shown"
sx_assert_eq 1 "$(drv count-windows -w "$MAIN")" "full update: one main program runs"
for f in sx3F1A.tmp '~sx2B.tmp' sentinox.ico.sxold; do
  sx_assert_no_file "$SX_INSTALL/$f" "full update: the leftover $f"
done
leftovers=$(cd "$SX_INSTALL" && ls | grep -Ei '^~?sx[0-9a-f]+\.tmp$' || true)
sx_assert_eq "" "$leftovers" "full update: no temporary file beside the programs"

# The new updater runs (its library too) and, finding nothing newer, removes the old copies.
upd_script '{"update.txt": [{"body": "[sentinox]\r\nupdate=5\r\n"}]}'
sx_start update.exe
drv answer-box -w "Update" --text "There are no updates available." --button ok --timeout 30000 >/dev/null
upd_wait_no_window "Update" 20 "the new updater ends"
sx_assert_eq "" "$(cd "$SX_INSTALL" && ls | grep -i 'sxold' || true)" "the old copies of update.exe and Varnel2.dll"
sx_pass
