#!/bin/sh
# Renders the game's MIDI tracks for the web page, where no synthesiser runs: the same soundfont as
# the window's music, at the window's mixing rate, into Ogg Vorbis, which current browsers play.
# usage: web/render-music.sh OUTDIR [MIDI_DIR]    (MIDI_DIR: the music folder of the native build,
# $PAKAPONTA_NATIVE_BIN/music or build/bin/music)
set -eu

out=$1
midi=${2:-${PAKAPONTA_NATIVE_BIN:-$(dirname "$0")/../build/bin}/music}
soundfont=/usr/share/sounds/sf2/TimGM6mb.sf2

for tool in fluidsynth oggenc; do
    command -v "$tool" > /dev/null || { echo "render-music.sh: $tool is missing" >&2; exit 1; }
done
[ -r "$soundfont" ] || { echo "render-music.sh: $soundfont is missing" >&2; exit 1; }
set -- "$midi"/*.mid
[ -e "$1" ] || { echo "render-music.sh: no MIDI files in $midi" >&2; exit 1; }

mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for track in "$@"; do
    name=$(basename "$track" .mid)
    [ "$out/$name.ogg" -nt "$track" ] && continue
    # Half the synthesiser's full gain, which clips: the loudest track peaks at two thirds of full scale.
    fluidsynth -n -i -q -g 0.5 -r 22050 -F "$work/$name.wav" "$soundfont" "$track" > /dev/null
    oggenc -Q -q 2 -o "$work/$name.ogg" "$work/$name.wav"
    mv "$work/$name.ogg" "$out/$name.ogg"
done
