#!/usr/bin/python3
"""What a newcomer sees from scripts/start.sh with no DISPLAY: a hint that names the virtual display, a VNC port
that answers and a screenshot command that works; a main window with its title bar (on a display with no window
manager, Wine draws one only for an unmanaged window); and after a real click on its close button, start.sh ended
with nothing of its run left running and no Managed value left in its Wine prefix.

  newcomer_start_test.py ROOT ARCH

Runs the real start.sh on the programs built already (QUARVEL_START_BUILT=1) in a Wine prefix of the test's own
(QUARVEL_START_PREFIX), so a front-end a person started from this checkout is left alone."""
import os, re, signal, socket, subprocess, sys, tempfile, threading, time

from Xlib import X, display as xdisplay
from Xlib.ext import xtest

root, arch = sys.argv[1:3]
prefix = os.path.join(root, "build", f"wineprefix-start-test-{arch}")
wine_env = dict(os.environ, WINEPREFIX=prefix)


class CheckFailed(Exception):
    pass


def check(condition, text):
    if not condition:
        raise CheckFailed(text)
    print("ok:", text, flush=True)


def wait_for(produce, seconds, done=bool, pause=0.2):
    deadline = time.monotonic() + seconds
    while not done(value := produce()) and time.monotonic() < deadline:
        time.sleep(pause)
    return value


def run_processes():
    """The run's processes: start.sh exports the prefix before it starts its display, VNC server and Wine."""
    found = {}
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            if f"WINEPREFIX={prefix}".encode() in open(f"/proc/{pid}/environ", "rb").read().split(b"\0"):
                found[int(pid)] = open(f"/proc/{pid}/cmdline", "rb").read().replace(b"\0", b" ").decode().strip()
        except OSError:
            pass
    return found


def end_run_processes():
    for ending in (signal.SIGTERM, signal.SIGKILL):
        for pid in wait_for(run_processes, 20, done=lambda left: not left, pause=0.5):
            try:
                os.kill(pid, ending)
            except OSError:
                pass


def registry_section(name):
    """A key of the prefix's user.reg, as Wine left it when it ended."""
    path = os.path.join(prefix, "user.reg")
    text = open(path, encoding="latin-1").read() if os.path.exists(path) else ""
    found = re.search(r"^\[" + re.escape(name.replace("\\", "\\\\")) + r"\].*?(?=^\[|\Z)", text, re.M | re.S)
    return found.group(0) if found else ""


def managed():
    return '"Managed"' in registry_section(r"Software\Wine\AppDefaults\QuarvelFE.exe\X11 Driver")


def caption_rows(x_display, window, colours):
    """The rows at the top of the window of which most pixels have a caption colour, with their pixels."""
    geometry = window.get_geometry()
    top = min(geometry.height, 60)
    image = x_display.screen().root.get_image(geometry.x, geometry.y, geometry.width, top, X.ZPixmap, 0xFFFFFFFF)
    rows = []
    for y in range(top):
        line = image.data[y * geometry.width * 4:(y + 1) * geometry.width * 4]
        pixels = [bytes(reversed(line[i:i + 3])) for i in range(0, len(line), 4)]  # BGRX to RGB
        if any(pixels.count(colour) >= 0.6 * geometry.width for colour in colours):
            rows.append((y, pixels))
        elif rows:
            break
    return geometry, rows


