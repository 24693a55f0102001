#!/usr/bin/python3
"""Plays the end-to-end scenario on the real quorvane, from outside, as an assistive technology would.

The program runs on a display of its own (Xvfb) with its own session bus and accessibility bus;
Qt's accessibility bridge exposes its windows over AT-SPI, and this script reads and operates the
controls by their accessible roles and names. The steps and every expected text come from
scenario.py, which expands scenario.txt for this platform with what quorvane-cli prints; this
script only knows how to do each kind of step here. Keys and clicks that a user gives go through
the display server (xdotool), presses that a screen reader gives go over AT-SPI.

Usage: quorvane_e2e.py PATH-TO-quorvane PATH-TO-quorvane-cli [SCENARIO_FILE]
Prints "ok: CASE" after each case; the first failure prints "FAIL: CASE: what" and ends the run.
Exit status: 0 passed, 1 failed, 77 skipped (no display server could be started).

It runs with Debian's Python (/usr/bin/python3), which has the pyatspi bindings.
"""

import ctypes
import ctypes.util
import os
import re
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

import scenario

SKIPPED = 77
# The keys of the steps as xdotool names them; function key 10 by its keysym's number (XK_F10).
KEYS = {"Tab": "Tab", "Up": "Up", "Down": "Down", "Enter": "Return", "Escape": "Escape"}
MENU_KEYS = {"Shift and function key 10": "shift+0xffc7", "Menu key": "Menu"}
WORKING = "Working..."
MENU_SPOT = "Results"  # the frame of the main window that a right-click opens the menu on
MAIN = "Quorvane"


class Skip(Exception):
    pass


class Failure(Exception):
    pass


def wait_for(what, probe, timeout=15.0, interval=0.05):
    """Polls probe() until it gives a true value, and returns that value."""
    deadline = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure(f"timed out after {timeout:.0f} s waiting for {what}")
        time.sleep(interval)


def settled(what, read, wanted, timeout=10.0):
    """Reads until the wanted value comes (the bridge reports the writes of one press as separate
    events, so a reader may see them one after another) and fails with the last value read, or
    with its first line that differs."""
    deadline = time.monotonic() + timeout
    while (got := read()) != wanted:
        if time.monotonic() > deadline:
            if isinstance(got, str) and "\n" in wanted:
                lines = list(zip(got.split("\n") + [None], wanted.split("\n") + [None]))
                got, wanted = next(((i + 1, g), (i + 1, w)) for i, (g, w) in enumerate(lines) if g != w)
            raise Failure(f"{what}: expected {wanted!r}, got {got!r}")
        time.sleep(0.05)


def read_line(stream, timeout):
    """One line from a pipe, or None when nothing came within the time."""
    ready, _, _ = select.select([stream], [], [], timeout)
    return stream.readline() if ready else None


class Session:
    """The display, the buses and the program, started in this order and stopped in reverse. The
    display and the session bus go into this process's environment, where the bindings find them."""

    def __init__(self, program):
        self.program = program
        self.folder = tempfile.mkdtemp(prefix="quorvane-e2e-")
        self.processes = []

    def log(self, name):
        return os.path.join(self.folder, name + ".log")

    def log_text(self, name):
        return open(self.log(name)).read().strip() if os.path.exists(self.log(name)) else ""

    def spawn(self, name, argv, **kwargs):
        """Starts a process that leads a process group of its own, so that what it starts stops with
        it; what it writes goes to NAME.log, its output unless it is asked for."""
        with open(self.log(name), "w") as log:
            process = subprocess.Popen(argv, start_new_session=True, stdout=kwargs.pop("stdout", log), stderr=log,
                                       **kwargs)
        self.processes.append(process)
        return process

    def start_display(self):
        if not shutil.which("Xvfb"):
            raise Skip("Xvfb is not installed, so no display server can be started")
        read_end, write_end = os.pipe()
        process = self.spawn("Xvfb", ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
                                      "-nolisten", "tcp", "-noreset"], pass_fds=(write_end,))
        os.close(write_end)
        with os.fdopen(read_end) as numbers:
            number = read_line(numbers, 20.0)
        if not number or not number.strip().isdigit():
            process.kill()
            raise Skip("Xvfb could not start a display: " + (self.log_text("Xvfb")[-500:] or "no output"))
        os.environ["DISPLAY"] = ":" + number.strip()

    def start_buses(self):
        daemon = self.spawn("dbus", ["dbus-daemon", "--session", "--nofork", "--print-address"],
                            stdout=subprocess.PIPE, text=True)
        address = read_line(daemon.stdout, 10.0)
        if not address:
            raise Failure("the session bus did not start: " + self.log_text("dbus"))
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = address.strip()
        launcher = "/usr/libexec/at-spi-bus-launcher"
        if not os.access(launcher, os.X_OK):
            raise Failure("at-spi-bus-launcher is missing (Debian package at-spi2-core)")
        self.spawn("at-spi", [launcher, "--launch-immediately"])
        ask = ["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
               "org.a11y.Bus.GetAddress"]
        wait_for("the accessibility bus", lambda: subprocess.run(
            ask, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode == 0)

    def start_program(self):
        env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_ACCESSIBILITY="1", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                   XDG_RUNTIME_DIR=self.folder)
        self.program_process = self.spawn("quorvane", [self.program], env=env)

    def stop(self):
        for process in reversed(self.processes):
            for stop in (signal.SIGTERM, signal.SIGKILL):
                if process.poll() is None:
                    try:
                        os.killpg(process.pid, stop)
                        process.wait(5)
                    except (ProcessLookupError, subprocess.TimeoutExpired):
                        pass
        shutil.rmtree(self.folder, ignore_errors=True)


