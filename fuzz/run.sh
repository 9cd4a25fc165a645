#!/bin/sh
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer) in
# build-fuzz and runs each for SECONDS (default 120), starting from the data files the build ships.
# Usage: fuzz/run.sh [SECONDS] [TARGET...]
#   (targets: card_data split_text ini sound_data cp932 match_record statistics)
# Prints every target's executions and findings; exits 1 when any target found a fault. The corpus
# grows across runs in build-fuzz/corpus/TARGET. A run's finding is kept (until the next run of that
# target) as build-fuzz/findings/TARGET/crash-* (or leak-*, timeout-*, oom-*); replay it with
# build-fuzz/bin/fuzz_TARGET FILE.
set -u
seconds=${1:-120}
[ $# -gt 0 ] && shift
targets=${*:-card_data split_text ini sound_data cp932 match_record statistics}
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-fuzz
bin=$build/bin

mkdir -p "$build"
CXX=${CXX:-clang++} cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPAKAPONTA_FUZZ=ON \
    >"$build/configure.log" 2>&1 || { cat "$build/configure.log"; exit 2; }
build_targets=""
for t in $targets; do build_targets="$build_targets fuzz_$t"; done
# shellcheck disable=SC2086
cmake --build "$build" -j2 --target $build_targets runtime_data || exit 2

# Seeds: the shipped files each reader is given, or for the kept files' readers what they start from.
seed() {
    dir=$build/seeds/$1
    shift
    mkdir -p "$dir" && cp "$@" "$dir/"
}
export SDL_AUDIODRIVER=dummy
status=0
printf '%-12s %10s %12s %9s  %s\n' target seconds executions findings corpus
for t in $targets; do
    rm -rf "$build/seeds/$t"
    options=""
    case $t in
    card_data) seed "$t" "$bin/card.dat" ;;
    split_text) seed "$t" "$bin"/thread/*.txt ;;
    ini) seed "$t" "$bin/resource.ini" ;;
    sound_data) seed "$t" "$bin/sound.dat" ;;
    cp932) seed "$t" "$bin"/thread/0*.txt "$bin/resource.ini" ;;
    # Its mutator makes records by playing; a record is larger than libFuzzer's usual inputs.
    match_record)
        mkdir -p "$build/seeds/$t"
        options="-max_len=65536"
        ;;
    # A body, which the target also seals under a good first line.
    statistics)
        mkdir -p "$build/seeds/$t"
        game='{"finished":3,"abandoned":1,"firsts":1,"rankSum":7,"scoreSum":410,"bestScore":220,"threads1000":1,"threads512":0,"bestThread":100}'
        printf '{"games":[%s,%s,%s,%s,%s,%s,%s,%s],"daily":{"date":"2024-02-29","gameMode":3,"rank":2,"score":130}}' \
            "$game" "$game" "$game" "$game" "$game" "$game" "$game" "$game" >"$build/seeds/$t/statistics.json"
        ;;
    *) echo "unknown target $t" >&2; exit 2 ;;
    esac
    rm -rf "$build/findings/$t"
    mkdir -p "$build/corpus/$t" "$build/findings/$t"
    dict=""
    [ -f "$root/fuzz/$t.dict" ] && dict="-dict=$root/fuzz/$t.dict"
    log=$build/findings/$t.log
    # shellcheck disable=SC2086
    "$bin/fuzz_$t" -max_total_time="$seconds" -timeout=20 -print_final_stats=1 $dict $options \
        -artifact_prefix="$build/findings/$t/" "$build/corpus/$t" "$build/seeds/$t" >"$log" 2>&1
    code=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    found=$(find "$build/findings/$t" -type f | wc -l)
    corpus=$(find "$build/corpus/$t" -type f | wc -l)
    printf '%-12s %10s %12s %9s  %s\n' "$t" "$seconds" "${runs:-?}" "$found" "$corpus"
    if [ "$code" -ne 0 ] || [ "$found" -ne 0 ]; then
        status=1
        grep -E 'ERROR|does not hold|SUMMARY|Test unit written' "$log" | head -n 8
        echo "  full log: $log"
    fi
done
exit $status
