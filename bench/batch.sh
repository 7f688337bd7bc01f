#!/usr/bin/env bash
# The batch figure: a folder of 50 photographs (Debian's mate-backgrounds nature pictures, 1.3
# to 4.9 megapixels, repeated) converted to 300 DPI by the command line with --jobs 1 and
# --jobs 2, beside a shell loop running the same three conversions per picture with the vips
# command-line tool. Prints wall and processor seconds and pictures per second for each.
#   bash bench/batch.sh BUILD_DIR
set -euo pipefail

build_dir=${1:-build}
here=$(cd "$(dirname "$0")" && pwd)
plenwick=$(cd "$build_dir" && pwd)/app/plenwick
[ -x "$plenwick" ] || { echo "no plenwick at $plenwick; build first" >&2; exit 1; }
dpi=300
count=50

results=$here/results
mkdir -p "$results"
work=$(mktemp -d "$results/batch.XXXXXX")
trap 'rm -rf "$work"' EXIT
folder=$work/photos
mkdir -p "$folder"
photos=(/usr/share/backgrounds/mate/nature/*.jpg)
for ((i = 0; i < count; i++)); do
    photo=${photos[i % ${#photos[@]}]}
    cp "$photo" "$folder/$(printf '%02d' "$i")-$(basename "$photo")"
done
megapixels=$(for photo in "$folder"/*; do vipsheader -f width "$photo"; vipsheader -f height "$photo"; done |
    paste - - | awk '{sum += $1 * $2} END {printf "%.0f", sum / 1e6}')

# Wall and processor seconds of a command: "wall cpu".
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
    printf '%d photographs, %d megapixels in all, on %d cores (load %s)\n' "$count" "$megapixels" \
        "$(nproc)" "$(cut -d' ' -f1-3 /proc/loadavg)"
    printf '%-20s %8s %8s %11s\n' run wall_s cpu_s pictures/s
    for run in "plenwick --jobs 1" "plenwick --jobs 2" "vips loop"; do
        out=$work/out
        rm -rf "$out" && mkdir -p "$out"
        case $run in
        plenwick*) took=$(measure "$plenwick" ${run#plenwick } --dpi "$dpi" --output "$out" "$folder") ;;
        vips*) took=$(measure bash -c 'vips_loop "$0"' "$out") ;;
        esac
        copies=$(find "$out" -maxdepth 1 -type f ! -name '.*' | wc -l)
        [ "$copies" -eq "$count" ] || { echo "$run made $copies copies, not $count" >&2; exit 1; }
        read -r wall cpu <<<"$took"
        printf '%-20s %8.1f %8.1f %11.2f\n' "$run" "$wall" "$cpu" "$(awk "BEGIN{print $count / $wall}")"
    done
}
report | tee "$results/batch-$(date +%Y%m%d-%H%M%S).txt"
