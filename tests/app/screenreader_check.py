#!/usr/bin/python3
"""What a screen reader hears of the window, over AT-SPI as Orca hears it.

Starts, on a private session bus with its own accessibility bus and X server,
the real window (screenreaderwindow), listens with pyatspi and checks that a
moved entry gets the focus at its new row, that every change of the list is
sent as children-changed (a million-line load as a few events, not a million)
and that the progress reads as a whole percent.

    screenreader_check.py SCREENREADERWINDOW

Exits 77 (skipped) when the session bus, the accessibility bus, Xvfb or the
Debian pyatspi bindings are not installed; scripts/deps.sh installs them.
"""
import importlib.util
import os
import shutil
import subprocess
import sys
import tempfile
import time

SKIPPED = 77
BUS_LAUNCHERS = ("/usr/libexec/at-spi-bus-launcher", "/usr/lib/at-spi2-core/at-spi-bus-launcher")


def skip(reason):
    print("SKIPPED: " + reason + " (scripts/deps.sh installs it)")
    sys.exit(SKIPPED)


def start_x_server():
    if not shutil.which("Xvfb"):
        skip("no Xvfb")
    read, write = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-nolisten", "tcp",
                               "-screen", "0", "1024x768x24"], pass_fds=(write,),
                              stderr=subprocess.DEVNULL)
    os.close(write)
    number = b""
    while not number.endswith(b"\n"):
        chunk = os.read(read, 16)
        if not chunk:
            skip("Xvfb did not start")
        number += chunk
    os.close(read)
    return server, ":" + number.decode().strip()


class Listener:
    """Every event of the kinds a screen reader follows, as plain tuples."""

    KINDS = ("object:children-changed", "object:state-changed", "focus:",
             "object:active-descendant-changed", "object:property-change:accessible-value",
             # Last: once the marker's name changes arrive, all the kinds above are
             # known to the window too.
             "object:property-change:accessible-name")

    def __init__(self):
        self.events = []
        for kind in self.KINDS:
            pyatspi.Registry.registerEventListener(self.heard, kind)

    def heard(self, event):
        try:
            source = event.source
            name = source.name
            index = source.getIndexInParent()
            value = source.queryValue().currentValue if "accessible-value" in event.type else None
        except Exception:  # the object went before its event was read
            name, index, value = None, None, None
        self.events.append((event.type, name, index, event.detail1, value))

    def pump_until(self, predicate, seconds):
        context = GLib.MainContext.default()
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            while context.pending():
                context.iteration(False)
            if predicate():
                return True
            time.sleep(0.01)
        return False


class Window:
    def __init__(self, program, display, home):
        environment = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb",
                           QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", HOME=home,
                           XDG_CONFIG_HOME=home, XDG_DATA_HOME=home)
        self.process = subprocess.Popen([program], stdin=subprocess.PIPE, env=environment,
                                        text=True)

    def ask(self, listener, line, seconds=60):
        """The events the window sent for `line`."""
        start = len(listener.events)
        self.process.stdin.write(line + "\n")
        self.process.stdin.flush()
        marker = ("object:property-change:accessible-name", line)
        if not listener.pump_until(lambda: marker in [e[:2] for e in listener.events[start:]],
                                   seconds):
            raise AssertionError("no answer from the window to: " + line)
        return listener.events[start:]


def children_changed(events):
    return [e for e in events if e[0].startswith("object:children-changed") and e[1] == "Email list"]


def focus_on(events):
    """The entries that got the focus, with their index among the list's children."""
    return [(e[1], e[2]) for e in events if e[0] == "object:state-changed:focused" and e[3] == 1]


def check(program):
    failures = []

    def expect(condition, what):
        if not condition:
            failures.append(what)

    server, display = start_x_server()
    # The accessibility bus: the launcher on the private session bus, as a
    # desktop session starts it.
    launcher = next(path for path in BUS_LAUNCHERS if os.path.exists(path))
    os.environ["DISPLAY"] = display
    bus = subprocess.Popen([launcher, "--launch-immediately"])
    with tempfile.TemporaryDirectory() as home:
        lines = os.path.join(home, "million.txt")
        with open(lines, "w") as million:
            million.writelines("user%d@example.org\n" % n for n in range(1000000))
        dropped = os.path.join(home, "dropped.txt")
        open(dropped, "w").close()

        listener = Listener()
        window = Window(program, display, home)
        try:
            # The window hears of the listener a moment after it registers.
            for attempt in range(100):
                start = len(listener.events)
                window.process.stdin.write("ping %d\n" % attempt)
                window.process.stdin.flush()
                if listener.pump_until(lambda: any(e[1] == "ping %d" % attempt
                                                   for e in listener.events[start:]), 1):
                    break
            else:
                raise AssertionError("the window sends no events over AT-SPI")

            for step in ("type", "load " + lines, "examples", "drop " + dropped, "remove", "clear"):
                sent = len(children_changed(window.ask(listener, step)))
                expect(1 <= sent <= 3, "%s: %d children-changed events" % (step.split()[0], sent))

            window.ask(listener, "examples")  # jane.doe, john.smith, info
            window.ask(listener, "select 2")
            # Each move puts the focus on the moved entry at its new row (the
            # list's first child is its header).
            for key, row in (("up", 1), ("home", 0), ("down", 1), ("end", 2)):
                heard = focus_on(window.ask(listener, "alt " + key))
                expect(("info@example.net", row + 1) in heard, "alt %s: focus %s" % (key, heard))
            heard = focus_on(window.ask(listener, "drag 0 1"))
            expect(("jane.doe@example.com", 2) in heard, "drag: focus %s" % heard)

            start = len(listener.events)
            for percent in ("27.333333333333332", "50.4", "93.72937293729373"):
                window.ask(listener, "progress " + percent)
            # A change within the reading pace is told a moment later.
            listener.pump_until(lambda: False, 0.5)
            window.ask(listener, "settled")
            values = [e[4] for e in listener.events[start:] if e[4] is not None]
            expect(values and all(v == int(v) for v in values), "progress values %s" % values)
            expect(values and values[-1] == 94, "last progress value %s" % values)
        finally:
            window.process.stdin.close()
            # A sanitizer's report ends the window with a failure.
            expect(window.process.wait(30) == 0, "the window ended with a failure")
            bus.terminate()
            server.terminate()
    for failure in failures:
        print("FAILED: " + failure)
    return 1 if failures else 0


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    if not os.environ.get("ORVANTA_PRIVATE_SESSION"):
        if not shutil.which("dbus-run-session"):
            skip("no dbus-run-session")
        if not any(os.path.exists(path) for path in BUS_LAUNCHERS):
            skip("no at-spi-bus-launcher")
        if not importlib.util.find_spec("pyatspi"):
            skip("no pyatspi for " + sys.executable)
        os.environ["ORVANTA_PRIVATE_SESSION"] = "1"
        return subprocess.call(["dbus-run-session", "--", sys.executable] + sys.argv)
    global GLib, pyatspi
    from gi.repository import GLib
    import pyatspi
    return check(sys.argv[1])


if __name__ == "__main__":
    sys.exit(main())
