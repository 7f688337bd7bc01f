#!/usr/bin/python3
# Makes the damaged, hostile and odd pictures the sips robustness tests feed the tool:
# python3 make_hostile_pictures.py FOLDER. Each is a few hundred bytes to a few kilobytes.
import io
import struct
import subprocess
import sys
import zlib
from pathlib import Path

from PIL import Image

from make_pictures import photo, png_bytes, png_chunk, png_file, segment


# A little-endian TIFF with one IFD at offset 8; `entries` are (tag, type, count, value) with
# the value inline, and the entry `tail_tag` of type `tail_kind` holds the offset of `tail`, which
# follows the IFD.
def tiff(entries, tail_tag, tail, tail_kind=4):
    entries = sorted(entries + [(tail_tag, tail_kind, 1, 8 + 2 + 12 * (len(entries) + 1) + 4)])
    ifd = struct.pack("<H", len(entries))
    for tag, kind, count, value in entries:
        ifd += struct.pack("<HHII", tag, kind, count, value)
    return b"II*\0" + struct.pack("<I", 8) + ifd + struct.pack("<I", 0) + tail


def jpeg_bytes(image, **options):
    out = io.BytesIO()
    image.save(out, "JPEG", **options)
    return out.getvalue()


# A valid 8x8 progressive JPEG of flat blocks whose every coefficient arrives bit plane by bit
# plane, a scan each: 14 scans for the DC and 882 for the AC coefficients of each component.
# Each scan's data is one Huffman code, "0", padded with ones.
def many_scans(components):
    out = b"\xff\xd8" + segment(0xDB, b"\x00" + bytes([1] * 64))
    frame = struct.pack(">BHHB", 8, 8, 8, components)
    for component in range(1, components + 1):
        frame += bytes([component, 0x11, 0])
    one_code = bytes([1] + [0] * 15) + b"\x00"
    out += segment(0xC2, frame) + segment(0xC4, b"\x00" + one_code + b"\x10" + one_code)

    def planes(component, band):
        first = segment(0xDA, bytes([1, component, 0, band, band, 13])) + b"\x7f"
        return first + b"".join(
            segment(0xDA, bytes([1, component, 0, band, band, (low + 1) << 4 | low])) + b"\x7f"
            for low in range(12, -1, -1))

    for component in range(1, components + 1):
        out += planes(component, 0)
    for component in range(1, components + 1):
        out += b"".join(planes(component, band) for band in range(1, 64))
    return out + b"\xff\xd9"


# The JPEG with its frame header claiming another size.
def with_size(jpeg, width, height):
    for marker in (b"\xff\xc0", b"\xff\xc2"):
        at = jpeg.find(marker)
        if at >= 0:
            return jpeg[: at + 5] + struct.pack(">HH", height, width) + jpeg[at + 9 :]
    raise ValueError("no frame header")


# The JPEG cut `kept` bytes into its `scan`-th scan's data (before the scan when `kept` is
# None), then closed with an end marker.
def scan_cut(jpeg, kept, scan=1):
    at = -1
    for _ in range(scan):
        at = jpeg.index(b"\xff\xda", at + 1)
    if kept is None:
        return jpeg[:at] + b"\xff\xd9"
    length = struct.unpack(">H", jpeg[at + 2 : at + 4])[0]
    return jpeg[: at + 2 + length + kept] + b"\xff\xd9"


