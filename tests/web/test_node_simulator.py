#!/usr/bin/env python3
"""The Node build of the program plays the same games as the native one: the same JSON line for
every game and the same trace of every card, in all eight modes; and it draws the same frames, pixel
for pixel, with the FreeType and the CP932 table of the web build."""
import argparse
import json
import os
import subprocess
import sys
import tempfile

sys.path.append(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from xwindow import read_png  # noqa: E402

GAMES = 2
SEEDS = (5, 1234567)
# The title, a board in the middle of an Extra game, the deck preview and the result table.
FRAMES = (["--quit-at-state", "20"],
          ["--autoplay", "--mode", "3", "--extra", "--seed", "9", "--quit-at-state", "50:40"],
          ["--autoplay", "--mode", "1", "--seed", "4", "--quit-at-state", "40"],
          ["--autoplay", "--mode", "0", "--seed", "4", "--quit-at-state", "90"])


def run(command, trace):
    result = subprocess.run(command + ["--trace", trace], capture_output=True, text=True, timeout=300)
    if result.returncode != 0:
        sys.exit(f"{' '.join(command)} failed ({result.returncode}):\n{result.stderr}")
    with open(trace, encoding="utf-8") as file:
        return result.stdout.splitlines(), file.read()


def screenshot(command, path):
    subprocess.run(command + ["--screenshot", path], check=True, capture_output=True, timeout=300)
    return read_png(path)


def same_frames(native_program, node_command, tmp):
    failures = []
    for frame in FRAMES:
        command = ["--headless"] + frame
        # Responses carry the minute they were written: a pair taken across its turn is taken again.
        for _ in range(2):
            native = screenshot([native_program] + command, os.path.join(tmp, "native.png"))
            node = screenshot(node_command + command, os.path.join(tmp, "node.png"))
            if native == node:
                break
        else:
            width = native[0]
            spots = [(i % width, i // width) for i, (a, b) in enumerate(zip(native[2], node[2])) if a != b]
            failures.append(f"{' '.join(frame)}: the frames differ (sizes {native[:2]} and {node[:2]}, "
                            f"{len(spots)} pixels, first at {spots[:5]})")
    return failures


def main():
    parser = argparse.ArgumentParser()
    for option in ("--site", "--node", "--native", "--source"):
        parser.add_argument(option, required=True)
    args = parser.parse_args()
    node_program = os.path.join(args.node, "pakaponta.js")
    if not os.path.isfile(node_program):
        print(f"skipped: {node_program} is missing (make web)")
        return 77
    native_program = os.path.join(args.native, "pakaponta")
    failures = []
    with tempfile.TemporaryDirectory() as tmp:
        for mode in range(4):
            for extra in ([], ["--extra"]):
                for seed in SEEDS:
                    game = ["--headless", "--render", "none", "--autoplay", "--games", str(GAMES),
                            "--mode", str(mode), "--seed", str(seed)] + extra
                    name = f"mode {mode}{' extra' if extra else ''} seed {seed}"
                    native_lines, native_trace = run([native_program] + game, os.path.join(tmp, "native"))
                    node_lines, node_trace = run(["node", node_program, "--data", args.native] + game,
                                                 os.path.join(tmp, "node"))
                    games = [json.loads(line) for line in native_lines]
                    if len(games) != GAMES or any(g["mode"] != mode for g in games):
                        failures.append(f"{name}: the native program reported {native_lines}")
                    if node_lines != native_lines:
                        failures.append(f"{name}: Node reported\n{node_lines}\nnative\n{native_lines}")
                    elif node_trace != native_trace:
                        failures.append(f"{name}: the traces differ, the reports agree")
        failures += same_frames(native_program, ["node", node_program, "--data", args.native], tmp)
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
