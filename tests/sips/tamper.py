#!/usr/bin/python3
# Damages the intermediates of the conversion chain the way the carry tests need.
#
#   tamper.py EDIT FILE
#
#   image          JP2: changes a letter of the codestream's comment; JPEG: a quantisation step
#   truncate       shortens the carried source, keeping the box or the segments well-formed
#   forge          changes one byte of the carried source
#   forge-crc      JP2: changes the CRC of the carried PNG's first IDAT chunk (decodes the same)
#   codestream     JP2: garbles 256 bytes of coded data in the middle of the codestream
#   drop           JP2: removes the carry box
import struct
import sys
from pathlib import Path

CARRY_UUID = bytes.fromhex("9d3c510e6a4f4b8ea170504c574b5352")


def jp2_boxes(data):
    at = 0
    while at + 8 <= len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        length = length or len(data) - at
        yield at, length, kind
        at += length


def jp2_box(data, wanted, head=b""):
    return next((at, length) for at, length, kind in jp2_boxes(data)
                if kind == wanted and data[at + 8:at + 8 + len(head)] == head)


def jpeg_segments(data):
    at = 2
    while data[at + 1] != 0xDA:
        length = struct.unpack(">H", data[at + 2:at + 4])[0]
        yield at, length + 2, data[at + 1]
        at += length + 2


def is_carry(data, at, marker):
    return marker == 0xEB and data[at + 4:at + 8] == b"JP\x50\x4c"


def flipped(data, at, size=1, mask=0x01):
    return data[:at] + bytes(b ^ mask for b in data[at:at + size]) + data[at + size:]


def tamper_jp2(edit, data):
    at, length = jp2_box(data, b"uuid", CARRY_UUID)
    start, size = jp2_box(data, b"jp2c")
    if edit == "codestream":
        return flipped(data, start + size // 2, 256, 0xA5)
    if edit == "drop":
        return data[:at] + data[at + length:]
    if edit == "image":
        # The first letter of the codestream's comment (COM: marker, length, registration).
        return flipped(data, data.index(b"\xff\x64", start) + 6, mask=0x20)
    if edit == "truncate":
        cut = 100
        return (data[:at] + struct.pack(">I", length - cut) + data[at + 4:at + length - cut] +
                data[at + length:])
    if edit == "forge-crc":
        chunk = at + 8 + 16 + 84 + 8  # box head, UUID, the carry's fields, PNG signature
        while data[chunk + 4:chunk + 8] != b"IDAT":
            chunk += 12 + struct.unpack(">I", data[chunk:chunk + 4])[0]
        return flipped(data, chunk + 8 + struct.unpack(">I", data[chunk:chunk + 4])[0])
    return flipped(data, at + length - 50)  # forge


def tamper_jpeg(edit, data):
    segments = [(at, size) for at, size, marker in jpeg_segments(data)
                if is_carry(data, at, marker)]
    last = segments[-1][0] + segments[-1][1]
    if edit == "image":
        table = next(at for at, size, marker in jpeg_segments(data) if marker == 0xDB)
        step = table + 5 + 63  # the last step of the first table
        return data[:step] + bytes([min(data[step] + 1, 255)]) + data[step + 1:]
    if edit == "truncate":
        return data[:segments[-1][0]] + data[last:]
    return flipped(data, last - 10)  # forge


if __name__ == "__main__":
    edit, path = sys.argv[1], Path(sys.argv[2])
    data = path.read_bytes()
    path.write_bytes((tamper_jpeg if data[:2] == b"\xff\xd8" else tamper_jp2)(edit, data))
