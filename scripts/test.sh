#!/bin/bash
# Installs what is missing, builds Zovuzor and runs every test: the unit tests (offscreen) and the
# end-to-end tests, which start the built program on a private headless X desktop (tests/e2e/desktop.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh test
cmake --preset default
cmake --build --preset default
ctest --preset default "$@"
