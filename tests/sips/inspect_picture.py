#!/usr/bin/python3
# Independent checks on pictures, through Pillow, ImageMagick, opj_decompress and hashlib:
# inspect_picture.py COMMAND FILE... prints
#
#   dpi FILE              Pillow's dpi, rounded: "X Y"
#   psnr REFERENCE FILE   the PSNR in dB ("inf" when identical), at 8 bits in FILE's mode, the
#                         reference composited on white when FILE has no alpha
#   frames FILE           a digest of each picture's samples (an MPF file holds several)
#   same-samples A B      "yes" when the samples are identical at full depth, palette included
#   jp2-readers SRC JP2   whether Pillow and opj_decompress decode JP2 to SRC's samples:
#                         "pillow=yes openjpeg=yes" (Pillow at 8 bits for 16-bit colour)
#   ycc-readers JPEG JP2  whether Pillow's and opj_decompress's RGB of JP2 (holding JPEG's own Y,
#                         Cb, Cr planes) lies within rounding of JPEG's: differences of at most 10
#                         and 1 on average, "pillow=yes openjpeg=yes", else the largest and mean
#   carry FILE            "intact" when FILE carries a source whose two SHA-256 digests, computed
#                         here, match the recorded ones, "none" when it carries none, else "broken"
import hashlib
import math
import os
import shutil
import struct
import subprocess
import sys
import tempfile

from PIL import Image, ImageChops, ImageStat

from tamper import CARRY_UUID, is_carry, jp2_box, jp2_boxes, jpeg_segments


def load(path):
    image = Image.open(path)
    if image.mode == "P":
        image = image.convert("RGBA")
    if image.mode in ("I;16", "I;16B", "I"):
        return image.point(lambda v: v / 257).convert("L")
    return image


def psnr(reference_path, path):
    image = load(path)
    reference = load(reference_path)
    if "A" not in image.mode and reference.mode in ("RGBA", "LA"):
        white = Image.new("RGBA", reference.size, (255, 255, 255, 255))
        reference = Image.alpha_composite(white, reference.convert("RGBA"))
    reference = reference.convert(image.mode)
    rms = ImageStat.Stat(ImageChops.difference(reference, image)).rms
    mse = sum(value * value for value in rms) / len(rms)
    return f"{math.inf if mse == 0 else 10 * math.log10(255 * 255 / mse):.2f}"


def deep_colour(path, image):
    if image.mode not in ("RGB", "RGBA"):
        return False
    with open(path, "rb") as file:
        head = file.read(25)
    bits = getattr(image, "tag_v2", {}).get(258, ())
    return (head[:8] == b"\x89PNG\r\n\x1a\n" and head[24] == 16) or 16 in (
        bits if isinstance(bits, tuple) else (bits,))


def samples(path):
    image = Image.open(path)
    if deep_colour(path, image):
        # Pillow reads 16-bit colour PNG and TIFF at 8 bits.
        raw = subprocess.run(["convert", path, "-depth", "16", "rgba:-"], check=True,
                             capture_output=True).stdout
        return "RGBA;16", image.size, raw, None
    if image.mode.startswith("I;16"):
        image = image.convert("I")
    image.load()
    return image.mode, image.size, image.tobytes(), image.getpalette()


# Pillow reads 16-bit colour at 8 bits, rounding to nearest: such a source's full-depth
# samples are rounded the same way to compare.
def pillow_reads(source, jp2):
    if not deep_colour(source, Image.open(source)):
        return samples(source)[:3] == samples(jp2)[:3]
    image = Image.open(jp2)
    image.load()
    _, size, raw, _ = samples(source)
    wide = struct.unpack(f"<{len(raw) // 2}H", raw)
    expected = Image.frombytes("RGBA", size, bytes(min(255, (v + 128) >> 8) for v in wide))
    return image.tobytes() == expected.convert(image.mode).tobytes()


