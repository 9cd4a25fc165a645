#!/bin/sh
# Records what the program does, so that a change meant to leave behaviour alone can be checked
# byte for byte: the simulator's game lines and card trace for 200 games of each of the eight modes,
# the screenshots of every screen a seeded game passes through, and the sound calls of whole games.
#   scripts/check-unchanged.sh BIN_DIR OUT_DIR [REFERENCE_DIR]
# With REFERENCE_DIR (an earlier OUT_DIR) it then compares the two and fails on any difference.
set -eu
if [ $# -lt 2 ] || [ $# -gt 3 ]; then
    echo "usage: $0 BIN_DIR OUT_DIR [REFERENCE_DIR]" >&2
    exit 2
fi
bin=$(cd "$1" && pwd)
out=$2
mkdir -p "$out"
out=$(cd "$out" && pwd)
jobs=${JOBS:-2}

# The responses show the minute they were posted, from the system clock: a fixed clock keeps the
# screenshots of two runs comparable.
shim=$(mktemp -d)
trap 'rm -rf "$shim"' EXIT
printf '#include <time.h>\ntime_t time(time_t* t) { if (t) *t = 1700000000; return 1700000000; }\n' > "$shim/clock.c"
cc -shared -fPIC -o "$shim/clock.so" "$shim/clock.c"

{
    for mode in 0 1 2 3; do
        for extra in 0 1; do
            flag=""
            [ "$extra" = 1 ] && flag="--extra"
            echo "$bin/pakaponta --data $bin --headless --render none --autoplay --games 200 --seed 11" \
                "--mode $mode $flag --trace $out/trace-$mode-$extra.jsonl > $out/games-$mode-$extra.jsonl"
        done
    done
    for mode in 1 2; do
        for state in 20 30 40 50:1 50:25 50:60 70 80 90 100; do
            [ "$mode" = 2 ] && [ "$state" = 40 ] && continue
            name=$(echo "$state" | tr : _)
            echo "$bin/pakaponta --data $bin --headless --autoplay --mode $mode --seed 3" \
                "--quit-at-state $state --screenshot $out/screen-$mode-$name.png > /dev/null"
        done
    done
    # The music is opened by its path: the data folder is written as DATA so that two builds in
    # different folders compare.
    echo "PAKAPONTA_DATA=$bin $bin/soundlog 3 0 1 7 | sed 's|$bin|DATA|g' > $out/sound-3-0.log"
    echo "PAKAPONTA_DATA=$bin $bin/soundlog 1 1 1 5 | sed 's|$bin|DATA|g' > $out/sound-1-1.log"
} | LD_PRELOAD="$shim/clock.so" xargs -P "$jobs" -I CMD sh -c CMD

if [ $# -eq 3 ]; then
    if diff -r "$3" "$out" > /dev/null; then
        echo "unchanged: $(ls "$out" | wc -l) files identical to $3"
    else
        diff -rq "$3" "$out" >&2 || true
        exit 1
    fi
fi
