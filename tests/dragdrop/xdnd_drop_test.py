#!/usr/bin/python3
"""Drops files on the front-end's ROM list the way a desktop file manager does: as an X11 drag-and-drop
(XDND) source talking to the Wine window, then reads the list and any failure report from outside with
list_probe.exe.

Cases:
  1. three files dropped at once become three rows, in the order they were dropped;
  2. a drop of file, folder, file adds the first file, shows the failure report for the folder and
     stops there: the last file is not added;
  3. names in Japanese, Polish, with an emoji and with an accent, and a path longer than 260 characters,
     are listed under their true names, and in a batch the tool opens each one's very file;
  4. a file dropped while a batch runs is not added; dropped again afterwards, it is.

A new case is a method: it drops with drop_files, waits with wait (rows, a report, a status text: see
wait_rows and wait_status) and checks; "--click" on the probe presses a button, so a batch can run while
a drop comes.

Needs DISPLAY (a running X server, such as the Xvfb of scripts/test.sh) and a prepared WINEPREFIX.
Starts only the front-end and the probe, and ends only those. Exit code 0 when every check held.
"""
import argparse
import os
import re
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import urllib.parse

from Xlib import X, Xatom, display as xdisplay, error as xerror
from Xlib.protocol import event as xevent

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts"))
from make_demo_roms import rom_image  # noqa: E402  one ROM writer for the scripts and the tests

MAIN_CAPTION = "Quarvel Front-End v1.1"
TEST_BUTTON = 1009  # IDC_BUTTON_TEST in app/control_ids.h
REPORT_CAPTION = "Quarvel Front-End"
# The main window's client area and the list inside it, in client pixels.
CLIENT_HEIGHT = 329
LIST_LEFT, LIST_TOP, LIST_RIGHT, LIST_BOTTOM = 160, 8, 625, 308
XDND_VERSION = 5
WINDOW_WAIT_S = 30
STATUS_WAIT_S = 10
FINISH_WAIT_S = 15
REPORT_WAIT_S = 15
PROBE_WAIT_S = 30


def log(text):
    print(f"[{time.monotonic() - START:7.2f}s] {text}", flush=True)


START = time.monotonic()


class CheckFailed(Exception):
    pass


def check(condition, text):
    if not condition:
        raise CheckFailed(text)
    log("ok: " + text)


class RomFile:
    """A ROM file at `relative` (which may name subfolders) under `folder`."""

    def __init__(self, folder, relative, size, header, game_name):
        self.path = os.path.join(folder, relative)
        self.relative = relative
        self.name = os.path.basename(relative)
        self.size = size
        self.game_name = game_name
        os.makedirs(os.path.dirname(self.path), exist_ok=True)
        with open(self.path, "wb") as out:
            out.write(rom_image(size, header))


def windows_paths(*unix_paths):
    """The paths as Wine's programs see them (one start of winepath for all: each start takes a while)."""
    answer = subprocess.run(["winepath", "-w", *unix_paths], capture_output=True, timeout=PROBE_WAIT_S)
    paths = answer.stdout.decode("utf-8", "replace").splitlines()
    if answer.returncode != 0 or len(paths) != len(unix_paths) or not all(paths):
        raise CheckFailed(f"winepath -w {unix_paths} failed: {answer.stderr!r}")
    return paths


def file_uri(unix_path):
    return "file://" + urllib.parse.quote(unix_path, safe="/")


