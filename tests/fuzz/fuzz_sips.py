#!/usr/bin/python3
"""Mutation fuzzing of the image tool under a sanitizer build. Not part of `make test`.

  tests/fuzz/fuzz_sips.py SIPS PICTURES [--minutes M] [--seed S] [--findings FOLDER]

SIPS is a sanitizer build of the tool (cmake -DPLENWICK_SANITIZE=ON). The seeds are PICTURES'
pictures under 100 KB (tests/sips/make_pictures.py and make_hostile_pictures.py make them) and
the tool's own intermediates of steps 1 and 2 made from them, so that the JPEG, PNG and TIFF
readers, the JPEG 2000 reader and the carry box are all reached; half of the changes to a file
that carries a source land in or near the carry. Each damaged file goes through the program's
four command lines. A run is a finding when the tool crashes, a sanitizer reports, it runs over
the time limit, it fails without exactly one error line, or it leaves a file behind. Findings
are kept with their command line; the same seed gives the same damaged files.
"""
import argparse
import os
import random
import subprocess
import sys
import tempfile
import time
from pathlib import Path

TIME_LIMIT = 60
SANITIZER_MARKS = ("Sanitizer", "runtime error:")
CARRY_MARKS = (bytes.fromhex("9d3c510e6a4f4b8ea170504c574b5352"), b"JP\x50\x4c")
ENVIRONMENT = dict(os.environ, ASAN_OPTIONS="detect_leaks=1",
                   UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1")


def run(sips, arguments):
    try:
        return subprocess.run([sips, *map(str, arguments)], env=ENVIRONMENT, capture_output=True,
                              text=True, errors="replace", timeout=TIME_LIMIT)
    except subprocess.TimeoutExpired:
        return None


def seeds(sips, pictures, scratch):
    made = []
    for picture in sorted(pictures.iterdir()):
        if picture.stat().st_size > 100_000:
            continue
        made.append(picture.read_bytes())
        jp2 = scratch / "seed.jp2"
        for step in (["jp2", picture, "--out", jp2], ["jpeg", jp2, "-s", "dpiWidth", "300"]):
            result = run(sips, ["-s", "format", *step])
            if not result or result.returncode != 0:
                break
            made.append(jp2.read_bytes())
    return made


def mutate(data, rng, corpus):
    data = bytearray(data)
    marks = [at for at in (data.find(mark) for mark in CARRY_MARKS) if at >= 0]
    for _ in range(rng.choice((1, 1, 2, 3, 5))):
        if marks and rng.random() < 0.5:
            at = max(0, min(len(data) - 1, rng.choice(marks) + rng.randint(-8, 160)))
        else:
            at = rng.randrange(len(data))
        kind = rng.randrange(6)
        if kind == 0:
            data[at] ^= 1 << rng.randrange(8)
        elif kind == 1:
            data[at] = rng.choice((0x00, 0x01, 0x7F, 0x80, 0xFF))
        elif kind == 2:  # a large 16- or 32-bit field
            size = rng.choice((2, 4))
            data[at : at + size] = bytes([rng.choice((0x00, 0x7F, 0x80, 0xFF))]) * size
        elif kind == 3:
            del data[max(1, at) :]
        elif kind == 4:
            data[at:at] = data[at : at + rng.randrange(1, 512)]
        else:  # another seed's tail
            other = rng.choice(corpus)
            data[at:] = other[rng.randrange(len(other)) :]
    return bytes(data)


def judge(result, folder):
    if result is None:
        return "time limit"
    if result.returncode < 0:
        return f"signal {-result.returncode}"
    if any(mark in result.stderr for mark in SANITIZER_MARKS):
        return "sanitizer"
    if result.returncode not in (0, 1):
        return f"exit status {result.returncode}"
    if result.returncode == 1:
        lines = result.stderr.splitlines()
        if len(lines) != 1 or not lines[0].startswith("sips: error: "):
            return "not one error line"
        if os.listdir(folder) != ["picture"]:
            return "left a file behind"
    return None


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("sips")
    parser.add_argument("pictures", type=Path)
    parser.add_argument("--minutes", type=float, default=10)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--findings", type=Path, default=Path("fuzz-findings"))
    arguments = parser.parse_args()
    rng = random.Random(arguments.seed)
    end = time.monotonic() + arguments.minutes * 60
    mutants, kinds = 0, {}
    with tempfile.TemporaryDirectory(prefix="sips-fuzz-") as scratch:
        folder = Path(scratch)
        corpus = seeds(arguments.sips, arguments.pictures, folder)
        picture = folder / "picture"
        lines = [
            ["-s", "format", "jp2", picture, "--out", folder / "scratch.jp2"],
            ["-s", "format", "jpeg", picture, "-s", "dpiHeight", "300", "-s", "dpiWidth", "300"],
            ["-s", "format", "png", picture, "--out", folder / "copy.png"],
            ["-s", "format", "jpeg", picture, "--out", folder / "copy.jpg"],
        ]
        while time.monotonic() < end:
            mutants += 1
            mutant = mutate(rng.choice(corpus), rng, corpus)
            for line in lines:
                for leftover in folder.iterdir():
                    leftover.unlink()
                picture.write_bytes(mutant)
                result = run(arguments.sips, line)
                verdict = judge(result, folder)
                outcome = verdict or ("converted" if result.returncode == 0 else "refused")
                kinds[outcome] = kinds.get(outcome, 0) + 1
                if verdict:
                    arguments.findings.mkdir(parents=True, exist_ok=True)
                    stem = arguments.findings / f"{arguments.seed}-{mutants:06d}"
                    stem.with_suffix(".bin").write_bytes(mutant)
                    stem.with_suffix(".txt").write_text(
                        f"{verdict}\nsips {' '.join(map(str, line))}\n{result and result.stderr}\n")
                    print(f"finding: {verdict}: {stem}", flush=True)
            if mutants % 200 == 0:
                print(f"{mutants} files: {kinds}", flush=True)
    print(f"done: {mutants} files: {kinds}")
    return 1 if set(kinds) - {"converted", "refused"} else 0


if __name__ == "__main__":
    sys.exit(main())
