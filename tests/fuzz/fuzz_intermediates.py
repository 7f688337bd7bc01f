#!/usr/bin/python3
"""Mutation fuzzing of the image tool on the files it reads back: intermediates carrying a source
(JP2 of step 1, JPEG of step 2) and the JPEG and PNG files it copies without decoding.
Not part of `make test`; run it against a sanitizer build:

  tests/fuzz/fuzz_intermediates.py SIPS PICTURES [RUNS] [SEED]

PICTURES is a folder made by make_pictures.py. Every run mutates one seed file (bytes changed,
cut, repeated or inserted, half of the time inside the carried source's header), runs the step
that reads it and checks that the tool exits 0 with a file Pillow decodes, or exits 1 with one
error line (warnings aside) and nothing written. A JPEG or PNG copied without decoding keeps
damage its input already had in its compressed data, so an undecodable copy of an undecodable
input is not a finding. Findings are kept in ./fuzz-findings.
"""
import random
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

from PIL import Image

CARRY_MARKS = (bytes.fromhex("9d3c510e6a4f4b8ea170504c574b5352"), b"JP\x50\x4c")


def seeds(sips, pictures, folder):
    """(file, command after the input) for each kind of file the tool reads back."""
    made = []
    for name in ("photo.jpg", "alpha.png", "large.png", "progressive.jpg", "planes420.jpg",
                 "planes422.jpg", "deepgrey.tif", "tiled16.tif", "wide16.png"):
        jp2 = folder / (Path(name).stem + ".jp2")
        subprocess.run([sips, "-s", "format", "jp2", pictures / name, "--out", jp2], check=True)
        made.append((jp2.read_bytes(), ["-s", "format", "jpeg", "-s", "dpiWidth", "300",
                                        "-s", "dpiHeight", "150"]))
        subprocess.run([sips, "-s", "format", "jpeg", "-s", "dpiWidth", "300", "-s",
                        "dpiHeight", "300", jp2], check=True)
        final = "jpeg" if name.endswith(".jpg") else "png"
        made.append((jp2.read_bytes(), ["-s", "format", final]))
    for name in ("photo.jpg", "cmyk.jpg", "palette.png", "deep.png", "pair.jpg", "motion.jpg"):
        kind = "jpeg" if name.endswith(".jpg") else "png"
        made.append(((pictures / name).read_bytes(), ["-s", "format", kind, "-s", "dpiWidth", "72"]))
    return made


def mutate(data, rng):
    data = bytearray(data)
    marks = [data.find(mark) for mark in CARRY_MARKS if data.find(mark) >= 0]
    for _ in range(rng.randint(1, 6)):
        if marks and rng.random() < 0.5:
            at = min(len(data) - 1, rng.choice(marks) + rng.randint(-8, 160))
        else:
            at = rng.randrange(len(data))
        action = rng.random()
        if action < 0.6:
            data[at] = rng.choice([0, 0xFF, 0x7F, 0x80, 1, rng.randrange(256)])
        elif action < 0.7:
            del data[at:]
            if not data:
                data = bytearray(b"\xff")
        elif action < 0.85:
            size = rng.randint(1, 64)
            data[at:at] = data[at:at + size]
        else:
            data[at:at] = bytes(rng.randrange(256) for _ in range(rng.randint(1, 16)))
    return bytes(data)


def decodes(path):
    try:
        with Image.open(path) as image:
            image.load()
        return True
    except Exception:
        return False


def judge(result, folder, output, input_name):
    err = result.stderr
    if "Sanitizer" in err or "runtime error" in err or result.returncode not in (0, 1):
        return f"crash or sanitizer report (status {result.returncode})"
    if result.returncode == 0:
        try:
            with Image.open(output) as image:
                image.load()
        except Exception as error:  # any failure to decode is a finding
            if not decodes(folder / input_name):
                return None  # copied without decoding: the damage was the input's own
            return f"exit 0 but the output does not decode: {error}"
    else:
        lines = err.splitlines()
        if sum(line.startswith("sips: error: ") for line in lines) != 1 or not all(
                line.startswith(("sips: error: ", "sips: warning: ")) for line in lines):
            return "failure without exactly one error line"
        left = sorted(p.name for p in folder.iterdir())
        if left != [input_name]:
            return f"left behind: {left}"
    return None


def main(sips, pictures, runs="500", seed="1"):
    rng = random.Random(int(seed))
    pictures = Path(pictures)
    findings = Path("fuzz-findings")
    with tempfile.TemporaryDirectory() as scratch:
        base = Path(scratch) / "seeds"
        base.mkdir()
        corpus = seeds(sips, pictures, base)
        work = Path(scratch) / "work"
        failures = 0
        for run in range(int(runs)):
            data, command = rng.choice(corpus)
            shutil.rmtree(work, ignore_errors=True)
            work.mkdir()
            source = work / "input.jp2"
            source.write_bytes(mutate(data, rng))
            output = work / ("out.png" if "png" in command else "out.jpg")
            result = subprocess.run([sips, *command, str(source), "--out", str(output)],
                                    capture_output=True, text=True, errors="replace",
                                    env={"ASAN_OPTIONS": "detect_leaks=1"})
            problem = judge(result, work, output, source.name)
            if problem:
                failures += 1
                findings.mkdir(exist_ok=True)
                kept = findings / f"finding-{run}.bin"
                shutil.copy(source, kept)
                print(f"run {run}: {problem}: {kept} ({' '.join(command)})\n{result.stderr[:2000]}")
        print(f"{runs} runs, {failures} findings")
        return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
