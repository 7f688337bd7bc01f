#!/usr/bin/env bash
# Builds the benchmark corpus once: Debian's photographs (2 to 18 megapixels), a PNG and a TIFF
# made from two of them, and one ~100-megapixel picture made by upscaling the largest.
set -euo pipefail
corpus=$1
mkdir -p "$corpus"
photos=/usr/share/backgrounds/mate
for photo in nature/Dune.jpg nature/Storm.jpg nature/Garden.jpg nature/Wood.jpg \
             abstract/Elephants_3840x2160.jpg abstract/Elephants_5640x3172.jpg; do
    [ -f "$corpus/$(basename "$photo")" ] || cp "$photos/$photo" "$corpus/"
done
[ -f "$corpus/LadyBird.png" ] || vips copy "$photos/nature/LadyBird.jpg" "$corpus/LadyBird.png"
[ -f "$corpus/Aqua.tif" ] || vips copy "$photos/nature/Aqua.jpg" "$corpus/Aqua.tif"
# 5640x3172 scaled by 2.36 is about 13310x7486: 99.6 megapixels.
[ -f "$corpus/Elephants_100MP.jpg" ] ||
    vips resize "$photos/abstract/Elephants_5640x3172.jpg" "$corpus/Elephants_100MP.jpg[Q=92]" 2.36
# The same picture progressive at 4:4:4: libjpeg needs all 600 MB of its coefficients at once.
[ -f "$corpus/Elephants_100MP_progressive.jpg" ] ||
    vips copy "$corpus/Elephants_100MP.jpg" \
        "$corpus/Elephants_100MP_progressive.jpg[interlace,Q=92,subsample-mode=off]"
