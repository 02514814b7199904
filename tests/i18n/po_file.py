# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads the entries of a gettext PO or POT file: what the checks need."""
import re
from dataclasses import dataclass, field
from pathlib import Path

STRING = re.compile(r'"((?:[^"\\]|\\.)*)"')
# printf-like placeholders as the station's formatter knows them.
PLACEHOLDER = re.compile(r"%%|%[-+ #0]*\d*(?:\.\d+)?[diouxXeEfgGcs]")


@dataclass
class Entry:
    msgid: str = ""
    msgstr: str = ""
    flags: set = field(default_factory=set)
    line: int = 0
    obsolete: bool = False


def read_entries(path: Path) -> list:
    """The entries of the file in their order, the header included (msgid "")."""
    entries, current, target = [], Entry(), None

    def finish():
        nonlocal current, target
        if target is not None:
            entries.append(current)
        current, target = Entry(), None

    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        if not line.strip():
            finish()
        elif line.startswith("#~"):
            current.obsolete = True
        elif line.startswith("#,"):
            current.flags |= {flag.strip() for flag in line[2:].split(",")}
        elif line.startswith("#"):
            continue
        elif line.startswith("msgid "):
            if target == "msgstr":
                finish()
            current.line, target = number, "msgid"
            current.msgid = "".join(STRING.findall(line))
        elif line.startswith("msgstr "):
            target = "msgstr"
            current.msgstr = "".join(STRING.findall(line))
        elif line.startswith('"') and target:
            setattr(current, target, getattr(current, target) + "".join(STRING.findall(line)))
    finish()
    return [entry for entry in entries if not entry.obsolete]


def placeholders(text: str) -> list:
    return PLACEHOLDER.findall(text)
