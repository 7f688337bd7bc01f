#!/usr/bin/python3
"""Mutation fuzzing of the image tool: damaged real pictures and intermediates through the
program's command lines. Run it against a sanitizer build of SIPS; not part of `make test`."""
# The seeds are PICTURES' files under 100 KB (tests/sips/make_pictures.py and
# make_hostile_pictures.py make them) and the tool's own intermediates of steps 1 and 2 made from
# them, so that the JPEG, PNG, TIFF and JPEG 2000 readers and the carry box are all reached; half
# of the changes to a file that carries a source land in or near the carry. A run is a finding
# when the tool crashes, a sanitizer reports, it runs over a minute, or it fails without
# exactly one error line or leaves a file behind. Each finding is kept with its command line; the
# same seed damages the same files in the same order.
import argparse
import os
import random
import subprocess
import sys
import tempfile
import time
from pathlib import Path

CARRY_MARKS = (bytes.fromhex("9d3c510e6a4f4b8ea170504c574b5352"), b"JP\x50\x4c")
SANITIZER_MARKS = ("Sanitizer", "runtime error:")
ENVIRONMENT = dict(os.environ, UBSAN_OPTIONS="print_stacktrace=1")


def run(sips, arguments):
    try:
        return subprocess.run([sips, *map(str, arguments)], env=ENVIRONMENT, capture_output=True,
                              text=True, errors="replace", timeout=60)
    except subprocess.TimeoutExpired:
        return None


def mutate(data, rng):
    data = bytearray(data)
    marks = [at for at in (data.find(mark) for mark in CARRY_MARKS) if at >= 0]
    for _ in range(rng.choice((1, 1, 2, 3, 5))):
        if marks and rng.random() < 0.5:
            at = max(0, min(len(data) - 1, rng.choice(marks) + rng.randint(-8, 160)))
        else:
            at = rng.randrange(len(data))
        kind = rng.randrange(4)
        if kind == 0:
            data[at] ^= 1 << rng.randrange(8)
        elif kind == 1:  # a byte or a 16- or 32-bit field at an edge value
            size = rng.choice((1, 2, 4))
            data[at : at + size] = bytes([rng.choice((0x00, 0x01, 0x7F, 0x80, 0xFF))]) * size
        elif kind == 2:
            del data[max(1, at) :]
        else:
            data[at:at] = data[at : at + rng.randrange(1, 512)]
    return bytes(data)


def judge(result, folder):
    if result is None:
        return "time limit"
    if result.returncode not in (0, 1) or any(m in result.stderr for m in SANITIZER_MARKS):
        return f"crash or sanitizer report (status {result.returncode})"
    lines = result.stderr.splitlines()
    if result.returncode == 1 and (len(lines) != 1 or not lines[0].startswith("sips: error: ")):
        return "not one error line"
    if result.returncode == 1 and os.listdir(folder) != ["picture"]:
        return "left a file behind"
    return None


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("sips")
    parser.add_argument("pictures", type=Path)
    parser.add_argument("--minutes", type=float, default=10)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--findings", type=Path, default=Path("fuzz-findings"))
    arguments = parser.parse_args()
    rng = random.Random(arguments.seed)
    mutants = findings = 0
    with tempfile.TemporaryDirectory(prefix="sips-fuzz-") as scratch:
        folder = Path(scratch)
        picture = folder / "picture"
        jp2 = folder / "seed.jp2"
        corpus = []
        for seed in sorted(p for p in arguments.pictures.iterdir() if p.stat().st_size < 100_000):
            corpus.append(seed.read_bytes())
            for step in (["jp2", seed, "--out", jp2], ["jpeg", jp2, "-s", "dpiWidth", "300"]):
                result = run(arguments.sips, ["-s", "format", *step])
                if not result or result.returncode != 0:
                    break
                corpus.append(jp2.read_bytes())
        end = time.monotonic() + arguments.minutes * 60
        lines = [
            ["-s", "format", "jp2", picture, "--out", folder / "scratch.jp2"],
            ["-s", "format", "jpeg", picture, "-s", "dpiHeight", "300", "-s", "dpiWidth", "300"],
            ["-s", "format", "png", picture, "--out", folder / "copy.png"],
        ]
        while time.monotonic() < end:
            mutants += 1
            mutant = mutate(rng.choice(corpus), rng)
            for line in lines:
                for leftover in folder.iterdir():
                    leftover.unlink()
                picture.write_bytes(mutant)
                result = run(arguments.sips, line)
                verdict = judge(result, folder)
                if verdict:
                    findings += 1
                    arguments.findings.mkdir(parents=True, exist_ok=True)
                    kept = arguments.findings / f"{arguments.seed}-{mutants:06d}.bin"
                    kept.write_bytes(mutant)
                    command = " ".join(map(str, line)).replace(str(picture), str(kept))
                    print(f"finding: {verdict}: sips {command}\n{result and result.stderr}")
    print(f"{mutants} damaged files from {len(corpus)} seeds, each run 3 ways: {findings} findings")
    return 1 if findings else 0


if __name__ == "__main__":
    sys.exit(main())
