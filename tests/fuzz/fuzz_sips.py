#!/usr/bin/python3
"""Mutation fuzzing of the image tool: damaged copies of real pictures go through the command lines
the program sends, under a sanitizer build. Not part of `make test`.

  tests/fuzz/fuzz_sips.py SIPS PICTURE_FOLDER [--minutes M] [--seed S] [--findings FOLDER]

SIPS is a sanitizer build of the tool (cmake -DPLENWICK_SANITIZE=ON); PICTURE_FOLDER holds the
seeds (the test pictures, tests/sips/make_pictures.py and make_hostile_pictures.py), to which the
tool's own intermediates of steps 1 and 2 are added. A run is a finding when the tool crashes,
a sanitizer reports, it runs over the time limit, it fails without exactly one error line, or it
leaves a file behind. Findings are copied to the findings folder with the command line.
"""
import argparse
import os
import random
import shutil
import subprocess
import sys
import tempfile
import time
from pathlib import Path

TIME_LIMIT = 60
SANITIZER_MARKS = ("AddressSanitizer", "LeakSanitizer", "runtime error:", "UndefinedBehavior")
INTERESTING = (0x00, 0x01, 0x7F, 0x80, 0xFF)


def mutate(data, rng, seeds):
    data = bytearray(data)
    for _ in range(rng.choice((1, 1, 2, 3, 5))):
        kind = rng.randrange(7)
        at = rng.randrange(len(data)) if data else 0
        if kind == 0:  # flip bits
            data[at] ^= 1 << rng.randrange(8)
        elif kind == 1:  # an interesting byte
            data[at] = rng.choice(INTERESTING)
        elif kind == 2:  # a large 16- or 32-bit field
            size = rng.choice((2, 4))
            data[at : at + size] = rng.choice((b"\xff", b"\x7f", b"\x00", b"\x80")) * size
        elif kind == 3:  # truncate
            del data[max(1, at) :]
        elif kind == 4:  # duplicate a slice
            end = min(len(data), at + rng.randrange(1, 512))
            data[at:at] = data[at:end]
        elif kind == 5:  # random bytes in the header region
            head = rng.randrange(min(len(data), 4096)) if data else 0
            data[head : head + 4] = bytes(rng.randrange(256) for _ in range(4))
        else:  # splice another seed's tail
            other = rng.choice(seeds)
            data[at:] = other[rng.randrange(len(other)) :]
    return bytes(data)


def command_lines(picture, folder):
    """The program's command lines, with the damaged picture in each input position."""
    return [
        ["-s", "format", "jp2", str(picture), "--out", str(folder / "scratch.jp2")],
        ["-s", "format", "jpeg", str(picture), "-s", "dpiHeight", "300", "-s", "dpiWidth", "300"],
        ["-s", "format", "png", str(picture), "--out", str(folder / "copy.png")],
        ["-s", "format", "jpeg", str(picture), "--out", str(folder / "copy.jpg")],
    ]


def intermediates(sips, pictures, names):
    """The files of steps 1 and 2 made from some seeds: what the tool itself reads back."""
    made = []
    with tempfile.TemporaryDirectory(prefix="sips-fuzz-") as temporary:
        for name in names:
            scratch = Path(temporary) / (name + ".jp2")
            if subprocess.run([sips, "-s", "format", "jp2", str(pictures / name), "--out",
                               str(scratch)], capture_output=True).returncode != 0:
                continue
            made.append(scratch.read_bytes())
            if subprocess.run([sips, "-s", "format", "jpeg", str(scratch), "-s", "dpiHeight",
                               "300", "-s", "dpiWidth", "300"],
                              capture_output=True).returncode == 0:
                made.append(scratch.read_bytes())
    return made


def judge(result, before, after, timed_out):
    if timed_out:
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
        if "unknown error" in result.stderr:
            return "unknown error"
        if after - before:
            return "left a file behind"
    return None


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("sips")
    parser.add_argument("pictures")
    parser.add_argument("--minutes", type=float, default=10)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--findings", default="fuzz-findings")
    arguments = parser.parse_args()

    # The first 14 also seed intermediates; the JPEGs at 4:2:0 and 4:2:2 keep their planes.
    names = ("photo.jpg", "progressive.jpg", "planes420.jpg", "planes422.jpg", "grey.jpg",
             "cmyk.jpg", "alpha.png", "deep.png", "wide16.png", "palette.png", "picture.tif",
             "tiled16.tif", "planes.tif", "pair.jpg", "photo.jp2", "maker-notes.png",
             "no-unit.jpg", "motion.jpg")
    seeds = [(Path(arguments.pictures) / name).read_bytes() for name in names
             if (Path(arguments.pictures) / name).exists()]
    seeds += intermediates(arguments.sips, Path(arguments.pictures), names[:14])
    rng = random.Random(arguments.seed)
    findings = Path(arguments.findings)
    environment = dict(os.environ, ASAN_OPTIONS="detect_leaks=1",
                       UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1")
    end = time.monotonic() + arguments.minutes * 60
    runs = mutants = 0
    kinds = {}
    while time.monotonic() < end:
        mutant = mutate(rng.choice(seeds), rng, seeds)
        mutants += 1
        with tempfile.TemporaryDirectory(prefix="sips-fuzz-") as temporary:
            folder = Path(temporary)
            for arguments_line in command_lines(folder / "picture", folder):
                (folder / "picture").write_bytes(mutant)
                for leftover in ("scratch.jp2", "copy.png", "copy.jpg"):
                    (folder / leftover).unlink(missing_ok=True)
                before = set(os.listdir(folder))
                timed_out = False
                try:
                    result = subprocess.run([arguments.sips, *arguments_line], env=environment,
                                            capture_output=True, text=True, errors="replace",
                                            timeout=TIME_LIMIT)
                except subprocess.TimeoutExpired as expired:
                    result = subprocess.CompletedProcess(expired.cmd, -9, "", "")
                    timed_out = True
                runs += 1
                after = set(os.listdir(folder))
                verdict = judge(result, before, after, timed_out)
                outcome = "refused" if result.returncode == 1 else "converted"
                kinds[outcome] = kinds.get(outcome, 0) + 1
                if verdict:
                    kinds[verdict] = kinds.get(verdict, 0) + 1
                    findings.mkdir(parents=True, exist_ok=True)
                    stem = findings / f"{mutants:06d}-{runs:07d}"
                    stem.with_suffix(".bin").write_bytes(mutant)
                    stem.with_suffix(".txt").write_text(
                        f"{verdict}\nsips {' '.join(arguments_line)}\n{result.stderr}\n")
                    print(f"finding: {verdict}: {stem}", flush=True)
        if mutants % 200 == 0:
            print(f"{mutants} pictures, {runs} runs: {kinds}", flush=True)
    print(f"done: {mutants} pictures, {runs} runs: {kinds}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
