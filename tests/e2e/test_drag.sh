#!/bin/bash
# A note dragged by its caption bar follows the pointer pixel for pixel, and "save all" stores where it
# was left.
source "$(dirname "$0")/lib.sh"

seed_ini <<'EOF'
[Settings]
Total=1

[Paplet%201]
text=drag me
left=4500
top=4500
height=1800
oldheight=1800
width=2400
visible=True
EOF

start_zovuzor
poll_out 20 tray_icon "$ZPID" >/dev/null || fail "no tray icon"
note=$(poll_out 20 client_windows "$ZPID") || fail "the note was not shown"
moved_to() { [ "$(geometry "$note")" = "$*" ]; }
poll 5 moved_to 300 300 160 120 || fail "the note is not at 300,300 160x120 but at $(geometry "$note")"
read -r x y w h <<<"$(geometry "$note")"

# Press on the caption bar clear of its icon (left) and buttons (right), move in steps, release:
# separate xdotool calls with short pauses, as a hand would (one chained call moves nothing under a
# window manager).
gx=$((x + 60))
gy=$((y + 8))
xdotool mousemove "$gx" "$gy"
sleep 0.1
xdotool mousedown 1
sleep 0.1
for i in $(seq 1 10); do
    xdotool mousemove $((gx + 15 * i)) $((gy + 10 * i))
    sleep 0.05
done
sleep 0.1
xdotool mouseup 1
if ! poll 5 moved_to 450 400 160 120; then
    xdotool key Escape # in case the window manager was left in a move
    fail "the note did not follow the pointer by 150,100: now at $(geometry "$note")"
fi
screenshot dragged

save_all "$ZPID" || fail "save all did not write the store"
expect_eq "left after the drag" 6750 "$(ini_get 'Paplet 1' left)"
expect_eq "top after the drag" 6000 "$(ini_get 'Paplet 1' top)"
expect_eq "width after the drag" 2400 "$(ini_get 'Paplet 1' width)"
expect_eq "height after the drag" 1800 "$(ini_get 'Paplet 1' height)"
expect_eq "text after the drag" "drag me" "$(ini_get 'Paplet 1' text)"

expect_quiet_log
