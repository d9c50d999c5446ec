#!/usr/bin/python3
"""Start-up time and peak memory of programs, measured on a running X display.

    measure.py [--runs N] [--floors K] COMMAND...

Each COMMAND is a program with its arguments, as one word ("build/tools/bare_window --text").
The first K (1 by default) are the floors the others are compared with; the goal is reckoned
against the first. Each run starts a program, waits for the X server to map a top-level
window that carries the program's process id (_NET_WM_PID), and takes the time from the start
to the map. Half a second later, when the window has painted itself, the program's peak
resident memory (VmHWM) is read and the program is ended. The programs take turns run by run,
so a slow moment of the machine falls on all of them alike; the table gives the medians as
Markdown.
"""

import argparse
import os
import select
import shlex
import signal
import statistics
import subprocess
import sys
import time

from Xlib import X, display as xdisplay, error as xerror

SETTLE_SECONDS = 0.5
TIMEOUT_SECONDS = 30


def window_pid(dpy, window, pid_atom):
    try:
        prop = window.get_full_property(pid_atom, X.AnyPropertyType)
    except xerror.XError:
        return None  # gone already
    return prop.value[0] if prop and len(prop.value) else None


def peak_memory_kib(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    raise RuntimeError(f"no VmHWM for process {pid}")


def measure_once(dpy, pid_atom, program):
    """Seconds from start to the mapped window, and peak memory in KiB."""
    env = dict(os.environ, QT_QPA_PLATFORM="xcb")
    started = time.monotonic()
    child = subprocess.Popen(shlex.split(program), env=env, stdout=subprocess.DEVNULL,
                             stderr=subprocess.DEVNULL)
    try:
        shown = None
        while shown is None:
            left = started + TIMEOUT_SECONDS - time.monotonic()
            if left <= 0:
                raise RuntimeError(f"{program}: no window within {TIMEOUT_SECONDS} s")
            if child.poll() is not None:
                raise RuntimeError(f"{program}: ended with {child.returncode} before a window")
            if not dpy.pending_events():
                select.select([dpy], [], [], min(left, 0.1))
            while dpy.pending_events():
                event = dpy.next_event()
                if (event.type == X.MapNotify and not event.override
                        and window_pid(dpy, event.window, pid_atom) == child.pid):
                    shown = time.monotonic() - started
        time.sleep(SETTLE_SECONDS)
        memory = peak_memory_kib(child.pid)
    finally:
        child.send_signal(signal.SIGTERM)
        child.wait()
    # The events of this run must not count for the next.
    while dpy.pending_events():
        dpy.next_event()
    return shown, memory


def name_of(command):
    words = shlex.split(command)
    return " ".join([os.path.basename(words[0])] + words[1:])


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--runs", type=int, default=9)
    parser.add_argument("--floors", type=int, default=1,
                        help="how many of the first commands the others are compared with; "
                             "the goal is reckoned against the first")
    parser.add_argument("programs", nargs="+", metavar="command")
    args = parser.parse_args()

    dpy = xdisplay.Display()
    root = dpy.screen().root
    root.change_attributes(event_mask=X.SubstructureNotifyMask)
    pid_atom = dpy.intern_atom("_NET_WM_PID")
    dpy.sync()

    times = {p: [] for p in args.programs}
    memory = {p: [] for p in args.programs}
    for program in args.programs:  # a first run fills the caches; it does not count
        measure_once(dpy, pid_atom, program)
    for _ in range(args.runs):
        for program in args.programs:
            t, m = measure_once(dpy, pid_atom, program)
            times[program].append(t)
            memory[program].append(m)

    ms = {p: statistics.median(times[p]) * 1000 for p in args.programs}
    mb = {p: statistics.median(memory[p]) / 1024 for p in args.programs}
    floors = args.programs[:args.floors]
    print("| program | start-up | " + " | ".join(f"× {name_of(f)}" for f in floors) +
          f" | peak memory | more than {name_of(floors[0])} |")
    print("|---|---:|" + "---:|" * len(floors) + "---:|---:|")
    missed = []
    for program in args.programs:
        ratios = " | ".join(f"{ms[program] / ms[f]:.2f}" for f in floors)
        print(f"| `{name_of(program)}` | {ms[program]:.0f} ms | {ratios} | {mb[program]:.1f} MB | "
              f"{mb[program] - mb[floors[0]]:+.1f} MB |")
        if program not in floors and (ms[program] > 1.2 * ms[floors[0]]
                                      or mb[program] - mb[floors[0]] > 15):
            missed.append(name_of(program))
    print()
    print(f"Medians of {args.runs} runs each. Goal: within 1.2 times the start-up and 15 MB of "
          f"the memory of {name_of(floors[0])};", end=" ")
    print("every program meets it." if not missed else f"not met by {', '.join(missed)}.")

if __name__ == "__main__":
    sys.exit(main())
