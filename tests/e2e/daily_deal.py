#!/usr/bin/env python3
"""The daily deal from the command line: a date deals the same game whatever the seed, another date
another game, and the finished daily game prints its share line.

usage: daily_deal.py PROGRAM"""
import json
import re
import subprocess
import sys

SHARE_LINE = re.compile(r"^Pakaponta 日替わり (\d{4}-\d{2}-\d{2}) / (殺伐|またーり) (山札式|デッキ式)( Extra)? / "
                        r"([1-4])位 / (-?\d+)点 / (\S+)$")


def daily_game(program, date, seed):
    """The report and the share line of one autoplayed daily game."""
    run = subprocess.run([program, "--headless", "--render", "none", "--autoplay", "--games", "1", "--mode", "2",
                          "--seed", str(seed), "--daily-date", date,
                          "--share-address", "https://example.test/?daily"],
                         capture_output=True, text=True, timeout=120, check=True)
    lines = run.stdout.splitlines()
    reports = [json.loads(line) for line in lines if line.startswith("{")]
    shared = [line for line in lines if not line.startswith("{")]
    assert len(reports) == 1 and len(shared) == 1, run.stdout
    return reports[0], shared[0]


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    program = sys.argv[1]
    first, line = daily_game(program, "2026-12-09", 1)
    again, _ = daily_game(program, "2026-12-09", 987654321)
    other, _ = daily_game(program, "2026-12-10", 1)
    # The report names the program's seed; everything the game did must match.
    del first["seed"], again["seed"], other["seed"]
    assert first == again, "the same date dealt another game under another seed"
    assert first != other, "two dates dealt the same game"

    found = SHARE_LINE.match(line)
    assert found, f"the share line reads {line!r}"
    player = first["players"][0]
    assert found.group(1) == "2026-12-09" and found.group(2, 3) == ("殺伐", "山札式") and not found.group(4)
    assert int(found.group(5)) == player["rank"] and int(found.group(6)) == player["total"], line
    assert found.group(7) == "https://example.test/?daily"
    print("daily deal: same date, same game; share line:", line)
    return 0


if __name__ == "__main__":
    sys.exit(main())
