#!/usr/bin/env bash
# Builds Zelvo and starts it on the simulated adapter. Extra arguments go to the program.
# Without ZELVO_ROOT the program runs on a demonstration root (build/demo-root), prepared once with
# a profile for the simulated WPA2 network and the tray icon switched on, so it opens on a live link.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/deps.sh"

build="$top/build"
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZELVO_TESTS=OFF
fi
"$top/scripts/build.sh" "$build"

if [ -z "${ZELVO_ROOT:-}" ]; then
  export ZELVO_ROOT="$build/demo-root"
  "$top/scripts/demo-seed.sh" "$build/bin" "$ZELVO_ROOT"
  settings='HKLM\SOFTWARE\Kovanta\Zelvo\Settings'
  if ! "$build/bin/zelvo-reg" query "$settings" /v ShowTray >/dev/null 2>&1; then
    "$build/bin/zelvo-reg" add "$settings" /v ShowTray /t REG_DWORD /d 1 /f >/dev/null
  fi
  echo "Demonstration root: $ZELVO_ROOT (drive the simulated world with: ZELVO_ROOT=$ZELVO_ROOT $build/bin/zelcore-ctl)"
fi

exec "$build/bin/Zelvo" "$@"
