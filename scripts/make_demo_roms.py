#!/usr/bin/env python3
"""Writes a few small made-up ROM files for a first run; their names steer the stand-in tool's answers."""
import pathlib
import sys

DEMOS = {
    "Demo Quest.gba": b"DEMO QUEST\0\0AQDE01",
    "Already patched.gba": b"PATCHED GAME" + b"APGE01",
    "Problem child.gba": b"PROBLEMS\0\0\0\0APRE01",
    "Broken save.agb": b"BROKEN\0\0\0\0\0\0ABSE01",
    "Error prone.bin": b"ERRORS\0\0\0\0\0\0AERE01",
}

folder = pathlib.Path(sys.argv[1])
folder.mkdir(parents=True, exist_ok=True)
for name, header in DEMOS.items():
    image = bytearray(512)
    image[160:160 + len(header)] = header
    (folder / name).write_bytes(bytes(image))
