# SPDX-FileCopyrightText: 2026 The Trezolin developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""The desktop window in a real X server, driven with xdotool, xclip and wmctrl.

For the language step the driver also reads the window as a screen reader
does, over the accessibility bus (AT-SPI, with Debian's Python modules): the
language the program reports, the controls' names, a tooltip once the pointer
rests on its control.
"""

import os
import time

from description import Target
from screen_reader import wait_until
from x_session import XSession

NOTHING_COPIED = "<nothing copied>"


class X11Driver:
    LACKS = {"choose_language": "the desktop program has no language chooser: it takes its language when it "
                                "starts (--lang, else the locale)"}

    def __init__(self, binary, description, session=None):
        self.description = description
        self.session = session or XSession()
        self.binary = binary
        self.program = self.start_program(binary)
        self.window = self.session.find_window(description.window["title"])
        self.session.wait_until_shown(self.window, *description.window["pixels"])

    def start_program(self, binary, *arguments):
        return self.session.start([binary, *arguments])

    def restart_in_language(self, code):
        """Ends the program and starts it again with --lang code (None: with no choice, as a pupil's
        desktop starts it), on the accessibility bus so that its window can be read as a screen
        reader reads it."""
        self._end_program()
        self._accessibility()
        self.program = self.start_program(self.binary, *(["--lang", code] if code else []))
        self.window = self.session.find_window(self.description.window["title"])
        self.session.wait_until_shown(self.window, *self.description.window["pixels"])
        self._app = None

    def _end_program(self):
        if self.program.poll() is None:
            self.program.kill()
            self.program.wait()
        output = self.program_output()
        if output.strip():
            print("program output:\n" + output)

    def _accessibility(self):
        """The accessibility bus on this X session, switched on as a screen reader does, and this
        process's connection to it; the next programs started here join it."""
        if getattr(self, "_bus", None):
            return
        from screen_reader import AccessibilityBus
        self._bus = AccessibilityBus(self.session.env)
        self.session.env = self._bus.env
        # The AT-SPI library finds the accessibility bus through the session bus it is started on.
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = self._bus.env["DBUS_SESSION_BUS_ADDRESS"]
        import gi
        gi.require_version("Atspi", "2.0")
        from gi.repository import Atspi
        Atspi.init()
        self._atspi = Atspi

    def _application(self):
        """The program's accessible application, once it is on the bus."""
        if getattr(self, "_app", None) is None:
            def find():
                desktop = self._atspi.get_desktop(0)
                for i in range(desktop.get_child_count()):
                    app = desktop.get_child_at_index(i)
                    try:
                        if app is not None and app.get_process_id() == self.program.pid and app.get_child_count():
                            return app
                    except Exception:   # an application leaving the bus
                        continue
                return None
            self._app = wait_until(find, "the program on the accessibility bus")
        return self._app

    def _frame(self):
        """The window's accessible: the application's child with the window's title (Qt 6.4 gives a
        plain top-level widget the role "filler")."""
        app, title = self._application(), self.description.window["title"]

        def find():
            for i in range(app.get_child_count()):
                child = app.get_child_at_index(i)
                if child is not None and child.get_name() == title and child.get_child_count():
                    return child
            return None
        return wait_until(find, "the program's window on the accessibility bus")

    def _accessible_of(self, control):
        """The accessible whose place in the window is the control's, as the description gives it."""
        frame = self._frame()
        origin = frame.get_extents(self._atspi.CoordType.SCREEN)
        wanted = tuple(self.description.controls[control]["pixels"])
        places = []
        for i in range(frame.get_child_count()):
            child = frame.get_child_at_index(i)
            box = child.get_extents(self._atspi.CoordType.SCREEN)
            place = (box.x - origin.x, box.y - origin.y, box.width, box.height)
            if place == wanted:
                return child
            places.append((child.get_name(), place))
        raise AssertionError(f"no accessible at {control}'s place {wanted}: {places}")

    def language(self):
        """The language the program reports on the accessibility bus, as a code such as "uk": the
        application's locale (org.a11y.atspi.Application.GetLocale), which is what Qt reports."""
        self._accessibility()
        from gi.repository import Gio, GLib
        flags = Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION
        session = Gio.DBusConnection.new_for_address_sync(self._bus.env["DBUS_SESSION_BUS_ADDRESS"], flags)
        address = session.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress", None,
                                    GLib.VariantType("(s)"), Gio.DBusCallFlags.NONE, 10000).unpack()[0]
        bus = Gio.DBusConnection.new_for_address_sync(address, flags)
        messages = 0    # the locale of messages, as gettext's LC_MESSAGES
        locale = bus.call_sync(self._application().app.bus_name, "/org/a11y/atspi/accessible/root",
                               "org.a11y.atspi.Application", "GetLocale", GLib.Variant("(u)", (messages,)),
                               GLib.VariantType("(s)"), Gio.DBusCallFlags.NONE, 10000).unpack()[0]
        bus.close_sync()
        session.close_sync()
        return locale.split("_")[0].split(".")[0]

    def accessible(self, control):
        """(role, name) as a screen reader gets them."""
        self._accessibility()
        found = self._accessible_of(control)
        return found.get_role_name(), found.get_name()

    def caption(self, control):
        """A button's caption: what the accessibility bus gives as its text (Qt names a button by
        its caption where it has no name of its own)."""
        return self.accessible(control)[1]

    def tooltip(self, control, timeout=60.0):
        """The tooltip that shows once the pointer rests on the control: the text of the tooltip
        window the program opens, read over the accessibility bus."""
        self._accessibility()
        app = self._application()
        # Qt shows tooltips for the active window; moving away first makes the next rest a new one.
        self.session.run(["xdotool", "windowactivate", "--sync", self.window], check=False)
        self.session.run(["xdotool", "mousemove", "--window", self.window, "0", "0"])
        time.sleep(0.2)
        self.session.run(["xdotool", "mousemove", "--window", self.window, *map(str, self.place(control))])

        def shown_tip():
            for i in range(app.get_child_count()):
                child = app.get_child_at_index(i)
                if child is not None and child.get_role() == self._atspi.Role.TOOL_TIP and \
                        child.get_state_set().contains(self._atspi.StateType.SHOWING) and child.get_name():
                    return child.get_name()
            return None
        return wait_until(shown_tip, f"{control}'s tooltip", timeout)

    def program_output(self):
        """What the program printed, once it has ended."""
        return self.program.stdout.read() if self.program.stdout else ""

    def place(self, target):
        """Where a control or a list's entry is, in the window's pixels."""
        if not isinstance(target, Target):
            target = Target(target)
        return target.place(self.description)

    def click(self, target, modifier=None):
        self.session.click(self.window, *self.place(target), modifier=modifier)

    def key(self, *keys):
        self.session.key(*keys)

    def type_text(self, text):
        self.session.type_text(text)

    def read(self, control):
        """Selects all of a control's text with the keyboard and copies it.

        Copying an empty selection leaves the clipboard alone, so an empty
        control reads as the marker put there first; that counts as empty text.
        """
        self.session.set_clipboard(NOTHING_COPIED)
        self.click(control)
        self.key("ctrl+a")
        self.key("ctrl+c")
        # The program answers the copy in its own time: a moment, or as long as a busy machine takes
        # where the driver can tell an empty control without waiting.
        deadline = time.monotonic() + (60 if self.TELLS_EMPTY else 2)
        while time.monotonic() < deadline:
            text = self.session.clipboard()
            if text != NOTHING_COPIED:
                return text
            if self.known_empty(control):
                return ""
            time.sleep(0.1)
        return ""

    # Whether known_empty can say yes.
    TELLS_EMPTY = False

    def known_empty(self, control):
        """Whether the driver can tell, without waiting, that the control holds no text to copy."""
        return False

    def burst(self, control, count):
        self.session.run(["xdotool", "mousemove", "--window", self.window, *map(str, self.place(control))])
        self.session.run(["xdotool", "click", "--repeat", str(count), "--delay", "2", "1"])

    def close_during_burst(self, control):
        """Closes the window as its close box does, while a burst of clicks goes on;
        gives the program's exit status and what it printed."""
        session, program = self.session, self.program
        session.run(["xdotool", "mousemove", "--window", self.window, *map(str, self.place(control))])
        burst = session.start(["xdotool", "click", "--repeat", "300", "--delay", "2", "1"])
        time.sleep(0.3)
        session.close_window(self.description.window["title"])
        burst.wait(timeout=30)
        try:
            status = program.wait(timeout=15)
        except Exception:
            status = "still running"
        output = self.program_output() if status == 0 else ""
        return status, output

    def screen_reader(self):
        """Another start of the program, on a desktop of its own with Orca listening."""
        from screen_reader import Desk
        desk = Desk()
        try:
            desk.open([self.binary], self.description.window["title"])
        except Exception:
            desk.stop()
            raise
        return desk

    def stop(self):
        self._end_program()
        if getattr(self, "_bus", None):
            self._bus.stop()
        self.session.stop()
