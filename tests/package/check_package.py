#!/usr/bin/env python3
"""usage: check_package.py SOURCE_ROOT PROJECT_VERSION. Makes the release archive with scripts/package.sh,
unpacks it and checks it: the four files; a 32-bit .exe whose version resource says the project's version
and that needs only Windows' own DLLs; a README with Windows line ends that begins with the way in (unblock the
zip file, SmartScreen) and says where Quarvel.exe goes."""
import re, struct, subprocess, sys, tempfile, zipfile

SYSTEM_DLLS = set("kernel32 user32 gdi32 comctl32 comdlg32 shell32 advapi32 msvcrt ole32 oleaut32 oleacc msimg32 "
                  "shlwapi".split())


def main():
    root, version = sys.argv[1:3]
    archive = subprocess.run([root + "/scripts/package.sh"], check=True, capture_output=True, text=True).stdout.split()[-1]
    problems = [] if archive.endswith(f"/QuarvelFE-{version}.zip") else [f"the archive is {archive}"]
    with tempfile.TemporaryDirectory() as folder, zipfile.ZipFile(archive) as packed:
        if sorted(packed.namelist()) != ["LICENSE.txt", "QuarvelFE.exe", "README.txt", "quarvel.chm"]:
            problems.append(f"the archive holds {packed.namelist()}")
        packed.extractall(folder)
        exe = open(folder + "/QuarvelFE.exe", "rb").read()
        # VS_FIXEDFILEINFO: its signature, its struct version, then the file and product version numbers.
        at = exe.find(struct.pack("<I", 0xFEEF04BD))
        found = struct.unpack_from("<4I", exe, at + 8) if at >= 0 else None
        numbers = [int(n) for n in version.split(".")] + [0] * (4 - len(version.split(".")))
        wanted = ((numbers[0] << 16 | numbers[1]), (numbers[2] << 16 | numbers[3])) * 2
        if found != wanted:
            problems.append(f"version numbers {found}, expected {wanted}")
        utf16 = lambda text: re.escape((text + "\0").encode("utf-16-le"))
        if not re.search(utf16("ProductVersion") + b"(?:\0\0)?" + utf16(version), exe):  # padded to 32 bits
            problems.append(f"the ProductVersion string is not {version}")
        dump = subprocess.run(["i686-w64-mingw32-objdump", "-p", folder + "/QuarvelFE.exe"],
                              check=True, capture_output=True, text=True).stdout
        if "file format pei-i386" not in dump:
            problems.append("the .exe is not the 32-bit build")
        dlls = {name.lower() for name in re.findall(r"DLL Name: (\S+)\.dll", dump, re.I)}
        if not dlls or dlls - SYSTEM_DLLS:
            problems.append(f"the .exe needs DLLs beyond the system's: {sorted(dlls - SYSTEM_DLLS)}")
        readme = open(folder + "/README.txt", encoding="cp1252", newline="").read()
        if "Quarvel.exe" not in readme or "\r\n" not in readme:
            problems.append("README.txt does not say where Quarvel.exe goes, in Windows line ends")
        # The way in comes first: unblocked before it is extracted, and past SmartScreen.
        if not ("Unblock" in readme[:readme.find("Quarvel.exe")] and "Run anyway" in readme[:1500]):
            problems.append("README.txt does not begin with unblocking the zip file and SmartScreen's question")
    print("\n".join(problems))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
