#!/usr/bin/env bash
# The batch figure: a folder of 12 JPEG photographs of 12 megapixels (Debian's mate-backgrounds
# nature pictures, enlarged to a camera's size, with a sensor's grain) set to 300 DPI, in one
# run, by:
#   - the command line (a worker per core), and with --jobs 1;
#   - the main window, driven through its real widgets with scripted choosers;
#   - ImageMagick's mogrify, which decodes and re-encodes every picture;
#   - ExifTool, which rewrites the metadata only (not the same promise: no JFIF density check,
#     no exact-copy guarantee beyond what it leaves alone);
#   - a shell loop running the program's three conversions per picture with the vips tool.
# Prints wall and processor seconds and the ratios to mogrify.
#   bash bench/batch.sh BUILD_DIR
set -euo pipefail

build_dir=$(cd "${1:-build}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
plenwick=$build_dir/app/plenwick
window=$build_dir/bench/plenwick_windowbench
for program in "$plenwick" "$window"; do
    [ -x "$program" ] || { echo "no $program; build first" >&2; exit 1; }
done
dpi=300

results=$here/results
mkdir -p "$results"
corpus=$results/batch-corpus
folder=$corpus/photos
if [ ! -f "$corpus/.complete" ]; then
    rm -rf "$corpus" && mkdir -p "$folder"
    for photo in /usr/share/backgrounds/mate/nature/*.jpg; do
        name=$(basename "$photo" .jpg)
        convert "$photo" -resize '4240x2832!' -attenuate 0.5 +noise Gaussian \
            -sampling-factor 2x2 -quality 92 "$folder/IMG_$name.jpg"
    done
    touch "$corpus/.complete"
fi
count=$(find "$folder" -maxdepth 1 -name '*.jpg' | wc -l)
work=$(mktemp -d "$results/batch.XXXXXX")
trap 'rm -rf "$work"' EXIT

# Wall and processor seconds of a command, children included: "wall cpu".
measure() { /usr/bin/time -f '%e %U %S' "$@" 2>&1 >/dev/null | tail -n 1 | awk '{print $1, $2 + $3}'; }

# The same chain the program runs for a JPEG: lossless JPEG 2000, the resolution set on JPEG
# data, then the JPEG copy.
vips_loop() {
    local out=$1 res
    res=$(awk "BEGIN{print $dpi/25.4}")
    for photo in "$folder"/*; do
        name=$(basename "$photo")
        vips copy "$photo" "$out/.scratch.jp2[lossless]"
        vips copy "$out/.scratch.jp2" "$out/.scratch.jpg[Q=97]" --xres "$res" --yres "$res"
        vips copy "$out/.scratch.jpg" "$out/$name"
        rm -f "$out/.scratch.jp2" "$out/.scratch.jpg"
    done
}
export -f vips_loop
export folder dpi

report() {
    printf '%d photographs of 12 megapixels, %d MB, on %d cores (load before: %s)\n' "$count" \
        "$(du -sm "$folder" | cut -f1)" "$(nproc)" "$(cut -d' ' -f1-3 /proc/loadavg)"
    printf '%-22s %8s %8s %11s %10s\n' run wall_s cpu_s pictures/s vs_mogrify
    local mogrify_wall=
    for run in mogrify "plenwick" "plenwick --jobs 1" window exiftool "vips loop"; do
        out=$work/out
        rm -rf "$out" && mkdir -p "$out"
        case $run in
        mogrify) took=$(measure mogrify -density "$dpi" -units PixelsPerInch -path "$out" "$folder"/*.jpg) ;;
        plenwick) took=$(measure "$plenwick" --dpi "$dpi" --output "$out" "$folder") ;;
        "plenwick --jobs 1") took=$(measure "$plenwick" --jobs 1 --dpi "$dpi" --output "$out" "$folder") ;;
        window) took=$(measure "$window" "$dpi" "$folder" "$out") ;;
        exiftool) took=$(measure exiftool -q -o "$out/" -XResolution="$dpi" -YResolution="$dpi" \
            -ResolutionUnit=inches -JFIF:XResolution="$dpi" -JFIF:YResolution="$dpi" \
            -JFIF:ResolutionUnit=inches "$folder") ;;
        vips*) took=$(measure bash -c 'vips_loop "$0"' "$out") ;;
        esac
        copies=$(find "$out" -maxdepth 1 -type f ! -name '.*' | wc -l)
        [ "$copies" -eq "$count" ] || { echo "$run made $copies copies, not $count" >&2; exit 1; }
        read -r wall cpu <<<"$took"
        [ -n "$mogrify_wall" ] || mogrify_wall=$wall
        printf '%-22s %8.2f %8.2f %11.2f %10.2f\n' "$run" "$wall" "$cpu" \
            "$(awk "BEGIN{print $count / $wall}")" "$(awk "BEGIN{print $wall / $mogrify_wall}")"
    done
}
report | tee "$results/batch-$(date +%Y%m%d-%H%M%S).txt"
