#!/usr/bin/python3
"""What a newcomer sees from scripts/start.sh with no DISPLAY set: the hint names the virtual display, a VNC
server answers on the port it prints, and its screenshot command saves the screen; the front-end's main window
there has its title bar (with no window manager, Wine draws one only for an unmanaged window); a real click on
its close button ends start.sh, and nothing of the run is left: no virtual display, VNC server or Wine, and no
Managed value in the Wine prefix.

  newcomer_start_test.py ROOT ARCH

Runs the real start.sh on the programs built already (QUARVEL_START_BUILT=1), in a Wine prefix of the test's
own (QUARVEL_START_PREFIX), so that a front-end a person started from this checkout is left alone. Ends only
what that run started. Exit code 0 when every check held."""
import os
import re
import signal
import socket
import struct
import subprocess
import sys
import tempfile
import threading
import time
import zlib

from Xlib import X, display as xdisplay, error as xerror
from Xlib.ext import xtest

MAIN_CAPTION = "Quarvel Front-End v1.1"
HINT_WAIT_S = 300  # a fresh prefix first: 20-60 s, more on a busy machine
WINDOW_WAIT_S = 120
PAINT_WAIT_S = 30
END_WAIT_S = 60
START = time.monotonic()
# The front-end's X11 settings in a prefix's user.reg: the key's line, then its values up to a blank line.
FRAME_KEY = re.compile(r"^(\[Software\\\\Wine\\\\AppDefaults\\\\QuarvelFE\.exe\\\\X11 Driver\][^\n]*\n)"
                       r"(.*?)(?=\n\n|\Z)", re.M | re.S)


def log(text):
    print(f"[{time.monotonic() - START:7.2f}s] {text}", flush=True)


class CheckFailed(Exception):
    pass


def check(condition, text):
    if not condition:
        raise CheckFailed(text)
    log("ok: " + text)


def wait_for(produce, seconds, pause=0.2, done=bool):
    """produce() until done(its value) holds or the time is up; returns the last value."""
    deadline = time.monotonic() + seconds
    while True:
        value = produce()
        if done(value) or time.monotonic() >= deadline:
            return value
        time.sleep(pause)


def processes_of(prefix):
    """Processes started with this WINEPREFIX: start.sh exports it before it starts anything, so the virtual
    display, the VNC server and every Wine process of its run have it."""
    wanted = b"WINEPREFIX=" + prefix.encode()
    found = {}
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{pid}/environ", "rb") as environ, open(f"/proc/{pid}/cmdline", "rb") as cmdline:
                if wanted in environ.read().split(b"\0"):
                    found[int(pid)] = cmdline.read().replace(b"\0", b" ").decode(errors="replace").strip()
        except OSError:
            pass
    return found


def read_png(path):
    """(width, height, rows of RGB bytes) of a PNG as scripts/screenshot.py writes it (8-bit RGB, no filter)."""
    with open(path, "rb") as png:
        data = png.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise CheckFailed(f"the screenshot command saved no PNG file ({len(data)} bytes)")
    width, height, depth, kind = struct.unpack(">IIBB", data[16:26])
    chunks, at = b"", 8
    while at < len(data):
        size, name = struct.unpack(">I4s", data[at:at + 8])
        chunks += data[at + 8:at + 8 + size] if name == b"IDAT" else b""
        at += 12 + size
    raw, stride = zlib.decompress(chunks), width * 3 + 1
    if (depth, kind) != (8, 2) or any(raw[y * stride] for y in range(height)):
        raise CheckFailed("the screenshot is not 8-bit RGB without row filters, as screenshot.py writes")
    return width, height, [raw[y * stride + 1:(y + 1) * stride] for y in range(height)]


def title_colours(prefix):
    """The caption colours of the prefix's scheme, which draws each caption in one colour: active, inactive."""
    with open(os.path.join(prefix, "user.reg"), encoding="utf-8", errors="replace") as registry:
        colours = registry.read().split("[Control Panel\\\\Colors]", 1)[1].split("\n[", 1)[0]
    return [bytes(int(v) for v in re.search(rf'^"{name}"="(\d+) (\d+) (\d+)"', colours, re.M).groups())
            for name in ("ActiveTitle", "InactiveTitle")]


