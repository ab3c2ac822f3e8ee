#!/usr/bin/env bash
# Prepares a demonstration root once: a profile for the built-in world's WPA2 network "HomeNet"
# with its right passphrase, made the adapter's active profile, so the program starts on a live
# link. Usage: demo-seed.sh BINDIR ROOT. A root seeded before is left as it is.
set -euo pipefail
bin=${1:?usage: demo-seed.sh BINDIR ROOT}
root=${2:?usage: demo-seed.sh BINDIR ROOT}
marker="$root/.demo-seeded"
[ -e "$marker" ] && exit 0
mkdir -p "$root"
export ZELVO_ROOT="$root"
if ! "$bin/zelcore-ctl" profile list | grep -qx "Home"; then
  "$bin/zelcore-ctl" profile add Home HomeNet wpa2-psk "correct horse battery" >/dev/null
fi
"$bin/zelcore-ctl" profile activate Home >/dev/null
touch "$marker"
