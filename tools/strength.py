#!/usr/bin/env python3
"""How strong a computer player is against three standard ones.

Every deal of every mode is played four times, the tested player in each seat in turn (the same
seed deals the same cards), so that the deal's luck cancels out. Prints per mode and overall the
tested player's share of first places (a shared first split between those who share it), its mean
rank and mean points, each with a 95 % interval, and the seconds per decision.

  tools/strength.py --player strong [--deals 25] [--seed 1] [--bin build/bin] [--jobs 2]
"""

import argparse
import json
import math
import os
import subprocess
import sys
import tempfile
import time
from concurrent.futures import ThreadPoolExecutor

MODES = [(mode, extra) for extra in (False, True) for mode in range(4)]
MODE_NAMES = ["またーり 山札式", "またーり デッキ式", "殺伐 山札式", "殺伐 デッキ式"]


def mode_name(mode, extra):
    return MODE_NAMES[mode] + (" Extra" if extra else "")


def play(binary, data, seed, mode, extra, seat, player):
    """One game: (first-place share, rank, points, decisions, seconds) of the tested seat."""
    with tempfile.NamedTemporaryFile(suffix=".jsonl") as trace:
        args = [binary, "--data", data, "--games", "1", "--seed", str(seed), "--mode", str(mode),
                "--seat", f"{seat}={player}", "--trace", trace.name]
        if extra:
            args.append("--extra")
        start = time.perf_counter()
        line = subprocess.run(args, check=True, capture_output=True, text=True).stdout
        seconds = time.perf_counter() - start
        decisions = 0
        with open(trace.name, encoding="utf-8") as cards:
            for card in cards:
                played = json.loads(card)
                # Turn 0 holds the opening threads, which nobody chooses.
                if played["player"] == seat and played["turn"] > 0:
                    decisions += 1
    players = json.loads(line)["players"]
    rank = players[seat]["rank"]
    firsts = sum(1 for p in players if p["rank"] == 1)
    share = 1.0 / firsts if rank == 1 else 0.0
    return share, rank, players[seat]["total"], decisions, seconds


def interval(values):
    """Mean and the half-width of its 95 % interval."""
    n = len(values)
    mean = sum(values) / n
    if n < 2:
        return mean, float("nan")
    var = sum((v - mean) ** 2 for v in values) / (n - 1)
    return mean, 1.96 * math.sqrt(var / n)


def row(name, games):
    shares = [g[0] for g in games]
    ranks = [g[1] for g in games]
    points = [g[2] for g in games]
    decisions = sum(g[3] for g in games)
    seconds = sum(g[4] for g in games)
    share, share_hw = interval(shares)
    rank, rank_hw = interval(ranks)
    point, point_hw = interval(points)
    per = seconds / decisions if decisions else float("nan")
    return (f"| {name} | {len(games)} | {100 * share:.1f} ± {100 * share_hw:.1f} % | "
            f"{rank:.2f} ± {rank_hw:.2f} | {point:.0f} ± {point_hw:.0f} | {per:.3f} |")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--player", default="strong", choices=["weak", "standard", "strong"])
    parser.add_argument("--deals", type=int, default=25, help="deals of each mode (four games each)")
    parser.add_argument("--seed", type=int, default=1, help="the first deal's seed")
    parser.add_argument("--bin", default=os.path.join(os.path.dirname(__file__), "..", "build", "bin"))
    parser.add_argument("--jobs", type=int, default=os.cpu_count() or 1)
    args = parser.parse_args()
    binary = os.path.join(args.bin, "modelplay")
    if not os.access(binary, os.X_OK):
        sys.exit(f"strength.py: no modelplay in {args.bin} (make build)")

    work = [(seed, mode, extra, seat) for mode, extra in MODES
            for seed in range(args.seed, args.seed + args.deals) for seat in range(4)]
    with ThreadPoolExecutor(max_workers=args.jobs) as pool:
        results = list(pool.map(lambda w: play(binary, args.bin, *w, args.player), work))

    print(f"{args.player} against three standard players, {args.deals} deals of each mode, "
          f"each played with it in every seat (seeds {args.seed}..{args.seed + args.deals - 1})")
    print()
    print("| mode | games | first places | mean rank | mean points | s per decision |")
    print("|---|---|---|---|---|---|")
    per_mode = len(results) // len(MODES)
    for i, (mode, extra) in enumerate(MODES):
        print(row(mode_name(mode, extra), results[i * per_mode:(i + 1) * per_mode]))
    print(row("all", results))


if __name__ == "__main__":
    main()