def main():
    end_run_processes()  # a killed run of this test may have left its Wine
    if managed():  # a value a killed run left would make the window unmanaged whatever start.sh does
        subprocess.run(["wine", "reg", "delete", r"HKCU\Software\Wine\AppDefaults\QuarvelFE.exe\X11 Driver", "/v",
                        "Managed", "/f"], env=wine_env, capture_output=True)
        subprocess.run(["wineserver", "-w"], env=wine_env)
    environment = {k: v for k, v in os.environ.items() if k != "DISPLAY"}
    environment.update(QUARVEL_START_BUILT="1", QUARVEL_START_PREFIX=prefix)
    start = subprocess.Popen(["bash", os.path.join(root, "scripts", "start.sh")], env=environment,
                             stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                             start_new_session=True)
    output = []
    threading.Thread(target=lambda: output.extend(start.stdout), daemon=True).start()
    shot = None
    try:
        said = wait_for(lambda: "".join(output), 300, lambda text: "Starting " in text or start.poll() is not None)
        print(said, flush=True)
        display = re.search(r"runs on the virtual display (:\d+)\.", said)
        port = re.search(r"A VNC server shows it on port (\d+) of this machine", said)
        shot = re.search(r"\$ (python3 \S+ (:\d+) screen\.png)$", said, re.M)
        check(display and port and shot and shot.group(2) == display.group(1),
              "the hint names the virtual display, the VNC port and a screenshot command for that display")
        port = port.group(1)
        check(f"ssh -f -L {port}:localhost:{port} " in said and f"vncviewer localhost:{port}" in said,
              "the hint's command for another computer forwards that port")
        with socket.create_connection(("127.0.0.1", int(port)), timeout=10) as vnc:
            check(vnc.recv(12).startswith(b"RFB 003."), f"a VNC server answers on port {port}")
        with tempfile.TemporaryDirectory() as folder:
            subprocess.run(shot.group(1), shell=True, cwd=folder, check=True, timeout=60)
            check(open(os.path.join(folder, "screen.png"), "rb").read(8) == b"\x89PNG\r\n\x1a\n",
                  "the screenshot command saves the screen as a PNG file")

        x_display = xdisplay.Display(display.group(1))
        find = lambda: next((w for w in x_display.screen().root.query_tree().children
                             if w.get_attributes().map_state == X.IsViewable
                             and w.get_wm_name() == "Quarvel Front-End v1.1"), None)
        window = wait_for(find, 120, lambda found: found or start.poll() is not None)
        check(window is not None, "the main window appears on the virtual display")
        colours = [bytes(map(int, re.search(rf'^"{name}"="(\d+) (\d+) (\d+)"', registry_section(
            r"Control Panel\Colors"), re.M).groups())) for name in ("ActiveTitle", "InactiveTitle")]
        geometry, rows = wait_for(lambda: caption_rows(x_display, window, colours), 30, lambda seen: len(seen[1]) >= 10)
        check(len(rows) >= 10 and rows[0][0] <= 8, f"the main window has its title bar ({len(rows)} rows of it)")
        y, pixels = rows[len(rows) // 2]
        caption = pixels[len(pixels) // 2]
        # The close button: the rightmost run of other pixels inside the caption's colour.
        right = max(i for i in range(len(pixels) - 8) if pixels[i] != caption and caption in pixels[i:])
        left = next(i for i in range(right, 0, -1) if pixels[i - 1] == caption)
        check(8 <= right - left <= 40, "the title bar ends in a close button")
        running = " ".join(run_processes().values())
        check(all(name in running for name in ("Xvfb", "x11vnc", "wineserver", "QuarvelFE.exe")),
              "the run's display, VNC server, Wine and front-end are found by its prefix")
        xtest.fake_input(x_display, X.MotionNotify, x=geometry.x + (left + right) // 2, y=geometry.y + y)
        for event in (X.ButtonPress, X.ButtonRelease):
            x_display.sync()
            time.sleep(0.1)
            xtest.fake_input(x_display, event, 1)
        x_display.sync()  # the release reaches the server before the connection goes
        x_display.close()
        check(wait_for(lambda: start.poll() is not None, 60) and start.returncode == 0,
              "a click on the close button ends start.sh with status 0")
        left_over = wait_for(run_processes, 20, done=lambda left: not left, pause=0.5)
        check(not left_over, f"nothing of the run is left running {left_over or ''}")
        check(not managed(), "the Managed value is gone from the prefix")
        return 0
    except (CheckFailed, OSError, StopIteration, ValueError, AttributeError, subprocess.SubprocessError) as failure:
        print("FAILED:", failure or type(failure).__name__, flush=True)
        if shot and os.environ.get("QUARVEL_SCREENSHOTS") and start.poll() is None:
            subprocess.run(shot.group(1).replace("screen.png", "failed_start.png"), shell=True,
                           cwd=os.environ["QUARVEL_SCREENSHOTS"], timeout=60)
        return 1
    finally:
        if start.poll() is None:
            os.killpg(start.pid, signal.SIGTERM)  # its trap ends its display, VNC server and Wine
            try:
                start.wait(30)
            except subprocess.TimeoutExpired:
                os.killpg(start.pid, signal.SIGKILL)
        end_run_processes()


if __name__ == "__main__":
    sys.exit(main())
