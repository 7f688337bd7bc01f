#!/usr/bin/env bash
# Runs the three conversions the application sends (JPEG 2000 intermediate, in-place JPEG with a
# new resolution, then the copy: JPEG for JPEG pictures, PNG for the others) on a corpus of
# photographs with our sips, ImageMagick's convert and the vips command-line tool, side by side,
# and reports seconds and peak memory.
#   bash bench/run.sh BUILD_DIR [EARLIER_SIPS]
# With EARLIER_SIPS (another build of the tool) it is measured too, as "earlier", to compare
# versions side by side in one run.
set -euo pipefail

build_dir=${1:-build}
here=$(cd "$(dirname "$0")" && pwd)
sips=$(cd "$build_dir" && pwd)/sips/sips
earlier=${2:-}
corpus=$here/corpus
results=$here/results
dpi=300
[ -x "$sips" ] || { echo "no sips at $sips; build first" >&2; exit 1; }

bash "$here/make_corpus.sh" "$corpus"
mkdir -p "$results"
work=$(mktemp -d "$results/work.XXXXXX")
trap 'rm -rf "$work"' EXIT
stamp=$(date +%Y%m%d-%H%M%S)
raw=$results/$stamp.tsv
printf 'picture\tmegapixels\ttool\tseconds\tpeak_kb\n' > "$raw"

# Times one command; prints "seconds peak_kb".
measure() {
    local out
    out=$(/usr/bin/time -f '%e %M' "$@" 2>&1 >/dev/null | tail -n 1)
    echo "$out"
}

# The three steps for one tool; prints total seconds and the largest peak memory.
convert_with() {
    local tool=$1 source=$2 base=$3
    local jp2=$base.jp2 total=0 peak=0 step seconds kb final=png program=$sips
    # The application's last step: JPEG pictures become JPEG, the others PNG.
    case $source in *.jpg) final=jpeg ;; esac
    case $tool in
    sips|earlier)
        [ "$tool" = earlier ] && program=$earlier
        steps=("$program -s format jp2 $source --out $jp2"
               "$program -s format jpeg $jp2 -s dpiHeight $dpi -s dpiWidth $dpi"
               "$program -s format $final $jp2 --out $base.$final") ;;
    convert)
        # JPEG 2000 from convert is lossless by default; jpeg: forces JPEG data under the .jp2 name.
        steps=("convert $source $jp2"
               "convert $jp2 -units PixelsPerInch -density $dpi -quality 97 jpeg:$jp2"
               "convert $jp2 $base.$final") ;;
    vips)
        steps=("vips copy $source $jp2[lossless]"
               "vips copy $jp2 $base.tmp.jpg[Q=97] --xres $(awk "BEGIN{print $dpi/25.4}") --yres $(awk "BEGIN{print $dpi/25.4}")"
               "mv $base.tmp.jpg $jp2"
               "vips copy $jp2 $base.$final") ;;
    esac
    for step in "${steps[@]}"; do
        read -r seconds kb < <(measure $step)
        total=$(awk "BEGIN{print $total + $seconds}")
        [ "$kb" -gt "$peak" ] && peak=$kb
    done
    echo "$total $peak"
}

for source in "$corpus"/*; do
    name=$(basename "$source")
    megapixels=$(vipsheader -f width "$source" | awk -v h="$(vipsheader -f height "$source")" '{printf "%.1f", $1*h/1e6}')
    for tool in sips ${earlier:+earlier} convert vips; do
        rm -f "$work"/*
        read -r seconds kb < <(convert_with "$tool" "$source" "$work/picture")
        printf '%s\t%s\t%s\t%s\t%s\n' "$name" "$megapixels" "$tool" "$seconds" "$kb" | tee -a "$raw"
    done
done

python3 "$here/report.py" "$raw" | tee "$results/$stamp.txt"
