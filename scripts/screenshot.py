#!/usr/bin/env python3
"""Saves a local X display's whole screen as a PNG file:  screenshot.py :1 screen.png

Speaks the X protocol itself, so that a machine with only what scripts/start.sh installs (python3, no
X client tools or image converters) can look at the virtual display start.sh made. It reads the first
screen of a display reached through its local socket, in the usual 24-bit true-colour layout."""
import socket
import struct
import sys
import zlib


def read_exactly(connection, size):
    data = bytearray()
    while len(data) < size:
        chunk = connection.recv(size - len(data))
        if not chunk:
            sys.exit("screenshot.py: the X server closed the connection")
        data += chunk
    return bytes(data)


def grab(display):
    number = display.lstrip(":").split(".")[0]
    connection = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    connection.connect(f"/tmp/.X11-unix/X{number}")
    connection.sendall(struct.pack("<BxHHHHxx", ord("l"), 11, 0, 0, 0))  # little-endian, no authorisation
    status, reason_length, _, _, length = struct.unpack("<BBHHH", read_exactly(connection, 8))
    setup = read_exactly(connection, length * 4)
    if status != 1:
        sys.exit(f"screenshot.py: {display} refused the connection: {setup[:reason_length].decode()}")
    vendor_length, formats = struct.unpack_from("<H", setup, 16)[0], setup[21]
    screen = 32 + (vendor_length + 3) // 4 * 4 + 8 * formats
    root, = struct.unpack_from("<I", setup, screen)
    width, height = struct.unpack_from("<HH", setup, screen + 20)
    depth = setup[screen + 38]
    if depth != 24:
        sys.exit(f"screenshot.py: {display} has depth {depth}; only 24 is read")
    # GetImage (73) of the root window in ZPixmap format: 32 bits a pixel, blue, green, red, unused.
    connection.sendall(struct.pack("<BBHIhhHHI", 73, 2, 5, root, 0, 0, width, height, 0xFFFFFFFF))
    header = read_exactly(connection, 32)
    if header[0] != 1:
        sys.exit(f"screenshot.py: GetImage failed with X error {header[1]}")
    pixels = read_exactly(connection, struct.unpack_from("<I", header, 4)[0] * 4)
    return width, height, pixels


def png(width, height, pixels):
    rows = bytearray()
    for y in range(height):
        line = pixels[y * width * 4:(y + 1) * width * 4]
        rgb = bytearray(width * 3)
        rgb[0::3], rgb[1::3], rgb[2::3] = line[2::4], line[1::4], line[0::4]
        rows += b"\0" + rgb

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(bytes(rows), 6)) + chunk(b"IEND", b""))


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit("usage: screenshot.py DISPLAY FILE.png")
    with open(sys.argv[2], "wb") as out:
        out.write(png(*grab(sys.argv[1])))
