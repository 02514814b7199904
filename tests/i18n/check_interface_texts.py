#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Every Russian text in the sources reaches the message template.

Runs scripts/extract-messages.sh into a temporary file, then reads every
string literal of src/ that holds a Cyrillic letter (comments left out) and
fails, naming file and line, for each one xgettext did not extract. A text
that is data rather than interface (a default value of a setting, a pattern)
is listed in NOT_INTERFACE_TEXTS with the reason.
"""
import re
import subprocess
import sys
import tempfile
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]

# (file, text): why it is not translated.
NOT_INTERFACE_TEXTS = {
    ("src/config/Settings.h", "Фамилия Имя"): "default of a setting the teacher edits",
    ("src/config/Settings.h", "Класс"): "default of a setting the teacher edits",
    ("src/config/Settings.h", "^[А-Я]{1}[а-я]{1,} [А-Я]{1}[а-я]{1,}$"): "default pattern",
    ("src/config/Settings.h", "^[1-9]{1}[0-1]{0,1} [А-Яа-я]{1}$"): "default pattern",
    ("src/config/Settings.h", "Иванов Иван"): "default of a setting the teacher edits",
    ("src/config/Settings.h", "10 А"): "default of a setting the teacher edits",
    ("src/model/Test.h", "Общий список заданий (без темы)"): "stored in test files",
    ("src/model/Test.h", "Основная тема. Ее удалить нельзя."): "stored in test files",
    ("src/rules/AnswerEvaluation.cpp", "Да"): "the result record's word, kept Russian",
    ("src/rules/AnswerEvaluation.cpp", "Нет"): "the result record's word, kept Russian",
    ("src/ui/taskarea/WordPanel.cpp", "СЛОВО"): "the panel's default word, task data",
    ("src/ui/taskarea/WordPanel.cpp", "Щ"): "the letter the font is fitted on",
    ("src/text/RegExp.cpp", "а-яё"): "pattern syntax",
    ("src/text/RegExp.cpp", "А-ЯЁ"): "pattern syntax",
    ("src/text/RegExp.cpp", "А-яЁё"): "pattern syntax",
}

# A string literal, or several that the compiler joins into one.
# Files whose Russian texts are all data: why.
NOT_INTERFACE_FILES = {
    "src/ui/taskarea/gallery/TaskAreaGallery.cpp": "the gallery's sample tasks",
    "src/ui/results/gallery/ResultsGallery.cpp": "the gallery's sample pupil and marks",
}

LITERAL = re.compile(r'(?<![A-Za-z0-9_])(?:"(?:[^"\\\n]|\\.)*"\s*)+')
PART = re.compile(r'"((?:[^"\\\n]|\\.)*)"')
CYRILLIC = re.compile("[А-Яа-яЁёІіЇїЄєҐґЎў]")


def extracted_ids(pot: Path) -> set:
    ids = set()
    text = pot.read_text(encoding="utf-8")
    for block in re.finditer(r'^msgid ((?:"(?:[^"\\]|\\.)*"\s*)+)', text, re.M):
        ids.add("".join(re.findall(r'"((?:[^"\\]|\\.)*)"', block.group(1))))
    return ids


def without_comments(source: str) -> str:
    # Keeps line numbers: comments become blanks of the same line count.
    source = re.sub(r"/\*.*?\*/", lambda m: "\n" * m.group(0).count("\n"), source, flags=re.S)
    return re.sub(r"//[^\n]*", "", source)


def main() -> int:
    with tempfile.TemporaryDirectory() as folder:
        pot = Path(folder) / "default.pot"
        subprocess.run([str(ROOT / "scripts/extract-messages.sh"), str(pot)], check=True,
                       stderr=subprocess.DEVNULL)
        ids = extracted_ids(pot)
    files = subprocess.run(["git", "ls-files", "src/*.cpp", "src/*.h"], cwd=ROOT, check=True,
                           capture_output=True, text=True).stdout.split()
    missing = []
    for name in files:
        if name in NOT_INTERFACE_FILES:
            continue
        source = without_comments((ROOT / name).read_text(encoding="utf-8"))
        for literal in LITERAL.finditer(source):
            text = "".join(PART.findall(literal.group(0)))
            if not CYRILLIC.search(text) or text in ids or (name, text) in NOT_INTERFACE_TEXTS:
                continue
            line = source.count("\n", 0, literal.start()) + 1
            missing.append(f"{name}:{line}: not marked for translation: \"{text}\"")
    print("\n".join(missing) if missing else f"all {len(ids)} interface texts are marked")
    return 1 if missing else 0


if __name__ == "__main__":
    sys.exit(main())
