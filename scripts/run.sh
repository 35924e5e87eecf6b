#!/bin/bash
# Builds Zovuzor (installing what is missing first) and starts it. It lives in the system tray:
# right-click its icon for the menu. "Exit" in that menu, or Ctrl+C here, saves every note and ends it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh build
cmake --preset default >/dev/null
cmake --build --preset default --target zovuzor

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "run: no desktop session found (DISPLAY is not set); start Zovuzor from a desktop terminal" >&2
    exit 1
fi
# Notes need absolute window positions and always-on-top: on Wayland run through XWayland.
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-xcb}
exec ./build/src/zovuzor
