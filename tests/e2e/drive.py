#!/usr/bin/env python3
"""End-to-end tests: the real ventrose on an Xvfb display of its own with openbox, driven
with xdotool as a user would, with a fresh installation folder and a line trace.

    drive.py --program build/release/src/program/ventrose --work DIR SCENARIO

Every wait is for a condition (a window appears, a trace line arrives) with a generous
limit, so the tests hold on a slow, busy machine. On a failure the scenario's folder keeps
its screenshots and trace, and the output names them; on success it is removed.
"""

import argparse
import fcntl
import os
import re
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

LIMIT = 90  # seconds for any one condition
SOURCE = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


class Failure(Exception):
    pass


def wait_for(what, condition, limit=LIMIT):
    """Polls condition() until it gives a true value, which it returns."""
    deadline = time.monotonic() + limit
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure(f"waited {limit} s for {what}")
        time.sleep(0.1)


# What the scenarios type and look for, in each language the program speaks: the menus'
# keys (their mnemonics differ), the windows' captions and the boxes' titles.
TEXTS = {
    "fr": {
        "locale": None, "quit": ("alt+p", "q"), "information": "Information",
        "warning": "Avertissement", "help": ("alt+a", "h"), "help title": "Aide de Ventrose",
        "before link": [(("alt+p", "p"), "Port série RS232"),
                        (("alt+p", "t"), "Types de menus déroulant"),
                        (("alt+o", "o"), "Options logicielles"),
                        (("alt+o", "p"), "Partage du cap (NMEA 0183)"),
                        (("alt+a", "p"), "A propos de...")],
        "with link": [(("alt+p", "o"), "Options graphiques"),
                      (("alt+b", "d"), "Déclinaison magnétique"),
                      (("alt+b", "c"), "Centrage du zéro (NORD)", "Information"),
                      (("alt+o", "m"), "Options matérielles"),
                      (("alt+b", "e"), "Avertissement")],  # the calibration's question: not now
    },
    "en": {
        "locale": "en_US.UTF-8", "quit": ("alt+s", "q"), "information": "Information",
        "warning": "Warning", "help": ("alt+h", "h"), "help title": "Ventrose Help",
        "before link": [(("alt+s", "p"), "RS232 serial port"),
                        (("alt+s", "m"), "Menu style"),
                        (("alt+o", "s"), "Software options"),
                        (("alt+o", "n"), "Heading output (NMEA 0183)"),
                        (("alt+h", "a"), "About...")],
        "with link": [(("alt+s", "g"), "Graphics options"),
                      (("alt+c", "d"), "Magnetic declination"),
                      (("alt+c", "z"), "Zero centering (NORTH)", "Information"),
                      (("alt+o", "w"), "Hardware options"),
                      (("alt+c", "c"), "Warning")],
        # A line of each box of the link's start and of its hand-over, as Ctrl+C copies it.
        "link boxes": ("then switch the compass on and click OK.",
                       "     Congratulations!!!\nCommunication established."),
        "hand-over box": "The compass is now set up to work on its own.",
    },
}


def pseudo_marked(text):
    """text as the pseudo-language "xx" shows it: wrapped in ⟦ ⟧, its end blanks outside."""
    core = text.strip()
    start = text.index(core)
    return f"{text[:start]}⟦{core}⟧{text[start + len(core):]}"


# The pseudo-language is English marked: the same keys, every caption and title marked.
TEXTS["xx"] = {
    "locale": None, "arguments": ["--lang", "xx"], "quit": TEXTS["en"]["quit"],
    "information": pseudo_marked("Information"), "warning": pseudo_marked("Warning"),
    "help": TEXTS["en"]["help"], "help title": pseudo_marked("Ventrose Help"),
    "before link": [(keys, pseudo_marked(caption))
                    for keys, caption in TEXTS["en"]["before link"]],
}


