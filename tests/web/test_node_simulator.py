#!/usr/bin/env python3
"""The Node build of the program plays the same games as the native one: the same JSON line for
every game and the same trace of every card, in all eight modes."""
import argparse
import json
import os
import subprocess
import sys
import tempfile

GAMES = 2
SEEDS = (5, 1234567)


def run(command, trace):
    result = subprocess.run(command + ["--trace", trace], capture_output=True, text=True, timeout=300)
    if result.returncode != 0:
        sys.exit(f"{' '.join(command)} failed ({result.returncode}):\n{result.stderr}")
    with open(trace, encoding="utf-8") as file:
        return result.stdout.splitlines(), file.read()


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
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
