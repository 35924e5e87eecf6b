# Shared helpers for the end-to-end tests. Sourced by every tests/e2e/test_*.sh, which runs inside
# tests/e2e/desktop.sh (DISPLAY set, a window manager and a system tray running) and gets the path of the
# built zovuzor as its first argument.
#
# Each test gets its own temporary HOME and XDG_CONFIG_HOME, so the store it reads and writes is
#   $INI = $XDG_CONFIG_HOME/paplt32/paplt32.ini
# Screenshots go to $SHOTS; the whole folder is kept (and its path printed) when a test fails.
# shellcheck shell=bash

set -u

E2E_NAME=$(basename "$0" .sh)
ZOVUZOR=${1:-}
if [ -z "$ZOVUZOR" ] || [ ! -x "$ZOVUZOR" ]; then
    echo "usage: $0 path/to/zovuzor (got '${ZOVUZOR}')" >&2
    exit 2
fi
if [ -z "${DISPLAY:-}" ]; then
    echo "$E2E_NAME: no DISPLAY; run me through tests/e2e/desktop.sh" >&2
    exit 2
fi

E2E_TMP=$(mktemp -d "/tmp/zovuzor-$E2E_NAME.XXXXXX")
export HOME=$E2E_TMP/home
export XDG_CONFIG_HOME=$E2E_TMP/config
mkdir -p "$HOME" "$XDG_CONFIG_HOME"
INI=$XDG_CONFIG_HOME/paplt32/paplt32.ini
SHOTS=$E2E_TMP/shots
mkdir -p "$SHOTS"
# dates and times in the store are in the user's regional format; pin it
export LANG=en_US.UTF-8
unset LC_ALL LC_TIME LC_NUMERIC LANGUAGE

E2E_PIDS=()   # every process a test started, stopped by PID at the end
ZPID=         # the zovuzor under test
E2E_FAILED=0
E2E_T0=$(date +%s%3N)

now_ms() { date +%s%3N; }
log() { echo "[$E2E_NAME +$(($(now_ms) - E2E_T0))ms] $*" >&2; }

