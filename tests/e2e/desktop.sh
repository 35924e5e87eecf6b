#!/bin/bash
# Runs one command inside a private headless X desktop: Xvfb, the openbox window manager and trayer as
# the system tray (XEmbed), the kind of desktop Zovuzor's tray icon and note windows live on.
#
#   usage: desktop.sh [--display N] [--no-tray] [--size WxH] -- command [args...]
#
# Every piece is waited for by polling its readiness (no fixed sleeps): Xvfb reports its display number
# through -displayfd, openbox owns WM_S0 and publishes _NET_SUPPORTING_WM_CHECK, trayer owns
# _NET_SYSTEM_TRAY_S0. The command runs with DISPLAY set and the session bus unset, so that Qt embeds its
# tray icon through XEmbed instead of exporting it over D-Bus. Everything is stopped by PID afterwards, and
# the script exits with the command's status.
set -u

disp_start=91
with_tray=1
size=1280x1024
while [ $# -gt 0 ]; do
    case "$1" in
        --display) disp_start=$2; shift 2 ;;
        --no-tray) with_tray=0; shift ;;
        --size) size=$2; shift 2 ;;
        --) shift; break ;;
        *) break ;;
    esac
done
if [ $# -eq 0 ]; then
    echo "usage: $0 [--display N] [--no-tray] [--size WxH] -- command [args...]" >&2
    exit 2
fi

work=$(mktemp -d /tmp/zovuzor-desktop.XXXXXX)
xvfb_pid=
wm_pid=
tray_pid=
cmd_pid=

log() { echo "desktop: $*" >&2; }
now_ms() { date +%s%3N; }

cleanup() {
    local rc=$?
    local pid
    # reverse start order, each by its own PID
    for pid in $cmd_pid $tray_pid $wm_pid $xvfb_pid; do
        kill -TERM "$pid" 2>/dev/null || continue
        for _ in $(seq 60); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.05
        done
        if kill -0 "$pid" 2>/dev/null; then
            log "pid $pid ignored TERM, sending KILL"
            kill -KILL "$pid" 2>/dev/null
        fi
        wait "$pid" 2>/dev/null
    done
    if [ "$rc" != 0 ]; then
        for f in "$work"/*.log; do
            [ -s "$f" ] && { log "--- $(basename "$f")"; tail -20 "$f" >&2; }
        done
    fi
    rm -rf "$work"
    exit "$rc"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# Exit 0 if the X selection $1 has an owner (through libX11, which Xvfb's clients have anyway).
sel_owned() {
    python3 - "$1" <<'PY'
import ctypes, sys
x = ctypes.CDLL("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XOpenDisplay.argtypes = [ctypes.c_char_p]
x.XInternAtom.restype = ctypes.c_ulong
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x.XGetSelectionOwner.restype = ctypes.c_ulong
x.XGetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x.XCloseDisplay.argtypes = [ctypes.c_void_p]
d = x.XOpenDisplay(None)
if not d:
    sys.exit(2)
owner = x.XGetSelectionOwner(d, x.XInternAtom(d, sys.argv[1].encode(), 0))
x.XCloseDisplay(d)
sys.exit(0 if owner else 1)
PY
}

# wait_for TIMEOUT_S WHAT PID COMMAND...: poll COMMAND until it succeeds; fail if PID dies or time runs out
wait_for() {
    local timeout=$1 what=$2 pid=$3
    shift 3
    local t0
    t0=$(now_ms)
    while ! "$@" >/dev/null 2>&1; do
        if ! kill -0 "$pid" 2>/dev/null; then
            log "$what: process $pid died"
            return 1
        fi
        if [ $(($(now_ms) - t0)) -gt $((timeout * 1000)) ]; then
            log "$what: not ready after ${timeout}s"
            return 1
        fi
        sleep 0.05
    done
    log "$what ready after $(($(now_ms) - t0)) ms"
}

for tool in Xvfb openbox xprop python3; do
    command -v "$tool" >/dev/null || { log "$tool is not installed (bash scripts/deps.sh test)"; exit 1; }
done
if [ $with_tray = 1 ] && ! command -v trayer >/dev/null; then
    log "trayer is not installed (bash scripts/deps.sh test)"
    exit 1
fi

# ---- Xvfb on the first free display >= disp_start, at 96 DPI (15 twips per pixel) ---------------
d=$disp_start
while :; do
    if [ -e /tmp/.X$d-lock ] || [ -e /tmp/.X11-unix/X$d ]; then
        d=$((d + 1))
        continue
    fi
    mkfifo "$work/displayfd"
    t0=$(now_ms)
    Xvfb :$d -screen 0 "${size}x24" -dpi 96 -nolisten tcp -noreset -displayfd 3 3>"$work/displayfd" \
        >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    # Xvfb writes the display number once it accepts connections (EOF if it dies first)
    if read -r -t 10 got <"$work/displayfd" && [ "$got" = "$d" ]; then
        rm -f "$work/displayfd"
        break
    fi
    log "Xvfb on :$d failed ($(tail -1 "$work/xvfb.log")), trying the next display"
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
    xvfb_pid=
    rm -f "$work/displayfd"
    d=$((d + 1))
    if [ $d -gt $((disp_start + 50)) ]; then
        log "no free display"
        exit 1
    fi
done
export DISPLAY=:$d
log "Xvfb pid $xvfb_pid ready on $DISPLAY after $(($(now_ms) - t0)) ms"

# ---- openbox ---------------------------------------------------------------------------------
openbox --sm-disable >"$work/openbox.log" 2>&1 &
wm_pid=$!
wm_ready() { sel_owned WM_S0 && xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }
wait_for 10 "openbox (pid $wm_pid)" "$wm_pid" wm_ready || exit 1

# ---- trayer, the XEmbed system tray ------------------------------------------------------------
if [ $with_tray = 1 ]; then
    trayer --edge bottom --align right --widthtype request --height 24 >"$work/trayer.log" 2>&1 &
    tray_pid=$!
    wait_for 10 "trayer (pid $tray_pid)" "$tray_pid" sel_owned _NET_SYSTEM_TRAY_S0 || exit 1
    export DESKTOP_TRAY_PID=$tray_pid
fi

# ---- the command -----------------------------------------------------------------------------
export XDG_RUNTIME_DIR=$work/xdg
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset DBUS_SESSION_BUS_ADDRESS WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb
export DESKTOP_WORK=$work
t0=$(now_ms)
# in the background, so that a TERM or INT to this script is handled at once (cleanup stops it too)
"$@" <&0 &
cmd_pid=$!
wait $cmd_pid
rc=$?
cmd_pid=
log "command exited with $rc after $(($(now_ms) - t0)) ms"
exit $rc