# What `then` answers of opj_decompress's PNG of JP2.
def opj_decompressed(jp2, then):
    with tempfile.TemporaryDirectory() as folder:
        # opj_decompress judges by the name; the intermediate's name may say otherwise.
        named = os.path.join(folder, "in.jp2")
        decoded = os.path.join(folder, "out.png")
        shutil.copyfile(jp2, named)
        subprocess.run(["opj_decompress", "-i", named, "-o", decoded], check=True,
                       capture_output=True)
        return then(decoded)


def jp2_readers(source, jp2):
    pillow = pillow_reads(source, jp2)
    openjpeg = opj_decompressed(jp2, lambda decoded: samples(source) == samples(decoded))
    return f"pillow={'yes' if pillow else 'no'} openjpeg={'yes' if openjpeg else 'no'}"


def colour_error(reference, image):
    difference = ImageChops.difference(reference, image.convert("RGB"))
    largest = max(high for _, high in difference.getextrema())
    mean = sum(ImageStat.Stat(difference).mean) / 3
    return "yes" if largest <= 10 and mean <= 1 else f"no ({largest} {mean:.2f})"


def ycc_readers(source, jp2):
    reference = Image.open(source).convert("RGB")
    openjpeg = opj_decompressed(jp2, lambda decoded: colour_error(reference, Image.open(decoded)))
    return f"pillow={colour_error(reference, Image.open(jp2))} openjpeg={openjpeg}"


# The carry box's content after its UUID, and the codestream, of a JP2 file.
def jp2_carry(data):
    carry = [data[at + 24:at + length] for at, length, kind in jp2_boxes(data)
             if kind == b"uuid" and data[at + 8:at + 24] == CARRY_UUID]
    at, length = jp2_box(data, b"jp2c")
    return (carry or [None])[0], data[at + 8:at + length]


# The uuid box's content after its UUID, from the APP11 pieces, and the image data.
def jpeg_carry(data):
    pieces, image, scan = b"", b"", 2
    for at, size, marker in jpeg_segments(data):
        if is_carry(data, at, marker):
            pieces += data[at + 20:at + size]
        elif not (0xE0 <= marker <= 0xEF or marker == 0xFE):
            image += data[at:at + size]
        scan = at + size
    image += data[scan:data.rindex(b"\xff\xd9") + 2]
    if not pieces:
        return None, image
    description = struct.unpack(">I", pieces[:4])[0]
    return pieces[description + 8 + 16:], image


def carry(path):
    data = open(path, "rb").read()
    fields, image = jpeg_carry(data) if data[:2] == b"\xff\xd8" else jp2_carry(data)
    if fields is None:
        return "none"
    recorded_image, recorded_source = fields[12:44], fields[44:76]
    length = struct.unpack(">Q", fields[76:84])[0]
    source = fields[84:]
    intact = (len(source) == length and hashlib.sha256(image).digest() == recorded_image and
              hashlib.sha256(source).digest() == recorded_source)
    return "intact" if intact else "broken"


# Each picture a file holds (several for MPF files), as a digest of its samples.
def frames(path):
    image = Image.open(path)
    digests = []
    for frame in range(getattr(image, "n_frames", 1)):
        image.seek(frame)
        digests.append(hashlib.sha256(image.tobytes()).hexdigest()[:16])
    return " ".join(digests)


def dpi(path):
    dpi = Image.open(path).info.get("dpi")
    return "none" if dpi is None else f"{round(dpi[0])} {round(dpi[1])}"


def same_samples(a, b):
    return "yes" if samples(a) == samples(b) else "no"


COMMANDS = {"dpi": dpi, "psnr": psnr, "carry": carry, "frames": frames,
            "jp2-readers": jp2_readers, "ycc-readers": ycc_readers, "same-samples": same_samples}

if __name__ == "__main__":
    print(COMMANDS[sys.argv[1]](*sys.argv[2:]))
