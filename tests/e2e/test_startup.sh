#!/bin/bash
# First start with an empty configuration folder: the tray icon is embedded, the store is created
# privately with the program's folder in it; a second start shows "Zovuzor" and leaves the store alone.
source "$(dirname "$0")/lib.sh"

start_zovuzor
first=$ZPID
icon=$(poll_out 20 tray_icon "$first") || fail "no tray icon was embedded in the tray"
log "tray icon $icon at $(geometry "$icon")"

poll 10 ini_raw Settings path || fail "the store holds no [Settings] path after start-up"
want=$(cd "$(dirname "$ZOVUZOR")" && pwd -P)
got=$(ini_get Settings path)
[ "${got%/}" = "$want" ] || fail "path: expected the program's folder '$want', got '$got'"
# notes are private
expect_eq "store file mode" 600 "$(stat -c %a "$INI")"
expect_eq "store folder mode" 700 "$(stat -c %a "$(dirname "$INI")")"
[ -z "$(client_windows "$first")" ] || fail "a window is shown although no note is stored"

cp -p "$INI" "$E2E_TMP/store-before"
start_zovuzor second
second=$ZPID
box=$(wait_titled "$second" '^Zovuzor$' 15) || fail "the second instance showed no window titled Zovuzor"
screenshot second-instance
activate "$box" || fail "the message box does not take the focus"
xdotool key Return
wait_exit "$second" 10 || fail "the second instance is still running after Return"
expect_eq "second instance's exit status" 0 "$EXIT_STATUS"
cmp "$E2E_TMP/store-before" "$INI" || fail "the second instance changed the store"
alive "$first" || fail "the first instance ended"
[ -n "$(tray_icon "$first")" ] || fail "the first instance's tray icon is gone"

expect_quiet_log
expect_quiet_log second
