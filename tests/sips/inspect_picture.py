#!/usr/bin/python3
"""Independent checks on pictures, through Pillow.

  inspect_picture.py dpi FILE                 prints Pillow's dpi, rounded: "X Y"
  inspect_picture.py psnr REFERENCE FILE      prints the PSNR in dB (inf when identical); the
                                              reference is composited on white when the file has
                                              no alpha, both compared at 8 bits in the file's mode
  inspect_picture.py frames FILE              prints a digest of each picture's samples (an MPF
                                              file holds several)
  inspect_picture.py same-samples A B         prints "yes" when the decoded samples are identical
                                              at full depth, palette included, whatever the
                                              formats (16-bit colour PNG through ImageMagick)
  inspect_picture.py jp2-readers SOURCE JP2  prints whether Pillow and opj_decompress decode JP2
                                              to SOURCE's samples: "pillow=yes openjpeg=yes";
                                              OpenJPEG at full depth, Pillow at 8 bits for
                                              16-bit colour
  inspect_picture.py ycc-readers JPEG JP2     prints how far Pillow's and opj_decompress's RGB of
                                              JP2 (which holds JPEG's own Y, Cb, Cr planes) lie
                                              from JPEG decoded to RGB: "MAX MEAN MAX MEAN", the
                                              largest and the mean difference of a sample
  inspect_picture.py carry FILE               prints "intact" when FILE carries a source whose two
                                              SHA-256 digests, computed here, match the recorded
                                              ones, "none" when it carries none, else "broken"
"""
import hashlib
import math
import os
import shutil
import struct
import subprocess
import sys
import tempfile

from PIL import Image, ImageChops, ImageStat

from tamper import CARRY_UUID, is_carry, jp2_boxes, jpeg_segments


def eight_bit(image):
    if image.mode in ("I;16", "I;16B", "I"):
        return image.point(lambda v: v / 257).convert("L")
    return image


def load(path):
    image = Image.open(path)
    if image.mode == "P":
        image = image.convert("RGBA")
    return eight_bit(image)


def on_white(image):
    if image.mode not in ("RGBA", "LA"):
        return image
    white = Image.new("RGBA", image.size, (255, 255, 255, 255))
    flat = Image.alpha_composite(white, image.convert("RGBA")).convert("RGB")
    return flat.convert("L") if image.mode == "LA" else flat


def psnr(reference_path, path):
    image = load(path)
    reference = load(reference_path)
    if "A" not in image.mode:
        reference = on_white(reference)
    reference = reference.convert(image.mode)
    rms = ImageStat.Stat(ImageChops.difference(reference, image)).rms
    mse = sum(value * value for value in rms) / len(rms)
    return math.inf if mse == 0 else 10 * math.log10(255 * 255 / mse)


def png_depth(path):
    with open(path, "rb") as file:
        head = file.read(25)
    return head[24] if head[:8] == b"\x89PNG\r\n\x1a\n" else 8


def deep_colour(path, image):
    if image.mode not in ("RGB", "RGBA"):
        return False
    bits = getattr(image, "tag_v2", {}).get(258, ())
    return png_depth(path) == 16 or 16 in (bits if isinstance(bits, tuple) else (bits,))


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


def pillow_samples(path):
    image = Image.open(path)
    image.load()
    if image.mode.startswith("I;16"):
        image = image.convert("I")
    return image.mode, image.size, image.tobytes()


def pillow_reads(source, jp2):
    """Pillow reads 16-bit colour at 8 bits, rounding to nearest: such a source's full-depth
    samples are rounded the same way to compare."""
    if not deep_colour(source, Image.open(source)):
        return pillow_samples(source) == pillow_samples(jp2)
    image = Image.open(jp2)
    image.load()
    _, size, raw, _ = samples(source)
    wide = struct.unpack(f"<{len(raw) // 2}H", raw)
    expected = Image.frombytes("RGBA", size, bytes(min(255, (v + 128) >> 8) for v in wide))
    return image.tobytes() == expected.convert(image.mode).tobytes()


def opj_decompressed(jp2, then):
    """What `then` answers of opj_decompress's PNG of JP2."""
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
    return f"{largest} {sum(ImageStat.Stat(difference).mean) / 3:.2f}"


def ycc_readers(source, jp2):
    reference = Image.open(source).convert("RGB")
    pillow = Image.open(jp2)
    openjpeg = opj_decompressed(jp2, lambda decoded: colour_error(reference, Image.open(decoded)))
    return f"{colour_error(reference, pillow)} {openjpeg}"


def jp2_carry(data):
    """The carry box's content after its UUID, and the codestream, of a JP2 file."""
    carry, codestream = None, None
    for at, length, kind in jp2_boxes(data):
        content = data[at + 8:at + length]
        if kind == b"uuid" and content[:16] == CARRY_UUID:
            carry = content[16:]
        elif kind == b"jp2c" and codestream is None:
            codestream = content
    return carry, codestream


def jpeg_carry(data):
    """The uuid box's content after its UUID, from the APP11 pieces, and the image data."""
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


def frames(path):
    """Each picture a file holds (several for MPF files), as a digest of its samples."""
    image = Image.open(path)
    digests = []
    for frame in range(getattr(image, "n_frames", 1)):
        image.seek(frame)
        digests.append(hashlib.sha256(image.tobytes()).hexdigest()[:16])
    return " ".join(digests)


def main(command, *paths):
    if command == "dpi":
        dpi = Image.open(paths[0]).info.get("dpi")
        print("none" if dpi is None else f"{round(dpi[0])} {round(dpi[1])}")
    elif command == "psnr":
        print(f"{psnr(*paths):.2f}")
    elif command == "carry":
        print(carry(paths[0]))
    elif command == "frames":
        print(frames(paths[0]))
    elif command == "jp2-readers":
        print(jp2_readers(*paths))
    elif command == "ycc-readers":
        print(ycc_readers(*paths))
    elif command == "same-samples":
        print("yes" if samples(paths[0]) == samples(paths[1]) else "no")


if __name__ == "__main__":
    main(*sys.argv[1:])
