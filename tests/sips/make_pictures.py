#!/usr/bin/python3
# Makes the small sample pictures the sips tests convert: python3 make_pictures.py FOLDER.
import io
import struct
import subprocess
import sys
import zlib
from pathlib import Path

from PIL import Image, ImageChops, ImageCms, ImageFilter

WIDTH, HEIGHT = 96, 64
SIGNATURE = b"\x89PNG\r\n\x1a\n"


# Smooth gradients with soft texture, like a photograph, small enough to convert quickly.
def photo():
    texture = Image.effect_noise((WIDTH, HEIGHT), 40).filter(ImageFilter.GaussianBlur(1.5))
    ramp = Image.linear_gradient("L")
    across = ramp.transpose(Image.Transpose.ROTATE_90).resize((WIDTH, HEIGHT))
    red = ImageChops.blend(across, texture, 0.3)
    green = ImageChops.blend(Image.radial_gradient("L").resize((WIDTH, HEIGHT)), texture, 0.3)
    return Image.merge("RGB", (red, green, ramp.resize((WIDTH, HEIGHT))))


def with_alpha(image):
    rgba = image.convert("RGBA")
    rgba.putalpha(Image.linear_gradient("L").resize(image.size))
    return rgba


def png_chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))


def png_file(width, height, depth, colour, rows, interlace=0):
    header = struct.pack(">IIBBBBB", width, height, depth, colour, 0, 0, interlace)
    return (SIGNATURE + png_chunk(b"IHDR", header) + png_chunk(b"IDAT", zlib.compress(rows, 1)) +
            png_chunk(b"IEND", b""))


# A 16-bit RGB or RGBA PNG (Pillow writes 16-bit only for grey) of pixel(x, y)'s samples.
def write_png16(path, width, height, pixel):
    rows = bytearray()
    for y in range(height):
        rows += b"\0"
        for x in range(width):
            samples = pixel(x, y)
            rows += struct.pack(f">{len(samples)}H", *samples)
    colour = 2 if len(pixel(0, 0)) == 3 else 6
    Path(path).write_bytes(png_file(width, height, 16, colour, bytes(rows)))


def png_bytes(image):
    buffer = io.BytesIO()
    image.save(buffer, "PNG")
    return buffer.getvalue()


# ImageMagick's copy of `source` (a picture or a PNG file's bytes) with these options.
def convert(source, destination, *options):
    data = source if isinstance(source, bytes) else png_bytes(source)
    subprocess.run(["convert", "png:-", *options, str(destination)], input=data, check=True)


def segment(marker, body):
    return bytes([0xFF, marker]) + struct.pack(">H", len(body) + 2) + body


# Copies a JPEG with `extra` before its segment number `before_segment` (1 is the first after the
# start-of-image marker, 2 the one after the JFIF header).
def with_bytes(path, destination, before_segment, extra):
    data = Path(path).read_bytes()
    at = 2
    for _ in range(before_segment - 1):
        at += 2 + struct.unpack(">H", data[at + 2:at + 4])[0]
    Path(destination).write_bytes(data[:at] + extra + data[at:])


# The chunks of a PNG file as (type, body) pairs.
def png_chunks(data):
    chunks, at = [], 8
    while at < len(data):
        length = struct.unpack(">I", data[at:at + 4])[0]
        chunks.append((data[at + 4:at + 8], data[at + 8:at + 8 + length]))
        at += 12 + length
    return chunks


def exiftool(path, *arguments):
    subprocess.run(["exiftool", "-q", "-overwrite_original", *arguments, str(path)], check=True)