class Probe:
    """Runs list_probe.exe under Wine, keeping the X connection answered meanwhile: Wine may ask the
    drag source for its data at any time, and a source that does not answer fails the drop."""

    def __init__(self, probe_exe, program_exe_windows, pump):
        self.probe_exe = probe_exe
        self.program = program_exe_windows
        self.pump = pump

    def run(self, *options):
        command = ["wine", self.probe_exe, "--exe", self.program, *options]
        process = subprocess.Popen(command, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        deadline = time.monotonic() + PROBE_WAIT_S
        while process.poll() is None:
            if time.monotonic() > deadline:
                process.kill()
                process.wait()
                raise CheckFailed("list_probe.exe did not finish in time")
            self.pump(0.05)
        out = process.stdout.read().decode("utf-8", "replace")  # the probe's code page is UTF-8
        return ProbeResult(out, process.returncode)


def unescape(text):
    return re.sub(r"\\(.)", lambda m: {"t": "\t", "r": "\r", "n": "\n"}.get(m.group(1), m.group(1)), text)


class ProbeResult:
    def __init__(self, text, code):
        self.text = text
        self.code = code
        self.rows = []
        self.reports = []
        self.lines = []
        self.list_rect = None
        self.status = None
        for line in text.splitlines():
            fields = line.split("\t")
            self.lines.append(fields)
            if fields[0] == "row":
                self.rows.append([unescape(cell) for cell in fields[2:]])
            elif fields[0] == "report":
                self.reports.append((fields[1], unescape(fields[2]), unescape(fields[3])))
            elif fields[0] == "list":
                self.list_rect = tuple(int(v) for v in fields[1:5])
            elif fields[0] == "status":
                self.status = unescape(fields[1])

    def has(self, word):
        return any(fields[0] == word for fields in self.lines)

    @property
    def found(self):
        return self.has("window")


class XdndSource:
    """The drag source side of XDND, for one drag at a time."""

    def __init__(self):
        self.display = xdisplay.Display()
        self.root = self.display.screen().root
        names = ["XdndAware", "XdndProxy", "XdndSelection", "XdndEnter", "XdndPosition", "XdndStatus",
                 "XdndLeave", "XdndDrop", "XdndFinished", "XdndActionCopy", "XdndTypeList", "TARGETS",
                 "text/uri-list", "_NET_WM_PID"]
        self.atom = {name: self.display.intern_atom(name) for name in names}
        self.window = self.root.create_window(-10, -10, 1, 1, 0, X.CopyFromParent,
                                              event_mask=X.PropertyChangeMask)
        self.window.change_property(self.atom["XdndTypeList"], Xatom.ATOM, 32, [self.atom["text/uri-list"]])
        self.payload = b""
        self.status = None
        self.finished = None
        self.data_requests = 0
        self.display.sync()

    def close(self):
        try:
            self.window.destroy()
            self.display.close()
        except Exception:
            pass

    # --- finding the target -------------------------------------------------------------------------
    def property_value(self, window, name):
        try:
            prop = window.get_full_property(self.atom[name], X.AnyPropertyType)
        except xerror.XError:
            return None
        return prop.value if prop else None

    def windows_of(self, pid, name):
        """Mapped top-level X windows of process `pid` with this WM_NAME, bottom to top."""
        found = []
        for window in self.root.query_tree().children:
            try:
                if window.get_attributes().map_state != X.IsViewable or window.get_wm_name() != name:
                    continue
            except xerror.XError:  # gone meanwhile
                continue
            owner = self.property_value(window, "_NET_WM_PID")
            if owner is not None and len(owner) and int(owner[0]) == pid:
                found.append(window)
        return found

    def root_geometry(self, window):
        geometry = window.get_geometry()
        origin = window.translate_coords(self.root, 0, 0)
        return -origin.x, -origin.y, geometry.width, geometry.height

    def target_at(self, x, y):
        """The deepest window under the point that says XdndAware (Wine may nest X windows), with the
        version it speaks."""
        found = None
        window = self.root
        while True:
            answer = window.translate_coords(self.root, x, y)
            child = answer.child
            if not child:
                break
            window = child
            aware = self.property_value(window, "XdndAware")
            if aware is not None and len(aware):
                found = (window, int(aware[0]))
        return found

    # --- events -------------------------------------------------------------------------------------
    def send(self, target, name, data, proxy=None):
        message = xevent.ClientMessage(window=target, client_type=self.atom[name],
                                       data=(32, (list(data) + [0] * 5)[:5]))
        (proxy or target).send_event(message, event_mask=0, propagate=False)
        self.display.flush()

    def pump(self, seconds):
        """Handles X events for up to `seconds` (at least one look)."""
        deadline = time.monotonic() + seconds
        while True:
            while self.display.pending_events():
                self.handle(self.display.next_event())
            remaining = deadline - time.monotonic()
            if remaining <= 0:
                return
            select.select([self.display], [], [], min(remaining, 0.05))

    def wait(self, produce, done=bool, seconds=FINISH_WAIT_S, pause=0.05):
        """Calls produce() until done(value) holds or the time is up, handling X events in between (Wine
        may ask for the drag's data at any time); returns the last value."""
        deadline = time.monotonic() + seconds
        while True:
            value = produce()
            if done(value) or time.monotonic() >= deadline:
                return value
            self.pump(pause)

    def handle(self, ev):
        if ev.type == X.SelectionRequest:
            self.answer_selection_request(ev)
        elif ev.type == X.ClientMessage:
            kind = ev.client_type
            values = ev.data[1]
            if kind == self.atom["XdndStatus"]:
                self.status = {"window": values[0], "accept": bool(values[1] & 1), "action": values[4],
                               "at": time.monotonic()}
            elif kind == self.atom["XdndFinished"]:
                self.finished = {"window": values[0], "success": bool(values[1] & 1), "action": values[2],
                                 "at": time.monotonic()}
        elif ev.type == X.SelectionClear:
            log("lost XdndSelection")

    def answer_selection_request(self, ev):
        prop = ev.property if ev.property != X.NONE else ev.target
        reply_property = prop
        if ev.selection != self.atom["XdndSelection"]:
            reply_property = X.NONE
        elif ev.target == self.atom["text/uri-list"]:
            ev.requestor.change_property(prop, ev.target, 8, self.payload)
            self.data_requests += 1
        elif ev.target == self.atom["TARGETS"]:
            ev.requestor.change_property(prop, Xatom.ATOM, 32, [self.atom["TARGETS"], self.atom["text/uri-list"]])
        else:
            reply_property = X.NONE
        notify = xevent.SelectionNotify(time=ev.time, requestor=ev.requestor, selection=ev.selection,
                                        target=ev.target, property=reply_property)
        ev.requestor.send_event(notify, event_mask=0, propagate=False)
        self.display.flush()

    # --- one drag -----------------------------------------------------------------------------------
    def drag(self, paths, x, y):
        """Enter, position and wait for the target's answer. Returns the target window and its proxy."""
        self.payload = b"".join(file_uri(path).encode("utf-8") + b"\r\n" for path in paths)
        self.status = None
        self.finished = None
        self.data_requests = 0
        self.window.set_selection_owner(self.atom["XdndSelection"], X.CurrentTime)
        self.display.sync()
        if self.display.get_selection_owner(self.atom["XdndSelection"]) != self.window:
            raise CheckFailed("could not own XdndSelection")

        found = self.target_at(x, y)
        if not found:
            raise CheckFailed(f"no XdndAware window under ({x}, {y})")
        target, version = found
        proxy_value = self.property_value(target, "XdndProxy")
        proxy = self.display.create_resource_object("window", proxy_value[0]) if proxy_value else None
        version = min(version, XDND_VERSION)
        log(f"target X window 0x{target.id:x}, XDND version {version}" +
            (f", proxy 0x{proxy.id:x}" if proxy else ""))
        if version < 2:
            raise CheckFailed(f"the target speaks XDND version {version}, too old to drop on")

        self.send(target, "XdndEnter", [self.window.id, version << 24, self.atom["text/uri-list"], 0, 0], proxy)
        self.send(target, "XdndPosition", [self.window.id, 0, (x << 16) | y, X.CurrentTime,
                                           self.atom["XdndActionCopy"]], proxy)
        self.wait(lambda: self.status, seconds=STATUS_WAIT_S)
        return target, proxy

    def leave(self, target, proxy):
        self.send(target, "XdndLeave", [self.window.id], proxy)

    def drop(self, target, proxy):
        self.send(target, "XdndDrop", [self.window.id, 0, X.CurrentTime], proxy)


def screenshot(name, source, windows):
    """Saves the given X windows (the first one's area, the others drawn over it) as `name` in
    $QUARVEL_SCREENSHOTS. Each window is captured on its own: on a display with no window manager, a
    dialog over another window reads back black from the root window, though its own contents are right."""
    folder = os.environ.get("QUARVEL_SCREENSHOTS")
    if not folder:
        return
    os.makedirs(folder, exist_ok=True)
    path = os.path.join(folder, name)
    try:
        with tempfile.TemporaryDirectory(prefix="quarvel-shot-") as work:
            command = ["convert"]
            base_x, base_y = source.root_geometry(windows[0])[:2]
            for index, window in enumerate(windows):
                x, y = source.root_geometry(window)[:2]
                picture = os.path.join(work, f"{index}.xwd")
                subprocess.run(["xwd", "-silent", "-id", str(window.id), "-out", picture], check=True, timeout=30)
                command += [f"xwd:{picture}"] if index == 0 else \
                    [f"xwd:{picture}", "-geometry", f"+{x - base_x}+{y - base_y}", "-composite"]
            subprocess.run(command + [path], capture_output=True, check=True, timeout=30)
        log(f"screenshot {path}")
    except (OSError, subprocess.SubprocessError, xerror.XError) as problem:
        log(f"could not save the screenshot {path}: {problem}")


class DropTest:
    def __init__(self, args):
        self.args = args
        self.folder = tempfile.mkdtemp(prefix="quarvel-drop-")
        self.process = None
        self.source = None
        self.top = None
        self.failures = []

    # --- set-up -------------------------------------------------------------------------------------
    def prepare(self):
        for name in ("QuarvelFE.exe", "Quarvel.exe"):
            shutil.copy2(os.path.join(self.args.bin, name), os.path.join(self.folder, name))
        self.roms = os.path.join(self.folder, "ROMs to drop")
        os.mkdir(self.roms)
        self.not_a_file = os.path.join(self.roms, "Not a file")
        os.mkdir(self.not_a_file)
        # Names with spaces, '%', '#' and brackets, which the URI list must carry percent-encoded; a game
        # name longer than 18 bytes, and a file that ends inside the name.
        self.alpha = RomFile(self.roms, "Alpha Quest.gba", 512, b"ALPHA QUEST\0AAQE01", "ALPHA QUEST")
        self.beta = RomFile(self.roms, "Beta 100% [v2] #1.gba", 1000, b"BETASTORYXYZABCD01EXTRA", "BETASTORYXYZABCD01")
        self.gamma = RomFile(self.roms, "gamma.bin", 170, b"GAMMA-TEN!PASTEND", "GAMMA-TEN!")
        self.delta = RomFile(self.roms, "Delta.gba", 300, b"DELTA\0\0\0\0\0\0\0ADLE01", "DELTA")
        self.epsilon = RomFile(self.roms, "Epsilon.gba", 400, b"EPSILON\0\0\0\0\0AEPE01", "EPSILON")
        # Names outside code page 1252 (Japanese, Polish, an emoji outside the 16-bit plane), one inside
        # it, and a path past 260 characters that the single-byte file functions refuse.
        self.names = [RomFile(self.roms, name, 600, b"NAMES", "NAMES") for name in
                      ("\u30dd\u30b1\u30e2\u30f3.gba", "\u0141\u00f3d\u017a.gba", "\U0001f3ae Quest.gba", "Caf\u00e9.gba")]
        self.names.append(RomFile(self.roms, "a" * 120 + "/" + "b" * 120 + "/\u30dd\u30b1 long.gba", 700, b"LONG", "LONG"))
        self.record = os.path.join(self.folder, "record.txt")
        self.plan = os.path.join(self.folder, "plan.txt")  # the stand-in's outcomes, read at each run
        open(self.plan, "w").close()
        self.roms_windows, self.program_windows, self.record_windows, self.plan_windows = windows_paths(
            self.roms, os.path.join(self.folder, "QuarvelFE.exe"), self.record, self.plan)
        log(f"folder {self.folder} (Windows: {self.roms_windows})")

    def start(self):
        # The stand-in records each run's command line there, and the tool runs inherit it.
        environment = dict(os.environ, QUARVEL_STANDIN_RECORD=self.record_windows,
                           QUARVEL_STANDIN_PLAN=self.plan_windows)
        self.process = subprocess.Popen(["wine", "QuarvelFE.exe"], cwd=self.folder, env=environment,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.source = XdndSource()
        self.probe = Probe(self.args.probe, self.program_windows, self.source.pump)
        found = self.source.wait(lambda: self.source.windows_of(self.process.pid, MAIN_CAPTION),
                                 lambda found: found or self.process.poll() is not None, WINDOW_WAIT_S, 0.1)
        self.top = found[0] if found else None
        check(self.top is not None, f"the main X window \"{MAIN_CAPTION}\" of pid {self.process.pid} appeared")
        log(f"main X window 0x{self.top.id:x} at {self.source.root_geometry(self.top)}")

    # --- helpers ------------------------------------------------------------------------------------
    def drop_point(self, result):
        """A point in the middle of the list, in root coordinates: the client area is the bottom
        CLIENT_HEIGHT pixels of the X window (a menu bar may sit above it)."""
        x, y, width, height = self.source.root_geometry(self.top)
        client_top = y + height - CLIENT_HEIGHT
        point = (x + (LIST_LEFT + LIST_RIGHT) // 2, client_top + (LIST_TOP + LIST_BOTTOM) // 2)
        if result.list_rect:
            left, top, right, bottom = result.list_rect
            check(left <= point[0] < right and top <= point[1] < bottom,
                  f"the drop point {point} lies inside the list at {result.list_rect} (screen pixels)")
        return point

    def drop_files(self, paths):
        """Drags the paths over the middle of the list and drops them once the front-end accepts them;
        returns the time of the drop."""
        target, proxy = self.source.drag(paths, *self.drop_point(self.probe.run()))
        status = self.source.status
        check(status is not None and status["window"] == target.id,
              "the front-end answered XdndPosition with XdndStatus")
        if not status["accept"]:
            self.source.leave(target, proxy)
        check(status["accept"], "the front-end accepts files over the list")
        self.source.drop(target, proxy)
        return time.monotonic()

    def wait_finished(self, dropped_at):
        finished = self.source.wait(lambda: self.source.finished)
        check(finished is not None, "the front-end finished the drop (XdndFinished)")
        log(f"XdndFinished after {finished['at'] - dropped_at:.3f}s, success={finished['success']}, "
            f"data requests={self.source.data_requests}")
        return finished

    def wait_rows(self, count):
        """The probe's reading once the list has `count` rows or a failure report shows."""
        return self.source.wait(self.probe.run, lambda result: len(result.rows) >= count or result.reports,
                                FINISH_WAIT_S, 0.2)

    def wait_report(self):
        return self.source.wait(self.probe.run, lambda result: result.reports, REPORT_WAIT_S, 0.2)

    def wait_status(self, text, seconds=FINISH_WAIT_S):
        return self.source.wait(self.probe.run, lambda result: result.status == text, seconds, 0.2)

    def shown_windows(self):
        """The main window with any failure report over it."""
        return [self.top] + self.source.windows_of(self.process.pid, REPORT_CAPTION)

    def windows_path(self, rom):
        return self.roms_windows + "\\" + rom.relative.replace("/", "\\")

    def expected_row(self, rom, outcome):
        folder = self.windows_path(rom)[:-len(rom.name)]
        return [rom.name, rom.game_name, folder, str(rom.size), outcome]

    def check_rows(self, result, roms, what, outcomes=()):
        """The rows are those of the roms, in order; the first ones have the outcomes, the others none yet."""
        expected = [self.expected_row(rom, outcomes[i] if i < len(outcomes) else "") for i, rom in enumerate(roms)]
        if result.rows != expected or result.code != 0:
            log(f"probe exit code {result.code}, rows read:\n  " + "\n  ".join(repr(row) for row in result.rows))
            log("rows expected:\n  " + "\n  ".join(repr(row) for row in expected))
        check(result.code == 0 and result.rows == expected, what)

    # --- cases --------------------------------------------------------------------------------------
    def case_three_files(self):
        log("case 1: three files dropped at once")
        before = self.probe.run()
        check(before.found, "the probe finds the main window")
        check(before.rows == [] and not before.reports, "the list starts empty, with no failure report")
        order = [self.beta, self.gamma, self.alpha]
        finished = self.wait_finished(self.drop_files([rom.path for rom in order]))
        check(self.source.data_requests >= 1, "Wine fetched the URI list from the drag source")
        check(finished["success"], "XdndFinished reports success")
        after = self.wait_rows(3)
        check(not after.reports, "no failure report after dropping three files")
        self.check_rows(after, order, "three rows, in the dropped order, with file name, game name, folder and size")
        screenshot("drop.png", self.source, [self.top])

    def case_folder_stops_the_drop(self):
        log("case 2: file, folder, file")
        existing = [self.beta, self.gamma, self.alpha]
        dropped_at = self.drop_files([self.delta.path, self.not_a_file, self.epsilon.path])
        shown = self.wait_report()
        check(len(shown.reports) == 1, "one failure report is shown")
        _, caption, text = shown.reports[0]
        log(f"report text: {text!r}")
        folder = self.roms_windows + "\\Not a file"
        match = re.fullmatch(r'Cannot open file "(.*)"\. (.+)\.', text, re.S)
        check(caption == REPORT_CAPTION, f"the report's caption is \"{REPORT_CAPTION}\"")
        check(match is not None, 'the report reads: Cannot open file "<path>". <system text>.')
        check(match.group(1) == folder, f"the report names the folder as {folder}")
        check(match.group(2).strip() != "" and not match.group(2).endswith("."),
              "the system's text follows, once ended by a full stop")
        self.check_rows(shown, existing + [self.delta], "while the report shows, the first file has been added")
        finished_before_close = self.source.finished is not None
        self.source.pump(1.0)  # a newly shown message box paints a moment later
        screenshot("drop-failure.png", self.source, self.shown_windows())
        closed = self.probe.run("--close-report")
        check(closed.has("closed-report"), "the report closes with OK")
        self.wait_finished(dropped_at)
        log(f"the drop finished {'before' if finished_before_close else 'after'} the report was closed")
        self.source.pump(0.5)
        after = self.probe.run()
        check(not after.reports, "no further report after the first")
        self.check_rows(after, existing + [self.delta], "the file after the folder was not added")

    def case_names_in_any_language(self):
        log("case 3: names in any language and a long path, then a batch")
        existing = [self.beta, self.gamma, self.alpha, self.delta]
        check(len(self.windows_path(self.names[-1])) > 260, "the last path is longer than 260 characters")
        self.wait_finished(self.drop_files([rom.path for rom in self.names]))
        after = self.wait_rows(len(existing) + len(self.names))
        check(not after.reports, "no failure report after dropping the names")
        self.check_rows(after, existing + self.names, "each name is listed as it is, the long path too")
        screenshot("drop-names.png", self.source, [self.top])
        self.probe.run("--click", str(TEST_BUTTON))
        done = self.wait_status("Testing...done")
        check(done.status == "Testing...done", "a batch of Test ran over every row")
        # One run a line: the wide command line as UTF-8, folder, process id, GetCommandLineA's bytes in
        # code page 1252, whether the file opened, volume serial, file index (Wine's is the inode).
        with open(self.record, "rb") as record:
            runs = [line.split(b"\t") for line in record.read().splitlines()]
        rows = existing + self.names
        check([run[4:7:2] for run in runs] == [[b"opened", b"%x" % os.stat(rom.path).st_ino] for rom in rows],
              "each tool run opened the very file of its row")
        cafe = runs[len(existing) + 3]
        program_folder = self.program_windows[:-len("QuarvelFE.exe")].encode()
        check(cafe[3] == b'"%sQuarvel.exe" -t "%s\\Caf\xe9.gba" >> "%slog.txt"' % (
              program_folder, self.roms_windows.encode(), program_folder),
              "the path that fits code page 1252 is handed as it always was")

    def case_drop_during_a_batch(self):
        log("case 4: a drop while a batch runs")
        listed = [self.beta, self.gamma, self.alpha, self.delta] + self.names
        with open(self.plan, "w") as plan:
            plan.write("* sleep:700:0\n")
        self.probe.run("--click", str(TEST_BUTTON))
        check(self.wait_status("Testing...").status == "Testing...", "a batch of slow tool runs started")
        self.wait_finished(self.drop_files([self.epsilon.path]))
        check(self.probe.run().status == "Testing...", "the drop came while the batch ran")
        done = self.wait_status("Testing...done", 120)
        self.check_rows(done, listed, "the file dropped during the batch was not added", ["OK"] * len(listed))
        self.wait_finished(self.drop_files([self.epsilon.path]))
        self.check_rows(self.wait_rows(len(listed) + 1), listed + [self.epsilon], "dropped after the batch, it is added",
                        ["OK"] * len(listed))

    # --- tear-down ----------------------------------------------------------------------------------
    def stop(self):
        if self.process and self.process.poll() is None:
            try:
                ended = self.probe.run("--close-report", "--close")
                if not ended.has("ended"):
                    log("the front-end did not end on WM_CLOSE")
                    self.failures.append("the front-end did not end when its window was closed")
                self.process.wait(timeout=15)
            except (CheckFailed, subprocess.TimeoutExpired) as problem:
                log(f"ending the front-end by force ({problem})")
                self.process.send_signal(signal.SIGKILL)
                self.process.wait()
        if self.source:
            self.source.close()
        if not self.args.keep:
            shutil.rmtree(self.folder, ignore_errors=True)

    def run(self):
        try:
            self.prepare()
            self.start()
            for case in (self.case_three_files, self.case_folder_stops_the_drop, self.case_names_in_any_language,
                         self.case_drop_during_a_batch):
                case()
        except CheckFailed as failure:
            self.failures.append(str(failure))
            log(f"FAILED: {failure}")
            if self.top:
                screenshot("drop-failed.png", self.source, self.shown_windows())
        finally:
            self.stop()
        if self.failures:
            log("FAILED: " + "; ".join(self.failures))
            return 1
        log("all drop checks passed")
        return 0


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--bin", required=True, help="folder with QuarvelFE.exe, Quarvel.exe and list_probe.exe")
    parser.add_argument("--probe", help="list_probe.exe (default: in --bin)")
    parser.add_argument("--keep", action="store_true", help="keep the temporary folder")
    args = parser.parse_args()
    args.probe = args.probe or os.path.join(args.bin, "list_probe.exe")
    for variable in ("DISPLAY", "WINEPREFIX"):
        if not os.environ.get(variable):
            print(f"{variable} is not set", file=sys.stderr)
            return 1
    return DropTest(args).run()


if __name__ == "__main__":
    sys.exit(main())