e2e_cleanup() {
    local rc=$?
    local pid
    if [ ${#E2E_ERRORS[@]} -gt 0 ]; then
        printf '%s: FAIL: %s\n' "$E2E_NAME" "${E2E_ERRORS[@]}" >&2
        [ "$rc" = 0 ] && rc=1
    fi
    for pid in "${E2E_PIDS[@]}"; do
        kill -0 "$pid" 2>/dev/null || continue
        kill -TERM "$pid" 2>/dev/null
        for _ in $(seq 40); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.05
        done
        kill -0 "$pid" 2>/dev/null && kill -KILL "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    if [ "$rc" != 0 ] || [ "$E2E_FAILED" != 0 ]; then
        local f
        for f in "$E2E_TMP"/*.log; do
            [ -s "$f" ] && { echo "--- $(basename "$f") (last lines)" >&2; tail -15 "$f" >&2; }
        done
        echo "$E2E_NAME: FAILED; screenshots, logs and the store are kept in $E2E_TMP" >&2
    elif [ -n "${E2E_KEEP:-}" ]; then
        echo "$E2E_NAME: passed; kept $E2E_TMP" >&2
    else
        rm -rf "$E2E_TMP"
        echo "$E2E_NAME: passed" >&2
    fi
    exit "$rc"
}
trap e2e_cleanup EXIT

# fail MESSAGE: screenshot, message, exit 1
fail() {
    E2E_FAILED=1
    screenshot "failure" 2>/dev/null
    echo "$E2E_NAME: FAIL: $*" >&2
    if [ -f "$INI" ]; then
        echo "--- store $INI" >&2
        head -60 "$INI" >&2
    fi
    exit 1
}

# error MESSAGE: a failure that does not stop the test (what follows is still worth checking); the
# test fails at its end
E2E_ERRORS=()
error() {
    E2E_ERRORS+=("$*")
    E2E_FAILED=1
    echo "$E2E_NAME: error: $*" >&2
    screenshot "error-${#E2E_ERRORS[@]}" 2>/dev/null
}

# poll TIMEOUT_S COMMAND...: run COMMAND every 0.1 s until it succeeds; 1 when the time is up
poll() {
    local timeout=$1
    shift
    local end=$(($(now_ms) + timeout * 1000))
    while :; do
        "$@" >/dev/null 2>&1 && return 0
        [ "$(now_ms)" -ge "$end" ] && return 1
        sleep 0.1
    done
}

# poll_out TIMEOUT_S COMMAND...: like poll, and prints the first non-empty output of COMMAND
poll_out() {
    local timeout=$1
    shift
    local end=$(($(now_ms) + timeout * 1000)) out
    while :; do
        out=$("$@" 2>/dev/null) && [ -n "$out" ] && { printf '%s\n' "$out"; return 0; }
        [ "$(now_ms)" -ge "$end" ] && return 1
        sleep 0.1
    done
}

screenshot() {
    local name=$1
    import -window root "$SHOTS/$name.png" 2>/dev/null && log "screenshot $SHOTS/$name.png"
}

# ---- the program ------------------------------------------------------------------------------

# start_zovuzor [LOGNAME]: start the program in the background; its PID in ZPID
start_zovuzor() {
    local logname=${1:-zovuzor}
    "$ZOVUZOR" >>"$E2E_TMP/$logname.log" 2>&1 </dev/null &
    ZPID=$!
    E2E_PIDS+=("$ZPID")
    log "started zovuzor pid $ZPID"
}

alive() { kill -0 "$1" 2>/dev/null; }
dead() { ! kill -0 "$1" 2>/dev/null; }

# wait_exit PID TIMEOUT_S: wait for a child of this shell to end and put its exit status into
# EXIT_STATUS (not in a $(...) subshell: only this shell can collect its children); 1 on timeout
EXIT_STATUS=
wait_exit() {
    local pid=$1 timeout=$2
    EXIT_STATUS=
    poll "$timeout" dead "$pid" || return 1
    wait "$pid" 2>/dev/null
    EXIT_STATUS=$?
}

# ---- windows ------------------------------------------------------------------------------------

E2E_ROOT=$(xwininfo -root | awk '/Window id:/ {print $4}')
root_id() { echo "$E2E_ROOT"; }
win_pid() { xprop -id "$1" _NET_WM_PID 2>/dev/null | awk -F' = ' '/=/ {print $2}'; }
win_title() { xdotool getwindowname "$1" 2>/dev/null; }
viewable() { xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }
gone() { ! viewable "$1"; }

# Managed top-level windows of PID in stacking order, bottom first.
client_windows() {
    local pid=$1 id
    for id in $(xprop -root _NET_CLIENT_LIST_STACKING 2>/dev/null | sed -n 's/.*# //p' | tr -d ','); do
        [ "$(win_pid "$id")" = "$pid" ] && printf '%d\n' "$id"
    done
    return 0
}

# geometry ID: "X Y W H" of the window's client area in root coordinates
geometry() {
    xwininfo -id "$1" | awk '
        /Absolute upper-left X:/ {x=$4} /Absolute upper-left Y:/ {y=$4}
        /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'
}

# has_state ID ATOM: the window's _NET_WM_STATE lists _NET_WM_STATE_<ATOM>
has_state() { xprop -id "$1" _NET_WM_STATE 2>/dev/null | grep -q "_NET_WM_STATE_$2\b"; }

# find_titled PID REGEX: the managed window of PID whose title matches REGEX
find_titled() {
    local pid=$1 re=$2 id
    for id in $(client_windows "$pid"); do
        win_title "$id" | grep -Eq -- "$re" && { echo "$id"; return 0; }
    done
    return 1
}

# parent_is_root ID: the window is a top-level one (not reparented into the tray)
parent_is_root() {
    local parent
    parent=$(xwininfo -id "$1" -children 2>/dev/null | awk '/Parent window id:/ {print $4}')
    [ -n "$parent" ] && [ "$((parent))" = "$(($(root_id)))" ]
}

override_redirect() { xwininfo -id "$1" 2>/dev/null | grep -q 'Override Redirect State: yes'; }

# The tray icon of PID: its mapped override-redirect window that trayer has reparented into itself.
# (Note windows are reparented too, into the window manager's frames, but are not override-redirect;
# popup menus are, but stay children of the root.)
tray_icon() {
    local pid=$1 id
    for id in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
        override_redirect "$id" || continue
        parent_is_root "$id" || { echo "$id"; return 0; }
    done
    return 1
}

# Mapped override-redirect top-level windows of PID: its open popup menus.
popup_menus() {
    local pid=$1 id
    for id in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
        override_redirect "$id" || continue
        parent_is_root "$id" && echo "$id"
    done
    return 0
}
no_popup() { [ -z "$(popup_menus "$1")" ]; }
popup_menus_open() { [ -n "$(popup_menus "$1")" ]; }

# open_tray_menu PID: right-click the tray icon and wait for the menu; prints the menu's window id.
# A click that lands while a window is being mapped can get lost under openbox; a user would click
# again, and so do we (only while no menu is open).
declare -A E2E_ICON=() # tray icon window by PID, once found
open_tray_menu() {
    local pid=$1 icon menu try
    icon=${E2E_ICON[$pid]:-}
    if [ -z "$icon" ] || ! viewable "$icon"; then
        icon=$(poll_out 10 tray_icon "$pid") || { log "no tray icon for pid $pid"; return 1; }
        E2E_ICON[$pid]=$icon
    fi
    for try in 1 2 3; do
        # the pointer enters the icon afresh each time, as a user's would
        xdotool mousemove 0 0
        sleep 0.05
        xdotool mousemove --window "$icon" 6 6
        sleep 0.1
        xdotool click 3
        if menu=$(poll_out 2 popup_menus "$pid"); then
            echo "$menu" | head -1
            return 0
        fi
        log "the tray menu did not open (try $try)"
    done
    return 1
}

# menu_keys PID KEY...: type keys into the open popup menu and wait until no menu of PID is open
menu_keys() {
    local pid=$1
    shift
    xdotool key --delay 40 "$@"
    poll 5 no_popup "$pid"
}

# Positions of the tray menu's items counted with Down from the top (separators are skipped; every
# item is enabled while at least one live note exists). Exit is reached with a single Up.
MENU_ABOUT=1
MENU_SETTINGS=2
MENU_HIDEALL=3
MENU_SAVE=4
MENU_NEW=5

# tray_choose PID N: open the tray menu and choose its N-th item
tray_choose() {
    local pid=$1 n=$2 keys=()
    open_tray_menu "$pid" >/dev/null || return 1
    for _ in $(seq "$n"); do keys+=(Down); done
    menu_keys "$pid" "${keys[@]}" Return
}

# file_stamp FILE: changes whenever FILE is written (a save replaces or rewrites it)
file_stamp() { stat -c '%i %y %s' "$1" 2>/dev/null; }

# save_all PID: "save all" from the tray menu, then wait until the store has been written
save_all() {
    local pid=$1 before
    before=$(file_stamp "$INI")
    tray_choose "$pid" "$MENU_SAVE" || return 1
    poll 10 stamp_changed "$INI" "$before" || { log "the store was not written by save all"; return 1; }
}
stamp_changed() { [ "$(file_stamp "$1")" != "$2" ]; }

# ---- the store ------------------------------------------------------------------------------------

# ini_raw SECTION KEY: the value as written in the file (QSettings writes "Paplet 1" as [Paplet%201])
ini_raw() {
    local section=${1// /%20} key=$2
    [ -f "$INI" ] || return 1
    awk -v s="[$section]" -v k="$key" '
        /^\[/ {insec = ($0 == s); next}
        insec && index($0, k "=") == 1 {print substr($0, length(k) + 2); found=1; exit}
        END {exit !found}' "$INI"
}

# ini_get SECTION KEY: the value as QSettings reads it (quotes removed, \n \t \" \\ unescaped)
ini_get() {
    local raw
    raw=$(ini_raw "$1" "$2") || return 1
    python3 -c '
import sys
s = sys.argv[1]
out, q, i = [], False, 0
while i < len(s):
    c = s[i]
    if c == "\"":
        q = not q
    elif c == "\\" and i + 1 < len(s):
        i += 1
        out.append({"n": "\n", "t": "\t", "r": "\r", "0": "\0"}.get(s[i], s[i]))
    else:
        out.append(c)
    i += 1
sys.stdout.write("".join(out))' "$raw"
}

# expect_eq WHAT EXPECTED ACTUAL
expect_eq() {
    [ "$2" = "$3" ] || fail "$1: expected '$2', got '$3'"
}

# seed_ini: the store's content from standard input
seed_ini() {
    mkdir -p "$(dirname "$INI")"
    chmod 700 "$(dirname "$INI")"
    cat >"$INI"
    chmod 600 "$INI"
}

# ---- more windows ---------------------------------------------------------------------------------

# titled ID REGEX: the window's title matches REGEX
titled() { win_title "$1" | grep -Eq -- "$2"; }

# wait_titled PID REGEX TIMEOUT_S: prints the id of PID's managed window whose title matches REGEX
wait_titled() { poll_out "$3" find_titled "$1" "$2"; }

# activate ID: give the window the input focus (as a user's click would), unless it has it already
activate() {
    [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ] && return 0
    timeout 5 xdotool windowactivate --sync "$1" >/dev/null 2>&1 ||
        timeout 5 xdotool windowfocus --sync "$1" >/dev/null 2>&1
    poll 3 is_active "$1"
}
is_active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }

# workarea: "X Y W H" of the desktop's work area (the screen less the tray's strut)
workarea() { xprop -root _NET_WORKAREA | sed -n 's/.* = //p' | tr -d ',' | awk '{print $1, $2, $3, $4}'; }
screen_size() { xwininfo -root | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w, h}'; }

# near A B [TOL]: |A - B| <= TOL (default 1)
near() { local d=$(($1 - $2)); [ "${d#-}" -le "${3:-1}" ]; }

# ---- the program's output -------------------------------------------------------------------------

# expect_quiet_log [LOGNAME]: the program printed no Qt warning of the kind that points at a fault
expect_quiet_log() {
    local f="$E2E_TMP/${1:-zovuzor}.log" bad
    [ -f "$f" ] || return 0
    bad=$(grep -E 'QObject::|QWidget::|QLayout|QPainter::|QPixmap::|QSettings|Cannot |[Aa]ssert|Segmentation|AddressSanitizer|runtime error:' "$f" |
        grep -v 'propagateSizeHints' | head -10)
    [ -z "$bad" ] || fail "the program printed warnings:
$bad"
}

# ---- alarms and sound -------------------------------------------------------------------------------

# avoid_midnight: an alarm "due a minute ago" must lie on today's date and ring before the date
# changes; near midnight, wait until that holds
avoid_midnight() {
    local sod
    sod=$((10#$(date +%H) * 3600 + 10#$(date +%M) * 60 + 10#$(date +%S)))
    if [ "$sod" -lt 120 ]; then
        log "waiting $((120 - sod)) s for the day to be 2 minutes old"
        sleep $((120 - sod))
    elif [ "$sod" -gt $((86400 - 90)) ]; then
        log "waiting $((86400 - sod + 120)) s until after midnight"
        sleep $((86400 - sod + 120))
    fi
}

# alarm_texts SECONDS_AGO: sets ALARM_DATE and ALARM_TIME to the moment SECONDS_AGO before now as
# the program writes them under LANG=en_US.UTF-8 (short date with a four-digit year; long time
# without its zone)
alarm_texts() {
    local at=$(($(date +%s) - $1))
    ALARM_DATE=$(date -d "@$at" +%-m/%-d/%Y)
    ALARM_TIME=$(LC_ALL=C date -d "@$at" '+%-I:%M:%S %p')
}

# tray_click PID: one right-click on the tray icon, without waiting for anything
tray_click() {
    local icon
    icon=$(tray_icon "$1") || return 1
    xdotool mousemove 0 0
    sleep 0.05
    xdotool mousemove --window "$icon" 6 6
    sleep 0.1
    xdotool click 3
}

# start_sound_server: a private PulseAudio server with one null sink "t"; what is played on it can be
# recorded from "t.monitor"
start_sound_server() {
    export PULSE_RUNTIME_PATH=$E2E_TMP/pulse-run PULSE_STATE_PATH=$E2E_TMP/pulse-state
    unset PULSE_SERVER
    mkdir -p "$PULSE_RUNTIME_PATH" "$PULSE_STATE_PATH"
    # without DISPLAY, so that it does not try to autolaunch a session bus through X11
    env -u DISPLAY pulseaudio -n --daemonize=no --exit-idle-time=-1 --log-target=stderr \
        -L 'module-null-sink sink_name=t' -L 'module-native-protocol-unix auth-anonymous=1' \
        >"$E2E_TMP/pulseaudio.log" 2>&1 &
    E2E_PIDS+=($!)
    poll 15 pactl info || fail "the PulseAudio server did not come up"
    pactl set-default-sink t
}

# no_sound_server: make sure the program finds no sound server at all
no_sound_server() {
    export PULSE_SERVER=unix:$E2E_TMP/no-sound-server
}

# record SECONDS FILE: record SECONDS of the null sink's monitor (16-bit mono 16 kHz raw)
record() {
    local bytes=$(($1 * 32000))
    timeout $(($1 + 10)) parec -d t.monitor --format=s16le --rate=16000 --channels=1 --latency-msec=20 \
        2>>"$E2E_TMP/parec.log" | head -c "$bytes" >"$2"
    [ "$(stat -c %s "$2")" = "$bytes" ] || fail "could not record $1 s from the sound server"
}

# peak FILE: the largest absolute sample of a raw recording
peak() {
    python3 -c '
import array, sys
data = open(sys.argv[1], "rb").read()
a = array.array("h")
a.frombytes(data[: len(data) // 2 * 2])
print(max((abs(x) for x in a), default=0))' "$1"
}
