#!/usr/bin/env bash
# Builds Zelvo and starts it on the simulated adapter. Extra arguments go to the program.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/deps.sh"

build="$top/build"
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZELVO_TESTS=OFF
fi
"$top/scripts/build.sh" "$build"

exec "$build/bin/Zelvo" "$@"
