#!/bin/sh
# Fails when a C++ file of the repository differs from what clang-format makes of it with the
# repository's .clang-format; prints the files and the lines. `clang-format -i FILE` fixes one.
cd "$(dirname "$0")/.." || exit 1
files=$(git ls-files '*.cpp' '*.h' 2>/dev/null || find src tests tools bench fuzz -name '*.cpp' -o -name '*.h')
[ -n "$files" ] || exit 0
# shellcheck disable=SC2086 # one word per file: the paths hold no blanks
clang-format --dry-run --Werror $files
