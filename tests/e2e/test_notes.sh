#!/bin/bash
# Stored notes come back where they were left; the tray menu's items work in their order; a new note is
# centred, takes typed text (without '@') and is saved; SIGTERM saves like "exit".
source "$(dirname "$0")/lib.sh"

# 15 twips per pixel at 96 DPI: note 1 at 100,100 size 160x120; note 3 at 400,200 size 200x150
seed_ini <<'EOF'
[Settings]
Total=3
language=0

[Paplet%201]
text=first note
left=1500
top=1500
height=1800
oldheight=1800
width=2400
ontop=False
visible=True

[Paplet%202]
text=hidden note
left=3000
top=4500
height=1800
oldheight=1800
width=2400
visible=False

[Paplet%203]
text=
left=6000
top=3000
height=2250
oldheight=2250
width=3000
ontop=True
visible=True
EOF

count_is() { [ "$(client_windows "$ZPID" | wc -l)" = "$1" ]; }
# window_at X Y W H: the id of ZPID's managed window with exactly that geometry
window_at() {
    local id
    for id in $(client_windows "$ZPID"); do
        [ "$(geometry "$id")" = "$*" ] && { echo "$id"; return 0; }
    done
    return 1
}

start_zovuzor
poll_out 20 tray_icon "$ZPID" >/dev/null || fail "no tray icon"
poll 20 count_is 2 || fail "expected the 2 visible notes as windows, got: $(for w in $(client_windows "$ZPID"); do echo "$(win_title "$w") @ $(geometry "$w");"; done)"
xdpi=$(xdpyinfo | awk '/resolution:/ {split($2, r, "x"); print r[1]; exit}')
expect_eq "the screen's resolution" 96 "$xdpi"

note1=$(poll_out 5 window_at 100 100 160 120) ||
    fail "note 1 is not at 100,100 160x120: $(for w in $(client_windows "$ZPID"); do echo "$(geometry "$w");"; done)"
note3=$(poll_out 5 window_at 400 200 200 150) ||
    fail "note 3 is not at 400,200 200x150: $(for w in $(client_windows "$ZPID"); do echo "$(geometry "$w");"; done)"
poll 5 has_state "$note3" ABOVE || fail "the on-top note lacks _NET_WM_STATE_ABOVE"
has_state "$note1" ABOVE && fail "note 1 is on top although stored as not on top"
screenshot notes

# The tray menu's items, top to bottom: about, settings, hide all, save all, new, the note list, exit.
# Its captions are in the screenshot; here each item proves itself by what it does.
open_tray_menu "$ZPID" >/dev/null || fail "the tray menu does not open"
screenshot tray-menu-en
menu_keys "$ZPID" Escape || fail "Escape does not close the tray menu"

tray_choose "$ZPID" "$MENU_HIDEALL" || fail "could not choose hide all"
poll 5 count_is 0 || fail "hide all left $(client_windows "$ZPID" | wc -l) notes shown"
tray_choose "$ZPID" "$MENU_HIDEALL" || fail "could not choose show all"
poll 5 count_is 3 || fail "show all showed $(client_windows "$ZPID" | wc -l) notes, expected all 3 live ones"
# the note list follows "new": first note, hidden note, untitled; choosing a shown note hides it
tray_choose "$ZPID" $((MENU_NEW + 2)) || fail "could not choose the second note's list entry"
poll 5 count_is 2 || fail "the second note's list entry did not hide it"

about=
tray_choose "$ZPID" "$MENU_ABOUT" || fail "could not choose about"
about=$(wait_titled "$ZPID" '^about Zovuzor\.\.\.$' 10) || fail "the first item did not open the about box"
screenshot about-en
activate "$about"
xdotool key Return
poll 5 gone "$about" || fail "Return does not close the about box"

before=$(client_windows "$ZPID")
tray_choose "$ZPID" "$MENU_NEW" || fail "could not choose new"
poll 10 count_is 3 || fail "new made no note window"
new=$(client_windows "$ZPID" | grep -vxF "$before" | head -1)
read -r x y w h <<<"$(geometry "$new")"
read -r sw sh <<<"$(screen_size)"
read -r _ _ aw ah <<<"$(workarea)"
log "new note at $x,$y ${w}x$h; screen ${sw}x$sh, work area ${aw}x$ah"
near "$x" $(((sw - w) / 2)) || fail "the new note is not centred horizontally: x=$x w=$w"
near "$y" $(((sh - h) / 2)) || near "$y" $(((ah - h) / 2)) || fail "the new note is not centred vertically: y=$y h=$h"

# click into the text below the caption bar and type, '@' included
xdotool mousemove $((x + w / 2)) $((y + h / 2 + 9))
sleep 0.1
xdotool click 1
poll 3 is_active "$new" || fail "the new note did not take the focus"
xdotool type --delay 40 'Hi@there'
screenshot typed
save_all "$ZPID" || fail "save all did not write the store"
expect_eq "Total after save all" 4 "$(ini_get Settings Total)"
expect_eq "the new note's text" "Hithere" "$(ini_get 'Paplet 4' text)"
expect_eq "note 1's left" 1500 "$(ini_get 'Paplet 1' left)"
expect_eq "note 1's top" 1500 "$(ini_get 'Paplet 1' top)"
expect_eq "note 1's width" 2400 "$(ini_get 'Paplet 1' width)"
expect_eq "note 1's height" 1800 "$(ini_get 'Paplet 1' height)"
expect_eq "the hidden note's visible" False "$(ini_get 'Paplet 2' visible)"
expect_eq "the hidden note's text" "hidden note" "$(ini_get 'Paplet 2' text)"
expect_eq "note 3's ontop" True "$(ini_get 'Paplet 3' ontop)"
expect_eq "note 3's text" "" "$(ini_get 'Paplet 3' text)"

# a change after the save reaches the store through SIGTERM's orderly exit
xdotool type --delay 40 ' more'
sleep 0.5 # nothing outside shows that the keys were taken; give the program a moment to read them
kill -TERM "$ZPID"
wait_exit "$ZPID" 10 || fail "SIGTERM did not end the program"
expect_eq "exit status after SIGTERM" 0 "$EXIT_STATUS"
[ -z "$(tray_icon "$ZPID")" ] || fail "the tray icon is still there"
expect_eq "Total after SIGTERM" 4 "$(ini_get Settings Total)"
expect_eq "the new note's text after SIGTERM" "Hithere more" "$(ini_get 'Paplet 4' text)"
expect_eq "note 1's text after SIGTERM" "first note" "$(ini_get 'Paplet 1' text)"
expect_eq "note 2's text after SIGTERM" "hidden note" "$(ini_get 'Paplet 2' text)"
expect_eq "note 3's ontop after SIGTERM" True "$(ini_get 'Paplet 3' ontop)"

expect_quiet_log
