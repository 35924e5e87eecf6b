#!/bin/bash
# The alarm is heard: with a sound server (a PulseAudio null sink) the alarm window plays the sound,
# repeated while it is up ("repeat wave"), and falls silent once acknowledged.
source "$(dirname "$0")/lib.sh"

avoid_midnight
alarm_texts 60
seed_ini <<EOF
[Settings]
Total=1
language=0
wave=none
repeatwave=True

[Paplet%201]
text=listen
left=1500
top=1500
height=1800
oldheight=1800
width=2400
ringearly=0
date=$ALARM_DATE
time=$ALARM_TIME
visible=True
EOF

start_sound_server
silence=$E2E_TMP/before.raw
record 1 "$silence"
log "peak before the program starts: $(peak "$silence")"

start_zovuzor
poll_out 20 tray_icon "$ZPID" >/dev/null || fail "no tray icon"
alarm=$(wait_titled "$ZPID" '^Alarm ' 30) || fail "no alarm window within 30 s"
poll 3 is_active "$alarm" || log "the alarm window did not take the focus by itself"

ring=$E2E_TMP/ringing.raw
record 2 "$ring"
ring_peak=$(peak "$ring")
log "peak while the alarm is up: $ring_peak"
[ "$ring_peak" -ge 1000 ] || fail "the alarm is silent while it is up (peak $ring_peak of 32767)"
# the sound repeats: still playing a few seconds later
record 2 "$ring"
ring_peak=$(peak "$ring")
log "peak 2 s later: $ring_peak"
[ "$ring_peak" -ge 1000 ] || fail "the repeated alarm sound stopped by itself (peak $ring_peak)"

activate "$alarm" || fail "the alarm window does not take the focus"
xdotool key Return
poll 5 gone "$alarm" || fail "Return did not close the alarm window"
after=$E2E_TMP/after.raw
quiet_now() { record 1 "$after" && [ "$(peak "$after")" -lt 100 ]; }
# what was already in the sink's buffer when OK was pressed may trickle out for a moment
poll 3 quiet_now || fail "the alarm still sounds after OK (peak $(peak "$after"))"
alive "$ZPID" || fail "the program ended with the alarm"

expect_quiet_log
