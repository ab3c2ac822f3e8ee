#!/usr/bin/env bash
# Builds one build folder. When files were added since the folder was last built, Qt's moc list
# can be stale and the link fails; the build is then retried once with the moc lists made anew.
#   scripts/build.sh BUILD_DIR [cmake --build options...]
set -euo pipefail
build="$1"
shift
if ! cmake --build "$build" "$@"; then
  echo "Build failed; retrying once with fresh moc lists" >&2
  find "$build" -type d -name '*_autogen' -prune -exec rm -rf {} +
  cmake --build "$build" "$@"
fi
