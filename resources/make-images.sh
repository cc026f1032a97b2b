#!/usr/bin/env bash
# Renders the logo sources in this folder to the PNG images the program packages:
#   Quillmere.svg     -> Quillmere.png      (status icon while the timer runs; app icon)
#   QuillmereGrey.svg -> QuillmereGrey.png  (status icon while a break reminder is pending)
# Each image is 128x128, square, on a transparent background.
#
# Needs rsvg-convert (Debian package librsvg2-bin) and perl (perl-base, on every Debian system).
# Downloads nothing. Safe to re-run from any directory: it works in the folder it lives in and
# overwrites the PNGs.
#
# The two SVGs share one drawing and differ only in the palette of their <style> block; the
# script stops if their drawings have drifted apart.
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")"

readonly SIZE=128

if ! command -v rsvg-convert >/dev/null 2>&1; then
    echo "make-images.sh: rsvg-convert not found; install the Debian package librsvg2-bin" >&2
    exit 1
fi

# The drawing of an SVG without its comments and its <style> block.
drawing() {
    perl -0777 -ne 's/<!--.*?-->//gs; s/<style>.*?<\/style>//gs; s/^\s+//mg; s/\n+/\n/g; print' "$1"
}

if ! diff <(drawing Quillmere.svg) <(drawing QuillmereGrey.svg) >/dev/null; then
    echo "make-images.sh: Quillmere.svg and QuillmereGrey.svg no longer share one drawing:" >&2
    diff <(drawing Quillmere.svg) <(drawing QuillmereGrey.svg) >&2 || true
    exit 1
fi

for name in Quillmere QuillmereGrey; do
    rsvg-convert --width "$SIZE" --height "$SIZE" --format png \
        --output "$name.png.tmp" "$name.svg"
    mv "$name.png.tmp" "$name.png"
    echo "made $name.png (${SIZE}x${SIZE})"
done
