#!/usr/bin/env bash
# Builds Vexlo (Release) and starts it with the given arguments.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/deps.sh
ensure_packages "${MORVANE_PACKAGES_RUN[@]}"
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DMORVANE_TESTS=OFF >/dev/null
cmake --build build/release --target vexlo
exec build/release/bin/vexlo "$@"
