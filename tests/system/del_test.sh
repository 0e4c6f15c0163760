#!/usr/bin/env bash
# del.exe, the boot-time deleter: "-s" deletes what the current user's delete
# list names and empties the list; without "-s" it touches nothing; a path that is
# not absolute is never resolved against its working folder. Also the
# test switches of Varnel2.dll, through which del.exe finds the list.
source "$(dirname "$0")/lib.sh"
sx_init del
sx_install

victims='C:\victims'
V=$(sx_unix "$victims")
list_of() { printf '%s\n' "$SX_PERSONAL/$1_delete.snx"; }
list=$(list_of "$(printf '%s' "$SX_WINUSER" | tr 'a-z' 'A-Z')")

fresh_victims() {
  rm -rf "$V"
  mkdir -p "$V/with space" "$V/folder"
  echo one >"$V/one.exe"
  echo two >"$V/with space/two.exe"
  echo ro >"$V/readonly.exe"
  echo locked >"$V/locked.exe"
}

# --- Varnel2's answers: the log-on name and admin flag, or what the test says ---
sx_assert_eq "user=$SX_WINUSER|admin=1" "$(sx_tool sxwhoami.exe | paste -sd'|')" "Varnel2 without test switches"
sx_assert_eq "user=Tester|admin=0" \
  "$(SENTINOX_TEST_USERNAME=Tester SENTINOX_TEST_ISADMIN=0 sx_tool sxwhoami.exe | paste -sd'|')" "Varnel2 told name and non-admin"
sx_assert_eq "user=|admin=1" \
  "$(SENTINOX_TEST_USERNAME= SENTINOX_TEST_ISADMIN=1 sx_tool sxwhoami.exe | paste -sd'|')" "Varnel2 told an empty name"

# --- the main road: three paths, one missing ---
fresh_victims
sx_write_ini "$list" list "0=$victims\\one.exe" "1=$victims\\missing.exe" "2=$victims\\with space\\two.exe"
cp "$list" "$SX_DIR/list.before"

rc=0; sx_run del.exe || rc=$?
sx_assert_eq 0 "$rc" "del.exe without -s: exit code"
sx_assert_file "$V/one.exe" "del.exe without -s"
sx_assert_file "$V/with space/two.exe" "del.exe without -s"
cmp -s "$list" "$SX_DIR/list.before" || sx_fail "del.exe without -s changed the list"

rc=0; sx_run del.exe -S || rc=$?
sx_assert_file "$V/one.exe" "del.exe -S (the switch is case-sensitive)"

rc=0; sx_run del.exe -s || rc=$?
sx_assert_eq 0 "$rc" "del.exe -s: exit code"
sx_assert_no_file "$V/one.exe" "del.exe -s"
sx_assert_no_file "$V/with space/two.exe" "del.exe -s, a path with a blank"
sx_assert_eq "" "$(sx_ini_section "$list" list)" "the delete list after del.exe -s"

# --- what cannot go stays listed, compacted; holes, "defval" and read-only files ---
fresh_victims
chmod a-w "$V/readonly.exe"
sx_write_ini "$list" list "0=$victims\\locked.exe" "2=$victims\\readonly.exe" "3=defval" \
  "5=$victims\\folder" "200=$victims\\one.exe"
sx_hold_file "$victims\\locked.exe"
holder=$SX_LAST_PID

rc=0; sx_run del.exe -s || rc=$?
sx_assert_eq 1 "$rc" "del.exe -s with a locked file: exit code"
sx_assert_file "$V/locked.exe" "a locked file"
sx_assert_no_file "$V/readonly.exe" "a read-only file"
sx_assert_no_file "$V/one.exe" "the file in slot 200"
sx_assert_file "$V/folder" "a folder (not a program file)"
sx_assert_eq "0=$victims\\locked.exe|1=$victims\\folder" "$(sx_ini_section "$list" list | paste -sd'|')" \
  "the delete list keeps what could not be deleted, from slot 0 on"

# Once the lock is gone the next boot finishes the job.
kill "$holder"; wait "$holder" 2>/dev/null || true
rmdir "$V/folder"
rc=0; sx_run del.exe -s || rc=$?
sx_assert_eq 0 "$rc" "del.exe -s after the lock went: exit code"
sx_assert_no_file "$V/locked.exe" "the formerly locked file"
sx_assert_eq "" "$(sx_ini_section "$list" list)" "the delete list at the end"

# --- only absolute paths go: the working folder at boot is whatever started del.exe ---
# Started in C:\victims\work\sub, which (like the folders above it) holds files of every
# relative entry's name. Those entries stay listed, compacted, and are named on stderr.
fresh_victims
mkdir -p "$V/work/sub" "$V/other"
for f in work/sub/canary.exe other/x.dll rooted.exe work/sub/rel.exe slash.exe; do echo "$f" >"$V/$f"; done
sx_write_ini "$list" list "0=canary.exe" "1=..\\..\\other\\x.dll" "2=$victims\\one.exe" "3=\\victims\\rooted.exe" \
  "4=C:rel.exe" "5=C:/victims/slash.exe"
rc=0; out=$(cd "$V/work/sub" && sx_run del.exe -s 2>&1) || rc=$?
sx_assert_eq 1 "$rc" "del.exe -s with relative entries: exit code"
sx_assert_no_file "$V/one.exe" "an absolute path"
sx_assert_no_file "$V/slash.exe" "an absolute path with forward slashes"
for f in work/sub/canary.exe other/x.dll rooted.exe work/sub/rel.exe; do sx_assert_file "$V/$f" "a relative entry's file"; done
sx_assert_eq "0=canary.exe|1=..\\..\\other\\x.dll|2=\\victims\\rooted.exe|3=C:rel.exe" \
  "$(sx_ini_section "$list" list | paste -sd'|')" "the delete list keeps the relative entries"
for entry in 'canary.exe' '..\..\other\x.dll' '\victims\rooted.exe' 'C:rel.exe'; do
  sx_assert_contains "$out" "del.exe: kept on the list, not an absolute path: $entry" "del.exe's report"
done

# --- the list belongs to the user Varnel2 names: upper-cased name, same Personal folder ---
fresh_victims
sx_write_ini "$(list_of TESTER)" list "0=$victims\\one.exe"
sx_write_ini "$list" list "0=$victims\\with space\\two.exe"
rc=0; SENTINOX_TEST_USERNAME=tester sx_run del.exe -s || rc=$?
sx_assert_eq 0 "$rc" "del.exe -s as user tester: exit code"
sx_assert_no_file "$V/one.exe" "the file on TESTER's list"
sx_assert_file "$V/with space/two.exe" "the file on another user's list"
sx_assert_eq "" "$(sx_ini_section "$(list_of TESTER)" list)" "TESTER's list after del.exe -s"

# An empty user name locates no list: nothing happens, and it says so by its exit code.
sx_write_ini "$SX_PERSONAL/_delete.snx" list "0=$victims\\with space\\two.exe"
rc=0; SENTINOX_TEST_USERNAME= sx_run del.exe -s || rc=$?
sx_assert_eq 2 "$rc" "del.exe -s with an empty user name: exit code"
sx_assert_file "$V/with space/two.exe" "del.exe -s with an empty user name"

sx_pass
