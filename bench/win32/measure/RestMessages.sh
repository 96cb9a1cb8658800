#!/usr/bin/env bash
# What the program's thread is woken for while the pointer rests, counted from
# Wine's own message trace, against the minimal tray program; then, after a
# rest, the time from a movement of the X pointer (as a mouse moves it) until
# the program's first tick. Prints a Markdown table.
#
#   RestMessages.sh YOMORINA_EXE MINIMAL_EXE WORK_FOLDER [IDLE_SECONDS] [ROUNDS]
#
# Runs in a Wine session with its virtual desktop (scripts/wine-env.sh) and
# needs xdotool. The trace (+msg) logs every message a thread takes from its
# queue; +timestamp stamps it with the clock CLOCK_MONOTONIC_RAW reads.
set -euo pipefail
ours_exe=$1 minimal_exe=$2 work=$3 idle=${4:-60} rounds=${5:-7}

now() { python3 -c 'import time; print("%.3f" % time.clock_gettime(time.CLOCK_MONOTONIC_RAW))'; }

rm -rf "$work"
mkdir -p "$work/yomorina" "$work/minimal"
cp "$ours_exe" "$work/yomorina/yomorina.exe"
cp "$minimal_exe" "$work/minimal/MinimalTray.exe"
(cd "$work/yomorina" && WINEDEBUG=+timestamp,+msg exec wine yomorina.exe 2>msg.log >/dev/null) &
ours=$!
(cd "$work/minimal" && WINEDEBUG=+timestamp,+msg exec wine MinimalTray.exe 2>msg.log >/dev/null) &
minimal=$!
sleep 5
idle_start=$(now)
sleep "$idle"
idle_end=$(now)
moves=()
for ((round = 0; round < rounds; round++)); do
  sleep 1.5
  moves+=("$(now)")
  if ((round % 2)); then xdotool mousemove_relative -- -30 0; else xdotool mousemove_relative -- 30 0; fi
done
sleep 1
kill "$ours" "$minimal" 2>/dev/null || true
wait "$ours" "$minimal" 2>/dev/null || true

python3 - "$work" "$idle_start" "$idle_end" "${moves[@]}" <<'PY'
import re, statistics, sys
work, start, end = sys.argv[1], float(sys.argv[2]), float(sys.argv[3])
moves = [float(m) for m in sys.argv[4:]]
line = re.compile(r'^(\d+\.\d+):([0-9a-f]+):trace:msg:peek_message got type \d+ msg ([0-9a-f]+) \(([^)]*)\)')

def read(name):
    entries = []
    with open(f"{work}/{name}/msg.log", errors="replace") as log:
        for text in log:
            found = line.match(text)
            if found:
                # The program's own messages (WM_APP and up) carry no name: the number stands.
                number = int(found[3], 16)
                name = "WM_APP" if 0x8000 <= number < 0xC000 else found[4]
                entries.append((float(found[1]), found[2], name))
    return entries

def figures(entries, wakes):
    minutes = (end - start) / 60
    idle = [e for e in entries if start <= e[0] < end]
    timers = sum(1 for e in idle if e[2] == "WM_TIMER")
    # The main thread is the one the timer reaches.
    main = next((e[1] for e in entries if e[2] == "WM_TIMER"), None)
    delays = []
    for moved in moves:
        first = next((e[0] for e in entries if e[0] >= moved and e[1] == main and e[2] in wakes), None)
        if first is not None: delays.append(1000 * (first - moved))
    ticks = [e[0] for e in idle if e[2] == "WM_TIMER" and e[1] == main]
    gaps = [1000 * (b - a) for a, b in zip(ticks, ticks[1:])]
    return len(idle) / minutes, timers / minutes, delays, gaps

# Ours ticks as it takes the report of the movement, one of its own messages.
ours = figures(read("yomorina"), ("WM_APP", "WM_TIMER"))
floor = figures(read("minimal"), ("WM_TIMER",))
ratio = lambda a, b: a / b if b else 0
median = lambda values: statistics.median(values) if values else float("nan")
print("| Figure (pointer still for %.0f s, then %d moves after a rest) | yomorina | minimal tray | ratio | target |"
      % (end - start, len(moves)))
print("|---|---:|---:|---:|---|")
print("| messages taken from the queue per minute, pointer still | %.0f | %.0f | %.2f | |" % (ours[0], floor[0], ratio(ours[0], floor[0])))
print("| of them timer ticks per minute | %.0f | %.0f | %.2f | 0 |" % (ours[1], floor[1], ratio(ours[1], floor[1])))
gap = lambda values: "%.0f" % median(values) if values else "no two ticks"
print("| time between two ticks (ms, median) | %s | %s | | |" % (gap(ours[3]), gap(floor[3])))
print("| movement of the X pointer to the first tick (ms, median) | %.1f | %.1f | %.2f | ≤ 200 (one tick) |"
      % (median(ours[2]), median(floor[2]), ratio(median(ours[2]), median(floor[2]))))
print()
print("Movement to the first tick (ms): yomorina " + " ".join("%.0f" % d for d in ours[2])
      + "; minimal tray " + " ".join("%.0f" % d for d in floor[2]) + ".")
PY
