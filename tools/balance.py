#!/usr/bin/env python3
"""The balance of the card set: plays N games in each of the eight modes with the simulator and
prints what the finished threads pay, how they end, where the points come from and who wins.

    tools/balance.py [--program PATH] [--data DIR] [--games N] [--seed S] [--jobs J]

Each mode runs in its own process, J at a time, all with the same seed, so a run repeats exactly.
A thread's band is read from its end pop-up, how it ended from the pop-up just before it (512 KB,
stopper) or from the game-end evaluation; an end after none of these is a thread pushed off the
board, unless it reached 1000.
"""
import argparse
import json
import os
import statistics
import subprocess
import sys
from concurrent.futures import ThreadPoolExecutor

HERE = os.path.dirname(os.path.abspath(__file__))
MODES = [(mode, extra) for extra in (False, True) for mode in range(4)]

SIZE_OVER, TRUE_STOPPER, GAME_END, THREAD_END = 40, 12, 72, 50
# Bands of the thread points table; ends 51..56 (good +6, bad +12) are 700-799 .. 1000.
BANDS = ["<700", "700-799", "800-849", "850-899", "900-949", "950-999", "1000"]
ENDS = ["1000", "512 KB", "stopper", "pushed off", "open at end"]


def mode_name(mode, extra):
    return f"{mode}{'x' if extra else ''}"


def run_mode(program, data, games_wanted, seed, mode, extra):
    command = [program, "--headless", "--render", "none", "--autoplay", "--mode", str(mode),
               "--games", str(games_wanted), "--seed", str(seed)]
    if extra:
        command.append("--extra")
    if data:
        command += ["--data", data]
    done = subprocess.run(command, capture_output=True, text=True, check=False)
    if done.returncode != 0:
        sys.exit(f"{' '.join(command)} ended with status {done.returncode}\n{done.stderr}")
    games = [json.loads(line) for line in done.stdout.splitlines() if line.startswith("{")]
    if len(games) != games_wanted or any("eventOrder" not in game for game in games):
        sys.exit(f"{' '.join(command)} gave {len(games)} game lines of {games_wanted}, "
                 "or lines without eventOrder (an older program?)")
    return games


def thread_ends(order):
    """Yields (band, how it ended) for every thread end pop-up of one game."""
    evaluating = False
    before = None
    for event in order:
        if event == GAME_END:
            evaluating = True
        elif THREAD_END <= event <= THREAD_END + 18:
            band = 0 if event == THREAD_END else (event - THREAD_END - 1) % 6 + 1
            if before == SIZE_OVER:
                end = "512 KB"
            elif before == TRUE_STOPPER:
                end = "stopper"
            elif evaluating:
                end = "open at end"
            elif band == 6:
                end = "1000"
            else:
                end = "pushed off"
            yield band, end
        before = event


def tally(games):
    bands = [0] * len(BANDS)
    ends = dict.fromkeys(ENDS, 0)
    size_under_1000 = 0
    points = {"threadPoints": 0, "resPoints": 0, "otherPoints": 0}
    wins = [0.0] * 4
    for game in games:
        for band, end in thread_ends(game["eventOrder"]):
            bands[band] += 1
            ends[end] += 1
            size_under_1000 += end == "512 KB" and band < 6
        players = game["players"]
        leaders = [p for p in range(4) if players[p]["rank"] == 1]
        for p in leaders:
            wins[p] += 1 / len(leaders)
        for player in players:
            for kind in points:
                points[kind] += player[kind]
    finished = sum(bands)
    turns = [game["turns"] for game in games]
    return {
        "games": len(games),
        "finished": finished,
        "bands": [100 * b / finished for b in bands],
        "paying": 100 * sum(bands[1:]) / finished,
        "ends": {end: 100 * n / finished for end, n in ends.items()},
        "size_under_1000": 100 * size_under_1000 / finished,
        "points": points,
        "thread_share": 100 * points["threadPoints"] / max(1, points["threadPoints"] + points["resPoints"]),
        "wins": [100 * w / len(games) for w in wins],
        "turns": (statistics.mean(turns), min(turns), max(turns)),
    }


def points_total(t):
    # Troll and browser-crash points are negative; shares of the absolute sum stay within 100.
    return sum(abs(v) for v in t["points"].values()) or 1


def print_table(columns):
    names = list(columns)
    rows = [("games", lambda t: f"{t['games']}"),
            ("threads/game", lambda t: f"{t['finished'] / t['games']:.1f}")]
    rows += [(f"band {band}", lambda t, i=i: f"{t['bands'][i]:.1f}") for i, band in enumerate(BANDS)]
    rows.append((">=700", lambda t: f"{t['paying']:.1f}"))
    rows += [(f"end {end}", lambda t, e=end: f"{t['ends'][e]:.1f}") for end in ENDS]
    rows.append(("512 KB <1000", lambda t: f"{t['size_under_1000']:.1f}"))
    rows += [(f"pts {kind[:-6]}", lambda t, k=kind: f"{100 * t['points'][k] / points_total(t):.1f}")
             for kind in ("threadPoints", "resPoints", "otherPoints")]
    rows.append(("thread/(t+r)", lambda t: f"{t['thread_share']:.1f}"))
    rows += [(f"win seat {p}", lambda t, p=p: f"{t['wins'][p]:.1f}") for p in range(4)]
    rows.append(("turns mean", lambda t: f"{t['turns'][0]:.0f}"))
    rows.append(("turns range", lambda t: f"{t['turns'][1]}-{t['turns'][2]}"))
    print(f"{'mode':<14}" + "".join(f"{n:>9}" for n in names))
    for label, cell in rows:
        print(f"{label:<14}" + "".join(f"{cell(columns[n]):>9}" for n in names))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", default=os.path.join(HERE, "..", "build", "bin", "pakaponta"))
    parser.add_argument("--data", help="data folder (default: the program's own)")
    parser.add_argument("--games", type=int, default=300, help="games per mode")
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--jobs", type=int, default=2, help="modes run at the same time")
    args = parser.parse_args()
    program = os.path.abspath(args.program)
    with ThreadPoolExecutor(max_workers=args.jobs) as pool:
        runs = list(pool.map(lambda m: run_mode(program, args.data, args.games, args.seed, *m), MODES))
    columns = {mode_name(*m): tally(games) for m, games in zip(MODES, runs)}
    columns["all"] = tally([game for games in runs for game in games])
    print(f"{args.games} games per mode, seed {args.seed}; modes 0-3, x = Extra; figures in %")
    print_table(columns)


if __name__ == "__main__":
    main()
