#!/bin/bash
# Start-up, save and memory benchmark: for N stored notes (10, 100, 1000 by default) start zovuzor on
# the private headless desktop and measure
#   - the time from starting the program until all N note windows are mapped,
#   - the time "save all" takes, from choosing it in the tray menu until the store file is replaced,
#   - the peak resident memory (VmHWM) of the process,
# and print them as a table. Not a test: nothing is judged.
#
#   bash bench/bench.sh [path/to/zovuzor]          (default: build/src/zovuzor)
#   BENCH_N="10 100" bash bench/bench.sh            (other note counts)
set -u

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)

if [ "${1:-}" != "--inner" ]; then
    zovuzor=${1:-$root/build/src/zovuzor}
    if [ ! -x "$zovuzor" ]; then
        echo "bench: $zovuzor not found; build first (cmake --preset default && cmake --build --preset default)" >&2
        exit 2
    fi
    zovuzor=$(cd "$(dirname "$zovuzor")" && pwd)/$(basename "$zovuzor")
    exec bash "$root/tests/e2e/desktop.sh" -- bash "$0" --inner "$zovuzor"
fi
shift
# inside the desktop: reuse the end-to-end helpers (they take the program as their first argument)
source "$root/tests/e2e/lib.sh"

counts=${BENCH_N:-10 100 1000}

# seed N: a store with N visible notes spread over the screen
seed() {
    python3 - "$1" <<'PY' | seed_ini
import sys
n = int(sys.argv[1])
print("[Settings]\nTotal=%d\nlanguage=0\n" % n)
for i in range(1, n + 1):
    left = (i * 37) % 1100 * 15
    top = (i * 23) % 850 * 15
    print("[Paplet%%20%d]\ntext=note %d\nleft=%d\ntop=%d\nheight=1800\noldheight=1800\nwidth=2400\nvisible=True\n"
          % (i, i, left, top))
PY
}

# the number of mapped windows of the process (its notes and the tray icon)
mapped() { xdotool search --onlyvisible --pid "$1" 2>/dev/null | wc -l; }

rows=()
for n in $counts; do
    rm -rf "$XDG_CONFIG_HOME/paplt32"
    seed "$n"
    t0=$(now_ms)
    start_zovuzor "zovuzor-$n"
    map_ms=timeout
    end=$((t0 + 120000))
    while [ "$(now_ms)" -lt $end ]; do
        if [ "$(mapped "$ZPID")" -ge $((n + 1)) ]; then
            map_ms=$(($(now_ms) - t0))
            break
        fi
        alive "$ZPID" || break
        sleep 0.05
    done

    save_ms=failed
    before=$(file_stamp "$INI")
    if open_tray_menu "$ZPID" >/dev/null; then
        xdotool key --delay 30 Down Down Down Down
        t1=$(now_ms)
        xdotool key Return
        end=$((t1 + 60000))
        while [ "$(now_ms)" -lt $end ]; do
            if [ "$(file_stamp "$INI")" != "$before" ]; then
                save_ms=$(($(now_ms) - t1))
                break
            fi
            sleep 0.01
        done
    fi
    total=$(ini_get Settings Total 2>/dev/null || echo '?')
    hwm=$(awk '/VmHWM/ {printf "%.1f", $2 / 1024}' "/proc/$ZPID/status" 2>/dev/null)
    size=$(stat -c %s "$INI" 2>/dev/null)
    kill -TERM "$ZPID"
    wait_exit "$ZPID" 60 || kill -KILL "$ZPID"
    rows+=("$(printf '| %5s | %14s | %13s | %14s | %11s | %5s |' "$n" "$map_ms" "$save_ms" "${hwm:-?}" "${size:-?}" "$total")")
    log "N=$n done"
done

echo
echo "zovuzor: $(basename "$ZOVUZOR") at $ZOVUZOR ($(date -u +%Y-%m-%d), $(nproc) cores, load $(cut -d' ' -f1 /proc/loadavg))"
printf '| %5s | %14s | %13s | %14s | %11s | %5s |\n' N "all mapped ms" "save all ms" "peak RSS MiB" "store bytes" Total
printf '|%s|%s|%s|%s|%s|%s|\n' ------- ---------------- --------------- ---------------- ------------- -------
printf '%s\n' "${rows[@]}"