def find_caption(rows, window, colours):
    """The title bar at the top of the X window (x, y, width, height on the screen): the rows, from at most
    8 below its top, of which most pixels have one caption colour, and the close button, the rightmost run of
    other pixels inside the caption. Returns (first row, last row, colour, close button's x range) or a text
    saying what the top of the window holds instead."""
    x, y, width, height = window
    band = []
    for row in range(y, y + min(height, 60)):
        line = rows[row][x * 3:(x + width) * 3]
        pixels = [line[i:i + 3] for i in range(0, len(line), 3)]
        colour = next((c for c in colours if pixels.count(c) >= width * 0.6), None)
        if colour and (not band or band[-1][1] == colour):
            band.append((row, colour, pixels))
        elif band:
            break
    if len(band) < 10 or band[0][0] > y + 8:
        top = rows[y][x * 3:(x + width) * 3]
        common = max(set(top[i:i + 3] for i in range(0, len(top), 3)), key=top.count)
        found = f"{len(band)} rows of one, from {band[0][0] - y} px below its top" if band else "none"
        return (f"no band of the caption colours {[tuple(c) for c in colours]} at the top of the window: {found}; "
                f"its top row is mostly {tuple(common)}")
    row, colour, pixels = band[len(band) // 2]
    inside = [i for i, pixel in enumerate(pixels) if pixel == colour]
    right = max((i for i in range(inside[0], inside[-1]) if pixels[i] != colour), default=None)
    if right is None:
        return "a band of the caption colour with no button in it"
    left = right
    while pixels[left - 1] != colour:
        left -= 1
    return band[0][0], band[-1][0], colour, (x + left, x + right)


class NewcomerStart:
    def __init__(self, root, arch):
        self.root = root
        self.prefix = os.path.join(root, "build", f"wineprefix-start-test-{arch}")
        self.process = None
        self.output = []
        self.work = tempfile.TemporaryDirectory(prefix="quarvel-start-")

    def running(self):
        return self.process.poll() is None

    def said(self):
        return "".join(self.output)

    def start(self):
        environment = {k: v for k, v in os.environ.items() if k != "DISPLAY"}
        environment.update(QUARVEL_START_BUILT="1", QUARVEL_START_PREFIX=self.prefix)
        self.process = subprocess.Popen(["bash", os.path.join(self.root, "scripts", "start.sh")], env=environment,
                                        stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                                        text=True, start_new_session=True)
        threading.Thread(target=lambda: self.output.extend(self.process.stdout), daemon=True).start()
        log(f"started scripts/start.sh (pid {self.process.pid}) with no DISPLAY, prefix {self.prefix}")

    def check_hint(self):
        said = wait_for(self.said, HINT_WAIT_S, done=lambda text: "Starting " in text or not self.running())
        log("start.sh said:\n" + said)
        shown = re.search(r"runs on the virtual display (:\d+)\.", said)
        check(shown is not None, "the hint names the virtual display")
        self.display = shown.group(1)
        port = re.search(r"A VNC server shows it on port (\d+) of this machine", said)
        check(port is not None, "the hint gives the VNC server's port")
        self.port = int(port.group(1))
        check(f"ssh -f -L {self.port}:localhost:{self.port} " in said and f"vncviewer localhost:{self.port}" in said,
              "the hint's command for another computer forwards that port and views it")
        with socket.create_connection(("127.0.0.1", self.port), timeout=10) as vnc:
            vnc.settimeout(10)
            check(vnc.recv(12).startswith(b"RFB 003."), f"a VNC server answers on port {self.port}")
        command = re.search(r"\$ (python3 (\S+) (:\d+) screen\.png)$", said, re.M)
        check(command is not None and command.group(2) == os.path.join(self.root, "scripts", "screenshot.py")
              and command.group(3) == self.display, "the hint gives this checkout's screenshot command for it")
        self.screenshot_command = command.group(1)
        self.x = xdisplay.Display(self.display)
        size = self.screen()[:2]
        screen = self.x.screen()
        check(size == (screen.width_in_pixels, screen.height_in_pixels),
              f"the screenshot command saves the whole screen, {size[0]}x{size[1]}, as a PNG file")

    def main_window(self):
        for window in self.x.screen().root.query_tree().children:
            try:
                if window.get_attributes().map_state == X.IsViewable and window.get_wm_name() == MAIN_CAPTION:
                    geometry = window.get_geometry()
                    return geometry.x, geometry.y, geometry.width, geometry.height
            except xerror.XError:  # gone meanwhile
                pass
        return None

    def screen(self):
        """The screen as the hint's screenshot command saves it."""
        subprocess.run(self.screenshot_command, shell=True, cwd=self.work.name, check=True, timeout=60)
        return read_png(os.path.join(self.work.name, "screen.png"))

    def check_title_bar(self):
        window = wait_for(self.main_window, WINDOW_WAIT_S, done=lambda w: w or not self.running())
        check(window is not None, f"the main window \"{MAIN_CAPTION}\" appeared on {self.display}")
        log(f"its X window: {window} (x, y, width, height)")
        colours = title_colours(self.prefix)
        caption = wait_for(lambda: find_caption(self.screen()[2], window, colours), PAINT_WAIT_S, 1.0,
                           lambda caption: isinstance(caption, tuple))
        check(isinstance(caption, tuple), "the main window has its title bar"
              + ("" if isinstance(caption, tuple) else f" ({caption})"))
        running = " ".join(processes_of(self.prefix).values())
        check(all(name in running for name in ("Xvfb", "x11vnc", "wineserver", "QuarvelFE.exe")),
              "the run's virtual display, VNC server, Wine server and front-end are known by the prefix")
        first, last, colour, (left, right) = caption
        log(f"title bar rows {first}-{last} in {tuple(colour)}, close button at x {left}-{right}")
        check(8 <= right - left <= 40, "the title bar has a close button at its right end")
        return (left + right) // 2, (first + last) // 2

    def click(self, point):
        xtest.fake_input(self.x, X.MotionNotify, x=point[0], y=point[1])
        self.x.sync()
        time.sleep(0.1)  # a press where the pointer has just come, as a hand gives it
        xtest.fake_input(self.x, X.ButtonPress, 1)
        self.x.sync()
        time.sleep(0.1)
        xtest.fake_input(self.x, X.ButtonRelease, 1)
        self.x.sync()  # the release is handled before the connection closes (else the click was seen to be lost)
        self.x.close()  # now: the display is to end with the program
        log(f"clicked at {point}")

    def check_end(self):
        ended = wait_for(lambda: not self.running(), END_WAIT_S)
        check(ended, "a click on the close button ends start.sh")
        check(self.process.returncode == 0, f"start.sh ends with status 0 (it gave {self.process.returncode})")
        left = wait_for(lambda: processes_of(self.prefix), 20, 0.5, lambda left: not left)
        check(not left, "nothing of the run is left running" + (f" (left: {left})" if left else ""))
        key = FRAME_KEY.search(self.registry())
        kept = key and '"Managed"' in key.group(2)
        check(not kept, "the Managed value is gone from the prefix again" + (f" ({key.group(2)!r})" if kept else ""))

    def registry(self, text=None):
        """The prefix's user.reg, which Wine writes as it ends; with text, writes it (only while no Wine runs)."""
        path = os.path.join(self.prefix, "user.reg")
        if text is not None:
            with open(path, "w", encoding="latin-1") as registry:
                registry.write(text)
        if not os.path.exists(path):
            return ""
        with open(path, encoding="latin-1") as registry:
            return registry.read()

    def forget_managed(self):
        """A Managed value that a failed run left would make the window unmanaged whatever start.sh does."""
        text = self.registry()
        cleared = FRAME_KEY.sub(lambda key: key.group(1) + re.sub(r'^"Managed"=.*\n?', "", key.group(2), flags=re.M),
                                text)
        if cleared != text:
            self.registry(cleared)
            log("removed the Managed value an earlier run left in the prefix")

    def display_there(self):
        return os.path.exists(f"/tmp/.X11-unix/X{self.display[1:]}")

    def keep_screen(self, name):
        """The screen as it is, in $QUARVEL_SCREENSHOTS (when set), while the display is still there."""
        folder = os.environ.get("QUARVEL_SCREENSHOTS")
        if folder and getattr(self, "screenshot_command", None) and self.display_there():
            os.makedirs(folder, exist_ok=True)
            subprocess.run(self.screenshot_command.replace("screen.png", os.path.join(folder, name)), shell=True,
                           timeout=60)
            log(f"screenshot {os.path.join(folder, name)}")

    def stop(self):
        """Ends what the run left, as start.sh's own clean-up would, then by force."""
        if self.process and self.running():
            os.killpg(self.process.pid, signal.SIGTERM)  # start.sh's trap ends its display, VNC server and Wine
            try:
                self.process.wait(30)
            except subprocess.TimeoutExpired:
                os.killpg(self.process.pid, signal.SIGKILL)
                self.process.wait()
        for ending in (signal.SIGTERM, signal.SIGKILL):  # a virtual display removes its socket on SIGTERM
            for pid, command in wait_for(lambda: processes_of(self.prefix), 20, 0.5, lambda left: not left).items():
                log(f"ending {pid} ({command}), left by the run")
                try:
                    os.kill(pid, ending)
                except OSError:
                    pass

    def run(self):
        try:
            self.stop()  # a run of this test that was killed may have left its Wine running
            self.forget_managed()
            self.start()
            self.check_hint()
            self.click(self.check_title_bar())
            self.check_end()
        except (CheckFailed, OSError, subprocess.SubprocessError, xerror.XError) as failure:
            log(f"FAILED: {failure}")
            self.keep_screen("failed_start.png")
            return 1
        finally:
            self.stop()
            self.work.cleanup()
        log("all checks of start.sh passed")
        return 0


if __name__ == "__main__":
    sys.exit(NewcomerStart(*sys.argv[1:3]).run())