def free_display_numbers(first=20, count=200):
    """Display numbers that no X server holds: no listening abstract socket and no lock file
    of a live process (a killed server leaves its socket file and lock file behind)."""
    with open("/proc/net/unix") as table:
        listening = set(re.findall(r"@/tmp/\.X11-unix/X(\d+)", table.read()))
    for number in range(first, first + count):
        if str(number) not in listening and not lock_holder_alive(f"/tmp/.X{number}-lock"):
            yield number


def lock_holder_alive(path):
    try:
        with open(path) as lock:
            pid = int(lock.read().strip() or 0)
    except (OSError, ValueError):
        return os.path.exists(path)  # unreadable: taken, to be safe
    if pid <= 0:
        return True
    try:
        os.kill(pid, 0)
    except ProcessLookupError:
        return False
    except PermissionError:
        pass
    return True


class Session:
    """A display, a window manager and the program, all started here and ended here."""

    def __init__(self, folder, language="fr"):
        self.folder = folder
        self.text = TEXTS[language]
        self.trace = os.path.join(folder, "trace.txt")
        self.shots = 0
        self.processes = []
        self.program = None
        self.env = dict(os.environ, QT_QPA_PLATFORM="xcb", XDG_RUNTIME_DIR=folder)
        if self.text["locale"]:  # otherwise the locale the tests run in, as a user's
            for variable in ("LC_ALL", "LC_MESSAGES", "LANGUAGE"):
                self.env.pop(variable, None)
            self.env["LANG"] = self.text["locale"]
        # For a sanitized program: what system libraries keep to the end is not a leak of ours.
        lsan = os.path.join(SOURCE, "tests", "e2e", "lsan.supp")
        self.env["LSAN_OPTIONS"] = ":".join(filter(None, [os.environ.get("LSAN_OPTIONS"),
                                                          f"suppressions={lsan}",
                                                          "print_suppressions=0"]))

    def start(self, program, simulate, data, edges=False):
        """edges: the trace on standard error, a pipe (self.program.stderr), and
        descriptors 0 and 1 closed; otherwise the trace in trace.txt."""
        self.env["DISPLAY"] = self._start_display()
        self._start(["openbox"])
        wait_for("openbox", lambda: "window id" in self.x("xprop", "-root",
                                                           "_NET_SUPPORTING_WM_CHECK"))
        args = [program, "--data-dir", data or os.path.join(self.folder, "data"),
                "--trace", "-" if edges else self.trace] + (["--simulate"] if simulate else [])
        args += self.text.get("arguments", [])
        if edges:
            self.program = self._start(args, stderr=subprocess.PIPE,
                                       preexec_fn=lambda: [os.close(fd) for fd in (0, 1)])
        else:
            self.program = self._start(args)

    def _start(self, args, stderr=subprocess.STDOUT, **options):
        log = open(os.path.join(self.folder, os.path.basename(args[0]) + ".log"), "a")
        process = subprocess.Popen(args, env=self.env, stdout=log, stderr=stderr, **options)
        self.processes.append(process)
        return process

    def _start_display(self):
        """Starts an Xvfb of the session's own and gives its display once a client reaches it.

        The display number is chosen here, not by Xvfb -displayfd: a server that probes for a
        free number unlinks the socket of each live display it tries on its way (its "server
        already running"), and that display then refuses every new client. A number is free
        when no lock file or listening abstract socket has it; the sessions of this
        machine choose and start one at a time (a lock file), and an explicit number makes
        Xvfb take its own lock file first, which other servers respect. -noreset: a server
        resets when its last client leaves (here the xprop that checks it), and refuses the
        clients that come meanwhile."""
        with open(os.path.join(tempfile.gettempdir(), "ventrose-e2e-displays.lock"), "w") as lock:
            fcntl.flock(lock, fcntl.LOCK_EX)
            for number in free_display_numbers():
                display = f":{number}"
                server = self._start(["Xvfb", display, "-screen", "0", "1280x1024x24",
                                      "-nolisten", "tcp", "-noreset"])
                if self._reaches(display, server):
                    return display
                if server.poll() is None:
                    server.kill()
                server.wait()
        raise Failure("no Xvfb display could be started (see Xvfb.log)")

    def _reaches(self, display, server):
        """Whether a client opens the display (xprop reads the root window) while its server
        runs."""
        environment = dict(self.env, DISPLAY=display)
        deadline = time.monotonic() + LIMIT
        while time.monotonic() < deadline and server.poll() is None:
            try:
                if subprocess.run(["xprop", "-root", "-len", "0"], env=environment,
                                  capture_output=True, timeout=LIMIT).returncode == 0:
                    return True
            except subprocess.TimeoutExpired:
                return False
            time.sleep(0.1)
        return False

    def close(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                process.send_signal(signal.SIGTERM)
                try:
                    process.wait(10)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()

    # ---- X ------------------------------------------------------------------------------

    def x(self, *args):
        """Runs an X tool on the display; its output ("" when it fails)."""
        try:
            done = subprocess.run(args, env=self.env, capture_output=True, text=True,
                                  timeout=LIMIT)
        except subprocess.TimeoutExpired:
            raise Failure(f"{args[0]} did not answer")
        return done.stdout if done.returncode == 0 else ""

    def windows(self, title):
        """The visible windows whose whole title is title."""
        found = self.x("xdotool", "search", "--onlyvisible", "--name", f"^{re.escape(title)}$")
        return found.split()

    def wait_window(self, title, besides=()):
        return wait_for(f'a window titled "{title}"',
                        lambda: next((w for w in self.windows(title) if w not in besides), None))

    def wait_gone(self, window, title):
        wait_for(f'"{title}" to close', lambda: window not in self.windows(title))

    def active(self):
        return self.x("xdotool", "getactivewindow").strip()

    def keys(self, window, *keys):
        """Gives window the focus, then presses the keys one after the other."""
        self.x("xdotool", "windowactivate", "--sync", window)
        for key in keys:
            self.x("xdotool", "key", "--clearmodifiers", key)

    def origin(self, window):
        """Where the window's inside starts on the screen."""
        info = self.x("xwininfo", "-id", window)
        return tuple(int(re.search(rf"Absolute upper-left {axis}:\s+(-?\d+)", info).group(1))
                     for axis in "XY")

    def click(self, window, x, y):
        left, top = self.origin(window)
        self.x("xdotool", "mousemove", "--sync", str(left + x), str(top + y), "click", "1")

    def screenshot(self, name):
        self.shots += 1
        path = os.path.join(self.folder, f"{self.shots:02d}-{name}.png")
        self.x("import", "-window", "root", path)
        return path

    def darkest_and_brightest(self, window, x, y, width, height):
        """The smallest and largest channel values of a rectangle of the window."""
        left, top = self.origin(window)
        ppm = subprocess.run(["import", "-window", "root", "-crop",
                              f"{width}x{height}+{left + x}+{top + y}", "ppm:-"],
                             env=self.env, capture_output=True, timeout=LIMIT).stdout
        header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+(\d+)\s", ppm)
        if not header:
            raise Failure("no screenshot")
        pixels = ppm[header.end():]
        return min(pixels), max(pixels)

    # ---- The program --------------------------------------------------------------------

    def trace_text(self):
        try:
            with open(self.trace, encoding="ascii", errors="replace") as f:
                return f.read()
        except FileNotFoundError:
            return ""

    def wait_trace(self, pattern, after=0):
        """Waits for a trace line matching pattern past offset after; the match."""
        regex = re.compile(pattern, re.M)
        return wait_for(f"trace line /{pattern}/",
                        lambda: regex.search(self.trace_text(), after))

    def wait_exit(self):
        wait_for("the program to end", lambda: self.program.poll() is not None)
        return self.program.returncode

    def clipboard(self):
        """The display's clipboard text ("" when nothing holds it)."""
        return self.x("python3", "-c", "import tkinter; root = tkinter.Tk(); root.withdraw(); "
                      "print(root.clipboard_get(), end='')")

    def answer_box(self, title, besides=(), says=None):
        """Presses the box's default button; with says, first checks that the box's text,
        as Ctrl+C copies it, holds says."""
        box = self.wait_window(title, besides)
        self.screenshot(title)
        if says:
            self.keys(box, "ctrl+c")
            copied = [""]

            def holds_says():
                copied[0] = self.clipboard()
                return says in copied[0]

            try:
                wait_for("the box's text on the clipboard", holds_says)
            except Failure:
                raise Failure(f"the box copied {copied[0]!r}, which lacks {says!r}")
        self.keys(box, "Return")
        self.wait_gone(box, title)

    def settings_lines(self):
        with open(os.path.join(self.folder, "data", "Ventrose.inf"), "rb") as f:
            data = f.read()
        lines = data.split(b"\r\n")
        well_formed = lines[-1] == b"" and not any(b"\r" in l or b"\n" in l for l in lines)
        return len(lines) - 1 if well_formed else -1

    def wait_settled(self, main, since):
        """After a dialog closed: the main window is active again and has reopened the port
        (after the parameter transfer, if the dialog asked for one)."""
        first = self.wait_trace(r"^.* (-- open COM1|-> RTS on)$", since)
        if first.group(1) == "-> RTS on":
            self.wait_trace(r"^.* -- open COM1$", first.end())
        wait_for("the main window to be active again", lambda: self.active() == main)


# ---- Steps shared by the scenarios ----------------------------------------------------------


def main_window(s):
    main = s.wait_window("Ventrose")
    s.wait_trace(r"^.* -- open COM1$")  # its first activation opened the port
    return main


def start_link(s, main):
    """Starts the link from the tool bar's first button and answers both boxes."""
    s.click(main, 15, 37)
    warning, established = s.text.get("link boxes", (None, None))
    s.answer_box(s.text["information"], says=warning)  # the cable and power warning
    rts = s.wait_trace(r"^.* -> RTS on$")
    dsr = s.wait_trace(r"^.* <- DSR on$", rts.end())
    s.wait_trace(r"^.* -> RTS off$", dsr.end())
    s.answer_box(s.text["information"], says=established)  # the link is established
    sent = s.wait_trace(r'^.* -> "!0A\+0B\+0C&"  21 30 41 2B 30 42 2B 30 43 26$', dsr.end())
    first = s.wait_trace(r'^.* <- "\d{1,3}"  [0-9A-F ]+$', sent.end())
    s.wait_trace(r'^.* <- "\d{1,3}"  [0-9A-F ]+$', first.end())  # readings flow


def quit_by_menu(s, main):
    s.keys(main, *s.text["quit"])


def expect_clean_exit(s):
    if s.wait_exit() != 0:
        raise Failure(f"exit status {s.program.returncode}")
    if not s.trace_text().endswith(" -- close COM1\n"):
        raise Failure("the trace does not end with the port's close")


# ---- Scenarios --------------------------------------------------------------------------------


def scenario_main_window(s):
    main = main_window(s)
    if s.settings_lines() != 30:
        raise Failure("the settings file is not thirty CR LF lines")
    s.screenshot("main")
    quit_by_menu(s, main)
    if s.wait_exit() != 0:
        raise Failure(f"exit status {s.program.returncode}")
    if re.search(r' -> ("|RTS on)', s.trace_text()):
        raise Failure("quitting before the link sent something")


def scenario_start_link(s):
    main = main_window(s)
    start_link(s, main)

    # The dial panel turns black with the first reading drawn: its strip below the dial.
    def panel_black():
        return s.darkest_and_brightest(main, 20, 422, 300, 6)[1] < 40

    wait_for("the dial panel to turn black", panel_black)
    s.screenshot("link")


def scenario_dialogs(s):
    main = main_window(s)
    before_link, with_link = s.text["before link"], s.text["with link"]
    for dialogs in (before_link, with_link):
        if dialogs is with_link:
            start_link(s, main)
        for keys, caption, *boxes_on_close in dialogs:
            s.keys(main, *keys)
            dialog = s.wait_window(caption)
            s.screenshot(caption)
            since = len(s.trace_text())
            s.keys(dialog, "alt+F4")  # its close box
            for box in boxes_on_close:
                s.answer_box(box)
            s.wait_gone(dialog, caption)
            s.wait_settled(main, since)
            if s.settings_lines() != 30:
                raise Failure(f"after {caption}: the settings file is not thirty CR LF lines")

    # The help window is none of the program's forms: it leaves the port as it is.
    since = len(s.trace_text())
    s.keys(main, *s.text["help"])
    help_window = s.wait_window(s.text["help title"])
    s.screenshot("help")
    s.keys(help_window, "alt+F4")
    s.wait_gone(help_window, s.text["help title"])
    wait_for("the main window to be active again", lambda: s.active() == main)
    if "-- close COM1" in s.trace_text()[since:]:
        raise Failure("the help window closed the port")


def scenario_quit_with_link_up(s):
    main = main_window(s)
    start_link(s, main)
    since = len(s.trace_text())
    quit_by_menu(s, main)
    rts = s.wait_trace(r"^.* -> RTS on$", since)
    dsr = s.wait_trace(r"^.* <- DSR on$", rts.end())
    s.wait_trace(r'^.* -> "\?&"  3F 26$', dsr.end())
    s.answer_box(s.text["information"])  # the module now works on its own
    expect_clean_exit(s)


def scenario_in_english(s):
    """The program under an English locale: every dialog's caption and the link's boxes in
    English, then the link handed over to the module and the program ended, as in French."""
    scenario_dialogs(s)
    main = s.active()
    since = len(s.trace_text())
    quit_by_menu(s, main)
    s.wait_trace(r'^.* -> "\?&"  3F 26$', since)
    s.answer_box(s.text["information"], says=s.text["hand-over box"])
    expect_clean_exit(s)


def scenario_quit_by_signal(s):
    """The end of a session with the link up: SIGTERM then SIGHUP 50 ms later, as the desktop
    sends them at a logout, and a Ctrl+C (SIGINT) once the hand-over runs. The hand-over goes
    on as "Quitter" runs it, with no box left to answer, then the end."""
    main = main_window(s)
    start_link(s, main)
    since = len(s.trace_text())
    s.program.send_signal(signal.SIGTERM)
    time.sleep(0.05)  # the logout's spacing: what is checked below waits on the trace
    s.program.send_signal(signal.SIGHUP)
    rts = s.wait_trace(r"^.* -> RTS on$", since)
    s.program.send_signal(signal.SIGINT)
    dsr = s.wait_trace(r"^.* <- DSR on$", rts.end())
    s.wait_trace(r'^.* -> "\?&"  3F 26$', dsr.end())
    expect_clean_exit(s)
    if s.settings_lines() != 30:
        raise Failure("the settings file is not thirty CR LF lines")


def scenario_edges(s):
    """Started with descriptors 0 and 1 closed and the trace on standard error, a pipe whose
    reader goes away after three lines (ventrose --trace - | head -3): the closed ones lead
    to /dev/null, not to the display's connection, and the program outlives the reader."""
    read = b""
    while read.count(b"\n") < 3:
        if not select.select([s.program.stderr], [], [], LIMIT)[0]:
            raise Failure(f"waited {LIMIT} s for three lines of the trace")
        read += os.read(s.program.stderr.fileno(), 1) or b"\n\n\n"
    s.program.stderr.close()
    for fd in (0, 1):
        target = os.readlink(f"/proc/{s.program.pid}/fd/{fd}")
        if target != "/dev/null":
            raise Failure(f"descriptor {fd} leads to {target}")
    main = s.wait_window("Ventrose")
    s.keys(main, "alt+a", "p")  # leaving the about box reopens the port: traced
    about = s.wait_window("A propos de...")
    s.keys(about, "alt+F4")
    wait_for("the main window to be active again", lambda: s.active() == main)
    quit_by_menu(s, main)
    if s.wait_exit() != 0:
        raise Failure(f"exit status {s.program.returncode}")
    if [name for name in os.listdir(os.path.join(s.folder, "data")) if ".tmp-" in name]:
        raise Failure("a save left its temporary file")


def scenario_port_leads_nowhere(s):
    s.wait_trace(r"^.* -- open COM1 failed: No such file or directory \(2\)$")
    main = wait_for("the main window and the open error box", lambda: main_and_box(s))
    box = s.wait_window("Ventrose", besides=(main,))
    s.screenshot("open-error")
    s.keys(box, "Return")
    s.wait_gone(box, "Ventrose")
    if s.program.poll() is not None:
        raise Failure(f"the program ended with status {s.program.returncode}")
    quit_by_menu(s, main)
    if s.wait_exit() != 0:
        raise Failure(f"exit status {s.program.returncode}")


def scenario_link_comes_back(s):
    """The plug pulled and put back with the link up, then during a calibration: the link
    comes back without a box or a click, readings flow again, and the calibration goes on
    to its four "E&"."""
    main = main_window(s)
    start_link(s, main)

    def pull_and_put_back(name):
        since = len(s.trace_text())
        s.program.send_signal(signal.SIGUSR1)
        closed = s.wait_trace(r"^.* -- close COM1$", since)
        s.screenshot(f"{name}-pulled")
        s.program.send_signal(signal.SIGUSR2)
        rts = s.wait_trace(r"^.* -> RTS on$", closed.end())
        dsr = s.wait_trace(r"^.* <- DSR on$", rts.end())
        s.wait_trace(r"^.* -> RTS off$", dsr.end())
        return dsr.end()

    answered = pull_and_put_back("link-up")
    sent = s.wait_trace(r'^.* -> "!0A\+0B\+0C&"', answered)
    first = s.wait_trace(r'^.* <- "\d{1,3}"  [0-9A-F ]+$', sent.end())
    s.wait_trace(r'^.* <- "\d{1,3}"  [0-9A-F ]+$', first.end())  # the needle turns again
    if s.windows("Information"):
        raise Failure("a box on the link's return")
    s.screenshot("link-up-back")

    s.keys(main, "alt+b", "e")  # Boussole -> Etalonnage de la boussole
    box = wait_for("the calibration's question", lambda: next(
        (w for w in [s.active()] if w and w != main), None))
    s.keys(box, "Return")
    phase = (306, 108)  # the waiting phase's button, in the calibration panel
    s.click(main, *phase)
    first_phase = s.wait_trace(r'^.* -> "E&"', answered)
    after = pull_and_put_back("calibration")
    if after < first_phase.end() or s.windows("Information"):
        raise Failure("the calibration's link did not come back by itself")
    s.screenshot("calibration-back")
    for done in range(1, 4):
        since = len(s.trace_text())
        wait_for(f"phase {done + 1} to wait", lambda: s.trace_text().count('-> "E&"') == done)
        s.click(main, *phase)
        s.wait_trace(r'^.* -> "E&"', since)
    s.screenshot("calibration-done")
    traced = s.trace_text()[first_phase.start():]
    commands = re.findall(r'-> "([^"]*&)"', traced)
    if commands != ["E&"] * 4:
        raise Failure(f"the calibration sent {commands}")


def scenario_folder_removed(s):
    """The installation folder deleted while the link runs: readings go on (the dial and the
    wait box's clip loaded before are kept), the loss is said once on standard error, and
    "Quitter" still hands the module over."""
    main = main_window(s)
    start_link(s, main)
    shutil.rmtree(os.path.join(s.folder, "data"))
    since = len(s.trace_text())
    first = s.wait_trace(r'^.* <- "\d{1,3}"  [0-9A-F ]+$', since)
    s.wait_trace(r'^.* <- "\d{1,3}"  [0-9A-F ]+$', first.end())
    s.screenshot("folder-gone")
    if s.windows(s.text["information"]) or len(s.windows("Ventrose")) > 1:
        raise Failure("a box after the folder went")
    since = len(s.trace_text())
    quit_by_menu(s, main)
    rts = s.wait_trace(r"^.* -> RTS on$", since)
    dsr = s.wait_trace(r"^.* <- DSR on$", rts.end())
    s.wait_trace(r'^.* -> "\?&"  3F 26$', dsr.end())
    # The settings cannot be saved where the folder was (said once, as for a full disk),
    # then the module works on its own.
    s.answer_box("Ventrose", besides=(main,), says="Ventrose.inf")
    s.answer_box(s.text["information"])
    expect_clean_exit(s)
    with open(os.path.join(s.folder, "ventrose.log"), encoding="utf-8", errors="replace") as log:
        if log.read().count("a disparu") != 1:
            raise Failure("the folder's loss was not said once on standard error")


def catalogue_texts():
    """Every text of the English catalogue, its French source and its English translation,
    without mnemonics: one of them shown unmarked in the pseudo-language went round the
    translation."""
    import xml.etree.ElementTree as ElementTree
    texts = set()
    path = os.path.join(SOURCE, "translations", "ventrose_en.ts")
    for message in ElementTree.parse(path).getroot().iter("message"):
        for text in (message.findtext("source"), message.findtext("translation")):
            plain = (text or "").replace("&&", "\0").replace("&", "").replace("\0", "&").strip()
            if len(re.findall(r"[^\W\d_]", plain)) >= 3:  # a word, not a letter or a number
                texts.add(plain)
    return texts


def shown_texts(s):
    """What the program recorded of its windows' texts as they showed."""
    import json
    try:
        with open(s.env["VENTROSE_SHOWN_TEXTS"], encoding="utf-8") as record:
            return [json.loads(line) for line in record if line.endswith("\n")]
    except FileNotFoundError:
        return []


def wait_shown(s, window, kind, text):
    """Waits until the window titled window (None: any) has shown text of kind; the records
    so far."""
    def found():
        records = shown_texts(s)
        return records if any(window in (None, r["window"]) and r["kind"] == kind and
                              r["text"] == text for r in records) else None
    return wait_for(f'"{text}" ({kind}) in the window "{window}"', found)


def scenario_pseudo_language(s):
    """The program in a language that is a row, a catalogue and a help file of the tests
    only, every text of which is marked ⟦ ⟧: the menus, the dialogs, the link's boxes and
    the help come out marked, and no text of the catalogue is shown unmarked."""
    main = main_window(s)
    wait_shown(s, "Ventrose", "action", pseudo_marked("&Settings"))
    wait_shown(s, "Ventrose", "action", pseudo_marked("&Activate serial communication"))
    s.keys(main, "alt+s")  # the Settings menu, opened by its marked caption's mnemonic
    quit_caption = pseudo_marked("&Quit")
    wait_for("the Settings menu to show", lambda: sum(
        r["text"] == quit_caption for r in shown_texts(s)) >= 2)  # the bar's, then the popup's
    s.screenshot("menu")
    s.keys(main, "Escape", "Escape")
    for keys, caption in s.text["before link"]:
        s.keys(main, *keys)
        dialog = s.wait_window(caption)
        s.screenshot(caption)
        since = len(s.trace_text())
        s.keys(dialog, "alt+F4")
        s.wait_gone(dialog, caption)
        s.wait_settled(main, since)
    start_link(s, main)
    wait_shown(s, pseudo_marked("Information"), "title", pseudo_marked("Information"))
    s.keys(main, *s.text["help"])
    help_window = s.wait_window(s.text["help title"])
    records = wait_shown(s, s.text["help title"], "title", s.text["help title"])
    s.screenshot("help")
    page = next(r["text"] for r in records if r["kind"] == "page")
    if not page.lstrip().startswith(pseudo_marked("Ventrose: the electronic compass on your PC")):
        raise Failure(f"the help is not the pseudo-language's: {page[:80]!r}")
    outside = re.sub(r"⟦[^⟦⟧]*⟧", "", page)
    if re.search(r"[^\W\d_]{2,}", outside):
        raise Failure(f"the help holds unmarked words: {outside.split()[:12]}")
    s.keys(help_window, "alt+F4")
    s.wait_gone(help_window, s.text["help title"])
    catalogue = catalogue_texts()
    leaks = set()
    for record in shown_texts(s):
        for line in record["text"].replace("&&", "\0").replace("&", "").replace("\0", "&").split("\n"):
            if "⟦" not in line and line.strip() in catalogue:
                leaks.add((record["window"], record["kind"], line.strip()))
    if leaks:
        raise Failure(f"texts shown unmarked: {sorted(leaks)}")
    marked = sum("⟦" in r["text"] for r in shown_texts(s))
    if marked < 50:
        raise Failure(f"only {marked} marked texts were shown")
    quit_by_menu(s, main)
    s.answer_box(s.text["information"])  # the module now works on its own
    expect_clean_exit(s)


def main_and_box(s):
    """The main window once the error box stands beside it: the larger of the two windows
    with the program's title."""
    found = s.windows("Ventrose")
    if len(found) < 2:
        return None
    heights = {w: re.search(r"Height:\s+(\d+)", s.x("xwininfo", "-id", w)) for w in found}
    return max(found, key=lambda w: int(heights[w].group(1)) if heights[w] else 0)


SCENARIOS = {
    "MainWindow": scenario_main_window,
    "StartLink": scenario_start_link,
    "Dialogs": scenario_dialogs,
    "QuitWithLinkUp": scenario_quit_with_link_up,
    "PortLeadsNowhere": scenario_port_leads_nowhere,
    "QuitBySignal": scenario_quit_by_signal,
    "Edges": scenario_edges,
    "InEnglish": scenario_in_english,
    "LinkComesBack": scenario_link_comes_back,
    "FolderRemoved": scenario_folder_removed,
    "PseudoLanguage": scenario_pseudo_language,
}


def prepare_nowhere_port(folder):
    data = os.path.join(folder, "data")
    shutil.copytree(os.path.join(SOURCE, "data", "shipped"), data)
    os.symlink(os.path.join(folder, "no-such-device"), os.path.join(data, "COM1"))
    return data


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--keep", action="store_true", help="keep the folder on success too")
    parser.add_argument("scenario", choices=SCENARIOS)
    args = parser.parse_args()
    folder = os.path.abspath(os.path.join(args.work, args.scenario))
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder, mode=0o700)  # also the program's runtime folder
    simulate = args.scenario != "PortLeadsNowhere"
    data = None if simulate else prepare_nowhere_port(folder)
    started = time.monotonic()
    language = {"InEnglish": "en", "PseudoLanguage": "xx"}.get(args.scenario, "fr")
    session = Session(folder, language)
    if language == "xx":  # the pseudo-language's program records the texts it shows
        session.env["VENTROSE_SHOWN_TEXTS"] = os.path.join(folder, "shown.jsonl")
    try:
        session.start(os.path.abspath(args.program), simulate, data, args.scenario == "Edges")
        SCENARIOS[args.scenario](session)
    except Exception as failure:  # a Failure, or a tool that broke: both keep the evidence
        if "DISPLAY" in session.env:
            session.screenshot("failure")
        session.close()
        print(f"FAILED: {failure!r}")
        print(f"Kept in {folder}:")
        for name in sorted(os.listdir(folder)):
            print(f"  {os.path.join(folder, name)}")
        return 1
    session.close()
    print(f"{args.scenario} passed in {time.monotonic() - started:.1f} s")
    if not args.keep:
        shutil.rmtree(folder, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
