#!/usr/bin/env python3
"""How much of one core the game uses while it mostly waits: 10 s idle on the title, and 10 s of a
game played by the autopilot in the window (card flights, pop-ups, the computer players' pauses).
The share is the process's CPU time (all its threads, from /proc/PID/stat) over the wall time.

    tools/measure-idle.py [--program PATH] [--seconds S] [--audio dummy|none]

--audio dummy gives the game a sound device that plays into nothing, so the music is synthesised as
on a desktop; none leaves the program without sound. Needs a display; without one it starts itself
again under xvfb-run.
"""
import argparse
import os
import shutil
import subprocess
import sys
import time

from measuring import own_profile

HERE = os.path.dirname(os.path.abspath(__file__))
TICKS = os.sysconf("SC_CLK_TCK")


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat", encoding="ascii") as stat:
        # The command name may hold blanks; the fields after it are plain numbers.
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS


def share(program, args, settle, seconds, audio):
    env = dict(os.environ)
    if audio == "dummy":
        env["SDL_AUDIODRIVER"] = "dummy"
    else:
        env.pop("SDL_AUDIODRIVER", None)
    with (own_profile() as profile,
          subprocess.Popen([program] + args + profile, env=env, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL) as process):
        try:
            time.sleep(settle)
            if process.poll() is not None:
                sys.exit(f"{program} ended early with status {process.returncode}")
            start_cpu, start_wall = cpu_seconds(process.pid), time.monotonic()
            time.sleep(seconds)
            used = cpu_seconds(process.pid) - start_cpu
            return 100.0 * used / (time.monotonic() - start_wall)
        finally:
            process.terminate()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", default=os.path.join(HERE, "..", "build", "bin", "pakaponta"))
    parser.add_argument("--seconds", type=float, default=10.0)
    parser.add_argument("--audio", choices=["dummy", "none"], default="dummy")
    args = parser.parse_args()
    if not os.environ.get("DISPLAY"):
        if not shutil.which("xvfb-run"):
            sys.exit("no display and no xvfb-run")
        os.execvp("xvfb-run", ["xvfb-run", "-a", sys.executable, os.path.abspath(__file__)] + sys.argv[1:])
    program = os.path.abspath(args.program)
    # The title settles once its zoom is over.
    title = share(program, [], 4.0, args.seconds, args.audio)
    print(f"idle on the title:  {title:5.2f} % of one core over {args.seconds:g} s; target 2 %")
    playing = share(program, ["--autoplay", "--seed", "1"], 4.0, args.seconds, args.audio)
    print(f"autoplay in a game: {playing:5.2f} % of one core over {args.seconds:g} s; target 2 %")


if __name__ == "__main__":
    main()
