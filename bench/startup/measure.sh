#!/usr/bin/env bash
# Measures the real program on the built-in simulated world:
#   start-up  - from the start of the process to the first painting of the main window
#               (median of several runs; the window writes the moment through ZELVO_BENCH_FIRST_PAINT)
#   memory    - resident set (VmRSS) 60 s after the start, window shown
#   idle CPU  - started with -nogui and the tray on, CPU used over 60 s from /proc/PID/stat
# Targets: under 400 ms, under 60 MB, under 0.2 % of one core.
# Usage: measure.sh [BINDIR]  (default: build-main-rel/bin, else build/bin). Use a Release build.
# MEASURE_SECONDS shortens the two long phases; MEASURE_RUNS sets the start-up runs (default 7).
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
bin=${1:-}
if [ -z "$bin" ]; then
  if [ -x "$top/build-main-rel/bin/Zelvo" ]; then bin="$top/build-main-rel/bin"; else bin="$top/build/bin"; fi
fi
[ -x "$bin/Zelvo" ] || { echo "measure.sh: no Zelvo in $bin" >&2; exit 2; }
seconds=${MEASURE_SECONDS:-60}
runs=${MEASURE_RUNS:-7}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} LC_ALL=C TZ=UTC
work=$(mktemp -d /tmp/zelvo-bench-startup-XXXXXX)
trap 'rm -rf "$work"' EXIT

python3 - "$bin/Zelvo" "$work" "$seconds" "$runs" <<'PY'
import os, signal, subprocess, sys, time

program, work, seconds, runs = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
ticks = os.sysconf("SC_CLK_TCK")

def start(name, args=(), extra=None):
    root = os.path.join(work, name)
    os.makedirs(os.path.join(root, "registry"), exist_ok=True)
    env = dict(os.environ, ZELVO_ROOT=root, ZELVO_MESSAGEBOX_LOG=os.path.join(root, "boxes.txt"))
    env.update(extra or {})
    return subprocess.Popen([program, *args], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL), root

def stop(process):
    process.send_signal(signal.SIGTERM)
    try:
        process.wait(10)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()

def cpu_ticks(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])  # utime, stime

def rss_kb(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return -1

# Start-up to first painting.
times = []
for i in range(runs):
    stamp = os.path.join(work, f"paint-{i}")
    t0 = time.monotonic_ns()
    process, _ = start(f"startup-{i}", extra={"ZELVO_BENCH_FIRST_PAINT": stamp})
    deadline = time.monotonic() + 20
    while not (os.path.exists(stamp) and os.path.getsize(stamp) > 0) and time.monotonic() < deadline:
        time.sleep(0.002)
    if os.path.exists(stamp) and os.path.getsize(stamp) > 0:
        with open(stamp) as f:
            times.append((int(f.read().strip()) - t0) / 1e6)
    stop(process)
if not times:
    sys.exit("measure.sh: the window never painted")
times.sort()
print(f"start-up to first paint: median {times[len(times) // 2]:.0f} ms "
      f"(min {times[0]:.0f}, max {times[-1]:.0f}, {len(times)} runs; target < 400 ms)")

# Memory with the window shown and idle CPU in the tray, side by side.
shown, _ = start("memory")
tray, _ = start("tray", ["-nogui"])
time.sleep(5)  # the tray run settles first
before = cpu_ticks(tray.pid)
time.sleep(max(seconds - 5, 1))
rss = rss_kb(shown.pid)
time.sleep(5)
used = cpu_ticks(tray.pid) - before
stop(shown)
stop(tray)
print(f"resident memory after {seconds} s: {rss / 1024:.1f} MB (target < 60 MB)")
print(f"idle CPU in the tray over {seconds} s: {100.0 * used / ticks / seconds:.3f} % of one core (target < 0.2 %)")
PY
