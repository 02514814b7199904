#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The translation check finds each kind of fault in a small catalogue."""
import sys
import tempfile
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from check_translations import faults_of  # noqa: E402
from po_file import placeholders  # noqa: E402

CATALOGUE = r'''msgid ""
msgstr ""
"Content-Type: text/plain; charset=UTF-8\n"

msgid "Тест"
msgstr "Тест"

#, c-format
msgid "Оценка: %s."
msgstr "Оцінка: %d."

#, c-format
msgid "Набрано %1.1f из %d (%1.1f%%)."
msgstr "Набрано %d з %1.1f (%1.1f%%)."

#, fuzzy
msgid "Закрыть"
msgstr "Закрити"

msgid "Пусто"
msgstr ""

msgid ""
"Две\n"
"строки"
msgstr ""
"Два\n"
"рядки"
'''


class CheckTranslationsTest(unittest.TestCase):
    def faults(self, texts):
        with tempfile.TemporaryDirectory() as folder:
            catalogue = Path(folder) / "uk.po"
            catalogue.write_text(CATALOGUE, encoding="utf-8")
            return faults_of(catalogue, texts)

    def test_each_fault_is_named_once(self):
        cases = [
            ("Тест", None),
            ("Две\\nстроки", None),
            ("Оценка: %s.", "placeholders ['%d'] instead of ['%s']"),
            ("Набрано %1.1f из %d (%1.1f%%).", "placeholders ['%d', '%1.1f', '%1.1f', '%%']"),
            ("Закрыть", "fuzzy translation"),
            ("Пусто", "no translation"),
            ("Нет в каталоге", "no translation"),
        ]
        for text, fault in cases:
            with self.subTest(text=text):
                found = self.faults([text])
                if fault is None:
                    self.assertEqual(found, [])
                else:
                    self.assertEqual(len(found), 1)
                    self.assertIn(fault, found[0])

    def test_a_missing_catalogue_is_a_fault(self):
        self.assertEqual(faults_of(Path("/nonexistent/be.po"), ["Тест"]), ["be.po: missing"])

    def test_placeholders_keep_kind_and_order(self):
        self.assertEqual(placeholders("%s из %d: %1.1f%% (100%)"), ["%s", "%d", "%1.1f", "%%"])


if __name__ == "__main__":
    unittest.main()
