#!/usr/bin/env python3
"""Pictures for trying the picture size checks.

  make_pictures.py png WIDTH HEIGHT OUT   a real, decodable PNG of any size (grey,
                                          one byte a pixel, compressed row by row,
                                          so 27000 x 27000 is about 1 MB)
  make_pictures.py seeds DIR              headers of every checked format, whole,
                                          cut short and malformed, as fuzz seeds
"""
import os
import struct
import sys
import zlib


def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def png_header(width, height, colour_type=0):
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0))


def write_png(width, height, out):
    squeeze = zlib.compressobj(9)
    row = b"\0" + bytes(width)  # filter byte, then the grey level of each pixel
    parts = []
    for y in range(height):
        # A white frame every 1000 rows, so the picture is not one flat colour.
        line = b"\0" + bytes([255]) * width if y % 1000 == 0 else row
        parts.append(squeeze.compress(line))
    parts.append(squeeze.flush())
    with open(out, "wb") as f:
        f.write(png_header(width, height) + chunk(b"IDAT", b"".join(parts)) + chunk(b"IEND", b""))


def segment(marker, payload):
    return bytes([0xFF, marker]) + struct.pack(">H", len(payload) + 2) + payload


def jpeg_header(width, height, marker=0xC0):
    frame = struct.pack(">BHHB", 8, height, width, 3) + bytes([1, 0x22, 0, 2, 0x11, 1, 3, 0x11, 1])
    return (b"\xff\xd8" + segment(0xE0, b"JFIF\0\1\1\0\0\1\0\1\0\0") + segment(0xC4, b"\x00" + bytes(16))
            + b"\xff\xff" + segment(marker, frame) + segment(0xDA, bytes(10)))


def seeds(folder):
    os.makedirs(folder, exist_ok=True)
    gif = b"GIF89a" + struct.pack("<HHBBB", 300, 200, 0x80, 0, 0) + bytes(6)
    gif += b"\x21\xf9\x04\0\0\0\0\0" + b"\x2c" + struct.pack("<HHHHB", 0, 0, 60000, 10, 0)
    bmp = b"BM" + struct.pack("<IIII", 0, 0, 54, 40) + struct.pack("<iiHH", 7000, -5000, 1, 24) + bytes(24)
    core = b"BM" + struct.pack("<IIII", 0, 0, 26, 12) + struct.pack("<HHHH", 900, 700, 1, 24)
    tiff = b"II*\0" + struct.pack("<IH", 8, 2) + struct.pack("<HHII", 256, 4, 1, 70000)
    tiff += struct.pack("<HHIHH", 257, 3, 1, 50, 0) + struct.pack("<I", 0)
    big_tiff = b"MM\0*" + struct.pack(">IH", 8, 1) + struct.pack(">HHII", 256, 4, 1, 5) + struct.pack(">I", 0)
    icon_png = png_header(20000, 30)
    icon = b"\0\0\1\0" + struct.pack("<HBBBBHHII", 1, 16, 32, 0, 0, 1, 32, len(icon_png), 22) + icon_png
    pictures = {
        "png_huge.png": png_header(27000, 27000),
        "jpeg_huge.jpg": jpeg_header(27000, 27000),
        "jpeg_progressive.jpg": jpeg_header(640, 480, 0xC2),
        "jpeg_cut.jpg": jpeg_header(8000, 8000)[:40],
        "jpeg_stray_bytes.jpg": b"\xff\xd8junk\xff\x00\xff\xd3" + jpeg_header(10, 10)[2:],
        "gif_wide_image.gif": gif,
        "bmp_top_down.bmp": bmp,
        "bmp_core.bmp": core,
        "tiff_le.tif": tiff,
        "tiff_be_no_length.tif": big_tiff,
        "icon_png.ico": icon,
    }
    for name, data in pictures.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    if len(sys.argv) == 5 and sys.argv[1] == "png":
        write_png(int(sys.argv[2]), int(sys.argv[3]), sys.argv[4])
    elif len(sys.argv) == 3 and sys.argv[1] == "seeds":
        seeds(sys.argv[2])
    else:
        sys.exit(__doc__)