def xdotool(*args):
    """Runs xdotool on the program's display; its output, empty when it found nothing."""
    done = subprocess.run(["xdotool", *args], capture_output=True, text=True, timeout=10)
    return done.stdout.strip()


def x_window(name):
    """The display server's id of the shown window with this title, or None."""
    found = xdotool("search", "--onlyvisible", "--name", f"^{re.escape(name)}$").split()
    return found[0] if found else None


def close_window(window_id):
    """Asks a window to close as a window manager's close button does (WM_DELETE_WINDOW)."""
    x11 = ctypes.CDLL(ctypes.util.find_library("X11"))
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XInternAtom.restype = ctypes.c_ulong
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
    x11.XFlush.argtypes = x11.XCloseDisplay.argtypes = [ctypes.c_void_p]

    class ClientMessage(ctypes.Structure):
        _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                    ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                    ("format", ctypes.c_int), ("data", ctypes.c_long * 5), ("pad", ctypes.c_long * 12)]

    display = x11.XOpenDisplay(None)
    if not display:
        raise Failure("cannot open the display to close a window")
    event = ClientMessage(type=33, window=int(window_id), format=32,  # 33: ClientMessage
                          message_type=x11.XInternAtom(display, b"WM_PROTOCOLS", 0))
    event.data[0] = x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
    x11.XSendEvent(display, int(window_id), 0, 0, ctypes.byref(event))
    x11.XFlush(display)
    x11.XCloseDisplay(display)


def expanded_steps(cli, scenario_file):
    """The scenario's steps for this platform, each a list of its fields."""
    try:
        return scenario.expand_file(cli, "qt", scenario_file or scenario.DEFAULT_SCENARIO)
    except (OSError, scenario.ScenarioError) as error:
        raise Failure(f"the scenario cannot be expanded: {error}")


