#!/usr/bin/python3
"""Summarises a benchmark table: per picture and per megapixel, and our ratios to the others."""
import csv
import sys
from collections import defaultdict


def main(path):
    rows = defaultdict(dict)
    megapixels = {}
    with open(path) as table:
        for row in csv.DictReader(table, delimiter="\t"):
            rows[row["picture"]][row["tool"]] = (float(row["seconds"]), int(row["peak_kb"]) / 1024)
            megapixels[row["picture"]] = float(row["megapixels"])
    header = (f"{'picture':<26}{'MP':>6}  {'tool':<8}{'s':>8}{'MB':>8}{'s/MP':>8}{'MB/MP':>8}"
              f"{'t/vips':>8}{'t/IM':>7}{'mem/IM':>8}")
    print(header)
    print("-" * len(header))
    totals = defaultdict(lambda: [0.0, 0.0])
    for picture in sorted(rows, key=lambda name: megapixels[name]):
        mp = megapixels[picture]
        tools = rows[picture]
        for tool in ("sips", "earlier", "convert", "vips"):
            if tool not in tools:
                continue
            seconds, mb = tools[tool]
            totals[tool][0] += seconds
            ratios = ""
            if tool in ("sips", "earlier") and "vips" in tools and "convert" in tools:
                ratios = (f"{seconds / tools['vips'][0]:>8.2f}{seconds / tools['convert'][0]:>7.2f}"
                          f"{mb / tools['convert'][1]:>8.2f}")
            print(f"{picture:<26}{mp:>6.1f}  {tool:<8}{seconds:>8.2f}{mb:>8.0f}{seconds / mp:>8.3f}"
                  f"{mb / mp:>8.1f}{ratios}")
    print()
    if all(tool in totals for tool in ("sips", "convert", "vips")):
        sips, im, vips = (totals[t][0] for t in ("sips", "convert", "vips"))
        if "earlier" in totals:
            print(f"earlier sips: {totals['earlier'][0]:.1f} s, "
                  f"{totals['earlier'][0] / vips:.2f} x vips")
        print(f"total seconds: sips {sips:.1f}, convert {im:.1f}, vips {vips:.1f}; "
              f"sips/vips {sips / vips:.2f}, sips/convert {sips / im:.2f} (goal <= 0.5)")
        print("goals per picture: 18-megapixel JPEG <= 0.25 x vips, PNG <= 0.25 x vips")


if __name__ == "__main__":
    main(sys.argv[1])
