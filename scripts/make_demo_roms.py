#!/usr/bin/env python3
"""Writes a few small made-up ROM files for a first run; their names steer the stand-in tool's answers.
The X11 drop test writes its files with rom_image too."""
import pathlib
import sys

DEMOS = {
    "Demo Quest.gba": b"DEMO QUEST\0\0AQDE01",
    "Already patched.gba": b"PATCHED GAME" + b"APGE01",
    "Problem child.gba": b"PROBLEMS\0\0\0\0APRE01",
    "Broken save.agb": b"BROKEN\0\0\0\0\0\0ABSE01",
    "Error prone.bin": b"ERRORS\0\0\0\0\0\0AERE01",
}


def rom_image(size, header):
    """A made-up ROM file: zeros, with `header` written at offset 160 (cut off where the file ends)."""
    image = bytearray(size)
    room = max(0, min(len(header), size - 160))
    image[160:160 + room] = header[:room]
    return bytes(image)


if __name__ == "__main__":
    folder = pathlib.Path(sys.argv[1])
    folder.mkdir(parents=True, exist_ok=True)
    for name, header in DEMOS.items():
        (folder / name).write_bytes(rom_image(512, header))
