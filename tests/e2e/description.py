# SPDX-FileCopyrightText: 2026 The Trezolin developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""The window's description, as the build writes it (trezolin-describe).

The scenario finds the controls by their part in the program, and the drivers
of the native windows find where to click, from here: nothing in the tests
spells a control's name or position.
"""

import json


class Description:
    def __init__(self, path):
        with open(path, encoding="utf-8") as f:
            self.data = json.load(f)
        self.window = self.data["window"]
        self.controls = {c["name"]: c for c in self.data["controls"]}

    def with_role(self, role):
        """The names of the controls with this part, by index: a cube's eight vertex boxes, say."""
        found = sorted((c for c in self.data["controls"] if c["role"] == role), key=lambda c: c["index"])
        return [c["name"] for c in found]

    def the(self, role):
        """The name of the one control with this part."""
        names = self.with_role(role)
        assert len(names) == 1, (role, names)
        return names[0]

    def translate(self, code, text):
        """A Bulgarian text of the program in the language: its catalogue's translation, or the text."""
        language = next(l for l in self.data["languages"] if l["code"] == code)
        return language["translations"].get(text, text)

    def spoken_name_in(self, code, name):
        """What a screen reader reads as the control's name in the language."""
        control = self.controls[name]
        return self.translate(code, control["accessibleName"] or control["text"]).rstrip(" ")

    def entries(self, name):
        return self.controls[name]["entries"]

    def accessible_name(self, name):
        return self.controls[name]["spokenName"]

    def start_announcement(self, values):
        """What a screen reader hears after a start with these start values, in the description's words."""
        words = self.data["announcements"]
        return words["start"].replace("{}", words["valueSeparator"].join(values))

    def centre(self, name):
        left, top, width, height = self.controls[name]["pixels"]
        return left + width // 2, top + height // 2

    def entry_centre(self, name, row):
        """The middle of a list's entry, the entries sharing the list's height."""
        left, top, width, height = self.controls[name]["pixels"]
        count = len(self.entries(name))
        return left + width // 2, top + height * (2 * row + 1) // (2 * count)

    def below_entries(self, name):
        """A point inside the list, under its last entry: the bottom of its frame."""
        left, top, width, height = self.controls[name]["pixels"]
        return left + width // 2, top + height - 1


class Target:
    """What a click aims at: a control, one of a list's entries, or a list below its entries."""

    def __init__(self, control, row=None, below=False):
        self.control, self.row, self.below = control, row, below

    def __repr__(self):
        if self.below:
            return f"{self.control} below its entries"
        return self.control if self.row is None else f"{self.control}[{self.row}]"

    def place(self, description):
        """Where to click, in the window's pixels."""
        if self.below:
            return description.below_entries(self.control)
        if self.row is not None:
            return description.entry_centre(self.control, self.row)
        return description.centre(self.control)