def main(folder):
    folder = Path(folder)
    folder.mkdir(parents=True, exist_ok=True)
    profile = ImageCms.ImageCmsProfile(ImageCms.createProfile("sRGB")).tobytes()
    base = photo()

    base.save(folder / "photo.jpg", quality=92, icc_profile=profile, dpi=(72, 72))
    fixed = struct.pack(">I", 72 << 16)
    info = (fixed + struct.pack(">HH", 1, 1)) * 2  # Photoshop's ResolutionInfo: 72 dpi
    info = b"Photoshop 3.0\08BIM\x03\xed\0\0" + struct.pack(">I", len(info)) + info
    with_bytes(folder / "photo.jpg", folder / "photo.jpg", 2, segment(0xED, info))
    exiftool(folder / "photo.jpg", "-Orientation#=6", "-DateTimeOriginal=2021:06:05 14:30:00",
             "-XMP-dc:Title=Harbour at dusk", "-XMP-tiff:XResolution=72",
             "-XMP-tiff:YResolution=72", "-IPTC:Keywords=harbour")
    with_alpha(base).save(folder / "alpha.png")
    write_png16(folder / "deep.png", WIDTH, HEIGHT, lambda x, y: tuple(
        v * 257 + low for v, low in zip(base.getpixel((x, y)), (x, 0, y))))
    # What libtiff's RGBA reader decodes, over several bands of rows: a bilevel scan, and a
    # palette in tiles.
    tall = base.resize((200, 700))
    convert(tall, folder / "bilevel.tif", "-monochrome", "-compress", "Group4")
    convert(tall, folder / "palette-tiles.tif", "-type", "Palette", "-define",
            "tiff:tile-geometry=64x64")
    # 48 megapixels of RGB, 144 MB: more than the tool holds in memory for an interlaced picture.
    ramp = Image.linear_gradient("L").resize((8000, 6000))
    wide = Image.merge("RGB", (ramp, Image.radial_gradient("L").resize((8000, 6000)),
                               ramp.transpose(Image.Transpose.ROTATE_180)))
    wide.save(folder / "bigplain.png", compress_level=1)
    subprocess.run(["convert", folder / "bigplain.png", "-interlace", "PNG", "-define",
                    "png:exclude-chunk=all", folder / "biginterlaced.png"], check=True)
    # Its Y, Cb and Cr coefficients at 4:2:0 take 144 MB too.
    wide.save(folder / "bigprogressive420.jpg", quality=90, progressive=True, subsampling=2)
    # Tiles that overhang the picture, and separate sample planes (Pillow writes neither).
    convert((folder / "deep.png").read_bytes(), folder / "tiled16.tif", "-define",
            "tiff:tile-geometry=48x48", "-compress", "zip")
    convert(with_alpha(base), folder / "planes.tif", "-interlace", "plane", "-compress", "lzw")
    base.quantize(64).save(folder / "palette.png")
    base.convert("L").save(folder / "grey.jpg", quality=95)
    base.save(folder / "picture.tif", compression="tiff_lzw", dpi=(150, 150))
    exiftool(folder / "picture.tif", "-XMP-dc:Title=Harbour at dusk")
    base.convert("CMYK").save(folder / "cmyk.jpg", quality=95)
    base.save(folder / "progressive.jpg", quality=90, progressive=True, dpi=(96, 96))
    # 24 megapixels at 4:4:4: 144 MB of coefficients, more than the tool holds in memory.
    ramp = Image.linear_gradient("L").resize((6000, 4000))
    grey = base.resize((6000, 4000)).convert("L")
    Image.merge("RGB", (ramp, ramp.transpose(Image.Transpose.ROTATE_180), grey)).save(
        folder / "bigprogressive.jpg", quality=90, progressive=True, subsampling=0)
    with_alpha(base).convert("LA").save(folder / "greyalpha.png", dpi=(150, 150))
    deep_grey = Image.linear_gradient("L").resize((WIDTH, HEIGHT)).convert("I")
    deep_grey.point(lambda v: v * 257 + 3).convert("I;16").save(folder / "deepgrey.tif")
    # Malformed metadata segments, which a copy leaves out.
    for name, marker, payload in (
            ("badexif.jpg", 0xE1, b"Exif\0\0MM\0\x2a\0\0\0\x08\xff\xff\0\x01"),
            ("badicc.jpg", 0xE2, b"ICC_PROFILE\0\x02\x01" + bytes(40)),
            ("badphotoshop.jpg", 0xED, b"Photoshop 3.0\08BIM\x04\x04\0\0\xff\xff\xff\xf0"),
            ("badxmp.jpg", 0xE1,
             b"http://ns.adobe.com/xap/1.0/\0<x:xmpmeta xmlns:x='adobe:ns:meta/'><rdf:RDF")):
        with_bytes(folder / "grey.jpg", folder / name, 2, segment(marker, payload))
    # Readable damage, which the copy must still make exact: stray bytes among the metadata of a
    # baseline JPEG and among the tables of a progressive one, and PNG files.
    with_bytes(folder / "photo.jpg", folder / "stray.jpg", 4, b"\0\x07\0")
    with_bytes(folder / "progressive.jpg", folder / "stray-progressive.jpg", 3, b"\0\x07\0")
    restarts = folder / "restarts.jpg"
    subprocess.run(["jpegtran", "-restart", "5B", "-outfile", restarts, folder / "photo.jpg"],
                   check=True)
    with_bytes(restarts, folder / "stray-restarts.jpg", 2, b"\0\x07\0")
    # A PNG whose first image data chunk's CRC is wrong, refused; and PNG files that libpng reads
    # whole but whose chunks do not add up, beside the intact files they were made from: a palette
    # with transparency that stops after its image data, and 16-bit colour with a text chunk whose
    # CRC is wrong between two sound ones.
    data = bytearray((folder / "palette.png").read_bytes())
    at = data.index(b"IDAT")
    data[at + 4 + struct.unpack(">I", data[at - 4:at])[0]] ^= 0x01
    (folder / "badcrc.png").write_bytes(bytes(data))
    chunks = png_chunks((folder / "palette.png").read_bytes())
    alphas = png_chunk(b"tRNS", bytes(range(0, 256, 4)))
    intact = b"".join(png_chunk(kind, body) + (alphas if kind == b"PLTE" else b"")
                      for kind, body in chunks)
    (folder / "palette-alpha.png").write_bytes(SIGNATURE + intact)
    (folder / "no-end.png").write_bytes(SIGNATURE + intact[:-12])
    # More ancillary chunks than the tool holds while it encodes the picture anew.
    notes = b"".join(png_chunk(b"tEXt", b"Note\0%d" % n) for n in range(1200))
    (folder / "many-chunks.png").write_bytes(SIGNATURE + intact[:-12] + notes)
    head, *rest = png_chunks((folder / "deep.png").read_bytes())
    scratched = bytearray(png_chunk(b"tEXt", b"Comment\0scratched"))
    scratched[-1] ^= 0x01
    (folder / "bad-text-crc.png").write_bytes(
        SIGNATURE + png_chunk(*head) + png_chunk(b"tEXt", b"Title\0Harbour") + bytes(scratched) +
        png_chunk(b"gAMA", struct.pack(">I", 45455)) +
        b"".join(png_chunk(kind, body) for kind, body in rest))
    # Large enough that its carry spans many JPEG segments, and its JPEG 2000 encoding several bands
    # and tiles, the last ones partial.
    base.resize((600, 700)).save(folder / "large.png", compress_level=0)
    # Five JPEG 2000 tiles across (the last 6 columns wide) and three bands (the last 12 rows high),
    # at 16 bits, whose low bytes vary, so that only full-depth decoding matches it. No sample
    # exceeds 65407, which Pillow 9.4 reads from JPEG 2000 as 0 (its rounding wraps).
    write_png16(folder / "wide16.png", 1030, 140, lambda x, y: (
        (x * 61 + y) % 65408, (y * 251 + x * 7) % 65408, (x * y) % 65408, 65000 - x * 63))
    # What PNG cannot hold: ink, several pages.
    base.convert("CMYK").save(folder / "ink.tif", compression="tiff_lzw")
    base.save(folder / "pages.tif", save_all=True, append_images=[base.rotate(180)])
    base.save(folder / "photo.jp2")
    # Two pictures in one file, as stereo cameras and phones (gain maps) write them; ExifTool
    # moves the index when the title makes the header grow.
    base.save(folder / "pair.jpg", "MPO", save_all=True, append_images=[base.rotate(180)])
    exiftool(folder / "pair.jpg", "-XMP-dc:Title=Harbour at dusk")
    # A motion photo: a video follows the picture.
    (folder / "motion.jpg").write_bytes((folder / "grey.jpg").read_bytes() + b"\0\0\0\x18ftypmp42" +
                                        bytes(range(256)) * 20)
    (folder / "text.txt").write_text("not a picture at all\n")
    # YCbCr JPEGs whose planes the intermediate keeps (4:2:0 and 4:2:2 of even sides, baseline
    # and progressive), over several tiles (256x64) and bands, the last ones partial; and those that
    # keep RGB: odd sides, other samplings.
    # Sharp coloured edges, so that misplaced or swapped planes show.
    picture = base.resize((602, 402), Image.Resampling.NEAREST)
    picture.save(folder / "planes420.jpg", quality=90, subsampling=2)
    picture.save(folder / "planes422.jpg", quality=90, subsampling=1)
    picture.resize((334, 250)).save(folder / "planes420progressive.jpg", quality=90,
                                    subsampling=2, progressive=True)
    picture.save(folder / "rgb444.jpg", quality=90, subsampling=0)
    convert(picture, folder / "rgb411.jpg", "-sampling-factor", "4x1", "-quality", "90")
    picture.resize((601, 401)).save(folder / "rgb420odd.jpg", quality=90, subsampling=2)


if __name__ == "__main__":
    main(sys.argv[1])
