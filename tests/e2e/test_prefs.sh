#!/bin/bash
# The settings dialog from the tray menu switches the program to German at once; "save all" keeps it
# and the next start is German too.
source "$(dirname "$0")/lib.sh"

seed_ini <<'EOF'
[Settings]
Total=1
language=0

[Paplet%201]
text=settings test
left=1500
top=1500
height=1800
oldheight=1800
width=2400
visible=True
EOF

start_zovuzor
poll_out 20 tray_icon "$ZPID" >/dev/null || fail "no tray icon"
poll_out 20 client_windows "$ZPID" >/dev/null || fail "the note was not shown"

tray_choose "$ZPID" "$MENU_SETTINGS" || fail "could not choose settings"
dlg=$(wait_titled "$ZPID" '^Settings$' 10) || fail "the second item did not open the settings dialog"
poll 5 has_state "$dlg" ABOVE || fail "the settings dialog is not on top"
screenshot settings-en
activate "$dlg" || fail "the settings dialog does not take the focus"
# focus starts on OK; the tab order runs OK, Cancel, background, foreground, Font..., language
xdotool key --delay 80 Tab Tab Tab Tab Tab Down
poll 5 titled "$dlg" '^Einstellungen$' || fail "choosing Deutsch did not turn the dialog German (title '$(win_title "$dlg")')"
screenshot settings-de
xdotool key Return
poll 5 gone "$dlg" || fail "Return (OK) did not close the settings dialog"

open_tray_menu "$ZPID" >/dev/null || fail "the tray menu does not open after the settings dialog"
screenshot tray-menu-de
menu_keys "$ZPID" Escape || fail "Escape does not close the tray menu"
save_all "$ZPID" || fail "save all did not write the store"
expect_eq "language after OK and save all" 1 "$(ini_get Settings language)"

# "&Beenden" is the last item
open_tray_menu "$ZPID" >/dev/null || fail "the tray menu does not open"
menu_keys "$ZPID" Up Return || fail "could not choose exit"
wait_exit "$ZPID" 10 || fail "exit did not end the program"
[ "$EXIT_STATUS" = 0 ] || error "exit ended the program with status $EXIT_STATUS"
expect_quiet_log

start_zovuzor restarted
poll_out 20 tray_icon "$ZPID" >/dev/null || fail "no tray icon after the restart"
poll_out 20 client_windows "$ZPID" >/dev/null || fail "the note was not shown after the restart"
open_tray_menu "$ZPID" >/dev/null || fail "the tray menu does not open after the restart"
screenshot tray-menu-de-restarted
menu_keys "$ZPID" Down Return || fail "could not choose the first item"
about=$(wait_titled "$ZPID" '^über Zovuzor\.\.\.$' 10) ||
    fail "the about box is not German after the restart: $(for w in $(client_windows "$ZPID"); do win_title "$w"; done | tr '\n' '|')"
activate "$about"
xdotool key Return
poll 5 gone "$about" || fail "Return does not close the about box"
expect_quiet_log restarted