def main(folder):
    folder = Path(folder)
    folder.mkdir(parents=True, exist_ok=True)
    base = photo()

    # Refused: damage that libjpeg would otherwise fill with grey.
    baseline = jpeg_bytes(base, quality=90)
    progressive = jpeg_bytes(base, quality=90, progressive=True)
    (folder / "cut-scan.jpg").write_bytes(scan_cut(baseline, 600))
    (folder / "cut-progression.jpg").write_bytes(scan_cut(progressive, None, scan=3))

    # Refused: headers claiming more than the file can hold, or more than the tool reads.
    tiny = jpeg_bytes(Image.new("RGB", (16, 16), (90, 120, 200)), quality=50)
    tiny_progressive = jpeg_bytes(Image.new("RGB", (16, 16), (90, 120, 200)), progressive=True)
    (folder / "bomb.jpg").write_bytes(scan_cut(with_size(tiny, 65500, 65500), 4))
    (folder / "bomb-progressive.jpg").write_bytes(
        scan_cut(with_size(tiny_progressive, 65500, 65500), 4))
    (folder / "bomb-under-limit.jpg").write_bytes(scan_cut(with_size(tiny, 15000, 15000), 4))

    for name, side in (("bomb.png", 100000), ("bomb-under-limit.png", 15000)):
        (folder / name).write_bytes(png_file(side, side, 8, 2, b"\0" * 4096, interlace=1))

    data = zlib.compress(b"\0" * 64)
    for name, side in (("bomb.tif", 100000), ("bomb-under-limit.tif", 15000)):
        entries = [(256, 4, 1, side), (257, 4, 1, side), (258, 3, 1, 8), (259, 3, 1, 8),
                   (262, 3, 1, 1), (277, 3, 1, 1), (322, 4, 1, 16384), (323, 4, 1, 16384),
                   (325, 4, 1, len(data))]
        (folder / name).write_bytes(tiff(entries, 324, data))

    codestream = io.BytesIO()
    base.save(codestream, "JPEG2000", irreversible=False)
    codestream = codestream.getvalue()
    siz = codestream.index(b"\xff\x51")
    for name, side in (("bomb.j2k", 65500), ("bomb-under-limit.j2k", 15000)):
        patched = codestream[: siz + 6] + struct.pack(">II", side, side) + codestream[siz + 14 :]
        (folder / name).write_bytes(patched)

    # Valid, but a pass over the picture per scan: 896 scans convert, 2688 are refused.
    (folder / "896-scans.jpg").write_bytes(many_scans(1))
    (folder / "2688-scans.jpg").write_bytes(many_scans(3))

    # The largest side the tool takes, and one pixel more.
    for side in (65535, 65536):
        line = Image.linear_gradient("L").resize((side, 1)).convert("RGB")
        line.save(folder / f"side-{side}.png")

    # Refused with a reason of its own, not libtiff's silence.
    entries = [(256, 4, 1, 4), (257, 4, 1, 4), (258, 3, 1, 8), (259, 3, 1, 1), (277, 3, 1, 1),
               (278, 4, 1, 4), (279, 4, 1, 16)]
    (folder / "no-photometric.tif").write_bytes(tiff(entries, 273, b"\x80" * 16))

    # Converted, with what cannot be carried dropped: a PNG as libvips writes camera photos (the
    # EXIF block twice, once on each side of the image data), EXIF that cannot be read, and a
    # ResolutionUnit without value.
    plain = png_bytes(base)
    camera = Path(__file__).parent / "cameras" / "canon-sd450.jpg"
    exif = subprocess.run(["exiftool", "-b", "-EXIF", camera], capture_output=True, check=True)
    exif = png_chunk(b"eXIf", exif.stdout)
    (folder / "maker-notes.png").write_bytes(plain[:33] + exif + plain[33:-12] + exif + plain[-12:])
    broken = png_chunk(b"eXIf", b"II*\0\xff\xff\xff\x7f")  # its first IFD far past the end
    (folder / "unreadable-exif.png").write_bytes(plain[:33] + broken + plain[33:])
    # Both resolutions are the one 72/1 after the IFD of four entries, at byte 62.
    no_unit = tiff([(0x0112, 3, 1, 6), (0x011B, 5, 1, 62), (0x0128, 3, 0, 0)], 0x011A,
                   struct.pack("<II", 72, 1), tail_kind=5)
    base.save(folder / "no-unit.jpg", quality=90, exif=b"Exif\0\0" + no_unit)

    # Big enough that converting it takes a while: the tool is killed in the middle.
    Image.effect_noise((2000, 2000), 80).convert("RGB").save(folder / "large.jpg", quality=95)


if __name__ == "__main__":
    main(sys.argv[1])
