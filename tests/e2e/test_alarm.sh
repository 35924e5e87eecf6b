#!/bin/bash
# An alarm due a minute ago rings at the note's first tick: its hidden note comes up, the alarm window
# "Alarm <time>" is on top, the tray menu stays shut, the window asks for attention while another one
# has the focus, Return acknowledges it and "save all" stores that it has rung. No sound server here: the alarm beeps and nothing breaks.
source "$(dirname "$0")/lib.sh"

avoid_midnight
alarm_texts 60
log "alarm at $ALARM_DATE $ALARM_TIME"
seed_ini <<EOF
[Settings]
Total=1
language=0
wave=none
repeatwave=False

[Paplet%201]
text=tea time
left=1500
top=1500
height=1800
oldheight=1800
width=2400
hasrung=False
ringearly=0
date=$ALARM_DATE
time=$ALARM_TIME
visible=False
EOF

no_sound_server
start_zovuzor
t0=$(now_ms)
poll_out 20 tray_icon "$ZPID" >/dev/null || fail "no tray icon"
alarm=$(wait_titled "$ZPID" '^Alarm ' 30) || fail "no alarm window within 30 s"
took=$(($(now_ms) - t0))
log "the alarm rang after $took ms"
[ "$took" -le 25000 ] || fail "the alarm rang after $took ms, expected within 25 s"
expect_eq "the alarm window's title" "Alarm $ALARM_TIME" "$(win_title "$alarm")"
poll 5 has_state "$alarm" ABOVE || fail "the alarm window is not on top (_NET_WM_STATE_ABOVE)"
[ "$(client_windows "$ZPID" | grep -vcx "$alarm")" = 1 ] || fail "the hidden note did not come up with its alarm"
screenshot alarm

# the tray menu stays shut while the alarm is up
tray_click "$ZPID"
if poll 2 popup_menus_open "$ZPID"; then
    screenshot menu-while-alarm
    xdotool key Escape
    fail "the tray menu opened while the alarm window was up"
fi

# While the user works in another program, the alarm window keeps asking for attention (a focused
# window cannot demand attention under openbox, so look while another one has the focus).
xmessage -geometry +20+600 'another program' &
other=$!
E2E_PIDS+=("$other")
other_win=$(poll_out 10 xdotool search --onlyvisible --class '^Xmessage$') || fail "the other program's window did not come up"
other_win=$(echo "$other_win" | head -1)
activate "$other_win" || fail "could not focus another program's window"
poll 5 has_state "$alarm" DEMANDS_ATTENTION || fail "the alarm window does not ask for attention"
has_state "$alarm" ABOVE || fail "the alarm window left the on-top band"
screenshot alarm-attention
kill "$other"

activate "$alarm" || fail "the alarm window does not take the focus"
xdotool key Return
poll 5 gone "$alarm" || fail "Return did not close the alarm window"
alive "$ZPID" || fail "the program ended with the alarm"

save_all "$ZPID" || fail "save all did not write the store (is the tray menu enabled again?)"
expect_eq "hasrung after the alarm" True "$(ini_get 'Paplet 1' hasrung)"
expect_eq "visible after the alarm" True "$(ini_get 'Paplet 1' visible)"
expect_eq "the alarm's date" "$ALARM_DATE" "$(ini_get 'Paplet 1' date)"
expect_eq "the alarm's time" "$ALARM_TIME" "$(ini_get 'Paplet 1' time)"

expect_quiet_log