class Player:
    """Does each kind of step on the program's windows, as AT-SPI shows them."""

    def __init__(self, pyatspi, session):
        from gi.repository import GLib
        self.a = pyatspi
        self.session = session
        self.pid = session.program_process.pid
        self.app = wait_for("the program on the accessibility bus", self.find_app, timeout=30.0)
        # A shown menu is not among the program's windows: it is found by the focus that its first
        # item takes. A search may be over in a tenth of a second: what the Working window shows is
        # read from the changes of its labels as they are reported. Both listen from the start, since
        # the program learns of a listener only a moment later.
        self.focused = []
        self.working = None  # the texts that the Working window's labels took, while a search is watched
        self.events = GLib.MainContext.default()
        pyatspi.Registry.registerEventListener(self.focused.append, "focus:")
        pyatspi.Registry.registerEventListener(self.noticed, "object:property-change:accessible-name")
        self.menu = []  # the items of the menu opened last
        self.opener = None  # how the last message box was opened: ("click", button) or ("menu", None)

    def find_app(self):
        desktop = self.a.Registry.getDesktop(0)
        apps = [desktop.getChildAtIndex(i) for i in range(desktop.childCount)]
        return next((app for app in apps if self.alive(app) and app.get_process_id() == self.pid), None)

    def alive(self, node):
        try:
            return node is not None and not node.getState().contains(self.a.STATE_DEFUNCT)
        except Exception:  # gone while it was asked
            return False

    # Reading the windows.

    def windows(self):
        """The program's shown windows, each with its name and role, read at once: a closed box may
        linger as a gap, and a window may go while it is read."""
        self.app.clearCache()
        shown = []
        for w in (self.app.getChildAtIndex(i) for i in range(self.app.childCount)):
            try:
                if self.alive(w) and self.showing(w):
                    shown.append((w, w.name, w.getRole()))
            except Exception:  # gone while it was read
                pass
        return shown

    def window(self, name):
        return next((w for w, shown, role in self.windows() if shown == name and role != self.a.ROLE_ALERT), None)

    def shown_window(self, name):
        return wait_for(f"the window '{name}'", lambda: self.window(name))

    def alerts(self):
        return [w for w, _, role in self.windows() if role == self.a.ROLE_ALERT]

    def walk(self, node):
        yield node
        for child in (node.getChildAtIndex(i) for i in range(node.childCount)):
            yield from self.walk(child) if child is not None else ()

    def showing(self, node):
        return node.getState().contains(self.a.STATE_SHOWING)

    def find(self, root, roles, name=None):
        root.clearCache()
        return [n for n in self.walk(root)
                if n.getRole() in roles and (name is None or n.name == name) and self.showing(n)]

    def control(self, name, roles=None, root=None):
        """The one control of that name; a text box before the option button or check box of its
        caption, which gives it its name."""
        a = self.a
        roles = roles or (a.ROLE_TEXT, a.ROLE_RADIO_BUTTON, a.ROLE_CHECK_BOX, a.ROLE_PUSH_BUTTON)
        found = self.find(root or self.shown_window(MAIN), roles, name)
        texts = [n for n in found if n.getRole() == a.ROLE_TEXT]
        if len(texts) == 1:
            return texts[0]
        if len(found) != 1:
            raise Failure(f"expected one control named '{name}', found {len(found)}")
        return found[0]

    def box(self, node):
        e = node.queryComponent().getExtents(self.a.DESKTOP_COORDS)
        return e.x, e.y, e.width, e.height

    def text_of(self, node):
        text = node.queryText()
        return text.getText(0, text.characterCount)

    def values_beside(self, headings):
        """The text of the label to the right of each heading (with or without its colon) on the
        same row, as a reader finds the value, or else of the label under it in its column. The
        headings are not values of each other."""
        labels = [(n.name, self.box(n)) for n in self.find(self.shown_window(MAIN), (self.a.ROLE_LABEL,))]
        names = {name.rstrip(":") + colon for name in headings for colon in ("", ":")}
        values = []
        for heading in headings:
            found = [box for name, box in labels if name.rstrip(":") == heading.rstrip(":")]
            if len(found) != 1:
                values.append(f"<{len(found)} labels '{heading}'>")
                continue
            hx, hy, hw, hh = found[0]
            row, column = [], []
            for name, (x, y, w, h) in labels:
                if name in names:
                    continue
                # Rows of labels may overlap by a pixel: a value belongs to the row its middle lies in.
                if x >= hx + hw - 1 and hy <= y + h // 2 < hy + hh:
                    row.append((x, name))
                elif x < hx + hw and hx < x + w and y + h // 2 >= hy + hh:
                    column.append((y, name))
            values.append(min(row or column or [(0, f"<nothing beside '{heading}'>")])[1])
        return values

    def state(self, node, state):
        node.clearCache()
        return node.getState().contains(state)

    def noticed(self, event):
        """Keeps the texts that the Working window's labels take, while a search is watched."""
        if self.working is None or len(self.working) > 1:
            return
        try:
            node = window = event.source
            while window.parent is not None and window.parent.getRole() != self.a.ROLE_APPLICATION:
                window = window.parent
            if node.getRole() == self.a.ROLE_LABEL and window.name == WORKING:
                self.working.add(node.name)
        except Exception:
            pass  # gone before it was read

    def watch(self, on):
        """Reads the changes of the labels from now on, or no more."""
        self.pump()
        self.working = set() if on else None

    def pump(self):
        while self.events.iteration(False):
            pass

    # Acting on them.

    def act(self, node, action):
        actions = node.queryAction()
        names = [actions.getName(i) for i in range(actions.nActions)]
        if action not in names:
            raise Failure(f"{node.getRoleName()} '{node.name}' offers {names}, not {action}")
        actions.doAction(names.index(action))

    def click(self, node, button="1"):
        x, y, w, h = self.box(node)
        xdotool("mousemove", str(x + w // 2), str(y + h // 2), "click", button)

    def popups(self):
        """The program's popup windows on the display (the bridge does not list a shown menu)."""
        return set(xdotool("search", "--onlyvisible", "--classname", "quorvane").split())

    # The steps.

    def step_type(self, field, text):
        node = self.control(field, (self.a.ROLE_TEXT,), self.top_window())
        node.queryEditableText().setTextContents(text)
        settled(f"the text in '{field}'", lambda: self.text_of(node), text)

    def step_choose(self, option):
        node = self.control(option, (self.a.ROLE_RADIO_BUTTON,))
        self.act(node, "Toggle")
        wait_for(f"'{option}' chosen", lambda: self.state(node, self.a.STATE_CHECKED))

    def step_tick(self, box, how):
        node = self.control(box, (self.a.ROLE_CHECK_BOX,))
        wanted = {"on": True, "off": False}[how]
        if self.state(node, self.a.STATE_CHECKED) != wanted:
            self.act(node, "Toggle")
        wait_for(f"'{box}' {how}", lambda: self.state(node, self.a.STATE_CHECKED) == wanted)

    def step_press(self, button, window=MAIN):
        node = self.control(button, (self.a.ROLE_PUSH_BUTTON,), self.shown_window(window))
        self.act(node, "Press")
        # A press over AT-SPI clicks the button a moment later; it is up again once its work is done.
        wait_for(f"'{button}' done", lambda: not self.state(node, self.a.STATE_PRESSED), timeout=60.0)

    def step_press_later(self, button):
        node = self.control(button, (self.a.ROLE_PUSH_BUTTON,), self.top_window())
        self.opener = ("click", node)
        self.watch(True)
        self.click(node)

    def top_window(self):
        """The window the user works in: a box over the main window, else the main window."""
        others = [w for w, name, _ in self.windows() if name not in (MAIN, WORKING)]
        return others[-1] if others else self.shown_window(MAIN)

    def step_focus(self, name):
        node = self.control(name)
        xdotool("windowfocus", x_window(MAIN))
        node.queryComponent().grabFocus()
        wait_for(f"the focus on '{name}'", lambda: self.state(node, self.a.STATE_FOCUSED))

    def step_key(self, key):
        if key not in KEYS:
            raise Failure(f"no key '{key}'")
        xdotool("key", KEYS[key])

    def step_focused(self, name):
        node = self.control(name)
        settled(f"the focus on '{name}'", lambda: self.state(node, self.a.STATE_FOCUSED), True)

    def step_chosen(self, option):
        node = self.control(option, (self.a.ROLE_RADIO_BUTTON,))
        settled(f"'{option}' chosen", lambda: self.state(node, self.a.STATE_CHECKED), True)

    def step_menu(self, how, item):
        self.opener = ("menu", None)
        window = self.shown_window(MAIN)
        before = self.popups()
        self.pump()
        self.focused.clear()
        if how == "right-click":
            self.click(self.control(MENU_SPOT, (self.a.ROLE_PANEL,), window), "3")
        elif how in MENU_KEYS:
            xdotool("windowfocus", x_window(MAIN))
            xdotool("key", MENU_KEYS[how])
        else:
            raise Failure(f"no way to open the menu by '{how}'")
        shown = wait_for(f"the context menu after {how}", lambda: self.popups() - before)

        def first_item():
            self.pump()
            return next((e.source for e in self.focused if e.source.getRole() == self.a.ROLE_MENU_ITEM), None)

        menu = wait_for("the menu's first item to take the focus", first_item).parent
        items = [menu.getChildAtIndex(i) for i in range(menu.childCount)]
        names = [node.name for node in items]
        self.menu = ["\t".join(filter(None, (node.name, node.queryAction().getKeyBinding(0)))) for node in items]
        if item not in names:
            raise Failure(f"the menu holds {names}, not '{item}'")
        # The menu opens on its first item; the keys walk to the one chosen.
        xdotool("key", *(["Down"] * names.index(item)), "Return")
        wait_for("the menu to close", lambda: not self.popups() & shown)

    def step_menu_items(self, *items):
        if self.menu != list(items):
            raise Failure(f"the menu shows {self.menu}, expected {list(items)}")

    def step_shown(self, window, text):
        root = self.shown_window(window)
        settled(f"a label '{text}' in '{window}'",
                lambda: any(n.name == text for n in self.find(root, (self.a.ROLE_LABEL,))), True)

    def step_beside(self, heading, text):
        settled(f"'{heading}'", lambda: self.values_beside([heading]), [text])

    def step_frames(self, *names):
        window = self.shown_window(MAIN)
        got = [n.name for n in self.find(window, (self.a.ROLE_PANEL,))]
        if got != list(names):
            raise Failure(f"the frames are {got}, expected {list(names)}")

    def step_results(self, *pairs):
        headings = pairs[::2]
        settled("the results", lambda: [f"{h}: {v}" for h, v in zip(headings, self.values_beside(headings))],
                [f"{h}: {v}" for h, v in zip(headings, pairs[1::2])])

    def step_clipboard(self, text):
        xclip = ["xclip", "-o", "-selection", "clipboard"]
        settled("the clipboard", lambda: subprocess.run(xclip, capture_output=True, text=True, timeout=10).stdout,
                text)

    def step_table(self, name, text):
        window = self.shown_window(name)
        table = wait_for("a table", lambda: self.find(window, (self.a.ROLE_TABLE,)))[0].queryTable()

        def shown():
            lines = ["\t".join(table.getColumnDescription(c) for c in range(table.nColumns))]
            lines += ["\t".join(table.getAccessibleAt(r, c).name for c in range(table.nColumns))
                      for r in range(table.nRows)]
            return "\n".join(lines)

        settled(f"the table of '{name}' (line, text)", shown, text)

    def step_csv(self, name, text):
        """Saves the table through the save dialog, checks the file, and closes the window."""
        window = self.shown_window(name)
        before = {shown for _, shown, _ in self.windows()}
        self.click(self.control("Save...", (self.a.ROLE_PUSH_BUTTON,), window))
        dialog = wait_for("the save dialog", lambda: next(
            (w for w, shown, _ in self.windows() if shown not in before), None))
        path = os.path.join(self.session.folder, name + ".csv")
        if os.path.exists(path):
            os.remove(path)  # a window saved again: no question whether to replace the file
        self.control("File name:", (self.a.ROLE_TEXT,), dialog).queryEditableText().setTextContents(path)
        self.act(self.control("Save", (self.a.ROLE_PUSH_BUTTON,), dialog), "Press")
        wait_for("the save dialog to close", lambda: dialog not in [w for w, _, _ in self.windows()])
        settled(f"the file that '{name}' saved",
                lambda: open(path, newline="").read() if os.path.exists(path) else None, text)
        self.step_close(name)

    def step_message(self, title, text):
        box = wait_for("a message box", lambda: self.alerts())[0]
        a = self.a
        shown = (box.name, [n.name for n in self.find(box, (a.ROLE_LABEL,)) if n.name],
                 [n.name for n in self.find(box, (a.ROLE_PUSH_BUTTON,))])
        if shown != (title, [text], ["OK"]):
            raise Failure(f"the message box shows {shown}, expected {(title, [text], ['OK'])}")
        # The window under the box takes no input: the click that opened the box does nothing now.
        how, node = self.opener or (None, None)
        self.opener = None
        if how == "menu":
            node = self.control(MENU_SPOT, (a.ROLE_PANEL,))
        if how and self.showing(node):
            x, y, w, h = self.box(node)
            bx, by, bw, bh = self.box(box)
            if bx <= x + w // 2 < bx + bw and by <= y + h // 2 < by + bh:
                raise Failure(f"the message box covers '{node.name}'")
            before = self.popups()
            self.click(node, "3" if how == "menu" else "1")
            time.sleep(0.3)
            if self.popups() - before or len(self.alerts()) != 1:
                raise Failure(f"the window under the message box takes a click on '{node.name}'")
        self.act(self.control("OK", (a.ROLE_PUSH_BUTTON,), box), "Press")
        wait_for("the message box to close", lambda: not self.alerts())

    def step_no_message(self):
        time.sleep(0.3)
        if self.alerts():
            raise Failure(f"a message box '{self.alerts()[0].name}' is shown")

    def step_search(self, how):
        if how != "counting":
            raise Failure(f"no search '{how}'")
        deadline = time.monotonic() + 60
        # The search is over once the main window answers again and the Working window has gone.
        while len(self.working) < 2 or self.window(WORKING):
            self.pump()
            time.sleep(0.005)
            if time.monotonic() > deadline:
                raise Failure(f"the search does not end, or the Working window did not count: {self.working}")

    def step_stop(self, how, ms):
        # The search keeps the program busy: it is stopped through the display server alone.
        working = wait_for("the Working window", lambda: x_window(WORKING))
        time.sleep(0.3)
        if how == "Esc":
            xdotool("windowfocus", working)
            start = time.monotonic()
            xdotool("key", "Escape")
        elif how == "close box":
            start = time.monotonic()
            close_window(working)
        else:
            raise Failure(f"no way to stop a search by '{how}'")
        wait_for("the Working window to close", lambda: not x_window(WORKING), timeout=10.0, interval=0.005)
        gone = (time.monotonic() - start) * 1000
        print(f"stopped by {how}: the Working window gone after {gone:.0f} ms")
        if gone > int(ms):
            raise Failure(f"the Working window went {gone:.0f} ms after {how}, more than {ms} ms")

    def step_close(self, name):
        self.shown_window(name)
        close_window(x_window(name))
        wait_for(f"'{name}' to close", lambda: not self.window(name))

    def step_open(self, name):
        self.shown_window(name)

    def step_closed(self, name):
        wait_for(f"'{name}' to close", lambda: not self.window(name))

    def step_quit(self):
        # In the sanitizer build the leak check runs at the end: a leak ends it with another status.
        close_window(x_window(MAIN))
        try:
            status = self.session.program_process.wait(60)
        except subprocess.TimeoutExpired:
            raise Failure("the program still runs 60 s after its window was closed")
        if status != 0:
            raise Failure(f"the program ended with status {status} after its window was closed")


def play(player, steps):
    case = None
    for fields in steps + [["case", None]]:
        kind, args = fields[0], fields[1:]
        if kind == "case":
            if case:
                print(f"ok: {case}", flush=True)
            case = args[0]
        elif kind == "note":
            print(f"note: {args[0]}")
        else:
            step = getattr(player, "step_" + kind.replace("-", "_"), None)
            if step is None:
                raise Failure(f"{case}: no step '{kind}' here")
            if player.session.program_process.poll() is not None and kind != "quit":
                raise Failure(f"{case}: the program ended with status {player.session.program_process.returncode}")
            if kind != "search":
                player.watch(False)
            try:
                step(*args)
            except Failure as failure:
                raise Failure(f"{case}: {kind}: {failure}")
            except Exception as error:  # a step written wrong, or the bridge lost an object
                raise Failure(f"{case}: {kind} {args}: {error!r}")


def main():
    if len(sys.argv) not in (3, 4):
        print(__doc__, file=sys.stderr)
        return 2
    if not shutil.which("xclip"):
        print("SKIP: xclip is not installed, so the clipboard cannot be read (make setup installs it)")
        return SKIPPED
    session = Session(os.path.abspath(sys.argv[1]))
    try:
        steps = expanded_steps(os.path.abspath(sys.argv[2]), sys.argv[3] if len(sys.argv) == 4 else None)
        session.start_display()
        session.start_buses()
        import pyatspi
        started = time.monotonic()
        session.start_program()
        play(Player(pyatspi, session), steps)
        print(f"end-to-end run passed: {len(steps)} steps in {time.monotonic() - started:.1f} s")
        return 0
    except Skip as reason:
        print(f"SKIP: {reason}")
        return SKIPPED
    except Failure as failure:
        print(f"FAIL: {failure}", file=sys.stderr)
        output = session.log_text("quorvane")
        if output:
            print("the program's output:\n" + output, file=sys.stderr)
        return 1
    finally:
        session.stop()


if __name__ == "__main__":
    sys.exit(main())
