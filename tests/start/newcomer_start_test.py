#!/usr/bin/python3
"""newcomer_start_test.py ROOT ARCH: scripts/start.sh with no DISPLAY, on the programs built, in a prefix of the
test's own. Its hint names the virtual display, a VNC port that answers and a screenshot command; the main window
has its title bar (Wine draws one only for an unmanaged window); a real click on its close button ends start.sh
with nothing of its run left running and no Managed value left in its prefix."""
import os, re, signal, socket, subprocess, sys, threading, time

from Xlib import X, display as xdisplay
from Xlib.ext import xtest

root, arch = sys.argv[1:3]
prefix = os.path.join(root, "build", f"wineprefix-start-test-{arch}")
frame_key = r"Software\Wine\AppDefaults\QuarvelFE.exe\X11 Driver"


def check(condition, text):
    if not condition:
        raise AssertionError(text)
    print("ok:", text, flush=True)


def wait_for(produce, seconds, done=bool):
    deadline = time.monotonic() + seconds
    while not done(value := produce()) and time.monotonic() < deadline:
        time.sleep(0.3)
    return value


def run_processes():
    """The run's processes: start.sh exports the prefix before it starts its display, VNC server and Wine."""
    found = {}
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            if f"WINEPREFIX={prefix}".encode() in open(f"/proc/{pid}/environ", "rb").read().split(b"\0"):
                found[pid] = open(f"/proc/{pid}/cmdline", "rb").read().replace(b"\0", b" ").decode()
        except OSError:
            pass
    return found


def end_run():
    for ending in ("-TERM", "-KILL"):
        subprocess.run(["kill", ending, *wait_for(run_processes, 20, lambda left: not left)], capture_output=True)


def registry_key(name):
    """A key of the prefix's user.reg as Wine left it."""
    path = os.path.join(prefix, "user.reg")
    text = open(path, encoding="latin-1").read() if os.path.exists(path) else ""
    found = re.search(r"^\[" + re.escape(name.replace("\\", "\\\\")) + r"\].*?(?=^\[|\Z)", text, re.M | re.S)
    return found.group(0) if found else ""


def title_bar(x_display, window):
    """The rows at the window's top, from its first, most of whose pixels have a caption colour of the prefix."""
    colours = [bytes(map(int, re.search(rf'^"{name}"="(\d+) (\d+) (\d+)"', registry_key(r"Control Panel\Colors"),
                                        re.M).groups())) for name in ("ActiveTitle", "InactiveTitle")]
    box = window.get_geometry()
    image = x_display.screen().root.get_image(box.x, box.y, box.width, 40, X.ZPixmap, 0xFFFFFFFF).data
    rows = [[bytes(reversed(image[at:at + 3])) for at in range(y * box.width * 4, (y + 1) * box.width * 4, 4)]
            for y in range(40)]  # BGRX to RGB
    caption = [y for y, row in enumerate(rows) if any(row.count(c) > 0.6 * box.width for c in colours)]
    return box, [rows[y] for y in caption if y - caption[0] == caption.index(y)]  # the first run of them


def main():
    end_run()  # what a killed run of this test left
    if '"Managed"' in registry_key(frame_key):  # a value left would make the window unmanaged whatever start.sh does
        subprocess.run(["wine", "reg", "delete", "HKCU\\" + frame_key, "/v", "Managed", "/f"],
                       env=dict(os.environ, WINEPREFIX=prefix), capture_output=True)
        subprocess.run(["wineserver", "-w"], env=dict(os.environ, WINEPREFIX=prefix))
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
        shot = re.search(r"\$ (python3 \S+/scripts/screenshot\.py (:\d+) screen\.png)$", said, re.M)
        check(display and port and shot and shot.group(2) == display.group(1),
              "the hint names the virtual display, the VNC port and a screenshot command for that display")
        port = port.group(1)
        check(f"ssh -f -L {port}:localhost:{port} " in said and f"vncviewer localhost:{port}" in said,
              "the hint's command for another computer forwards that port")
        with socket.create_connection(("127.0.0.1", int(port)), timeout=10) as vnc:
            check(vnc.recv(12).startswith(b"RFB 003."), f"a VNC server answers on port {port}")

        x_display = xdisplay.Display(display.group(1))
        window = wait_for(lambda: next((w for w in x_display.screen().root.query_tree().children
                                        if w.get_attributes().map_state == X.IsViewable
                                        and w.get_wm_name() == "Quarvel Front-End v1.1"), None),
                          120, lambda found: found or start.poll() is not None)
        check(window is not None, "the main window appears on the virtual display")
        box, rows = wait_for(lambda: title_bar(x_display, window), 30, lambda seen: len(seen[1]) >= 10)
        check(len(rows) >= 10, f"the main window has its title bar ({len(rows)} rows of it)")
        row = rows[len(rows) // 2]
        # Its close button: the rightmost run of other pixels inside the caption's colour.
        right = max(x for x in range(len(row) - 8) if row[x] != row[len(row) // 2] and row[len(row) // 2] in row[x:])
        left = next(x for x in range(right, 0, -1) if row[x - 1] == row[len(row) // 2])
        check(8 <= right - left <= 40, "the title bar ends in a close button")
        running = " ".join(run_processes().values())
        check(all(name in running for name in ("Xvfb", "x11vnc", "wineserver", "QuarvelFE.exe")),
              "the run's display, VNC server, Wine and front-end are found by its prefix")
        xtest.fake_input(x_display, X.MotionNotify, x=box.x + (left + right) // 2, y=box.y + len(rows) // 2)
        for event in (X.ButtonPress, X.ButtonRelease, None):  # each reaches the server, the last before it goes
            x_display.sync()
            time.sleep(0.1)
            event and xtest.fake_input(x_display, event, 1)
        x_display.close()
        check(wait_for(lambda: start.poll() is not None, 60) and start.returncode == 0,
              "a click on the close button ends start.sh with status 0")
        left_over = wait_for(run_processes, 20, lambda left: not left)
        check(not left_over, f"nothing of the run is left running {left_over or ''}")
        check('"Managed"' not in registry_key(frame_key), "the Managed value is gone from the prefix")
        return 0
    except (AssertionError, OSError, StopIteration, ValueError, AttributeError, subprocess.SubprocessError) as failed:
        print("FAILED:", failed or type(failed).__name__, flush=True)
        if shot and os.environ.get("QUARVEL_SCREENSHOTS") and start.poll() is None:  # what the screen showed
            subprocess.run(shot.group(1), shell=True, cwd=os.environ["QUARVEL_SCREENSHOTS"], timeout=60)
        return 1
    finally:
        if start.poll() is None:
            os.killpg(start.pid, signal.SIGTERM)  # its trap ends its display, VNC server and Wine
        end_run()


if __name__ == "__main__":
    sys.exit(main())
