#!/usr/bin/env python3
"""Times the start of the game in a real window: from exec to the first frame on the screen (the
loading text), to the first frame of the title (its opening zoom begins) and to the title waiting
for the player (after the zoom of 21 card-move steps), as medians over several runs.

    tools/measure-startup.py [--runs N] [--program PATH] [--audio dummy|none]

Needs a display; without one it starts itself again under xvfb-run. The program reports the two
moments on the monotonic clock (PAKAPONTA_STARTUP_LOG); the clock is read here just before exec.
"""
import argparse
import os
import shutil
import statistics
import subprocess
import sys
import time

from measuring import own_profile

HERE = os.path.dirname(os.path.abspath(__file__))


def one_run(program, audio):
    env = dict(os.environ, PAKAPONTA_STARTUP_LOG="1")
    if audio == "dummy":
        # A sound device that accepts everything, so the music is loaded as on a desktop.
        env["SDL_AUDIODRIVER"] = "dummy"
    elif audio == "none":
        env.pop("SDL_AUDIODRIVER", None)
    with own_profile() as profile:
        start = time.monotonic() * 1000.0
        done = subprocess.run([program, "--quit-at-state", "20"] + profile, env=env, stdout=subprocess.DEVNULL,
                              stderr=subprocess.PIPE, text=True, check=False)
    marks = {}
    for line in done.stderr.splitlines():
        parts = line.split()
        if len(parts) == 3 and parts[0] == "pakaponta:":
            marks.setdefault(parts[1], float(parts[2]) - start)
    if done.returncode != 0 or any(mark not in marks for mark in ("frame-1", "frame-2", "title")):
        sys.exit(f"the program did not reach the title (status {done.returncode}):\n{done.stderr}")
    return marks["frame-1"], marks["frame-2"], marks["title"]


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--runs", type=int, default=11)
    parser.add_argument("--program", default=os.path.join(HERE, "..", "build", "bin", "pakaponta"))
    parser.add_argument("--audio", choices=["dummy", "none"], default="dummy")
    args = parser.parse_args()
    if not os.environ.get("DISPLAY"):
        if not shutil.which("xvfb-run"):
            sys.exit("no display and no xvfb-run")
        os.execvp("xvfb-run", ["xvfb-run", "-a", sys.executable, os.path.abspath(__file__)] + sys.argv[1:])
    program = os.path.abspath(args.program)
    one_run(program, args.audio)  # the first run fills the file caches
    runs = list(zip(*(one_run(program, args.audio) for _ in range(args.runs))))
    names = ["loading screen", "title begins", "title waiting"]
    targets = ["100 ms", "300 ms", "300 ms + the zoom"]
    for name, times, target in zip(names, runs, targets):
        print(f"{name:15} median {statistics.median(times):7.1f} ms (min {min(times):.1f}, "
              f"max {max(times):.1f}); target {target}")


if __name__ == "__main__":
    main()
