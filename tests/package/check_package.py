#!/usr/bin/env python3
"""Makes the release archive with scripts/package.sh, unpacks it, and checks what it holds: the four files,
a version resource that says the project's version, and an .exe that needs nothing but Windows' own DLLs.

usage: check_package.py SOURCE_ROOT PROJECT_VERSION
"""
import re
import struct
import subprocess
import sys
import tempfile
import zipfile

EXPECTED_FILES = {"QuarvelFE.exe", "quarvel.chm", "README.txt", "LICENSE.txt"}
# DLLs every Windows has; a program that needs another one cannot run from a bare folder.
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "comdlg32.dll", "shell32.dll",
               "advapi32.dll", "msvcrt.dll", "ole32.dll", "oleaut32.dll", "shlwapi.dll", "uxtheme.dll"}


def fixed_file_version(exe):
    """The file and product version numbers of the version resource (VS_FIXEDFILEINFO), read from the file."""
    data = open(exe, "rb").read()
    at = data.find(struct.pack("<I", 0xFEEF04BD))
    if at < 0:
        return None
    file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<4I", data, at + 8)
    numbers = lambda ms, ls: (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)
    return numbers(file_ms, file_ls), numbers(product_ms, product_ls)


def string_value(exe, name):
    """A value of the version resource's string table (UTF-16 key, padding, UTF-16 value)."""
    data = open(exe, "rb").read()
    key = (name + "\0").encode("utf-16-le")
    at = data.find(key)
    if at < 0:
        return None
    at += len(key)
    at += (4 - at % 4) % 4  # values start on a 32-bit boundary
    end = data.find(b"\0\0", at)
    while end >= 0 and (end - at) % 2:
        end = data.find(b"\0\0", end + 1)
    return data[at:end].decode("utf-16-le")


def needed_dlls(exe):
    dump = subprocess.run(["i686-w64-mingw32-objdump", "-p", exe], check=True, capture_output=True, text=True)
    return {name.lower() for name in re.findall(r"DLL Name: (\S+)", dump.stdout)}


def main():
    root, version = sys.argv[1:3]
    made = subprocess.run([root + "/scripts/package.sh"], check=True, capture_output=True, text=True)
    archive = made.stdout.strip().splitlines()[-1]
    problems = []
    if not archive.endswith(f"/QuarvelFE-{version}.zip"):
        problems.append(f"the archive is {archive}, not QuarvelFE-{version}.zip")
    with tempfile.TemporaryDirectory() as folder:
        with zipfile.ZipFile(archive) as packed:
            names = set(packed.namelist())
            packed.extractall(folder)
        if names != EXPECTED_FILES:
            problems.append(f"the archive holds {sorted(names)}, not {sorted(EXPECTED_FILES)}")
        exe = folder + "/QuarvelFE.exe"
        numbers = tuple(int(part) for part in version.split("."))
        numbers += (0,) * (4 - len(numbers))
        if fixed_file_version(exe) != (numbers, numbers):
            problems.append(f"version numbers {fixed_file_version(exe)}, expected {numbers}")
        if string_value(exe, "ProductVersion") != version:
            problems.append(f"ProductVersion {string_value(exe, 'ProductVersion')!r}, expected {version!r}")
        header = subprocess.run(["i686-w64-mingw32-objdump", "-f", exe], capture_output=True, text=True).stdout
        if "file format pei-i386" not in header:
            problems.append("the .exe is a 64-bit program; the release is the 32-bit build")
        others = needed_dlls(exe) - SYSTEM_DLLS
        if others or not needed_dlls(exe):
            problems.append(f"the .exe needs DLLs beyond the system's: {sorted(others)}")
        readme = open(folder + "/README.txt", encoding="cp1252", newline="").read()
        if "Quarvel.exe" not in readme or "\r\n" not in readme:
            problems.append("README.txt does not tell where Quarvel.exe goes, in Windows line ends")
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
