#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Every interface text has its Ukrainian and Belarusian translation.

Extracts the texts of the sources afresh (scripts/extract-messages.sh) and
fails, naming catalogue and text, for each text that a catalogue of
po/LANGUAGES lacks, leaves empty or marks fuzzy, and for each translation
whose placeholders (%s, %d, %1.1f, %%) differ from the source text's, in kind
or order. docs/translations.md says how to bring the catalogues up to date.
"""
import subprocess
import sys
import tempfile
from pathlib import Path

from po_file import placeholders, read_entries

ROOT = Path(__file__).resolve().parents[2]
LANGUAGES = ["uk", "be"]


def faults_of(catalogue: Path, texts: list) -> list:
    """What `catalogue` lacks or gets wrong for the interface texts `texts`."""
    if not catalogue.exists():
        return [f"{catalogue.name}: missing"]
    translations = {entry.msgid: entry for entry in read_entries(catalogue)}
    faults = []
    for text in texts:
        entry = translations.get(text)
        where = f"{catalogue.name}:{entry.line if entry else 0}"
        if entry is None or not entry.msgstr:
            faults.append(f"{where}: no translation of \"{text}\"")
        elif "fuzzy" in entry.flags:
            faults.append(f"{where}: fuzzy translation of \"{text}\"")
        elif placeholders(entry.msgstr) != placeholders(text):
            faults.append(f"{where}: placeholders {placeholders(entry.msgstr)} instead of "
                          f"{placeholders(text)} in the translation of \"{text}\"")
    return faults


def main() -> int:
    with tempfile.TemporaryDirectory() as folder:
        pot = Path(folder) / "default.pot"
        subprocess.run([str(ROOT / "scripts/extract-messages.sh"), str(pot)], check=True,
                       stderr=subprocess.DEVNULL)
        texts = [entry.msgid for entry in read_entries(pot) if entry.msgid]
    faults = [fault for language in LANGUAGES
              for fault in faults_of(ROOT / "po" / f"{language}.po", texts)]
    if faults:
        print("\n".join(faults))
        print("scripts/update-po.sh merges new texts into the catalogues (docs/translations.md)")
        return 1
    print(f"all {len(texts)} interface texts are translated into {', '.join(LANGUAGES)}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
